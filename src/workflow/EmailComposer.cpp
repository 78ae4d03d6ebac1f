#include "EmailComposer.h"

#include "model/CollectionManager.h"
#include "model/DateTexts.h"
#include "model/Preferences.h"
#include "model/TextUtils.h"
#include "model/UrlOpener.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>
#include <utility>
#include <vector>

namespace EmailComposer {

namespace {

using Substitutions = std::vector<std::pair<QLatin1String, QString>>;

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(EmailComposer)
};

// Reserved names (RFC 2606), so a preview can never reach a real party.
const QString SampleURL = QStringLiteral("http://www.example.com/");
const QString SampleLinksPageURL = QStringLiteral("http://www.example.com/links.html");

Substitutions profileValues(const SelfInfo &p)
{
    return {
        {QLatin1String("#MY_CONTACT_EMAIL#"), p.contactEmail()},
        {QLatin1String("#MY_CONTACT_FIRST_NAME#"), p.contactFirstName()},
        {QLatin1String("#MY_CONTACT_LAST_NAME#"), p.contactLastName()},
        {QLatin1String("#MY_DESCRIPTION#"), p.description()},
        {QLatin1String("#MY_KEYWORDS#"), p.keywords()},
        {QLatin1String("#MY_LINKS_PAGE_URL#"), p.linksURL()},
        {QLatin1String("#MY_TITLE#"), p.title()},
        {QLatin1String("#MY_URL#"), p.URL()},
    };
}

// The link's values after its counterpart category, in substitution order.
Substitutions linkValues(const CollectionManager &store, const Link &link)
{
    const Category *category = store.categoryWithID(link.categoryID());
    return {
        {QLatin1String("#LAST_STATUS_CHANGE_DATE#"), DateTexts::stringForDate(link.lastStatusChangedOn())},
        {QLatin1String("#CATEGORY#"), category ? category->name() : QString()},
        {QLatin1String("#CONTACT_EMAIL#"), link.contactEmail()},
        {QLatin1String("#CONTACT_FIRST_NAME#"), link.contactFirstName()},
        {QLatin1String("#CONTACT_LAST_NAME#"), link.contactLastName()},
        {QLatin1String("#DESCRIPTION#"), link.description()},
        {QLatin1String("#LINKS_PAGE_URL#"), link.counterpartURL()},
        {QLatin1String("#TITLE#"), link.title()},
        {QLatin1String("#URL#"), link.URL()},
        {QLatin1String("#NOTES#"), link.notes()},
    };
}

const QLatin1String MyCategory("#MY_CATEGORY#");

Substitutions sampleValues()
{
    return {
        {QLatin1String("#LAST_STATUS_CHANGE_DATE#"), DateTexts::stringForDate(QDate(2004, 1, 1))},
        {QLatin1String("#CATEGORY#"), Tr::tr("General")},
        {QLatin1String("#CONTACT_EMAIL#"), sampleRecipient()},
        {QLatin1String("#CONTACT_FIRST_NAME#"), Tr::tr("John")},
        {QLatin1String("#CONTACT_LAST_NAME#"), Tr::tr("Smith")},
        {QLatin1String("#DESCRIPTION#"), Tr::tr("John Smith's web site.")},
        {QLatin1String("#LINKS_PAGE_URL#"), SampleLinksPageURL},
        {QLatin1String("#TITLE#"), Tr::tr("Some Site")},
        {QLatin1String("#URL#"), SampleURL},
        {QLatin1String("#NOTES#"), Tr::tr("This is John Smith's web site.")},
    };
}

void substitute(QString &text, const Substitutions &substitutions)
{
    for (const auto &[placeholder, value] : substitutions)
        TextUtils::replaceOccurencesOfString(text, placeholder, value);
}

// One field of the URL. Mail programs read a mailto: body's line breaks as "%0D%0A" (RFC 6068),
// whatever the text's encoding: each line is escaped on its own and the lines joined so. Then "&",
// "=", "?" (which would end or split a field) are escaped too; "#" and "%" already are.
QString field(const QString &text, TextEncoding encoding)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QString escaped;
    const QStringList pieces = lines.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            escaped += QLatin1String("%0D%0A");
        escaped += TextUtils::stringByAddingPercentEscapesWithEncoding(pieces.at(i), encoding);
    }
    escaped = TextUtils::stringByAddingPercentEscapesForControlCharacters(escaped);
    escaped.replace(QLatin1Char('='), QLatin1String("%3D"));
    escaped.replace(QLatin1Char('?'), QLatin1String("%3F"));
    return escaped;
}

bool open(const QByteArray &url)
{
    return UrlOpener::instance().openUrl(QUrl::fromEncoded(url));
}

} // namespace

void replaceEmailTemplatePlaceholdersInString(const CollectionManager &store, QString &text, const Link &link)
{
    PlaceholderValues(store, link).fill(text);
}

PlaceholderValues::PlaceholderValues(const CollectionManager &store, const Link &link)
    : m_myCategory(link.counterpartCategoryName()), m_values(profileValues(store.selfInfo()))
{
    const Substitutions values = linkValues(store, link);
    m_values.insert(m_values.end(), values.begin(), values.end());
}

void PlaceholderValues::fill(QString &text) const
{
    TextUtils::replaceOccurencesOfString(text, MyCategory, m_myCategory);
    substitute(text, m_values);
}

QString previewString(const CollectionManager &store, const QString &text, const Link *link)
{
    QString result = text;
    if (link) {
        TextUtils::replaceOccurencesOfString(result, MyCategory, link->counterpartCategoryName());
        substitute(result, linkValues(store, *link));
    } else {
        TextUtils::replaceOccurencesOfString(result, MyCategory, Tr::tr("Greatest Sites"));
        substitute(result, sampleValues());
    }
    substitute(result, profileValues(store.selfInfo()));
    return result;
}

TextEncoding emailEncoding()
{
    return Preferences::intValue(Preferences::EmailEncoding) == 0 ? TextEncoding::UTF8
                                                                  : TextEncoding::MacOSRoman;
}

QByteArray mailtoURL(const QString &recipient, const QString &subject, const QString &body,
                     TextEncoding encoding)
{
    const QString url = QStringLiteral("mailto:%1?%2&%3")
                            .arg(field(recipient, encoding),
                                 QStringLiteral("SUBJECT=%1").arg(field(subject, TextEncoding::UTF8)),
                                 QStringLiteral("BODY=%1").arg(field(body, encoding)));
    return url.toLatin1(); // every character left is 7-bit ASCII
}

namespace {
Message &lastMessageStore()
{
    static Message message;
    return message;
}
} // namespace

const Message &lastMessage()
{
    return lastMessageStore();
}

QString Message::text() const
{
    return Tr::tr("To: %1").arg(recipient) + u'\n' + Tr::tr("Subject: %1").arg(subject) +
           QStringLiteral("\n\n") + body;
}

bool openInMailClient(const Message &message)
{
    lastMessageStore() = message;
    return open(mailtoURL(message.recipient, message.subject, message.body, emailEncoding()));
}

QStringList unknownPlaceholders(const QString &filledText)
{
    static const QRegularExpression placeholder(QStringLiteral("#[A-Z][A-Z_]*#"));
    QStringList found;
    for (auto it = placeholder.globalMatch(filledText); it.hasNext();) {
        const QString name = it.next().captured();
        if (!found.contains(name))
            found.append(name);
    }
    return found;
}

bool sendEmailWithRecipient(const QString &recipient, const QString &subject, const QString &body, Link &link)
{
    // A message that never reached the mail client started nothing: the link stays as it was.
    const bool accepted = openInMailClient({recipient, subject, body});
    if (accepted && link.status() == LinkStatusNew)
        link.setStatus(LinkStatusNegotiating);
    return accepted;
}

bool sendEmailWithRecipient(const CollectionManager &store, const QString &recipient, int32_t templateIndex,
                            Link &link)
{
    const auto &templates = store.emailTemplates();
    if (templateIndex < 0 || size_t(templateIndex) >= templates.size())
        return false;
    QString subject = templates[size_t(templateIndex)]->subject();
    QString body = templates[size_t(templateIndex)]->body();
    replaceEmailTemplatePlaceholdersInString(store, subject, link);
    replaceEmailTemplatePlaceholdersInString(store, body, link);
    return sendEmailWithRecipient(recipient, subject, body, link);
}

bool preview(const CollectionManager &store, const QString &subject, const QString &body, const Link *link)
{
    return openInMailClient(
        {sampleRecipient(), previewString(store, subject, link), previewString(store, body, link)});
}

QString sampleRecipient()
{
    return QStringLiteral("john.smith@example.com");
}

} // namespace EmailComposer
