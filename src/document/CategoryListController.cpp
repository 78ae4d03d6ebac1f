#include "CategoryListController.h"

#include "CategoryListModel.h"
#include "model/CollectionManager.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

CategoryListController::CategoryListController(CollectionManager *collectionManager,
                                               const QString &linkDragType, QObject *parent)
    : QObject(parent), m_collectionManager(collectionManager),
      m_model(new CategoryListModel(collectionManager, linkDragType, this))
{
    m_model->setShowsAllLinks(true);
    connect(m_model, &CategoryListModel::linksDropped, this, &CategoryListController::linksDropped);
}

void CategoryListController::setTableView(QAbstractItemView *tableView)
{
    m_tableView = tableView;
    m_tableView->setModel(m_model);
    m_tableView->setDragDropMode(QAbstractItemView::DropOnly);
    m_tableView->setDragDropOverwriteMode(true); // drops land on a row, never between rows
    m_tableView->setDropIndicatorShown(true);
    m_tableView->setAcceptDrops(true);
}

void CategoryListController::clear()
{
    m_model->clear();
}

void CategoryListController::refreshList()
{
    const bool cleared = m_model->isCleared();
    const TreeNode *previous = cleared ? nullptr : selectedCategoryNode();
    const int previousRow = cleared ? -1 : selectedRow();
    const bool allLinks = !cleared && isAllLinksSelected();
    m_model->reload();
    if (!m_tableView || rowCount() == 0)
        return;
    if (allLinks) {
        selectAllLinks();
        return;
    }
    int row = previous
                  ? m_model->rowOfCategoryIndex(m_collectionManager->categoryRoot()->indexOfChild(previous))
                  : -1;
    if (row < 0 && previousRow >= 0)
        row = qMin(previousRow, rowCount() - 1);
    // With nothing to follow, the first category: All Links is asked for.
    selectRow(row >= 0 ? row : qMin(m_model->rowOfCategoryIndex(0), rowCount() - 1));
}

void CategoryListController::updateList()
{
    const int previousRow = selectedRow();
    m_model->update();
    if (!m_tableView || rowCount() == 0 || selectedRow() >= 0)
        return;
    selectRow(qBound(0, previousRow, rowCount() - 1));
}

int CategoryListController::rowCount() const
{
    return m_model->rowCount();
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
    return m_model->categoryNodeAtRow(row);
}

int CategoryListController::selectedCategoryIndex() const
{
    return m_model->categoryIndexOfRow(selectedRow());
}

bool CategoryListController::isAllLinksSelected() const
{
    const int row = selectedRow();
    return row >= 0 && m_model->isAllLinksRow(row);
}

void CategoryListController::selectAllLinks()
{
    if (m_tableView && m_model->showsAllLinks() && rowCount() > 0)
        selectRow(0);
}

TreeNode *CategoryListController::selectedCategoryNode() const
{
    const int row = selectedRow();
    return row < 0 ? nullptr : categoryNodeAtRow(row);
}

void CategoryListController::showAndSelectCategoryNode(TreeNode *node)
{
    const int row = m_model->rowOfCategoryIndex(m_collectionManager->categoryRoot()->indexOfChild(node));
    if (row >= 0 && m_tableView)
        selectRow(row);
}

void CategoryListController::selectRow(int row)
{
    const QModelIndex index = m_model->index(row);
    m_tableView->scrollTo(index);
    m_tableView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}
