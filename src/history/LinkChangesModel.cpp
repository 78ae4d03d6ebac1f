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
    case PreviousColumn:
        return Codes::verificationRunText(change.previous);
    case CurrentColumn:
        return Codes::verificationRunText(change.current);
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
    case PreviousColumn:
        return tr("Previous Result");
    case CurrentColumn:
        return tr("Current Result");
    default:
        return QVariant();
    }
}
