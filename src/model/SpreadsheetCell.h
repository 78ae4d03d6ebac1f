#pragma once

#include <QString>

// A spreadsheet program runs a cell that begins with "=", "+", "-" or "@" as a formula, and some
// treat a leading tab or carriage return the same way. The exports write such a cell with a leading
// "'" and the table import takes it off again, so a title like =HYPERLINK(...) is shown as text and
// comes back as it was. A text that already begins with quotes before such a character gets one
// more, so every text survives the round trip.
namespace SpreadsheetCell {

// The cell as the exports write it.
QString guarded(const QString &text);
// The text of a cell the exports wrote; any other cell as it is.
QString unguarded(const QString &cell);

} // namespace SpreadsheetCell
