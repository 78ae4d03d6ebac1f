#include "LinkListModel.h"

#include "gui/DocumentImages.h"
#include "model/LinkDragPayload.h"
#include "model/TreeNode.h"
#include "workflow/LinkListOrder.h"

#include <QMimeData>
#include <QSet>
#include <algorithm>

LinkListModel::LinkListModel(CollectionManager *, const QString &linkDragType, QObject *parent)
    : QSortFilterProxyModel(parent), m_rows(new LinkRowsModel(this)), m_linkDragType(linkDragType)
{
    setSourceModel(m_rows);
    // A changed link moves to its sorted place at once.
    setDynamicSortFilter(true);
    sortRows();
}

void LinkListModel::setCategory(TreeNode *categoryNode)
{
    m_rows->setCategory(categoryNode);
}

void LinkListModel::reload()
{
    m_rows->reload();
}

void LinkListModel::update(const DocumentChange &change)
{
    m_rows->update(change);
}

bool LinkListModel::setSortOrder(int column, bool descending)
{
    if (column < 0 || column >= ColumnCount)
        return false;
    m_sortColumn = column;
    m_sortDescending = descending;
    sortRows();
    return true;
}

void LinkListModel::sortRows()
{
    // The order is lessThan's, for every column (the column given here only switches sorting on), and
    // the proxy sorts stably on the category's order either way round.
    QSortFilterProxyModel::sort(0, m_sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
    invalidate();
}

void LinkListModel::sort(int column, Qt::SortOrder order)
{
    setSortOrder(column, order == Qt::DescendingOrder);
}

void LinkListModel::setRowFilter(RowFilter filter)
{
    m_rowFilter = std::move(filter);
    // One layout change for the whole list: filtering anew row range by row range tells the view of
    // every hidden range on its own, which takes seconds on tens of thousands of links.
    invalidate();
}

bool LinkListModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (!m_rowFilter)
        return true;
    // A row whose link is gone stays until the rows follow the store, as it does unfiltered.
    const TreeNode *node = m_rows->linkNodeAtRow(sourceRow);
    return !node || m_rowFilter(node);
}

bool LinkListModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const TreeNode *a = m_rows->linkNodeAtRow(left.row());
    const TreeNode *b = m_rows->linkNodeAtRow(right.row());
    // A row whose link is gone sorts first until the rows follow the store.
    if (!a || !b)
        return !a && b;
    return LinkListOrder::compareLink(a, b, m_sortColumn) < 0;
}

int LinkListModel::sourceRow(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    return mapToSource(index(row, 0)).row();
}

TreeNode *LinkListModel::linkNodeAtRow(int row) const
{
    return m_rows->linkNodeAtRow(sourceRow(row));
}

QStringList LinkListModel::linkIDs() const
{
    QStringList ids;
    const int rows = rowCount();
    ids.reserve(rows);
    for (int row = 0; row < rows; ++row)
        ids.append(linkIDAtRow(row));
    return ids;
}

QString LinkListModel::linkIDAtRow(int row) const
{
    return m_rows->linkIDAtRow(sourceRow(row));
}

int LinkListModel::rowOfLinkID(const QString &id) const
{
    if (id.isNull())
        return -1;
    const int row = m_rows->rowOfLinkID(id);
    return row < 0 ? -1 : mapFromSource(m_rows->index(row, 0)).row();
}

QVariant LinkListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    switch (section) {
    case NotificationColumn:
        if (role == Qt::DecorationRole)
            return DocumentImages::icon(QStringLiteral("warningheader"));
        if (role == Qt::ToolTipRole)
            return tr("Notifications");
        break;
    case StatusColumn:
        if (role == Qt::DecorationRole)
            return DocumentImages::icon(QStringLiteral("statusheader"));
        if (role == Qt::ToolTipRole)
            return tr("Status");
        break;
    case NameColumn:
        if (role == Qt::DisplayRole)
            return tr("Name");
        break;
    case DescriptionColumn:
        if (role == Qt::DisplayRole)
            return tr("Description");
        break;
    default:
        break;
    }
    return QVariant();
}

Qt::ItemFlags LinkListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

QStringList LinkListModel::mimeTypes() const
{
    return {m_linkDragType};
}

QMimeData *LinkListModel::mimeData(const QModelIndexList &indexes) const
{
    QSet<int> distinct;
    for (const QModelIndex &index : indexes) {
        if (index.isValid())
            distinct.insert(index.row());
    }
    if (distinct.isEmpty())
        return nullptr;
    QList<int> rows(distinct.cbegin(), distinct.cend());
    std::sort(rows.begin(), rows.end());
    QStringList ids;
    for (const int row : rows)
        ids.append(linkIDAtRow(row));
    auto *data = new QMimeData;
    data->setData(m_linkDragType, LinkDragPayload::encode(ids));
    return data;
}

Qt::DropActions LinkListModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions LinkListModel::supportedDropActions() const
{
    return Qt::IgnoreAction; // links are dropped on categories, never on the link
                             // list
}
