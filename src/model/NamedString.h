#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

// A stored name/value setting (link-page styles, window state).
class NamedString
{
public:
    NamedString() = default;
    NamedString(const QString &name, const QString &value) : m_name(name), m_value(value) {}

    const QString &name() const { return m_name; }
    const QString &value() const { return m_value; }
    void setName(const QString &name) { m_name = name; }
    void setValue(const QString &value) { m_value = value; }

    // 8 + 2 × (name units + value units); 0 when either is absent.
    int64_t sizeOfDataRepresentation() const;
    void appendDataRepresentation(QByteArray &out) const;
    // Reads one record from `available` bytes; returns the bytes used, or -1 when it runs past the end.
    int64_t loadDataRepresentation(const char *bytes, int64_t available);

    bool operator==(const NamedString &other) const = default;

private:
    QString m_name;
    QString m_value;
};

// A list of named strings kept the way the store keeps them, one entry per name: setting a name
// removes its entry (every one, should a list hold several) and appends the new one at the end;
// absent names or values are ignored.
namespace NamedStringList {
void setString(QList<NamedString> &list, const QString &value, const QString &name);
// The value of the first entry with that name, or null.
QString stringForName(const QList<NamedString> &list, const QString &name);
} // namespace NamedStringList
