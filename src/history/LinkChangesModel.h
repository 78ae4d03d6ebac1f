#pragma once

#include "LinkChange.h"

#include <QAbstractTableModel>

// The changed links of a database as a table, in plain words: link, change, since, what the latest
// check found, and where a moved link is now. Each cell's Qt::UserRole is its sort key; LinkIDRole
// gives the row's link, ChangeRole its LinkChange::Kind, MovedToRole where it is now ("" unless moved).
class LinkChangesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        LinkColumn,
        ChangeColumn,
        SinceColumn,
        NowColumn,
        MovedToColumn,
        ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;
    static constexpr int LinkIDRole = Qt::UserRole + 1;
    static constexpr int ChangeRole = Qt::UserRole + 2;
    static constexpr int MovedToRole = Qt::UserRole + 3;

    using QAbstractTableModel::QAbstractTableModel;

    void setChanges(const QList<LinkChange> &changes);
    const QList<LinkChange> &changes() const { return m_changes; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<LinkChange> m_changes;
};
