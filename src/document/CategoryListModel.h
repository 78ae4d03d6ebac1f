#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class CollectionManager;
class TreeNode;

// The categories as list rows: row i is child i of the store's category root as last read (after the All
// Links row when the model shows one: the window lists every link of the database there). A reload resets
// the rows (a file read); update() follows a change of the store with row removals, inserts and moves, so
// views keep their selection. Link rows dragged from the same document may be dropped on a category to
// move them there.
class CategoryListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    CategoryListModel(CollectionManager *collectionManager, const QString &linkDragType,
                      QObject *parent = nullptr);

    // Puts the All Links row above the categories (a reset).
    void setShowsAllLinks(bool shows);
    bool showsAllLinks() const { return m_showsAllLinks; }
    bool isAllLinksRow(int row) const { return m_showsAllLinks && !m_cleared && row == 0; }
    // The row of the store's category at this index, and back (-1 for the All Links row or none).
    int rowOfCategoryIndex(int index) const { return index < 0 ? -1 : index + firstCategoryRow(); }
    int categoryIndexOfRow(int row) const;
    // Reads the categories again and whether each has notifications.
    void reload();
    // Follows the store's categories as they are now: rows of categories that left are removed, new ones
    // inserted, moved ones moved, and every row's title and mark told changed. Rows of categories that
    // stayed keep their indexes (and a view its selection).
    void update();
    // What a drop does with the links (their IDs) and the target category; returns the IDs it moved.
    // The store's move by default; the window runs it as an undoable change.
    using LinkMover = std::function<QStringList(const QStringList &ids, TreeNode *category)>;
    void setLinkMover(LinkMover mover) { m_moveLinks = std::move(mover); }
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
    // Links were moved by a drop.
    void linksDropped(const QStringList &ids);

private:
    int dropTargetRow(int row, const QModelIndex &parent) const;
    int firstCategoryRow() const { return m_showsAllLinks && !m_cleared ? 1 : 0; }
    QVariant allLinksData(int role) const;

    CollectionManager *m_collectionManager;
    QString m_linkDragType;
    void readNotificationMarks();

    bool m_cleared = false;
    bool m_showsAllLinks = false;
    LinkMover m_moveLinks;
    // The nodes as last read, row by row.
    std::vector<TreeNode *> m_rows;
    std::vector<bool> m_hasNotifications; // per row, measured at each reload and update
};
