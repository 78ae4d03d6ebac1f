#include "NotificationSort.h"

#include "model/Notification.h"

#include <QCoreApplication>
#include <algorithm>

namespace NotificationSort {

namespace {

int compareDates(const Notification &a, const Notification &b)
{
    return a.date() < b.date() ? -1 : (b.date() < a.date() ? 1 : 0);
}

int compareTexts(const Notification &a, const Notification &b)
{
    return QString::compare(a.text(), b.text(), Qt::CaseInsensitive);
}

} // namespace

int compareNotifications(const Notification &a, const Notification &b, int column)
{
    const bool textFirst = column == TextColumn;
    const int first = textFirst ? compareTexts(a, b) : compareDates(a, b);
    if (first != 0)
        return first;
    return textFirst ? compareDates(a, b) : compareTexts(a, b);
}

QList<const Notification *> sortedNotifications(QList<const Notification *> notifications, int column)
{
    std::stable_sort(notifications.begin(), notifications.end(),
                     [column](const Notification *a, const Notification *b) {
                         return compareNotifications(*a, *b, column) < 0;
                     });
    return notifications;
}

QString countText(int count)
{
    return count == 1 ? QCoreApplication::translate("NotificationSort", "%1 notification").arg(count)
                      : QCoreApplication::translate("NotificationSort", "%1 notifications").arg(count);
}

} // namespace NotificationSort
