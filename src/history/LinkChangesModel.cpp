#include "LinkChangesModel.h"

#include <QLocale>

void LinkChangesModel::setChanges(const QList<LinkChange> &changes)
{
    beginResetModel();
    m_changes = changes;
    endResetModel();
}

int LinkChangesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_changes.size());
}

int LinkChangesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LinkChangesModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const LinkChange &change = m_changes.at(index.row());
    if (role == LinkIDRole)
        return change.linkID;
    if (role == ChangeRole)
        return int(change.kind);
    if (role == MovedToRole)
        return change.movedTo;
    if (role == Qt::ToolTipRole && index.column() != MovedToColumn)
        return LinkChange::advice(change.kind);
    if (role == SortRole && index.column() == SinceColumn)
        return change.since.toSecsSinceEpoch();
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != SortRole)
        return QVariant();
    switch (index.column()) {
    case LinkColumn:
        return change.title;
    case ChangeColumn:
        return LinkChange::text(change.kind);
    case SinceColumn:
        return QLocale().toString(change.since, QLocale::ShortFormat);
    case NowColumn:
        return CheckOutcomes::text(change.currentOutcome);
    case MovedToColumn:
        return change.movedTo;
    default:
        return QVariant();
    }
}

QVariant LinkChangesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case LinkColumn:
        return tr("Link");
    case ChangeColumn:
        return tr("Change");
    case SinceColumn:
        return tr("Since");
    case NowColumn:
        return tr("Latest Check");
    case MovedToColumn:
        return tr("Link Now On");
    default:
        return QVariant();
    }
}
