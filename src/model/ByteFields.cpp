#include "ByteFields.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace ByteFields {

uint32_t readWord(const char *p)
{
    return qFromBigEndian<uint32_t>(p);
}

void writeWord(char *p, uint32_t value)
{
    qToBigEndian<uint32_t>(value, p);
}

void writeFixedText(char *field, int units, char *countAt, const QString &text)
{
    const qsizetype used = qMin<qsizetype>(text.size(), units - 1);
    std::memset(field, 0, size_t(units) * 2);
    for (qsizetype i = 0; i < used; ++i)
        qToBigEndian<uint16_t>(text.at(i).unicode(), field + 2 * i);
    writeWord(countAt, uint32_t(used));
}

QString readFixedText(const char *field, int units, const char *countAt)
{
    const uint32_t stored = readWord(countAt);
    const qsizetype used = stored > uint32_t(units) ? units : qsizetype(stored);
    return fromUtf16BigEndian(field, used);
}

void writeByteText(char *field, int width, const QString &text)
{
    std::memset(field, 0, size_t(width));
    const QByteArray bytes = text.toLatin1();
    // A NUL inside the text would end it early on reading; it ends it here too.
    const qsizetype length = qMin<qsizetype>(qstrnlen(bytes.constData(), bytes.size()), width - 1);
    std::memcpy(field, bytes.constData(), size_t(length));
}

QString readByteText(const char *field, int width)
{
    // The last byte is the terminator the writer always puts there: a field without one reads as
    // what writing it back keeps, so two IDs differing only there never become one on saving.
    return QString::fromLatin1(field, qstrnlen(field, size_t(width - 1)));
}

bool holdsByteText(const QString &text, int width)
{
    if (text.size() > width - 1)
        return false;
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() != 0 && c.unicode() <= 0xFF; });
}

void writeDateText(char *field, const QDate &date)
{
    char text[DateTextSize + 8] = {};
    if (date.isValid() && date.year() >= 0 && date.year() <= 9999)
        std::snprintf(text, sizeof text, "%04d%02d%02d", date.year(), date.month(), date.day());
    else
        std::memcpy(text, "00000000", 8);
    std::memcpy(field, text, 8);
    field[8] = '\0';
}

static int decimal(const char *p, int digits)
{
    int value = 0;
    for (int i = 0; i < digits; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        value = value * 10 + (p[i] - '0');
    }
    return value;
}

QDate readDateText(const char *field)
{
    const int year = decimal(field, 4);
    const int month = decimal(field + 4, 2);
    const int day = decimal(field + 6, 2);
    if (year < 0 || month < 0 || day < 0)
        return QDate();
    return QDate(year, month, day); // invalid (none) for "00000000" and other impossible days
}

bool isNoDateText(const char *field)
{
    return std::memcmp(field, "00000000", 9) == 0;
}

QByteArray utf16BigEndian(const QString &text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        qToBigEndian<uint16_t>(text.at(i).unicode(), bytes.data() + 2 * i);
    return bytes;
}

QString fromUtf16BigEndian(const char *bytes, qsizetype units)
{
    if (units <= 0)
        return QStringLiteral(""); // a stored text is empty, never absent
    QString text(units, Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < units; ++i)
        out[i] = QChar(qFromBigEndian<uint16_t>(bytes + 2 * i));
    return text;
}

} // namespace ByteFields
