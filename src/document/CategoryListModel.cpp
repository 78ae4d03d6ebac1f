#include "CategoryListModel.h"

#include "gui/DocumentImages.h"
#include "model/Category.h"
#include "model/CollectionManager.h"
#include "model/LinkDragPayload.h"
#include "model/NotificationComputer.h"

#include <QMimeData>
#include <algorithm>
#include <unordered_set>

CategoryListModel::CategoryListModel(CollectionManager *collectionManager, const QString &linkDragType,
                                     QObject *parent)
    : QAbstractListModel(parent), m_collectionManager(collectionManager), m_linkDragType(linkDragType)
{}

void CategoryListModel::setShowsAllLinks(bool shows)
{
    beginResetModel();
    m_showsAllLinks = shows;
    endResetModel();
}

int CategoryListModel::categoryIndexOfRow(int row) const
{
    const int index = row - firstCategoryRow();
    return index >= 0 && index < int(m_rows.size()) ? index : -1;
}

void CategoryListModel::clear()
{
    beginResetModel();
    m_cleared = true;
    m_rows.clear();
    m_hasNotifications.clear();
    endResetModel();
}

void CategoryListModel::reload()
{
    beginResetModel();
    m_cleared = false;
    const std::vector<TreeNode *> &children = m_collectionManager->categoryRoot()->children();
    m_rows.assign(children.cbegin(), children.cend());
    readNotificationMarks();
    endResetModel();
}

void CategoryListModel::readNotificationMarks()
{
    const TreeNode *root = m_collectionManager->categoryRoot();
    m_hasNotifications.assign(m_rows.size(), false);
    for (int row = 0; row < int(m_rows.size()); ++row)
        m_hasNotifications[size_t(row)] =
            NotificationComputer::categoryHasNotifications(root->childAtIndex(row));
}

void CategoryListModel::update()
{
    if (m_cleared) {
        reload();
        return;
    }
    const std::vector<TreeNode *> &now = m_collectionManager->categoryRoot()->children();
    const int offset = firstCategoryRow();
    const std::unordered_set<TreeNode *> stays(now.cbegin(), now.cend());
    // Removed from the bottom up, so that the rows above keep their numbers.
    for (int row = int(m_rows.size()) - 1; row >= 0; --row) {
        if (stays.contains(m_rows[size_t(row)]))
            continue;
        int first = row;
        while (first > 0 && !stays.contains(m_rows[size_t(first - 1)]))
            --first;
        beginRemoveRows(QModelIndex(), first + offset, row + offset);
        m_rows.erase(m_rows.begin() + first, m_rows.begin() + row + 1);
        m_hasNotifications.erase(m_hasNotifications.begin() + first, m_hasNotifications.begin() + row + 1);
        endRemoveRows();
        row = first;
    }
    // Then, row by row, the category that belongs there is moved up from below or inserted.
    for (int row = 0; row < int(now.size()); ++row) {
        TreeNode *wanted = now[size_t(row)];
        if (row < int(m_rows.size()) && m_rows[size_t(row)] == wanted)
            continue;
        const auto found = std::find(m_rows.begin() + row, m_rows.end(), wanted);
        if (found != m_rows.end()) {
            const int from = int(found - m_rows.begin());
            beginMoveRows(QModelIndex(), from + offset, from + offset, QModelIndex(), row + offset);
            m_rows.erase(found);
            m_rows.insert(m_rows.begin() + row, wanted);
            m_hasNotifications.erase(m_hasNotifications.begin() + from);
            m_hasNotifications.insert(m_hasNotifications.begin() + row, false);
            endMoveRows();
        } else {
            beginInsertRows(QModelIndex(), row + offset, row + offset);
            m_rows.insert(m_rows.begin() + row, wanted);
            m_hasNotifications.insert(m_hasNotifications.begin() + row, false);
            endInsertRows();
        }
    }
    readNotificationMarks();
    // Categories are few: their titles (with the link counts) and marks are told changed at once, the
    // All Links row's count too.
    if (rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::DisplayRole, Qt::DecorationRole});
}

TreeNode *CategoryListModel::categoryNodeAtRow(int row) const
{
    // The rows' own nodes: while rows come and go the others keep theirs. A node that left the store
    // is kept alive by the change that took it, until the rows follow.
    const int categoryIndex = m_cleared ? -1 : categoryIndexOfRow(row);
    return categoryIndex < 0 ? nullptr : m_rows[size_t(categoryIndex)];
}

int CategoryListModel::rowCount(const QModelIndex &parent) const
{
    // The rows as last read: a view must never see rows come or go without being told.
    return parent.isValid() || m_cleared ? 0 : int(m_rows.size()) + firstCategoryRow();
}

QVariant CategoryListModel::allLinksData(int role) const
{
    switch (role) {
    case Qt::DisplayRole: {
        int total = 0;
        for (const TreeNode *categoryNode : m_collectionManager->categoryRoot()->children())
            total += categoryNode->numberOfChildren();
        return total > 0 ? tr("All Links (%1)").arg(total) : tr("All Links");
    }
    case Qt::AccessibleTextRole:
        return tr("All Links: every link of the database");
    case Qt::DecorationRole:
        return DocumentImages::icon(QStringLiteral("details"));
    default:
        return QVariant();
    }
}

QVariant CategoryListModel::data(const QModelIndex &index, int role) const
{
    if (index.isValid() && isAllLinksRow(index.row()))
        return allLinksData(role);
    TreeNode *node = index.isValid() ? categoryNodeAtRow(index.row()) : nullptr;
    switch (role) {
    case Qt::DisplayRole:
        if (!node)
            return QString();
        if (!node->objectValue().isValid())
            node->refreshObjectValueFromNativeTitle();
        return node->objectValue();
    case Qt::DecorationRole: {
        const Category *category = node ? node->category() : nullptr;
        if (!category)
            return DocumentImages::icon(QStringLiteral("category"));
        const int categoryIndex = categoryIndexOfRow(index.row());
        const bool alert = categoryIndex >= 0 && size_t(categoryIndex) < m_hasNotifications.size() &&
                           m_hasNotifications[size_t(categoryIndex)];
        if (category->isNone())
            return DocumentImages::icon(alert ? QStringLiteral("categorydefaultnotif")
                                              : QStringLiteral("categorydefault"));
        return DocumentImages::icon(alert ? QStringLiteral("categorynotif") : QStringLiteral("category"));
    }
    default:
        return QVariant();
    }
}

QVariant CategoryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole)
        return tr("Categories");
    return QVariant();
}

Qt::ItemFlags CategoryListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Links dropped on All Links would stay where they are.
    if (isAllLinksRow(index.row()))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled | Qt::ItemNeverHasChildren;
}

QStringList CategoryListModel::mimeTypes() const
{
    return {m_linkDragType};
}

Qt::DropActions CategoryListModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

int CategoryListModel::dropTargetRow(int row, const QModelIndex &parent) const
{
    // A drop between rows is taken as a drop on the row below the gap.
    const int target = parent.isValid() ? parent.row() : row;
    return target >= 0 && target < rowCount() && !isAllLinksRow(target) ? target : -1;
}

bool CategoryListModel::canDropMimeData(const QMimeData *data, Qt::DropAction, int row, int,
                                        const QModelIndex &parent) const
{
    // Only links of this very document: another window's drag type differs.
    if (!data || !data->hasFormat(m_linkDragType))
        return false;
    return dropTargetRow(row, parent) >= 0;
}

bool CategoryListModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                     const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    const std::optional<QStringList> ids = LinkDragPayload::decode(data->data(m_linkDragType));
    TreeNode *target = categoryNodeAtRow(dropTargetRow(row, parent));
    if (!ids || !target)
        return false;
    const QStringList moved =
        m_moveLinks ? m_moveLinks(*ids, target) : m_collectionManager->moveLinksWithIDs(*ids, target);
    if (moved.isEmpty())
        return false; // dropped on their own category: nothing to record
    emit linksDropped(moved);
    return true;
}
