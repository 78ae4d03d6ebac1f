#pragma once

#include "LinkRowsModel.h"
#include "workflow/LinkListOrder.h"

#include <QElapsedTimer>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <climits>
#include <functional>
#include <memory>
#include <vector>

class CollectionManager;
class LinkHistoryLoader;
class LinkRowCache;
class QTimer;
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
        AddressColumn = LinkRowsModel::AddressColumn,
        LinksPageColumn = LinkRowsModel::LinksPageColumn,
        ContactColumn = LinkRowsModel::ContactColumn,
        EmailColumn = LinkRowsModel::EmailColumn,
        CategoryColumn = LinkRowsModel::CategoryColumn,
        LastVerifiedColumn = LinkRowsModel::LastVerifiedColumn,
        ResultColumn = LinkRowsModel::ResultColumn,
        FollowedColumn = LinkRowsModel::FollowedColumn,
        AnchorTextColumn = LinkRowsModel::AnchorTextColumn,
        LastChangeColumn = LinkRowsModel::LastChangeColumn,
        LastContactColumn = LinkRowsModel::LastContactColumn,
        ColumnCount = LinkRowsModel::ColumnCount
    };

    // The column's title, as the header and its menu name it.
    static QString columnTitle(int column);

    LinkListModel(CollectionManager *collectionManager, const QString &linkDragType,
                  QObject *parent = nullptr);
    ~LinkListModel() override;

    TreeNode *category() const { return m_rows->category(); }
    // Shows the links of this category (none for a null one).
    void setCategory(TreeNode *categoryNode);
    // Reads the category's links again and sorts them (a reset: the file was read again).
    void reload();
    // Follows a change of the store without a reset (see LinkRowsModel::update).
    void update(const DocumentChange &change);
    // Reads the verification history of the database at this path again, off the main thread; the
    // history columns follow when it is read (historyLoaded).
    void loadHistory(const QString &databasePath);
    LinkHistoryLoader *historyLoader() const { return m_historyLoader; }
    std::optional<bool> linkFollowed(const QString &linkID) const { return m_rows->linkFollowed(linkID); }
    // What the Last Contact column shows (see LinkRowsModel::setLastContacts); a list sorted by it sorts
    // again.
    void setLastContacts(const QHash<QString, LastContact> &contacts);
    const LastContact *lastContact(const QString &linkID) const { return m_rows->lastContact(linkID); }
    // Takes the sort order and sorts again; a column from another version of the file is refused
    // (false) and changes nothing.
    bool setSortOrder(int column, bool descending);
    int sortColumn() const { return m_sortColumn; }
    bool sortDescending() const { return m_sortDescending; }

    // Shows only the links the filter accepts; an empty one shows every link. Set it again whenever what
    // it accepts changes: the rows are filtered anew on each call, and follow the links' changes after.
    // The filter is given the row of the link among the category's rows, for the row cache.
    using RowFilter = std::function<bool(int unfilteredRow, const TreeNode *linkNode)>;
    void setRowFilter(RowFilter filter);
    bool hasRowFilter() const { return bool(m_rowFilter); }
    // The category's links, shown or not.
    int unfilteredRowCount() const { return m_rows->rowCount(); }
    TreeNode *linkNodeAtUnfilteredRow(int row) const { return m_rows->linkNodeAtRow(row); }
    // What the sorting and the filter keep of each of the category's rows.
    LinkRowCache *rowCache() const { return m_cache; }

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

    // Whether the filter's texts and the other columns' ranks are being worked out in idle time.
    bool isPreparing() const;
    // The columns a view shows: only theirs are ranked ahead (a hidden column cannot be clicked). A
    // column shown anew is ranked in the next idle time. Every column until told.
    void setShownColumns(const QList<int> &columns);

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

signals:
    // The idle work is done: the filter's texts and every column's ranks are ready.
    void prepared();

private:
    // What the order reads of one row.
    struct SortKey
    {
        // The column's own value where the link does not hold it (the result with the followed fact,
        // the history's columns, the last contact); then the link's own values.
        LinkSortKey::Part own;
        LinkSortKey link;
    };
    SortKey sortKey(int sourceRow, int column) const;
    // Negative when the first row sorts before the second, as the sort column orders them.
    static int compareKeys(const SortKey &a, const SortKey &b);
    // Each row's place in the order of its keys, equal rows sharing one.
    static std::vector<int> ranksOf(const std::vector<SortKey> &keys);
    // The Result column's order, with a found link that is not followed after the followed ones.
    int resultRank(const TreeNode *node) const;
    // Sorts every row once by its keys and keeps its place (equal rows share it), so that the proxy's
    // sorting and filtering compare two numbers.
    void rankRows() const;
    // Whether the first row comes before the second as the list shows them, by their keys now.
    bool comesBefore(int sourceRowA, int sourceRowB) const;
    // Whether each changed row still stands in order with the rows beside it in the list: then the
    // rows may be placed again one run after another (LinkRowsModel).
    bool changedRowsKeepTheirPlaces(const std::vector<int> &sortedRows) const;
    void sortRows();
    int sourceRow(int row) const;

    // Idle work after the rows change: every row's filter texts, then each column's keys, read a slice
    // at a time on this thread and sorted into ranks on the pool, a column at a time.
    void restartPreparation();
    void prepareSlice();
    bool isSortColumn(int column) const;
    // The column whose ranks are to be worked out next, or -1 when every column's are there.
    int nextColumnToRank();
    void sortKeysOnPool(int column, std::vector<SortKey> keys);
    void ranksSorted(quint64 generation, int column, std::vector<int> ranks);
    struct Preparation
    {
        int textRow = 0;
        int column = -1; // whose keys are being read
        std::vector<SortKey> keys;
        bool sorting = false; // a column's keys are on the pool
        bool done = false;
    };
    // Lets the pool hand its ranks back only while the model lives.
    struct Mailbox;

    LinkRowsModel *m_rows;
    LinkRowCache *m_cache;
    LinkHistoryLoader *m_historyLoader;
    QString m_linkDragType;
    quint32 m_shownColumns = ~0u; // a bit for each column
    int m_sortColumn = -1;
    bool m_sortDescending = false;
    RowFilter m_rowFilter;
    QTimer *m_prepareTimer;
    Preparation m_preparation;
    std::shared_ptr<Mailbox> m_mailbox;
};
