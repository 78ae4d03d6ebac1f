#include "DueRemindersModel.h"

#include <QLocale>

DueRemindersModel::DueRemindersModel(QObject *parent) : QAbstractTableModel(parent) {}

void DueRemindersModel::setEntries(const QList<DueReminders::Entry> &entries)
{
    // The list is read again as a whole each time the reminders are computed.
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

QString DueRemindersModel::linkIDAtRow(int row) const
{
    return row >= 0 && row < m_entries.size() ? m_entries.at(row).linkID : QString();
}

int DueRemindersModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int DueRemindersModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DueRemindersModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size() || role != Qt::DisplayRole)
        return QVariant();
    const DueReminders::Entry &entry = m_entries.at(index.row());
    switch (index.column()) {
    case DateColumn:
        return QLocale().toString(entry.date, QLocale::ShortFormat);
    case LinkColumn:
        return entry.linkTitle;
    case ReminderColumn:
        return entry.text;
    case CategoryColumn:
        return entry.categoryTitle;
    default:
        return QVariant();
    }
}

QVariant DueRemindersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case DateColumn:
        return tr("Date");
    case LinkColumn:
        return tr("Link");
    case ReminderColumn:
        return tr("Reminder");
    case CategoryColumn:
        return tr("Category");
    default:
        return QVariant();
    }
}
