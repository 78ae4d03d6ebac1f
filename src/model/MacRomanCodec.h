#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Mac OS Roman, the 8-bit encoding of classic Mac OS: ASCII below 0x80 and Apple's table above, in its
// modern form (0xDB is the euro sign, 0xF0 the Apple logo U+F8FF). Qt has no codec for it.
namespace MacRomanCodec {

// The character of one byte; every byte has one.
char32_t characterForByte(unsigned char byte);
// The byte of one character, or none when Mac OS Roman cannot hold it.
std::optional<unsigned char> byteForCharacter(char32_t character);

// Text to bytes; each character without a byte becomes `replacement` and clears *ok (set to true
// otherwise). A surrogate pair counts as one character; a lone surrogate cannot be encoded.
QByteArray encodeWithReplacement(const QString &text, char replacement, bool *ok = nullptr);
// The same with '?' as the replacement.
QByteArray encode(const QString &text, bool *ok = nullptr);
// Bytes to text; never fails.
QString decode(const QByteArray &bytes);

} // namespace MacRomanCodec
