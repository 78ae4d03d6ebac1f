#pragma once

#include <QDate>
#include <QList>
#include <QString>

class CollectionManager;

// Every reminder of the database that is due, with its link, for the Reminders list.
namespace DueReminders {

struct Entry
{
    QDate date;
    QString text;
    QString linkID;
    QString linkTitle;
    QString categoryTitle;
};

// The reminders dated `today` or earlier, by date; reminders of one day keep the window's order
// (categories in tree order, links and their reminders as stored). The reminders must have been computed.
QList<Entry> collect(const CollectionManager &store, const QDate &today);

} // namespace DueReminders
