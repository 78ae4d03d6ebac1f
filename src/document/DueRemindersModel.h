#pragma once

#include "workflow/DueReminders.h"

#include <QAbstractTableModel>

// The rows of the Reminders list: every due reminder of the database, by date.
class DueRemindersModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        DateColumn,
        LinkColumn,
        ReminderColumn,
        CategoryColumn,
        ColumnCount
    };

    explicit DueRemindersModel(QObject *parent = nullptr);

    void setEntries(const QList<DueReminders::Entry> &entries);
    const QList<DueReminders::Entry> &entries() const { return m_entries; }
    QString linkIDAtRow(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<DueReminders::Entry> m_entries;
};
