#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>

// Encoders and decoders of the database file's field kinds. Readers only touch the bytes
// of the field they are given; callers check that the whole record is present.
namespace ByteFields {

uint32_t readWord(const char *p);
void writeWord(char *p, uint32_t value);
inline int32_t readSignedWord(const char *p)
{
    return static_cast<int32_t>(readWord(p));
}

// Fixed UTF-16BE text of `units` units; the count of units in use sits at `countAt`.
// Writing keeps at most units - 1 units; reading cuts a stored count to the field.
void writeFixedText(char *field, int units, char *countAt, const QString &text);
QString readFixedText(const char *field, int units, const char *countAt);

// NUL-terminated 8-bit text (ISO Latin 1) in `width` bytes; at most width - 1 bytes are written
// and read.
void writeByteText(char *field, int width, const QString &text);
QString readByteText(const char *field, int width);
// True when writing the text into such a field and reading it back gives the same text: at most
// width - 1 characters, all of ISO Latin 1, none of them NUL. Identifiers must be.
bool holdsByteText(const QString &text, int width);
inline constexpr int IdentifierWidth = 50; // IDs, category IDs and anchors

// "YYYYMMDD" and a NUL in 9 bytes.
inline constexpr int DateTextSize = 9;
void writeDateText(char *field, const QDate &date);
QDate readDateText(const char *field);
bool isNoDateText(const char *field);

// Unicode units in big-endian order and back.
QByteArray utf16BigEndian(const QString &text);
QString fromUtf16BigEndian(const char *bytes, qsizetype units);

} // namespace ByteFields
