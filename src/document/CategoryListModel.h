#pragma once

#include <QAbstractListModel>
#include <QString>
#include <vector>

class CollectionManager;
class TreeNode;

// The categories as list rows: row i is child i of the store's category root, counted at each reload. Link
// rows dragged from the same document may be dropped on a category to move them there.
class CategoryListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    CategoryListModel(CollectionManager *collectionManager, const QString &linkDragType,
                      QObject *parent = nullptr);

    // Reads the categories again and whether each has notifications.
    void reload();
    // Forgets every node at once, before the store replaces its whole tree.
    void clear();
    bool isCleared() const { return m_cleared; }
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
    QString m_linkDragType;
    bool m_cleared = false;
    std::vector<bool> m_hasNotifications; // per row, measured at each reload
};
