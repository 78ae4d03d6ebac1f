#include "CategoryListModel.h"

#include "gui/DocumentImages.h"
#include "model/Category.h"
#include "model/CollectionManager.h"
#include "model/LinkDragPayload.h"
#include "model/NotificationComputer.h"

#include <QMimeData>

CategoryListModel::CategoryListModel(CollectionManager *collectionManager, const QString &linkDragType,
                                     QObject *parent)
    : QAbstractListModel(parent), m_collectionManager(collectionManager), m_linkDragType(linkDragType)
{}

void CategoryListModel::clear()
{
    beginResetModel();
    m_cleared = true;
    m_hasNotifications.clear();
    endResetModel();
}

void CategoryListModel::reload()
{
    beginResetModel();
    m_cleared = false;
    const TreeNode *root = m_collectionManager->categoryRoot();
    m_hasNotifications.assign(size_t(root->numberOfChildren()), false);
    for (int row = 0; row < root->numberOfChildren(); ++row) {
        m_hasNotifications[size_t(row)] =
            NotificationComputer::categoryHasNotifications(root->childAtIndex(row));
    }
    endResetModel();
}

TreeNode *CategoryListModel::categoryNodeAtRow(int row) const
{
    return m_cleared ? nullptr : m_collectionManager->categoryRoot()->childAtIndex(row);
}

int CategoryListModel::rowCount(const QModelIndex &parent) const
{
    // The count of the last reload: a view must never see rows come or go without being told.
    return parent.isValid() ? 0 : int(m_hasNotifications.size());
}

QVariant CategoryListModel::data(const QModelIndex &index, int role) const
{
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
        const bool alert =
            size_t(index.row()) < m_hasNotifications.size() && m_hasNotifications[size_t(index.row())];
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
    return target >= 0 && target < rowCount() ? target : -1;
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
    const QStringList moved = m_collectionManager->moveLinksWithIDs(*ids, target);
    if (moved.isEmpty())
        return false; // dropped on their own category: nothing to record
    emit linksDropped(moved);
    return true;
}
