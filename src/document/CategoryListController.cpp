#include "CategoryListController.h"

#include "gui/DocumentImages.h"
#include "model/Category.h"
#include "model/CollectionManager.h"
#include "model/LinkDragPayload.h"
#include "model/NotificationComputer.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QMimeData>

CategoryListController::CategoryListController(CollectionManager *collectionManager,
                                               const QString &linkDragType, QObject *parent)
    : QAbstractListModel(parent), m_collectionManager(collectionManager), m_linkDragType(linkDragType)
{}

void CategoryListController::setTableView(QAbstractItemView *tableView)
{
    m_tableView = tableView;
    m_tableView->setModel(this);
    m_tableView->setDragDropMode(QAbstractItemView::DropOnly);
    m_tableView->setDragDropOverwriteMode(true); // drops land on a row, never between rows
    m_tableView->setDropIndicatorShown(true);
    m_tableView->setAcceptDrops(true);
}

void CategoryListController::clear()
{
    beginResetModel();
    m_cleared = true;
    m_hasNotifications.clear();
    endResetModel();
}

void CategoryListController::refreshList()
{
    const TreeNode *previous = m_cleared ? nullptr : selectedCategoryNode();
    const int previousRow = m_cleared ? -1 : selectedRow();
    beginResetModel();
    m_cleared = false;
    const TreeNode *root = m_collectionManager->categoryRoot();
    m_hasNotifications.assign(size_t(root->numberOfChildren()), false);
    for (int row = 0; row < root->numberOfChildren(); ++row) {
        m_hasNotifications[size_t(row)] =
            NotificationComputer::categoryHasNotifications(root->childAtIndex(row));
    }
    endResetModel();
    if (!m_tableView || rowCount() == 0)
        return;
    int row = previous ? root->indexOfChild(previous) : -1;
    if (row < 0 && previousRow >= 0)
        row = qMin(previousRow, rowCount() - 1);
    if (row < 0)
        row = 0;
    m_tableView->scrollTo(index(row));
    m_tableView->selectionModel()->setCurrentIndex(index(row), QItemSelectionModel::ClearAndSelect);
}

int CategoryListController::selectedRow() const
{
    if (!m_tableView || !m_tableView->selectionModel())
        return -1;
    const QModelIndexList rows = m_tableView->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.last().row();
}

TreeNode *CategoryListController::categoryNodeAtRow(int row) const
{
    return m_cleared ? nullptr : m_collectionManager->categoryRoot()->childAtIndex(row);
}

TreeNode *CategoryListController::selectedCategoryNode() const
{
    const int row = selectedRow();
    return row < 0 ? nullptr : categoryNodeAtRow(row);
}

void CategoryListController::showAndSelectCategoryNode(TreeNode *node)
{
    const int row = m_collectionManager->categoryRoot()->indexOfChild(node);
    if (row < 0 || !m_tableView)
        return;
    m_tableView->scrollTo(index(row));
    m_tableView->selectionModel()->setCurrentIndex(index(row), QItemSelectionModel::ClearAndSelect);
}

int CategoryListController::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || m_cleared)
        return 0;
    return m_collectionManager->categoryRoot()->numberOfChildren();
}

QVariant CategoryListController::data(const QModelIndex &index, int role) const
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

QVariant CategoryListController::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole)
        return tr("Categories");
    return QVariant();
}

Qt::ItemFlags CategoryListController::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled | Qt::ItemNeverHasChildren;
}

QStringList CategoryListController::mimeTypes() const
{
    return {m_linkDragType};
}

Qt::DropActions CategoryListController::supportedDropActions() const
{
    return Qt::MoveAction;
}

int CategoryListController::dropTargetRow(int row, const QModelIndex &parent) const
{
    // A drop between rows is taken as a drop on the row below the gap.
    const int target = parent.isValid() ? parent.row() : row;
    return target >= 0 && target < rowCount() ? target : -1;
}

bool CategoryListController::canDropMimeData(const QMimeData *data, Qt::DropAction, int row, int,
                                             const QModelIndex &parent) const
{
    // Only links of this very document: another window's drag type differs.
    if (!data || !data->hasFormat(m_linkDragType))
        return false;
    return dropTargetRow(row, parent) >= 0;
}

bool CategoryListController::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                          const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    const std::optional<QStringList> ids = LinkDragPayload::decode(data->data(m_linkDragType));
    TreeNode *target = categoryNodeAtRow(dropTargetRow(row, parent));
    if (!ids || !target)
        return false;
    m_collectionManager->moveLinksWithIDs(*ids, target);
    emit linksDropped(*ids);
    return true;
}
