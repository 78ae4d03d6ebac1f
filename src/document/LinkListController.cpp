#include "LinkListController.h"

#include "model/TreeNode.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTimer>
#include <algorithm>

namespace {
constexpr int ImageColumnWidth = 24;
}

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
    header->setSectionsMovable(false); // the column position is the sort key
    header->setSortIndicatorShown(true);
    header->setSortIndicator(StatusColumn, Qt::AscendingOrder);
    header->setStretchLastSection(true);
    header->setMinimumSectionSize(ImageColumnWidth);
    header->setSectionResizeMode(NotificationColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(StatusColumn, QHeaderView::Fixed);
    header->resizeSection(NotificationColumn, ImageColumnWidth);
    header->resizeSection(StatusColumn, ImageColumnWidth);
    header->resizeSection(NameColumn, 220);
    connect(header, &QHeaderView::sectionClicked, this, &LinkListController::headerClicked);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        // Someone else chose the selection: a flash must not bring its row back.
        stopFlash(false);
        emit selectionDidChange();
    });
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
    if (header->stretchLastSection() && header->logicalIndex(header->count() - 1) == DescriptionColumn) {
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
