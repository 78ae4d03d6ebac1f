#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <vector>

class TreeNode;
struct DocumentChange;

// The links of one category as table rows in the category's own order, unsorted (LinkListModel sorts
// them). Rows keep the links' IDs, so a row whose link left the category shows nothing until the rows
// follow the store: a reset when the category is set or reloaded, row removals and inserts and
// dataChanged for the touched links after a change.
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
        ColumnCount = 4
    };

    explicit LinkRowsModel(QObject *parent = nullptr);

    TreeNode *category() const { return m_category; }
    void setCategory(TreeNode *categoryNode);
    void reload();
    // Follows a change of the store: rows of links that left the category are removed, links that came
    // are inserted, and the rows of the touched links (and of links whose reminder mark changed) are told
    // changed, every column, so that a sorting proxy places them again.
    void update(const DocumentChange &change);

    TreeNode *linkNodeAtRow(int row) const;
    QString linkIDAtRow(int row) const;
    int rowOfLinkID(const QString &id) const { return m_rowOfID.value(id, -1); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    struct Row
    {
        QString id;
        int childIndex; // where the link was in the category when the row was read
        bool hasNotifications;
    };
    std::vector<Row> readRows() const;
    void indexRows();
    // Tells the views that these rows changed, in runs of neighbouring rows.
    void emitRowsChanged(std::vector<int> rows);

    TreeNode *m_category = nullptr;
    std::vector<Row> m_rows;
    QHash<QString, int> m_rowOfID;
};
