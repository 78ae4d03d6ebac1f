#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What one column of an imported table fills in a link.
enum class TableField
{
    Ignored,
    Title,
    Category,
    Description,
    Keywords,
    URL,
    LinksPageURL,
    MyCategory,
    FirstName,
    LastName,
    Email,
    OriginalRequest,
    Status,
    LastStatusChangedOn,
    LastVerifiedOn,
    Notes,
};

// How the header line of a table names its columns: every header the spreadsheet export writes and
// the usual names of other tools. Matching ignores case, spaces, "-" and "_".
namespace TableColumns {

// Every field but Ignored, in the order the mapping pop-ups list them.
const QList<TableField> &fields();
// The field a header names, or Ignored.
TableField fieldOfHeader(const QString &header);
// One field per header; a field named twice is taken from its first column only.
QList<TableField> mappingOfHeaders(const QStringList &headers);
// How many headers name a field (for choosing the delimiter).
int numberOfKnownHeaders(const QStringList &headers);
// The field's name in the pop-ups and reports ("Links Page URL"); "Ignore" for Ignored.
QString fieldName(TableField field);
// The most characters the field keeps in a link (UTF-16 units, as the file counts them); 0 when it
// is not text.
int maxLength(TableField field);

} // namespace TableColumns
