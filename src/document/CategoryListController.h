#pragma once

#include <QAbstractListModel>
#include <QString>
#include <vector>

class CollectionManager;
class QAbstractItemView;
class TreeNode;

// The category list: row i is child i of the store's category root. Link rows dragged from the
// same document may be dropped on a category to move them there.
class CategoryListController : public QAbstractListModel
{
    Q_OBJECT

public:
    CategoryListController(CollectionManager *collectionManager, const QString &linkDragType,
                           QObject *parent = nullptr);

    void setTableView(QAbstractItemView *tableView);

    // Reloads the rows, keeping the selected category selected (row 0 when there is none left).
    void refreshList();
    // Forgets every node at once, before the store replaces its whole tree.
    void clear();
    int selectedRow() const;
    TreeNode *selectedCategoryNode() const;
    void showAndSelectCategoryNode(TreeNode *node);
    TreeNode *categoryNodeAtRow(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

signals:
    // Links were moved by a drop: the document refreshes and marks itself edited.
    void linksDropped(const QStringList &ids);

private:
    int dropTargetRow(int row, const QModelIndex &parent) const;

    CollectionManager *m_collectionManager;
    QAbstractItemView *m_tableView = nullptr;
    QString m_linkDragType;
    bool m_cleared = false;
    std::vector<bool> m_hasNotifications; // per row, measured at each reload
};
