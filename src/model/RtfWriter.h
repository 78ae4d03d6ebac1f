#pragma once

#include <QByteArray>
#include <QString>

// Plain text as RTF, the rich-text flavour of clipboard copies.
namespace RtfWriter {

// One font, no styles. "\", "{" and "}" are escaped, each line break (CR, LF, CRLF, U+2029) becomes
// \par, U+2028 \line and a tab \tab; other control characters are dropped. Everything outside
// printable ASCII is written as \uN (N the signed 16-bit UTF-16 unit) followed by the fallback for
// readers without Unicode: \'XX for Latin 1 letters, else '?'. So the result is pure ASCII. A point size of 0
// or less means 12.
QByteArray RTFData(const QString &text, const QString &fontFamily, qreal pointSize);
// The same in the application font when a QGuiApplication exists, else in Helvetica 12.
QByteArray RTFData(const QString &text);

} // namespace RtfWriter
