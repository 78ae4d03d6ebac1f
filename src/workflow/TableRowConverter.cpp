#include "TableRowConverter.h"

#include "LinkForm.h"

#include "model/AddressTexts.h"
#include "model/SpreadsheetCell.h"
#include "model/TextUtils.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <array>

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(TableRowConverter)
};

// Texts that are matched, not read: their surrounding spaces are not part of them.
bool isTrimmed(TableField field)
{
    return field != TableField::Description && field != TableField::Notes;
}

// The order of year, month and day in the export's date template: a permutation of 0, 1, 2 giving,
// for each of the three numbers of a date, which part it is (0 year, 1 month, 2 day).
std::array<int, 3> exportDateOrder()
{
    const QString pattern = QCoreApplication::translate("SpreadsheetBuilder", "MM/DD/YYYY");
    std::array<std::pair<qsizetype, int>, 3> positions = {{{pattern.indexOf(QLatin1String("YYYY")), 0},
                                                           {pattern.indexOf(QLatin1String("MM")), 1},
                                                           {pattern.indexOf(QLatin1String("DD")), 2}}};
    if (std::any_of(positions.begin(), positions.end(), [](const auto &p) { return p.first < 0; }))
        return {1, 2, 0};
    std::sort(positions.begin(), positions.end());
    return {positions[0].second, positions[1].second, positions[2].second};
}

} // namespace

TableRowConverter::TableRowConverter(const QList<TableField> &mapping, const QDate &today) : m_today(today)
{
    std::fill(std::begin(m_columns), std::end(m_columns), -1);
    for (qsizetype column = 0; column < mapping.size(); ++column) {
        const int field = int(mapping.at(column));
        if (mapping.at(column) != TableField::Ignored && m_columns[field] < 0)
            m_columns[field] = int(column);
    }
}

QString TableRowConverter::cell(const QStringList &cells, TableField field) const
{
    const int column = m_columns[int(field)];
    if (column < 0 || column >= cells.size())
        return QString();
    // The export guards a cell that a spreadsheet would run as a formula; its text comes back whole.
    return SpreadsheetCell::unguarded(isTrimmed(field) ? cells.at(column).trimmed() : cells.at(column));
}

std::optional<LinkStatus> TableRowConverter::statusOfText(const QString &text)
{
    for (const LinkStatus status :
         {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved, LinkStatusBlocked}) {
        if (text == QString(QChar(status)))
            return status;
        if (text.compare(Codes::statusText(status), Qt::CaseInsensitive) == 0)
            return status;
    }
    static const struct
    {
        const char *name;
        LinkStatus status;
    } english[] = {{"New", LinkStatusNew},
                   {"Negotiating", LinkStatusNegotiating},
                   {"Approved", LinkStatusApproved},
                   {"Blocked", LinkStatusBlocked}};
    for (const auto &known : english) {
        if (text.compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0)
            return known.status;
    }
    return std::nullopt;
}

std::optional<LinkType> TableRowConverter::typeOfText(const QString &text)
{
    for (const LinkType type : {LinkTypeReceived, LinkTypeSent}) {
        if (text.compare(QString(QChar(type)), Qt::CaseInsensitive) == 0 ||
            text.compare(Codes::typeText(type), Qt::CaseInsensitive) == 0)
            return type;
    }
    if (text.compare(QLatin1String("Received"), Qt::CaseInsensitive) == 0)
        return LinkTypeReceived;
    if (text.compare(QLatin1String("Sent"), Qt::CaseInsensitive) == 0)
        return LinkTypeSent;
    return std::nullopt;
}

QDate TableRowConverter::dateOfText(const QString &text)
{
    static const QRegularExpression date(QStringLiteral("^(\\d{1,4})[/.-](\\d{1,2})[/.-](\\d{1,4})$"));
    const QRegularExpressionMatch match = date.match(text);
    if (!match.hasMatch())
        return QDate();
    const int numbers[3] = {match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt()};
    if (match.capturedLength(1) == 4)
        return QDate(numbers[0], numbers[1], numbers[2]);
    static const std::array<int, 3> order = exportDateOrder();
    int parts[3] = {0, 0, 0}; // year, month, day
    for (int i = 0; i < 3; ++i)
        parts[order[size_t(i)]] = numbers[i];
    return QDate(parts[0], parts[1], parts[2]);
}

TableRowConverter::Result TableRowConverter::newLink(const QStringList &cells) const
{
    LinkFields defaults;
    defaults.categoryID = NoneCategoryID;
    defaults.status = LinkStatusNew;
    defaults.type = LinkTypeReceived;
    defaults.lastStatusChangedOn = m_today;
    return convert(cells, defaults, true);
}

TableRowConverter::Result TableRowConverter::update(const QStringList &cells, const LinkFields &base) const
{
    return convert(cells, base, false);
}

TableRowConverter::Result TableRowConverter::convert(const QStringList &cells, const LinkFields &base,
                                                     bool isNew) const
{
    Result result;
    result.fields = base;
    LinkFields &f = result.fields;

    const QString address = cell(cells, TableField::URL);
    if (LinkForm::isMissingURL(address)) {
        result.skipReason = Tr::tr("has no address");
        return result;
    }
    const QUrl web = LinkForm::webAddress(address);
    if (!web.isValid() || AddressTexts::isRefusedAddress(address)) {
        result.skipReason = Tr::tr("\"%1\" is not a web address").arg(address);
        return result;
    }
    result.URL = LinkForm::completedURL(address);
    const int urlLimit = TableColumns::maxLength(TableField::URL);
    if (result.URL.size() > urlLimit) {
        // A shortened address is another address.
        result.skipReason = Tr::tr("the address is longer than %1 characters").arg(urlLimit);
        return result;
    }
    result.usable = true;
    f.URL = result.URL;

    // A text of the row, cut to its field when too long; null when the cell is empty.
    auto text = [&](TableField field) -> QString {
        QString value = cell(cells, field);
        if (value.isEmpty())
            return QString();
        const int limit = TableColumns::maxLength(field);
        if (value.size() > limit) {
            value = TextUtils::stringWithMaxLength(value, limit);
            result.notes.append(
                Tr::tr("%1 was cut to %2 characters").arg(TableColumns::fieldName(field)).arg(limit));
        }
        return value;
    };
    auto setText = [&](QString &target, TableField field) {
        const QString value = text(field);
        if (!value.isNull())
            target = value;
    };

    setText(f.title, TableField::Title);
    if (f.title.isEmpty())
        f.title = TextUtils::stringWithMaxLength(web.host(), TableColumns::maxLength(TableField::Title));
    setText(f.description, TableField::Description);
    setText(f.keywords, TableField::Keywords);
    setText(f.counterpartCategoryName, TableField::MyCategory);
    setText(f.contactFirstName, TableField::FirstName);
    setText(f.contactLastName, TableField::LastName);
    setText(f.contactEmail, TableField::Email);
    setText(f.notes, TableField::Notes);
    // A category name is one line, as the category sheet keeps it.
    result.categoryName = text(TableField::Category);
    if (!result.categoryName.isNull())
        result.categoryName = TextUtils::oneLineString(result.categoryName);
    result.categoryGiven = !result.categoryName.isNull();

    const QString linksPage = cell(cells, TableField::LinksPageURL);
    if (!LinkForm::isMissingURL(linksPage)) {
        const QString completed = LinkForm::completedURL(linksPage);
        const int limit = TableColumns::maxLength(TableField::LinksPageURL);
        if (AddressTexts::isRefusedAddress(linksPage))
            result.notes.append(
                Tr::tr("the links page address \"%1\" is not a web address and was left out").arg(linksPage));
        else if (completed.size() > limit)
            result.notes.append(
                Tr::tr("the links page address is longer than %1 characters and was left out").arg(limit));
        else
            f.counterpartURL = completed;
    }

    if (const QString word = cell(cells, TableField::OriginalRequest); !word.isEmpty()) {
        if (const std::optional<LinkType> type = typeOfText(word))
            f.type = *type;
        else
            result.notes.append(Tr::tr("original request \"%1\" is not known; %2 was used")
                                    .arg(word, Codes::typeText(f.type)));
    }

    const LinkStatus oldStatus = base.status;
    if (const QString word = cell(cells, TableField::Status); !word.isEmpty()) {
        if (const std::optional<LinkStatus> status = statusOfText(word))
            f.status = *status;
        else
            result.notes.append(
                Tr::tr("status \"%1\" is not known; %2 was used").arg(word, Codes::statusText(f.status)));
    }
    auto date = [&](TableField field) -> std::optional<QDate> {
        const QString value = cell(cells, field);
        if (value.isEmpty())
            return std::nullopt;
        const QDate day = dateOfText(value);
        if (!day.isValid()) {
            result.notes.append(Tr::tr("\"%1\" is not a date (MM/DD/YYYY or YYYY-MM-DD); %2 was left out")
                                    .arg(value, TableColumns::fieldName(field)));
            return std::nullopt;
        }
        return day;
    };
    if (const std::optional<QDate> changed = date(TableField::LastStatusChangedOn))
        f.lastStatusChangedOn = *changed;
    else if (!isNew && f.status != oldStatus)
        f.lastStatusChangedOn = m_today;
    if (const std::optional<QDate> verified = date(TableField::LastVerifiedOn)) {
        // The table tells the day, not the outcome: a day on record counts as marked verified.
        if (f.lastVerifiedOn != *verified || f.lastVerificationResult == VerificationNotVerified)
            f.lastVerificationResult = VerificationMarkedVerified;
        f.lastVerifiedOn = *verified;
    }
    return result;
}
