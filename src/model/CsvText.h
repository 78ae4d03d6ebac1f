#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// Cells of comma-separated text as RFC 4180 writes them, shared by the export and the tests of the
// table reader.
namespace CsvText {

// The cell as it stands, or between quotes with its quotes doubled when it holds the delimiter, a
// quote or a line break.
QString cell(const QString &text, QChar delimiter = u',');
// The cells joined by the delimiter, followed by CRLF.
QString line(const QStringList &cells, QChar delimiter = u',');

} // namespace CsvText
