#pragma once

#include <QList>
#include <QString>

class Notification;

// The order of the link editor's notifications table and its count line.
namespace NotificationSort {

// The table's columns; a column's index is its sort key.
enum Column
{
    DateColumn = 0,
    TextColumn = 1
};

// Negative when a sorts before b. The text column compares texts first (ignoring case), then dates;
// any other column (or none, -1) dates first, then texts. Both ascending.
int compareNotifications(const Notification &a, const Notification &b, int column);
// The notifications in that order; equal ones keep their order.
QList<const Notification *> sortedNotifications(QList<const Notification *> notifications, int column);

// "1 notification", "0 notifications", "2 notifications".
QString countText(int count);

} // namespace NotificationSort
