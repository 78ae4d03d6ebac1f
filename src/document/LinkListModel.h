#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

class CollectionManager;
class TreeNode;

// The links of one category as table rows, sorted by one column. Rows keep the links' IDs, so a row whose
// link left the category shows nothing until the next reload.
class LinkListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        NotificationColumn = 0,
        StatusColumn = 1,
        NameColumn = 2,
        DescriptionColumn = 3,
        ColumnCount = 4
    };

    LinkListModel(CollectionManager *collectionManager, const QString &linkDragType,
                  QObject *parent = nullptr);

    TreeNode *category() const { return m_category; }
    // Shows the links of this category (none for a null one).
    void setCategory(TreeNode *categoryNode);
    // Reads the category's links again and sorts them.
    void reload();
    // Takes the sort order for the next reload; a column from another version of the file is refused (false)
    // and changes nothing.
    bool setSortOrder(int column, bool descending);
    int sortColumn() const { return m_sortColumn; }
    bool sortDescending() const { return m_sortDescending; }

    TreeNode *linkNodeAtRow(int row) const;
    // The IDs of the shown links, row by row.
    const QStringList &linkIDs() const { return m_sortedLinks; }
    QString linkIDAtRow(int row) const;
    int rowOfLinkID(const QString &id) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order) override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;

private:
    void rebuildSortedLinks();

    CollectionManager *m_collectionManager;
    QString m_linkDragType;
    TreeNode *m_category = nullptr;
    // Row i shows the link with ID m_sortedLinks[i], found at m_childIndexes[i] of the category while the
    // category is unchanged.
    QStringList m_sortedLinks;
    std::vector<int> m_childIndexes;
    int m_sortColumn = -1;
    bool m_sortDescending = false;
};
