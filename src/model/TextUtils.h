#pragma once

#include <QString>
#include <QStringList>

// Small string operations shared by the records, the file format and the generators.
namespace TextUtils {

// Every line feed, carriage return and tab becomes one space.
QString oneLineString(const QString &text);
// "&", "<" and ">" escaped, in that order; quotes are left alone.
QString HTMLString(const QString &text);
// Pieces between one-character delimiters: "a,,b" gives three, "a,b," two, "" none.
QStringList splitWithDelimiter(const QString &text, QChar delimiter);

} // namespace TextUtils
