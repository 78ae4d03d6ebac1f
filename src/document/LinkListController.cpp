#include "LinkListController.h"

#include "gui/DocumentImages.h"
#include "model/CollectionManager.h"
#include "model/Link.h"
#include "model/LinkDragPayload.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"
#include "workflow/DetailsTexts.h"
#include "workflow/LinkListOrder.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QSet>
#include <QTableView>
#include <QTimer>
#include <algorithm>

namespace {
constexpr int ImageColumnWidth = 24;
}

LinkListController::LinkListController(CollectionManager *collectionManager, const QString &linkDragType,
                                       QObject *parent)
    : QAbstractTableModel(parent), m_collectionManager(collectionManager), m_linkDragType(linkDragType)
{}

void LinkListController::setTableView(QTableView *tableView)
{
    m_tableView = tableView;
    m_tableView->setModel(this);
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
    if (m_tableView)
        m_tableView->selectionModel()->clearSelection();
    m_category = categoryNode;
    refreshTable();
    if (m_tableView && rowCount() > 0) {
        m_tableView->scrollToTop();
        m_tableView->selectionModel()->setCurrentIndex(index(0, 0), QItemSelectionModel::ClearAndSelect |
                                                                        QItemSelectionModel::Rows);
    }
    emit selectionDidChange();
}

void LinkListController::rebuildSortedLinks()
{
    m_sortedLinks.clear();
    m_childIndexes.clear();
    if (!m_category)
        return;
    std::vector<TreeNode *> nodes;
    LinkListOrder::buildSortedLinkList(nodes, m_category, m_selectedColumn, m_sortDescending);
    m_sortedLinks.reserve(qsizetype(nodes.size()));
    m_childIndexes.reserve(nodes.size());
    for (const TreeNode *node : nodes) {
        m_sortedLinks.append(node->attachmentID());
        m_childIndexes.push_back(m_category->indexOfChild(node));
    }
}

void LinkListController::refreshTable()
{
    stopFlash(true);
    const QStringList selected = m_tableView ? selectedLinkIDs() : QStringList();
    const QString current = m_tableView ? linkIDAtRow(m_tableView->currentIndex().row()) : QString();
    beginResetModel();
    rebuildSortedLinks();
    endResetModel();
    if (m_tableView && !selected.isEmpty()) {
        const QSignalBlocker blocker(m_tableView->selectionModel());
        selectLinksWithIDs(selected);
        const int row = rowOfLinkID(current);
        if (row >= 0) {
            m_tableView->selectionModel()->setCurrentIndex(index(row, 0), QItemSelectionModel::NoUpdate);
            m_tableView->scrollTo(index(row, 0));
        }
    }
    emit selectionDidChange();
}

void LinkListController::sortLinksByColumn(int column, bool descending)
{
    // A stored column from another version of the file is ignored.
    if (column < 0 || column >= ColumnCount)
        return;
    m_selectedColumn = column;
    m_sortDescending = descending;
    if (m_tableView)
        m_tableView->horizontalHeader()->setSortIndicator(column, descending ? Qt::DescendingOrder
                                                                             : Qt::AscendingOrder);
    refreshTable();
}

void LinkListController::headerClicked(int column)
{
    if (column < 0 || column >= ColumnCount)
        return;
    // A second click on the sorting column turns the order round, as desktop lists do.
    sortLinksByColumn(column, column == m_selectedColumn && !m_sortDescending);
    emit sortChanged();
}

TreeNode *LinkListController::linkNodeAtRow(int row) const
{
    if (!m_category || row < 0 || row >= m_sortedLinks.size())
        return nullptr;
    const QString &id = m_sortedLinks.at(row);
    TreeNode *node = m_category->childAtIndex(m_childIndexes[size_t(row)]);
    if (node && node->link() && node->link()->ID() == id)
        return node;
    // The category changed since the last sort: look the link up by its ID.
    for (TreeNode *child : m_category->children()) {
        if (child->link() && child->link()->ID() == id)
            return child;
    }
    return nullptr;
}

QString LinkListController::linkIDAtRow(int row) const
{
    return row >= 0 && row < m_sortedLinks.size() ? m_sortedLinks.at(row) : QString();
}

int LinkListController::rowOfLinkID(const QString &id) const
{
    return id.isNull() ? -1 : int(m_sortedLinks.indexOf(id));
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
        if (row < m_sortedLinks.size())
            ids.append(m_sortedLinks.at(row));
    }
    return ids;
}

void LinkListController::selectLinksWithIDs(const QStringList &ids)
{
    if (!m_tableView)
        return;
    const QSet<QString> wanted(ids.cbegin(), ids.cend());
    QItemSelection selection;
    int first = -1;
    for (int row = 0; row < m_sortedLinks.size(); ++row) {
        if (!wanted.contains(m_sortedLinks.at(row)))
            continue;
        // Neighbouring rows join one range, so the selection stays small.
        if (!selection.isEmpty() && selection.last().bottom() == row - 1)
            selection.last() = QItemSelectionRange(selection.last().topLeft(), index(row, ColumnCount - 1));
        else
            selection.select(index(row, 0), index(row, ColumnCount - 1));
        if (first < 0)
            first = row;
    }
    QItemSelectionModel *model = m_tableView->selectionModel();
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    if (first >= 0)
        model->setCurrentIndex(index(first, 0), QItemSelectionModel::NoUpdate);
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
        m_tableView->scrollTo(index(row, 0));
        m_tableView->selectionModel()->setCurrentIndex(index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                          QItemSelectionModel::Rows);
    }
    emit selectionDidChange();
}

void LinkListController::flashSelectedItem()
{
    // A new flash (Find Next pressed again at once) ends the last one where it stands: the row
    // that flashed before is no longer the selected one.
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
        m_tableView->selectionModel()->select(index(row, 0), flag | QItemSelectionModel::Rows);
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
        m_tableView->selectionModel()->select(index(row, 0),
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
    // The description column stretches to the list's edge: its stored width is what was left in the
    // window it was saved from, and taken as it stands it would push the list past its edge in a
    // narrower one (the header never shrinks it back). It takes what is left now.
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

int LinkListController::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_sortedLinks.size());
}

int LinkListController::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LinkListController::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const TreeNode *node = linkNodeAtRow(index.row());
    const Link *link = node ? node->link() : nullptr;
    if (!link)
        return QVariant();
    switch (index.column()) {
    case NotificationColumn:
        if (!NotificationComputer::linkHasNotifications(node))
            return QVariant();
        if (role == Qt::DecorationRole)
            return DocumentImages::icon(QStringLiteral("warning"));
        if (role == Qt::ToolTipRole) {
            QStringList texts;
            for (const Notification *notification : NotificationComputer::notificationsOfLinkNode(node))
                texts.append(notification->text());
            return texts.join(QLatin1Char('\n'));
        }
        return QVariant();
    case StatusColumn:
        if (role == Qt::DecorationRole) {
            const QString image = DetailsTexts::statusImage(link->status());
            return image.isEmpty() ? QVariant() : QVariant(DocumentImages::icon(image));
        }
        if (role == Qt::ToolTipRole)
            return DetailsTexts::statusName(link->status());
        return QVariant();
    case NameColumn:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return link->title();
        return QVariant();
    case DescriptionColumn:
        if (role == Qt::DisplayRole)
            return link->description();
        if (role == Qt::ToolTipRole && !link->description().isEmpty())
            return link->description();
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant LinkListController::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    switch (section) {
    case NotificationColumn:
        if (role == Qt::DecorationRole)
            return DocumentImages::icon(QStringLiteral("warningheader"));
        if (role == Qt::ToolTipRole)
            return tr("Notifications");
        break;
    case StatusColumn:
        if (role == Qt::DecorationRole)
            return DocumentImages::icon(QStringLiteral("statusheader"));
        if (role == Qt::ToolTipRole)
            return tr("Status");
        break;
    case NameColumn:
        if (role == Qt::DisplayRole)
            return tr("Name");
        break;
    case DescriptionColumn:
        if (role == Qt::DisplayRole)
            return tr("Description");
        break;
    default:
        break;
    }
    return QVariant();
}

Qt::ItemFlags LinkListController::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

QStringList LinkListController::mimeTypes() const
{
    return {m_linkDragType};
}

QMimeData *LinkListController::mimeData(const QModelIndexList &indexes) const
{
    QSet<int> distinct;
    for (const QModelIndex &index : indexes) {
        if (index.isValid())
            distinct.insert(index.row());
    }
    if (distinct.isEmpty())
        return nullptr;
    QList<int> rows(distinct.cbegin(), distinct.cend());
    std::sort(rows.begin(), rows.end());
    QStringList ids;
    for (const int row : rows)
        ids.append(linkIDAtRow(row));
    auto *data = new QMimeData;
    data->setData(m_linkDragType, LinkDragPayload::encode(ids));
    return data;
}

Qt::DropActions LinkListController::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions LinkListController::supportedDropActions() const
{
    return Qt::IgnoreAction; // links are dropped on categories, never on the link list
}
