#include "Notification.h"

Notification::Notification(int32_t type, const QDate &date, const QString &text)
    : m_type(type), m_date(date), m_text(text)
{}

bool Notification::containsString(const QString &text) const
{
    return m_text.contains(text, Qt::CaseInsensitive);
}

bool Notification::equals(const Attachment &other) const
{
    const auto *notification = dynamic_cast<const Notification *>(&other);
    return notification && notification->m_text == m_text;
}

int Notification::compare(const Attachment &other) const
{
    const auto *notification = dynamic_cast<const Notification *>(&other);
    if (!notification || m_date == notification->m_date)
        return 0;
    return m_date < notification->m_date ? -1 : 1;
}
