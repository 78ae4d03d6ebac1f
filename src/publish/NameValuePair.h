#pragma once

#include <QString>

// One slice of a distribution: its label and its count.
class NameValuePair
{
public:
    NameValuePair() = default;
    NameValuePair(const QString &name, float value) : m_name(name), m_value(value) {}

    const QString &name() const { return m_name; }
    float value() const { return m_value; }

    bool operator==(const NameValuePair &other) const = default;

private:
    QString m_name;
    float m_value = 0;
};
