#include "TableColumns.h"

#include <QCoreApplication>
#include <QHash>

namespace TableColumns {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(TableColumns)
};

// Lower case without spaces, "-" and "_": "Contact E-mail" and "contact_email" are one name.
QString normalized(const QString &header)
{
    QString name;
    name.reserve(header.size());
    for (const QChar c : header) {
        if (!c.isSpace() && c != u'-' && c != u'_')
            name.append(c.toCaseFolded());
    }
    return name;
}

struct KnownName
{
    const char *name;
    TableField field;
};

// The export's own headers come first; their translations are looked up too, so that a table
// exported in another language reads back.
constexpr KnownName ExportHeaders[] = {
    {"Link", TableField::Title},
    {"Category", TableField::Category},
    {"Description", TableField::Description},
    {"URL", TableField::URL},
    {"Links Page URL", TableField::LinksPageURL},
    {"My Category", TableField::MyCategory},
    {"Contact First Name", TableField::FirstName},
    {"Contact Last Name", TableField::LastName},
    {"Contact E-mail", TableField::Email},
    {"Original Request", TableField::OriginalRequest},
    {"Status", TableField::Status},
    {"Last Status Changed On", TableField::LastStatusChangedOn},
    {"Last Verified On", TableField::LastVerifiedOn},
    {"Notes", TableField::Notes},
};

constexpr KnownName OtherNames[] = {
    {"Title", TableField::Title},
    {"Name", TableField::Title},
    {"Site", TableField::Title},
    {"Site Name", TableField::Title},
    {"Link Title", TableField::Title},
    {"Address", TableField::URL},
    {"Website", TableField::URL},
    {"Web Site", TableField::URL},
    {"Site URL", TableField::URL},
    {"Main Page URL", TableField::URL},
    {"Links Page", TableField::LinksPageURL},
    {"Reciprocal URL", TableField::LinksPageURL},
    {"Backlink URL", TableField::LinksPageURL},
    {"E-mail", TableField::Email},
    {"Contact E-mail Address", TableField::Email},
    {"E-mail Address", TableField::Email},
    {"First Name", TableField::FirstName},
    {"Last Name", TableField::LastName},
    {"Keywords", TableField::Keywords},
    {"Request", TableField::OriginalRequest},
    {"Comment", TableField::Notes},
    {"Comments", TableField::Notes},
};

const QHash<QString, TableField> &knownNames()
{
    static const QHash<QString, TableField> names = [] {
        QHash<QString, TableField> table;
        for (const KnownName &known : ExportHeaders) {
            table.insert(normalized(QString::fromLatin1(known.name)), known.field);
            const QString translated = QCoreApplication::translate("SpreadsheetBuilder", known.name);
            table.insert(normalized(translated), known.field);
        }
        for (const KnownName &known : OtherNames)
            table.insert(normalized(QString::fromLatin1(known.name)), known.field);
        return table;
    }();
    return names;
}

} // namespace

const QList<TableField> &fields()
{
    static const QList<TableField> all = {TableField::Title,
                                          TableField::URL,
                                          TableField::Category,
                                          TableField::Description,
                                          TableField::Keywords,
                                          TableField::LinksPageURL,
                                          TableField::MyCategory,
                                          TableField::FirstName,
                                          TableField::LastName,
                                          TableField::Email,
                                          TableField::OriginalRequest,
                                          TableField::Status,
                                          TableField::LastStatusChangedOn,
                                          TableField::LastVerifiedOn,
                                          TableField::Notes};
    return all;
}

TableField fieldOfHeader(const QString &header)
{
    return knownNames().value(normalized(header), TableField::Ignored);
}

QList<TableField> mappingOfHeaders(const QStringList &headers)
{
    QList<TableField> mapping;
    mapping.reserve(headers.size());
    for (const QString &header : headers) {
        TableField field = fieldOfHeader(header);
        if (mapping.contains(field))
            field = TableField::Ignored;
        mapping.append(field);
    }
    return mapping;
}

int numberOfKnownHeaders(const QStringList &headers)
{
    int known = 0;
    for (const QString &header : headers) {
        if (fieldOfHeader(header) != TableField::Ignored)
            ++known;
    }
    return known;
}

QString fieldName(TableField field)
{
    switch (field) {
    case TableField::Ignored:
        return Tr::tr("Ignore");
    case TableField::Title:
        return Tr::tr("Title");
    case TableField::Category:
        return Tr::tr("Category");
    case TableField::Description:
        return Tr::tr("Description");
    case TableField::Keywords:
        return Tr::tr("Keywords");
    case TableField::URL:
        return Tr::tr("URL");
    case TableField::LinksPageURL:
        return Tr::tr("Links Page URL");
    case TableField::MyCategory:
        return Tr::tr("My Category");
    case TableField::FirstName:
        return Tr::tr("First Name");
    case TableField::LastName:
        return Tr::tr("Last Name");
    case TableField::Email:
        return Tr::tr("E-mail");
    case TableField::OriginalRequest:
        return Tr::tr("Original Request");
    case TableField::Status:
        return Tr::tr("Status");
    case TableField::LastStatusChangedOn:
        return Tr::tr("Last Status Changed On");
    case TableField::LastVerifiedOn:
        return Tr::tr("Last Verified On");
    case TableField::Notes:
        return Tr::tr("Notes");
    }
    return QString();
}

int maxLength(TableField field)
{
    switch (field) {
    case TableField::Title:
    case TableField::Email:
        return 99;
    case TableField::Category:
    case TableField::MyCategory:
        return 199;
    case TableField::Description:
        return 399;
    case TableField::Keywords:
    case TableField::URL:
    case TableField::LinksPageURL:
        return 249;
    case TableField::FirstName:
    case TableField::LastName:
        return 49;
    case TableField::Notes:
        return 499;
    default:
        return 0;
    }
}

} // namespace TableColumns
