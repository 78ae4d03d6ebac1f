#pragma once

#include "LinkRowsModel.h"

#include <QSortFilterProxyModel>
#include <QStringList>
#include <functional>

class CollectionManager;
class TreeNode;
struct DocumentChange;

// The links of one category as table rows, sorted by one column: a sorting view of a LinkRowsModel.
// The sort is stable both ways (links that compare equal keep the category's order) and follows the rows
// as they change: a changed link moves to its sorted place, the rows around it keep their indexes, so a
// view keeps its selection, current row and scroll position. Rows keep the links' IDs, so a row whose
// link left the category shows nothing until the rows follow the store.
class LinkListModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    enum Column
    {
        NotificationColumn = LinkRowsModel::NotificationColumn,
        StatusColumn = LinkRowsModel::StatusColumn,
        NameColumn = LinkRowsModel::NameColumn,
        DescriptionColumn = LinkRowsModel::DescriptionColumn,
        ColumnCount = LinkRowsModel::ColumnCount
    };

    LinkListModel(CollectionManager *collectionManager, const QString &linkDragType,
                  QObject *parent = nullptr);

    TreeNode *category() const { return m_rows->category(); }
    // Shows the links of this category (none for a null one).
    void setCategory(TreeNode *categoryNode);
    // Reads the category's links again and sorts them (a reset: the file was read again).
    void reload();
    // Follows a change of the store without a reset (see LinkRowsModel::update).
    void update(const DocumentChange &change);
    // Takes the sort order and sorts again; a column from another version of the file is refused
    // (false) and changes nothing.
    bool setSortOrder(int column, bool descending);
    int sortColumn() const { return m_sortColumn; }
    bool sortDescending() const { return m_sortDescending; }

    // Shows only the links the filter accepts; an empty one shows every link. Set it again whenever what
    // it accepts changes: the rows are filtered anew on each call, and follow the links' changes after.
    using RowFilter = std::function<bool(const TreeNode *linkNode)>;
    void setRowFilter(RowFilter filter);
    bool hasRowFilter() const { return bool(m_rowFilter); }
    // The category's links, shown or not.
    int unfilteredRowCount() const { return m_rows->rowCount(); }

    TreeNode *linkNodeAtRow(int row) const;
    // The IDs of the shown links, row by row.
    QStringList linkIDs() const;
    QString linkIDAtRow(int row) const;
    int rowOfLinkID(const QString &id) const;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order) override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    void sortRows();
    int sourceRow(int row) const;

    LinkRowsModel *m_rows;
    QString m_linkDragType;
    int m_sortColumn = -1;
    bool m_sortDescending = false;
    RowFilter m_rowFilter;
};
