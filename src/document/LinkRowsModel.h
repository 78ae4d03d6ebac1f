#pragma once

#include "LinkHistoryFacts.h"
#include "mail/LoggedMessage.h"
#include "model/TreeNode.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <functional>
#include <vector>

class TreeNode;
struct DocumentChange;

// The links of one category as table rows in the category's own order, unsorted (LinkListModel sorts
// them); given the store's category root, the links of every category (All Links), category by category. Rows
// keep the links' IDs, so a row whose link left the category shows nothing until the rows follow the store: a
// reset when the category is set or reloaded, row removals and inserts and dataChanged for the touched links
// after a change.
class LinkRowsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        NotificationColumn = 0,
        StatusColumn = 1,
        NameColumn = 2,
        DescriptionColumn = 3,
        // The numbers above are the ones stored sorts of older files name; new columns go on after them.
        AddressColumn = 4,
        LinksPageColumn = 5,
        ContactColumn = 6,
        EmailColumn = 7,
        CategoryColumn = 8,
        LastVerifiedColumn = 9,
        ResultColumn = 10,
        FollowedColumn = 11,
        AnchorTextColumn = 12,
        LastChangeColumn = 13,
        LastContactColumn = 14, // from the message log
        ColumnCount = 15
    };
    // The first column whose values come from the verification history.
    static constexpr int FirstHistoryColumn = FollowedColumn;

    // The column's name in the window state ("name", "lastVerified"...), and back (-1 for none).
    static QString columnKey(int column);
    static int columnOfKey(const QString &key);

    explicit LinkRowsModel(QObject *parent = nullptr);

    // The category shown, or the category root for All Links.
    TreeNode *category() const { return m_category; }
    void setCategory(TreeNode *categoryNode);
    bool showsAllLinks() const { return m_category && !m_category->parent(); }
    // Calls the function with each link node shown (or not, by a filter), in row order.
    template <typename Visit> static void forEachLinkNode(const TreeNode *listNode, Visit visit);
    void reload();
    // Follows a change of the store: rows of links that left the category are removed, links that came
    // are inserted, and the rows of the touched links (and of links whose reminder mark changed) are told
    // changed, every column, so that a sorting proxy places them again.
    void update(const DocumentChange &change);

    TreeNode *linkNodeAtRow(int row) const;
    QString linkIDAtRow(int row) const;
    int rowOfLinkID(const QString &id) const { return m_rowOfID.value(id, -1); }

    // What the history columns show, by link ID; the rows show it from now on.
    void setHistoryFacts(const LinkHistoryFactTable &facts);
    // The history's facts of the link, none when it has none.
    std::optional<LinkHistoryFacts> historyFacts(const QString &linkID) const
    {
        return m_historyFacts.value(linkID);
    }
    // Whether search engines follow the link as its latest check found it; none when the history has no
    // check that found it.
    std::optional<bool> linkFollowed(const QString &linkID) const;

    // Each partner's last message that went out, by link ID; the Last Contact column shows it from now on.
    void setLastContacts(const QHash<QString, LastContact> &contacts);
    const LastContact *lastContact(const QString &linkID) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Whether rows that changed may be told one run after another: a sorting view places each run
    // among the other rows, which must stand in their order meanwhile. Without it, they may.
    using SeparateRunsCheck = std::function<bool(const std::vector<int> &changedRows)>;
    void setSeparateRunsCheck(SeparateRunsCheck check) { m_separateRunsCheck = std::move(check); }

signals:
    // Before the changed rows are told, one run after another: whoever ranks rows forgets those rows'
    // places first, so that no row is compared by its old place while an earlier run is placed.
    void rowsWillChange(const std::vector<int> &rows);
    // Before the rows follow a change of the store: the rows whose links changed, as the rows stand now.
    void linksChanged(const std::vector<int> &rows);

private:
    struct Row
    {
        QString id;
        int categoryIndex; // where the link's category was in the root when the row was read
        int childIndex;    // where the link was in its category then
        bool hasNotifications;
    };
    std::vector<Row> readRows() const;
    // The category node of the row's link as the row was read.
    TreeNode *categoryOfRow(const Row &row) const;
    void indexRows();
    // How many signals following the store row by row takes: runs of rows removed, rows moved and runs
    // of rows inserted.
    int structuralSignals(const std::vector<Row> &now, const QHash<QString, int> &nowIDs) const;
    // The rows as they are now, in one layout change.
    void replaceRows(std::vector<Row> now, const QHash<QString, int> &nowIDs);
    // Removes, moves and inserts rows until they are as they are now; the IDs of the rows that stayed.
    QSet<QString> followRows(const std::vector<Row> &now, const QHash<QString, int> &nowIDs);
    // Tells the views that these rows changed, in runs of neighbouring rows.
    // More runs of changed rows than this, close together, are told as one; more structural signals
    // than this are one layout change.
    static constexpr size_t MaxSeparateRuns = 8;
    void emitRowsChanged(std::vector<int> rows);

    QVariant historyData(const std::optional<LinkHistoryFacts> &facts, int column, int role) const;

    TreeNode *m_category = nullptr;
    LinkHistoryFactTable m_historyFacts;
    QHash<QString, LastContact> m_lastContacts;
    std::vector<Row> m_rows;
    QHash<QString, int> m_rowOfID;
    SeparateRunsCheck m_separateRunsCheck;
};

template <typename Visit> void LinkRowsModel::forEachLinkNode(const TreeNode *listNode, Visit visit)
{
    if (!listNode)
        return;
    if (listNode->parent()) {
        for (TreeNode *node : listNode->children())
            visit(node);
        return;
    }
    for (const TreeNode *categoryNode : listNode->children()) {
        for (TreeNode *node : categoryNode->children())
            visit(node);
    }
}
