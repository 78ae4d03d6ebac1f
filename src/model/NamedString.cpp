#include "NamedString.h"

#include "ByteFields.h"

int64_t NamedString::sizeOfDataRepresentation() const
{
    if (m_name.isNull() || m_value.isNull())
        return 0;
    return 8 + 2 * (int64_t(m_name.size()) + m_value.size());
}

void NamedString::appendDataRepresentation(QByteArray &out) const
{
    if (sizeOfDataRepresentation() == 0)
        return;
    char word[4];
    ByteFields::writeWord(word, uint32_t(m_name.size()));
    out.append(word, 4);
    out.append(ByteFields::utf16BigEndian(m_name));
    ByteFields::writeWord(word, uint32_t(m_value.size()));
    out.append(word, 4);
    out.append(ByteFields::utf16BigEndian(m_value));
}

int64_t NamedString::loadDataRepresentation(const char *bytes, int64_t available)
{
    // Counts are unsigned 32-bit; every step is checked against what is left before it is read.
    if (available < 4)
        return -1;
    const int64_t nameUnits = ByteFields::readWord(bytes);
    if (available - 4 < 2 * nameUnits + 4)
        return -1;
    const char *valueAt = bytes + 4 + 2 * nameUnits;
    const int64_t valueUnits = ByteFields::readWord(valueAt);
    const int64_t size = 8 + 2 * (nameUnits + valueUnits);
    if (size > available)
        return -1;
    m_name = ByteFields::fromUtf16BigEndian(bytes + 4, nameUnits);
    m_value = ByteFields::fromUtf16BigEndian(valueAt + 4, valueUnits);
    return size;
}

namespace NamedStringList {

void setString(QList<NamedString> &list, const QString &value, const QString &name)
{
    if (value.isNull() || name.isNull())
        return;
    // Every entry of the name goes: with one left behind, the lookup would keep finding the old value.
    list.removeIf([&name](const NamedString &entry) { return entry.name() == name; });
    list.append(NamedString(name, value));
}

QString stringForName(const QList<NamedString> &list, const QString &name)
{
    for (const NamedString &entry : list) {
        if (entry.name() == name)
            return entry.value();
    }
    return QString();
}

} // namespace NamedStringList
