#pragma once

#include "TextCodec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class TextMeasurer;

// Small string operations shared by the records, the file format and the generators. Searches are
// literal and case-sensitive; positions and lengths count UTF-16 units.
namespace TextUtils {

// Every line feed, carriage return and tab becomes one space.
QString oneLineString(const QString &text);
// "&", "<" and ">" escaped, in that order; quotes are left alone.
QString HTMLString(const QString &text);
// Pieces between one-character delimiters: "a,,b" gives three, "a,b," two, "" none.
QStringList splitWithDelimiter(const QString &text, QChar delimiter);

// For spreadsheet cells: each CRLF pair, CR, tab and LF becomes one space.
QString stringByRemovingTabDelimiters(const QString &text);

// Replaces every occurrence of target in text, left to right, and returns how many. Searching goes on
// after the inserted replacement, so it is never searched again ("a" by "aa" ends). An empty target
// replaces nothing.
int replaceOccurencesOfString(QString &text, const QString &target, const QString &replacement);
// A copy of text with the same replacements.
QString stringByReplacingOccurencesOfString(const QString &text, const QString &target,
                                            const QString &replacement);

// A decimal text without trailing zeros after the point, nor the point when nothing follows it:
// "2.50" gives "2.5", "3.00" "3", "100" stays. A text without "." is returned unchanged; one that
// would become empty or a lone sign (".0", "-.0") gives "0".
QString cleanFloat(const QString &text);

// The text if it has at most maxLength units, else its first maxLength units; a surrogate pair is
// never split (the cut moves one unit earlier), so the result may then be one unit shorter.
QString stringWithMaxLength(const QString &text, qsizetype maxLength);

// The text when it fits width as measured; else its longest start that leaves room for "...", then
// "...". Never wider than width when the measurer adds character widths; "" when even "..." does not
// fit. Surrogate pairs are measured and kept as one character.
QString truncatedStringWithMaximumWidth(const QString &text, qreal width, const TextMeasurer &measurer);

// True for text that holds "http://", else "https://", else "file://", with at least one character
// after the first occurrence of the first of these found (anywhere in the text). Characters beyond
// ASCII are accepted only in the host name after it, and only when it has an IDNA form.
bool isValidURL(const QString &text);

// For mail links: line breaks become those of mail in the encoding (UTF-8 and Mac OS Roman: LF and
// CRLF become CR; ISO Latin 1: LF becomes CRLF; UTF-16: unchanged), then every character that is
// neither reserved nor unreserved in RFC 2396 becomes %XX (upper-case hex) for each of its bytes in
// the encoding. Reserved and unreserved characters (letters, digits, - _ . ! ~ * ' ( ) ; / ? : @ & =
// + $ ,) stay. A character the 8-bit encoding cannot hold is sent as "?", like a typed question
// mark, and clears *lossless (set to true otherwise); the result is never empty for non-empty text.
QString stringByAddingPercentEscapesWithEncoding(const QString &text, TextEncoding encoding,
                                                 bool *lossless = nullptr);
// The same in UTF-8.
QString stringByAddingPercentEscapes(const QString &text);
// Every "&" becomes "%26", so that it does not split a field of a mail link; apply after escaping.
QString stringByAddingPercentEscapesForControlCharacters(const QString &text);

// The text as RTF in the application font (see RtfWriter).
QByteArray RTFData(const QString &text);

// The UTF-8 text of a file compiled into the application's resources: ":/name.extension" when it
// exists, else the first file named "name.extension" in any resource folder (fewest folders deep
// first, then by path). An empty extension means the file name has none. A null QString when no such
// file exists or it cannot be read.
QString stringWithContentsOfResource(const QString &name, const QString &extension);

} // namespace TextUtils
