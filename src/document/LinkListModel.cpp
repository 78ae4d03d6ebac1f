#include "LinkListModel.h"

#include "gui/DocumentImages.h"
#include "model/CollectionManager.h"
#include "model/Link.h"
#include "model/LinkDragPayload.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"
#include "workflow/DetailsTexts.h"
#include "workflow/LinkListOrder.h"

#include <QMimeData>
#include <QSet>
#include <algorithm>

LinkListModel::LinkListModel(CollectionManager *collectionManager, const QString &linkDragType,
                             QObject *parent)
    : QAbstractTableModel(parent), m_collectionManager(collectionManager), m_linkDragType(linkDragType)
{}

void LinkListModel::setCategory(TreeNode *categoryNode)
{
    m_category = categoryNode;
    reload();
}

void LinkListModel::reload()
{
    beginResetModel();
    rebuildSortedLinks();
    endResetModel();
}

void LinkListModel::rebuildSortedLinks()
{
    m_sortedLinks.clear();
    m_childIndexes.clear();
    if (!m_category)
        return;
    std::vector<TreeNode *> nodes;
    LinkListOrder::buildSortedLinkList(nodes, m_category, m_sortColumn, m_sortDescending);
    m_sortedLinks.reserve(qsizetype(nodes.size()));
    m_childIndexes.reserve(nodes.size());
    for (const TreeNode *node : nodes) {
        m_sortedLinks.append(node->attachmentID());
        m_childIndexes.push_back(m_category->indexOfChild(node));
    }
}

bool LinkListModel::setSortOrder(int column, bool descending)
{
    if (column < 0 || column >= ColumnCount)
        return false;
    m_sortColumn = column;
    m_sortDescending = descending;
    return true;
}

void LinkListModel::sort(int column, Qt::SortOrder order)
{
    if (setSortOrder(column, order == Qt::DescendingOrder))
        reload();
}

TreeNode *LinkListModel::linkNodeAtRow(int row) const
{
    if (!m_category || row < 0 || row >= m_sortedLinks.size())
        return nullptr;
    const QString &id = m_sortedLinks.at(row);
    TreeNode *node = m_category->childAtIndex(m_childIndexes[size_t(row)]);
    if (node && node->link() && node->link()->ID() == id)
        return node;
    // The category changed since the last sort: look the link up by its ID.
    for (TreeNode *child : m_category->children()) {
        if (child->link() && child->link()->ID() == id)
            return child;
    }
    return nullptr;
}

QString LinkListModel::linkIDAtRow(int row) const
{
    return row >= 0 && row < m_sortedLinks.size() ? m_sortedLinks.at(row) : QString();
}

int LinkListModel::rowOfLinkID(const QString &id) const
{
    return id.isNull() ? -1 : int(m_sortedLinks.indexOf(id));
}

int LinkListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_sortedLinks.size());
}

int LinkListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LinkListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const TreeNode *node = linkNodeAtRow(index.row());
    const Link *link = node ? node->link() : nullptr;
    if (!link)
        return QVariant();
    switch (index.column()) {
    case NotificationColumn:
        if (!NotificationComputer::linkHasNotifications(node))
            return QVariant();
        if (role == Qt::DecorationRole)
            return DocumentImages::icon(QStringLiteral("warning"));
        if (role == Qt::ToolTipRole) {
            QStringList texts;
            for (const Notification *notification : NotificationComputer::notificationsOfLinkNode(node))
                texts.append(notification->text());
            return texts.join(QLatin1Char('\n'));
        }
        return QVariant();
    case StatusColumn:
        if (role == Qt::DecorationRole) {
            const QString image = DetailsTexts::statusImage(link->status());
            return image.isEmpty() ? QVariant() : QVariant(DocumentImages::icon(image));
        }
        if (role == Qt::ToolTipRole)
            return DetailsTexts::statusName(link->status());
        return QVariant();
    case NameColumn:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return link->title();
        return QVariant();
    case DescriptionColumn:
        if (role == Qt::DisplayRole)
            return link->description();
        if (role == Qt::ToolTipRole && !link->description().isEmpty())
            return link->description();
        return QVariant();
    default:
        return QVariant();
    }
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
