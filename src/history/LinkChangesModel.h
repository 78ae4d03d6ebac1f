#pragma once

#include "LinkChange.h"

#include <QAbstractTableModel>

// The changed links of a database as a table: link, change, since, previous and current result.
// Each cell's Qt::UserRole is its sort key; LinkIDRole gives the row's link.
class LinkChangesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        LinkColumn,
        ChangeColumn,
        SinceColumn,
        PreviousColumn,
        CurrentColumn,
        ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;
    static constexpr int LinkIDRole = Qt::UserRole + 1;

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
