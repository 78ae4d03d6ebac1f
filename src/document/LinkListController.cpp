#include "LinkListController.h"

#include "model/TreeNode.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace {
constexpr int ImageColumnWidth = 24;

// The width a column starts with before the user sizes it.
int defaultColumnWidth(int column)
{
    switch (column) {
    case LinkListModel::NotificationColumn:
    case LinkListModel::StatusColumn:
        return ImageColumnWidth;
    case LinkListModel::NameColumn:
        return 220;
    case LinkListModel::LastVerifiedColumn:
        return 100;
    case LinkListModel::ResultColumn:
        return 180;
    case LinkListModel::FollowedColumn:
        return 130;
    case LinkListModel::EmailColumn:
    case LinkListModel::AddressColumn:
    case LinkListModel::LinksPageColumn:
    case LinkListModel::LastChangeColumn:
        return 180;
    default:
        return 140;
    }
}

bool isImageColumn(int column)
{
    return column == LinkListModel::NotificationColumn || column == LinkListModel::StatusColumn;
}

} // namespace

LinkListController::LinkListController(CollectionManager *collectionManager, const QString &linkDragType,
                                       QObject *parent)
    : QObject(parent), m_model(new LinkListModel(collectionManager, linkDragType, this))
{}

void LinkListController::setTableView(QTableView *tableView)
{
    m_tableView = tableView;
    m_tableView->setModel(m_model);
    m_tableView->setDragEnabled(true);
    m_tableView->setDragDropMode(QAbstractItemView::DragOnly);
    m_tableView->setDefaultDropAction(Qt::MoveAction);

    QHeaderView *header = m_tableView->horizontalHeader();
    header->setSectionsClickable(true);
    // The sort follows the column, wherever it is moved.
    header->setSectionsMovable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(StatusColumn, Qt::AscendingOrder);
    header->setStretchLastSection(true);
    header->setMinimumSectionSize(ImageColumnWidth);
    header->setSectionResizeMode(NotificationColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(StatusColumn, QHeaderView::Fixed);
    for (int column = 0; column < ColumnCount; ++column)
        header->resizeSection(column, defaultColumnWidth(column));
    connect(header, &QHeaderView::sectionClicked, this, &LinkListController::headerClicked);

    m_headerMenu = new QMenu(m_tableView);
    for (int column = 0; column < ColumnCount; ++column) {
        if (column == NameColumn)
            continue;
        QAction *action = m_headerMenu->addAction(LinkListModel::columnTitle(column));
        action->setCheckable(true);
        action->setData(column);
        connect(action, &QAction::toggled, this,
                [this, column](bool shown) { setColumnShown(column, shown); });
    }
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QWidget::customContextMenuRequested, this, [this, header](const QPoint &position) {
        updateHeaderMenu();
        m_headerMenu->popup(header->viewport()->mapToGlobal(position));
    });
    auto changed = [this] {
        if (!m_applyingColumns)
            emit columnsChanged();
    };
    connect(header, &QHeaderView::sectionMoved, this, changed);
    connect(header, &QHeaderView::sectionResized, this, changed);
    setColumns(std::nullopt, std::nullopt);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        // Someone else chose the selection: a flash must not bring its row back.
        stopFlash(false);
        emit selectionDidChange();
    });
    // Rows the filter hides leave the selection without a selectionChanged (the proxy's layout changes):
    // the details and the commands must not go on with a link the list no longer shows.
    connect(this, &LinkListController::selectionDidChange, this,
            [this] { m_toldSelection = selectedLinkIDs(); });
    auto followHiddenRows = [this] {
        if (selectedLinkIDs() != m_toldSelection)
            emit selectionDidChange();
    };
    connect(m_model, &QAbstractItemModel::layoutChanged, this, followHiddenRows);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, followHiddenRows);
    connect(m_tableView, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid() && index.row() >= 0 && index.column() >= 0)
            emit doubleClicked(index.column());
    });
}

void LinkListController::setCategory(TreeNode *categoryNode)
{
    stopFlash(false);
    if (m_tableView)
        m_tableView->selectionModel()->clearSelection();
    m_model->setCategory(categoryNode);
    followAllLinksColumns();
    if (m_tableView && m_model->rowCount() > 0) {
        m_tableView->scrollToTop();
        m_tableView->selectionModel()->setCurrentIndex(rowIndex(0), QItemSelectionModel::ClearAndSelect |
                                                                        QItemSelectionModel::Rows);
    }
    emit selectionDidChange();
}

void LinkListController::refreshTable()
{
    stopFlash(true);
    const QStringList selected = m_tableView ? selectedLinkIDs() : QStringList();
    const QString current = m_tableView ? linkIDAtRow(m_tableView->currentIndex().row()) : QString();
    m_model->reload();
    if (m_tableView && !selected.isEmpty()) {
        const QSignalBlocker blocker(m_tableView->selectionModel());
        selectLinksWithIDs(selected);
        const int row = rowOfLinkID(current);
        if (row >= 0) {
            m_tableView->selectionModel()->setCurrentIndex(rowIndex(row), QItemSelectionModel::NoUpdate);
            m_tableView->scrollTo(rowIndex(row));
        }
    }
    emit selectionDidChange();
}

void LinkListController::updateTable(const DocumentChange &change)
{
    m_model->update(change);
    emit selectionDidChange();
}

void LinkListController::sortLinksByColumn(int column, bool descending)
{
    // A stored column from another version of the file is ignored.
    if (!m_model->setSortOrder(column, descending))
        return;
    if (!m_tableView)
        return;
    m_tableView->horizontalHeader()->setSortIndicator(column,
                                                      descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    // The rows moved with their selection; the current one stays in sight.
    if (m_tableView->currentIndex().isValid())
        m_tableView->scrollTo(m_tableView->currentIndex());
    emit selectionDidChange();
}

void LinkListController::headerClicked(int column)
{
    if (column < 0 || column >= ColumnCount)
        return;
    // A second click on the sorting column turns the order round, as desktop lists do.
    sortLinksByColumn(column, column == sortCriterion() && !sortDescending());
    emit sortChanged();
}

int LinkListController::numberOfSelectedLinks() const
{
    return int(selectedRows().size());
}

QList<int> LinkListController::selectedRows() const
{
    QList<int> rows;
    if (!m_tableView)
        return rows;
    // The list selects whole rows, so a range's rows are selected rows.
    for (const QItemSelectionRange &range : m_tableView->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

TreeNode *LinkListController::selectedLinkNode() const
{
    const QList<int> rows = selectedRows();
    return rows.size() == 1 ? linkNodeAtRow(rows.first()) : nullptr;
}

QStringList LinkListController::selectedLinkIDs() const
{
    QStringList ids;
    for (const int row : selectedRows()) {
        if (row < rowCount())
            ids.append(linkIDAtRow(row));
    }
    return ids;
}

void LinkListController::selectLinksWithIDs(const QStringList &ids)
{
    if (!m_tableView)
        return;
    QList<int> rows;
    for (const QString &id : ids) {
        if (const int row = rowOfLinkID(id); row >= 0)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QItemSelection selection;
    const int first = rows.isEmpty() ? -1 : rows.first();
    const int lastColumn = ColumnCount - 1;
    for (const int row : std::as_const(rows)) {
        // Neighbouring rows join one range, so the selection stays small.
        if (!selection.isEmpty() && selection.last().bottom() == row - 1)
            selection.last() =
                QItemSelectionRange(selection.last().topLeft(), m_model->index(row, lastColumn));
        else
            selection.select(rowIndex(row), m_model->index(row, lastColumn));
    }
    QItemSelectionModel *model = m_tableView->selectionModel();
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    if (first >= 0)
        model->setCurrentIndex(rowIndex(first), QItemSelectionModel::NoUpdate);
    emit selectionDidChange();
}

void LinkListController::showAndSelectLinkNode(TreeNode *linkNode)
{
    if (!m_tableView)
        return;
    if (!linkNode) {
        m_tableView->selectionModel()->clearSelection();
        m_tableView->viewport()->update();
    } else if (const int row = rowOfLinkID(linkNode->attachmentID()); row >= 0) {
        m_tableView->scrollTo(rowIndex(row));
        m_tableView->selectionModel()->setCurrentIndex(rowIndex(row), QItemSelectionModel::ClearAndSelect |
                                                                          QItemSelectionModel::Rows);
    }
    emit selectionDidChange();
}

void LinkListController::flashSelectedItem()
{
    // A new flash (Find Next pressed again at once) ends the last one where it stands: the row that flashed
    // before is no longer the selected one.
    stopFlash(false);
    if (!m_tableView || numberOfSelectedLinks() != 1)
        return;
    m_flashLinkID = selectedLinkIDs().constFirst();
    // Six steps of 50 ms: off, on, off, on, off, on. The event loop keeps running meanwhile.
    m_flashStep = 6;
    m_flashTimer = new QTimer(this);
    m_flashTimer->setInterval(50);
    connect(m_flashTimer, &QTimer::timeout, this, [this] {
        const int row = rowOfLinkID(m_flashLinkID);
        if (row < 0) {
            stopFlash(false);
            return;
        }
        const QSignalBlocker blocker(m_tableView->selectionModel());
        const auto flag = m_flashStep % 2 == 0 ? QItemSelectionModel::Deselect : QItemSelectionModel::Select;
        m_tableView->selectionModel()->select(rowIndex(row), flag | QItemSelectionModel::Rows);
        if (--m_flashStep == 0)
            stopFlash(false);
    });
    m_flashTimer->start();
}

void LinkListController::stopFlash(bool reselect)
{
    if (!m_flashTimer)
        return;
    m_flashTimer->stop();
    m_flashTimer->deleteLater();
    m_flashTimer = nullptr;
    // Stopped while the row was dimmed: it is still the selected link.
    const int row = rowOfLinkID(m_flashLinkID);
    if (reselect && m_tableView && row >= 0 && m_flashStep % 2 == 1) {
        const QSignalBlocker blocker(m_tableView->selectionModel());
        m_tableView->selectionModel()->select(rowIndex(row),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    m_flashStep = 0;
    m_flashLinkID.clear();
}

void LinkListController::setColumnWidths(const std::optional<QList<double>> &widths)
{
    if (!m_tableView || !widths || widths->size() != 2)
        return;
    QHeaderView *header = m_tableView->horizontalHeader();
    header->resizeSection(NameColumn, qMax(header->minimumSectionSize(), int(widths->at(0))));
    // The description column stretches to the list's edge: its stored width is what was left in the window it
    // was saved from, and taken as it stands it would push the list past its edge in a narrower one (the
    // header never shrinks it back). It takes what is left now.
    int width = int(widths->at(1));
    int lastShown = header->count() - 1;
    while (lastShown > 0 && header->isSectionHidden(header->logicalIndex(lastShown)))
        --lastShown;
    if (header->stretchLastSection() && header->logicalIndex(lastShown) == DescriptionColumn) {
        int others = 0;
        for (int column = 0; column < ColumnCount; ++column) {
            if (column != DescriptionColumn)
                others += header->sectionSize(column);
        }
        width = m_tableView->viewport()->width() - others;
    }
    header->resizeSection(DescriptionColumn, qMax(header->minimumSectionSize(), width));
}

QList<double> LinkListController::columnWidths() const
{
    if (!m_tableView)
        return {};
    const QHeaderView *header = m_tableView->horizontalHeader();
    return {double(header->sectionSize(NameColumn)), double(header->sectionSize(DescriptionColumn))};
}

QStringList LinkListController::defaultColumns()
{
    QStringList columns;
    for (const int column :
         {NotificationColumn, StatusColumn, NameColumn, LastVerifiedColumn, ResultColumn, DescriptionColumn})
        columns.append(LinkRowsModel::columnKey(column));
    return columns;
}

void LinkListController::setColumns(const std::optional<QStringList> &shown,
                                    const std::optional<QList<QPair<QString, int>>> &widths)
{
    if (!m_tableView)
        return;
    QList<int> columns;
    for (const QString &key : shown.value_or(QStringList())) {
        const int column = LinkRowsModel::columnOfKey(key);
        if (column >= 0 && !columns.contains(column))
            columns.append(column);
    }
    if (columns.isEmpty()) {
        for (const QString &key : defaultColumns())
            columns.append(LinkRowsModel::columnOfKey(key));
    }
    // A list without its names would be no list.
    if (!columns.contains(NameColumn))
        columns.prepend(NameColumn);
    m_applyingColumns = true;
    m_categoryShownForAllLinks = false;
    QHeaderView *header = m_tableView->horizontalHeader();
    for (int position = 0; position < columns.size(); ++position) {
        const int column = columns.at(position);
        header->moveSection(header->visualIndex(column), position);
        header->setSectionHidden(column, false);
    }
    for (int column = 0; column < ColumnCount; ++column) {
        if (!columns.contains(column))
            header->setSectionHidden(column, true);
    }
    for (const auto &[key, width] : widths.value_or(QList<QPair<QString, int>>())) {
        const int column = LinkRowsModel::columnOfKey(key);
        if (column >= 0 && !isImageColumn(column))
            header->resizeSection(column, qMax(header->minimumSectionSize(), width));
    }
    m_applyingColumns = false;
    followAllLinksColumns();
}

void LinkListController::followAllLinksColumns()
{
    if (!m_tableView)
        return;
    const TreeNode *category = m_model->category();
    const bool allLinks = category && !category->parent();
    QHeaderView *header = m_tableView->horizontalHeader();
    const bool wasApplying = std::exchange(m_applyingColumns, true);
    if (allLinks && header->isSectionHidden(CategoryColumn)) {
        header->setSectionHidden(CategoryColumn, false);
        if (header->sectionSize(CategoryColumn) < header->minimumSectionSize())
            header->resizeSection(CategoryColumn, defaultColumnWidth(CategoryColumn));
        m_categoryShownForAllLinks = true;
    } else if (!allLinks && m_categoryShownForAllLinks) {
        header->setSectionHidden(CategoryColumn, true);
        m_categoryShownForAllLinks = false;
    }
    m_applyingColumns = wasApplying;
    updateHeaderMenu();
    tellShownColumns();
}

void LinkListController::tellShownColumns()
{
    const QHeaderView *header = m_tableView->horizontalHeader();
    QList<int> shown;
    for (int column = 0; column < ColumnCount; ++column) {
        if (!header->isSectionHidden(column))
            shown.append(column);
    }
    m_model->setShownColumns(shown);
}

QStringList LinkListController::shownColumns() const
{
    QStringList keys;
    if (!m_tableView)
        return keys;
    const QHeaderView *header = m_tableView->horizontalHeader();
    for (int position = 0; position < header->count(); ++position) {
        const int column = header->logicalIndex(position);
        if (!header->isSectionHidden(column) && !(column == CategoryColumn && m_categoryShownForAllLinks))
            keys.append(LinkRowsModel::columnKey(column));
    }
    return keys;
}

QList<QPair<QString, int>> LinkListController::shownColumnWidths() const
{
    QList<QPair<QString, int>> widths;
    if (!m_tableView)
        return widths;
    const QHeaderView *header = m_tableView->horizontalHeader();
    for (const QString &key : shownColumns()) {
        const int column = LinkRowsModel::columnOfKey(key);
        if (!isImageColumn(column))
            widths.append({key, header->sectionSize(column)});
    }
    return widths;
}

void LinkListController::setColumnShown(int column, bool shown)
{
    if (!m_tableView || column < 0 || column >= ColumnCount || (column == NameColumn && !shown))
        return;
    QHeaderView *header = m_tableView->horizontalHeader();
    // The user's own choice of the Category column holds in All Links too.
    const bool wasShownForAllLinks =
        column == CategoryColumn && std::exchange(m_categoryShownForAllLinks, false);
    if (header->isSectionHidden(column) == !shown) {
        if (wasShownForAllLinks)
            emit columnsChanged();
        return;
    }
    header->setSectionHidden(column, !shown);
    if (shown && header->sectionSize(column) < header->minimumSectionSize())
        header->resizeSection(column, defaultColumnWidth(column));
    updateHeaderMenu();
    tellShownColumns();
    emit columnsChanged();
}

void LinkListController::updateHeaderMenu()
{
    if (!m_headerMenu || !m_tableView)
        return;
    const QHeaderView *header = m_tableView->horizontalHeader();
    for (QAction *action : m_headerMenu->actions()) {
        const QSignalBlocker blocker(action);
        action->setChecked(!header->isSectionHidden(action->data().toInt()));
    }
}
