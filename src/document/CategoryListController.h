#pragma once

#include <QObject>

class CategoryListModel;
class CollectionManager;
class QAbstractItemView;
class TreeNode;

// The category list's table: shows a CategoryListModel with All Links above the categories, accepts link
// drops and keeps the selected category (or All Links) selected across reloads.
class CategoryListController : public QObject
{
    Q_OBJECT

public:
    CategoryListController(CollectionManager *collectionManager, const QString &linkDragType,
                           QObject *parent = nullptr);

    void setTableView(QAbstractItemView *tableView);
    CategoryListModel *model() const { return m_model; }

    // Reloads the rows, keeping the selected category selected (row 0 when there is none left).
    void refreshList();
    // Follows a change of the store without a reset: the selected category stays selected, and when it
    // is gone the row that took its place is.
    void updateList();
    // Forgets every node at once, before the store replaces its whole tree.
    void clear();
    int rowCount() const;
    int selectedRow() const;
    // The selected category's index in the store; -1 for All Links or nothing.
    int selectedCategoryIndex() const;
    bool isAllLinksSelected() const;
    void selectAllLinks();
    // Null for All Links.
    TreeNode *selectedCategoryNode() const;
    void showAndSelectCategoryNode(TreeNode *node);
    TreeNode *categoryNodeAtRow(int row) const;

signals:
    // Links were moved by a drop.
    void linksDropped(const QStringList &ids);

private:
    void selectRow(int row);

    CollectionManager *m_collectionManager;
    CategoryListModel *m_model;
    QAbstractItemView *m_tableView = nullptr;
};
