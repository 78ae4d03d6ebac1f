#include "SpreadsheetBuilder.h"

#include "ClipboardWriter.h"

#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/Preferences.h"
#include "model/SpreadsheetCell.h"
#include "model/TextUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>

namespace {

// Most cells hold no delimiter; those are appended without making a cleaned copy. A cell that a
// spreadsheet would run as a formula is guarded as it is written.
inline void appendCell(QString &line, const QString &text)
{
    const bool clean = std::none_of(text.cbegin(), text.cend(),
                                    [](QChar c) { return c == u'\t' || c == u'\n' || c == u'\r'; });
    line += SpreadsheetCell::guarded(clean ? text : TextUtils::stringByRemovingTabDelimiters(text));
}

inline void appendField(QString &line, const QString &text)
{
    appendCell(line, text);
    line += u'\t';
}

} // namespace

SpreadsheetBuilder::SpreadsheetBuilder(const CollectionManager &collectionManager)
    : m_collectionManager(collectionManager)
{}

bool SpreadsheetBuilder::exportSpreadsheetWithCollectionManager(const CollectionManager &collectionManager,
                                                                const QString &path, FileError *error)
{
    return SpreadsheetBuilder(collectionManager).exportSiteAtPath(path, error);
}

void SpreadsheetBuilder::copySpreadsheetToClipboardWithCollectionManager(
    const CollectionManager &collectionManager)
{
    ClipboardWriter::copyText(SpreadsheetBuilder(collectionManager).clipboardString());
}

QString SpreadsheetBuilder::headerLine() const
{
    const QStringList headers = {tr("Link"),
                                 tr("Category"),
                                 tr("Description"),
                                 tr("URL"),
                                 tr("Links Page URL"),
                                 tr("My Category"),
                                 tr("Contact First Name"),
                                 tr("Contact Last Name"),
                                 tr("Contact E-mail"),
                                 tr("Original Request"),
                                 tr("Status"),
                                 tr("Last Status Changed On"),
                                 tr("Last Verified On"),
                                 tr("Notes")};
    return headers.join(u'\t') + u'\n';
}

QString SpreadsheetBuilder::stringForStatus(LinkStatus status)
{
    const QString text = Codes::statusText(status);
    return text.isNull() ? QStringLiteral("") : text;
}

QString SpreadsheetBuilder::stringForDate(const QDate &date)
{
    return dateText(date, tr("MM/DD/YYYY"));
}

QString SpreadsheetBuilder::dateText(const QDate &date, const QString &pattern)
{
    if (!date.isValid())
        return QStringLiteral("");
    QString text = pattern;
    text.replace(QStringLiteral("YYYY"), QString::number(date.year()));
    text.replace(QStringLiteral("MM"), QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0')));
    text.replace(QStringLiteral("DD"), QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0')));
    return text;
}

QString SpreadsheetBuilder::string() const
{
    // Anything but a received request counts as sent.
    const QString received = Codes::typeText(LinkTypeReceived);
    const QString sent = Codes::typeText(LinkTypeSent);
    // Looked up once, not once per link.
    const QString datePattern = tr("MM/DD/YYYY");
    const QString statusTexts[] = {stringForStatus(LinkStatusNew), stringForStatus(LinkStatusNegotiating),
                                   stringForStatus(LinkStatusApproved), stringForStatus(LinkStatusBlocked)};
    QString text = headerLine();
    text.reserve(text.size() + 320 * qsizetype(m_collectionManager.numberOfLinks()));
    for (const TreeNode *categoryNode : m_collectionManager.categoryRoot()->children()) {
        const Category *category = categoryNode->category();
        if (!category)
            continue;
        const QString categoryText =
            category->isNone()
                ? QString()
                : SpreadsheetCell::guarded(TextUtils::stringByRemovingTabDelimiters(category->name()));
        for (const TreeNode *node : categoryNode->children()) {
            const Link *link = node->link();
            if (!link)
                continue;
            appendField(text, link->title());
            text += categoryText;
            text += u'\t';
            appendField(text, link->description());
            appendField(text, link->URL());
            appendField(text, link->counterpartURL());
            appendField(text, link->counterpartCategoryName());
            appendField(text, link->contactFirstName());
            appendField(text, link->contactLastName());
            appendField(text, link->contactEmail());
            text += link->type() == LinkTypeReceived ? received : sent;
            text += u'\t';
            const int status = link->status() - LinkStatusNew;
            if (status >= 0 && status < 4)
                text += statusTexts[status];
            text += u'\t';
            text += dateText(link->lastStatusChangedOn(), datePattern);
            text += u'\t';
            text += dateText(link->lastVerifiedOn(), datePattern);
            text += u'\t';
            appendCell(text, link->notes());
            text += u'\n';
        }
    }
    return text;
}

TextEncoding SpreadsheetBuilder::encodingForPreference(int value)
{
    switch (value) {
    case 0:
        return TextEncoding::UTF16;
    case 2:
        return TextEncoding::ISOLatin1;
    case 3:
        return TextEncoding::UTF8;
    default:
        return TextEncoding::MacOSRoman;
    }
}

QByteArray SpreadsheetBuilder::data(TextEncoding encoding) const
{
    return TextCodec::encode(string(), encoding);
}

int SpreadsheetBuilder::unwritableCharacterCount(TextEncoding encoding) const
{
    return TextCodec::unencodableCharacterCount(string(), encoding);
}

TextEncoding SpreadsheetBuilder::preferredEncoding()
{
    return encodingForPreference(Preferences::intValue(Preferences::FileExportEncoding));
}

bool SpreadsheetBuilder::exportSiteAtPath(const QString &path, FileError *error) const
{
    return exportSiteAtPath(path, preferredEncoding(), error);
}

bool SpreadsheetBuilder::exportSiteAtPath(const QString &path, TextEncoding encoding, FileError *error) const
{
    return DatabaseFile::writeAtomically(path, data(encoding), error);
}
