#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <optional>
#include <vector>

class CollectionManager;
class QTableView;
class QTimer;
class TreeNode;

// The link list of one category, sorted by the last clicked column. Rows keep the links' IDs, so
// a row whose link left the category shows nothing until the next refresh.
class LinkListController : public QAbstractTableModel
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

    LinkListController(CollectionManager *collectionManager, const QString &linkDragType,
                       QObject *parent = nullptr);

    void setTableView(QTableView *tableView);

    TreeNode *category() const { return m_category; }
    // Shows the category's links and selects the first.
    void setCategory(TreeNode *categoryNode);
    // Re-sorts and reloads, keeping the selected links selected.
    void refreshTable();
    void sortLinksByColumn(int column, bool descending = false);
    int sortCriterion() const { return m_selectedColumn; }
    bool sortDescending() const { return m_sortDescending; }

    int numberOfSelectedLinks() const;
    // The selected rows, in order. Read from the selection's ranges: Qt's selectedRows() checks each
    // row against every range, which takes seconds for a thousand scattered rows.
    QList<int> selectedRows() const;
    TreeNode *selectedLinkNode() const;
    QStringList selectedLinkIDs() const;
    void selectLinksWithIDs(const QStringList &ids);
    void showAndSelectLinkNode(TreeNode *linkNode);
    // Blinks the selected row three times, after a search found it.
    void flashSelectedItem();
    // Applies the widths of the name and description columns; anything but two numbers is ignored.
    void setColumnWidths(const std::optional<QList<double>> &widths);
    // The widths of the name and description columns as shown (empty without a table).
    QList<double> columnWidths() const;

    TreeNode *linkNodeAtRow(int row) const;
    QString linkIDAtRow(int row) const;
    int rowOfLinkID(const QString &id) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;

signals:
    // The selection or the shown links changed: the details pane and the commands follow.
    void selectionDidChange();
    void doubleClicked(int column);
    // A header click changed the sort column or order.
    void sortChanged();

private:
    void headerClicked(int column);
    void rebuildSortedLinks();
    // Ends a running flash; with `reselect` a row caught dimmed is selected again.
    void stopFlash(bool reselect);

    CollectionManager *m_collectionManager;
    QTableView *m_tableView = nullptr;
    QString m_linkDragType;
    TreeNode *m_category = nullptr;
    // Row i shows the link with ID m_sortedLinks[i], found at m_childIndexes[i] of the category
    // while the category is unchanged.
    QStringList m_sortedLinks;
    std::vector<int> m_childIndexes;
    int m_selectedColumn = -1;
    bool m_sortDescending = false;
    int m_flashStep = 0;
    QString m_flashLinkID;
    QTimer *m_flashTimer = nullptr;
};
