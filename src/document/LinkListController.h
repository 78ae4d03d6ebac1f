#pragma once

#include "LinkListModel.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <optional>

class CollectionManager;
struct DocumentChange;
class QMenu;
class QTableView;
class QTimer;
class TreeNode;

// The link list's table: shows a LinkListModel, sorts it by the last clicked column and keeps the selected
// links selected across reloads, scrolls to rows and flashes them.
class LinkListController : public QObject
{
    Q_OBJECT

public:
    using enum LinkListModel::Column;

    LinkListController(CollectionManager *collectionManager, const QString &linkDragType,
                       QObject *parent = nullptr);

    void setTableView(QTableView *tableView);
    LinkListModel *model() const { return m_model; }

    TreeNode *category() const { return m_model->category(); }
    // Shows the category's links and selects the first.
    void setCategory(TreeNode *categoryNode);
    // Re-sorts and reloads, keeping the selected links selected.
    void refreshTable();
    // Follows a change of the store row by row: the selection, current row and scroll position stay,
    // unless their links left the category.
    void updateTable(const DocumentChange &change);
    void sortLinksByColumn(int column, bool descending = false);
    int sortCriterion() const { return m_model->sortColumn(); }
    bool sortDescending() const { return m_model->sortDescending(); }

    int numberOfSelectedLinks() const;
    // The selected rows, in order. Read from the selection's ranges: Qt's selectedRows() checks each row
    // against every range, which takes seconds for a thousand scattered rows.
    QList<int> selectedRows() const;
    TreeNode *selectedLinkNode() const;
    QStringList selectedLinkIDs() const;
    void selectLinksWithIDs(const QStringList &ids);
    void showAndSelectLinkNode(TreeNode *linkNode);
    // Blinks the selected row three times, after a search found it.
    void flashSelectedItem();
    // Ends a running flash; with `reselect` a row caught dimmed is selected again.
    void stopFlash(bool reselect);
    // Applies the widths of the name and description columns; anything but two numbers is ignored.
    void setColumnWidths(const std::optional<QList<double>> &widths);
    // The widths of the name and description columns as shown (empty without a table).
    QList<double> columnWidths() const;

    // The columns a database shows when it has not stored its own.
    static QStringList defaultColumns();
    // Shows these columns (by name, in this order) and hides the others, or the default ones when
    // none or no known name is given; then gives the named columns these widths. Unknown names are
    // passed over.
    void setColumns(const std::optional<QStringList> &shown,
                    const std::optional<QList<QPair<QString, int>>> &widths);
    // The shown columns by name, in their order on screen.
    QStringList shownColumns() const;
    // The widths of the shown columns that the user can size, by name.
    QList<QPair<QString, int>> shownColumnWidths() const;
    // Shows or hides one column, as the header's menu does; the name column always stays.
    void setColumnShown(int column, bool shown);
    // The header's menu: one checkable action a column, named by its title.
    QMenu *headerMenu() const { return m_headerMenu; }

    int rowCount() const { return m_model->rowCount(); }
    TreeNode *linkNodeAtRow(int row) const { return m_model->linkNodeAtRow(row); }
    QString linkIDAtRow(int row) const { return m_model->linkIDAtRow(row); }
    int rowOfLinkID(const QString &id) const { return m_model->rowOfLinkID(id); }

signals:
    // The selection or the shown links changed: the details pane and the commands follow.
    void selectionDidChange();
    void doubleClicked(int column);
    // A header click changed the sort column or order.
    void sortChanged();
    // The user showed, hid, moved or sized a column.
    void columnsChanged();

private:
    void headerClicked(int column);
    void updateHeaderMenu();
    QModelIndex rowIndex(int row) const { return m_model->index(row, 0); }

    LinkListModel *m_model;
    QTableView *m_tableView = nullptr;
    int m_flashStep = 0;
    QString m_flashLinkID;
    QTimer *m_flashTimer = nullptr;
    QMenu *m_headerMenu = nullptr;
    bool m_applyingColumns = false;
    // All Links shows the Category column though the list's columns leave it out; it is not one of them.
    bool m_categoryShownForAllLinks = false;
    // The model ranks ahead only the columns the header shows.
    void tellShownColumns();
    void followAllLinksColumns();
    // The selection as the window was last told of it.
    QStringList m_toldSelection;
};
