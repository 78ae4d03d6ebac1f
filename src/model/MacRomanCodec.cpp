#include "MacRomanCodec.h"

#include <QHash>
#include <array>

namespace MacRomanCodec {

namespace {

// Bytes 0x80 to 0xFF.
constexpr std::array<char16_t, 128> UpperHalf = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, // 0x80
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8, // 0x88
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, // 0x90
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, // 0x98
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF, // 0xA0
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, // 0xA8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, // 0xB0
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, // 0xB8
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, // 0xC0
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, // 0xC8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, // 0xD0
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, // 0xD8
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, // 0xE0
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, // 0xE8
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC, // 0xF0
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7, // 0xF8
};

const QHash<char16_t, unsigned char> &reverseTable()
{
    static const QHash<char16_t, unsigned char> table = [] {
        QHash<char16_t, unsigned char> t;
        t.reserve(UpperHalf.size());
        for (size_t i = 0; i < UpperHalf.size(); ++i)
            t.insert(UpperHalf[i], static_cast<unsigned char>(0x80 + i));
        return t;
    }();
    return table;
}

} // namespace

char32_t characterForByte(unsigned char byte)
{
    return byte < 0x80 ? char32_t(byte) : char32_t(UpperHalf[byte - 0x80]);
}

std::optional<unsigned char> byteForCharacter(char32_t character)
{
    if (character < 0x80)
        return static_cast<unsigned char>(character);
    if (character > 0xFFFF)
        return std::nullopt;
    const auto &table = reverseTable();
    const auto it = table.constFind(static_cast<char16_t>(character));
    if (it == table.constEnd())
        return std::nullopt;
    return *it;
}

QByteArray encodeWithReplacement(const QString &text, char replacement, bool *ok)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool lossless = true;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            bytes.append(static_cast<char>(c.unicode()));
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            ++i; // nothing outside the BMP is in the table
            bytes.append(replacement);
            lossless = false;
            continue;
        }
        const auto byte = c.isSurrogate() ? std::nullopt : byteForCharacter(c.unicode());
        if (byte) {
            bytes.append(static_cast<char>(*byte));
        } else {
            bytes.append(replacement);
            lossless = false;
        }
    }
    if (ok)
        *ok = lossless;
    return bytes;
}

QByteArray encode(const QString &text, bool *ok)
{
    return encodeWithReplacement(text, '?', ok);
}

QString decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char b : bytes)
        *out++ = QChar(static_cast<char16_t>(characterForByte(static_cast<unsigned char>(b))));
    return text;
}

} // namespace MacRomanCodec
