#pragma once

#include <QByteArray>
#include <QString>

// The text encodings the application writes: mail links, the spreadsheet export and its clipboard copy.
enum class TextEncoding
{
    UTF8,
    UTF16,
    MacOSRoman,
    ISOLatin1
};

// Converts between QString and the bytes of one TextEncoding.
namespace TextCodec {

// The name shown to users and used in settings ("UTF-8", "UTF-16", "Mac OS Roman", "ISO Latin 1").
QString encodingName(TextEncoding encoding);

// The text in Unicode normalisation form C, as the 8-bit tables need; cheap for text that holds no
// character from U+0300 up.
QString precomposed(const QString &text);

// The bytes of text in the encoding. UTF-8 has no byte order mark; UTF-16 starts with the mark FF FE
// and is little-endian, which spreadsheet programs on every platform read. The 8-bit encodings put
// `replacement` in place of each character (not each UTF-16 unit) they cannot hold and clear *ok when
// that happened; *ok is set to true otherwise. Decomposed accents are composed first (NFC), so "e"
// followed by a combining acute encodes like "é".
QByteArray encodeWithReplacement(const QString &text, TextEncoding encoding, char replacement,
                                 bool *ok = nullptr);
// How many characters (not UTF-16 units) of the text the encoding cannot hold, each of which
// encodeWithReplacement would replace; 0 for UTF-8 and UTF-16, which hold every character.
int unencodableCharacterCount(const QString &text, TextEncoding encoding);
// The same with '?' as the replacement.
QByteArray encode(const QString &text, TextEncoding encoding, bool *ok = nullptr);

// Text from bytes in the encoding. UTF-16 honours a leading byte order mark and is little-endian
// without one. Invalid UTF sequences become U+FFFD; the 8-bit encodings decode every byte.
QString decode(const QByteArray &bytes, TextEncoding encoding);

// ISO Latin 1 (ISO 8859-1) with a replacement for characters above U+00FF; see encodeWithReplacement.
QByteArray latin1WithReplacement(const QString &text, char replacement = '?', bool *ok = nullptr);

} // namespace TextCodec
