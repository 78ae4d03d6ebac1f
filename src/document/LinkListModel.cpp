#include "LinkListModel.h"

#include "FreedMemory.h"
#include "LinkHistoryLoader.h"
#include "LinkRowCache.h"
#include "gui/DocumentImages.h"
#include "model/Link.h"
#include "model/LinkDragPayload.h"
#include "model/TreeNode.h"
#include "workflow/LinkListOrder.h"

#include <QMimeData>
#include <QSet>
#include <QThreadPool>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <mutex>
#include <numeric>

namespace {

// Rows stay unchanged this long before the idle work begins: while a check runs, rows change every
// moment, and the work would start again each time.
constexpr int QuietMs = 300;
// The longest the idle work holds the GUI thread at a time.
constexpr qint64 SliceNs = 8'000'000;

} // namespace

struct LinkListModel::Mailbox
{
    std::mutex mutex;
    LinkListModel *model = nullptr; // null once the model is gone
};

LinkListModel::LinkListModel(CollectionManager *collectionManager, const QString &linkDragType,
                             QObject *parent)
    : QSortFilterProxyModel(parent), m_rows(new LinkRowsModel(this)), m_cache(new LinkRowCache(m_rows, this)),
      m_historyLoader(new LinkHistoryLoader(collectionManager, this)), m_linkDragType(linkDragType),
      m_prepareTimer(new QTimer(this)), m_mailbox(std::make_shared<Mailbox>())
{
    m_mailbox->model = this;
    m_prepareTimer->setSingleShot(true);
    connect(m_prepareTimer, &QTimer::timeout, this, &LinkListModel::prepareSlice);
    connect(m_cache, &LinkRowCache::rowsStaled, this, &LinkListModel::restartPreparation);
    connect(m_rows, &LinkRowsModel::rowsWillChange, m_cache, &LinkRowCache::rowsWillChange);
    connect(m_rows, &LinkRowsModel::linksChanged, m_cache, &LinkRowCache::linksChanged);
    m_rows->setSeparateRunsCheck(
        [this](const std::vector<int> &rows) { return changedRowsKeepTheirPlaces(rows); });
    // The cache hears of the rows' changes first (it was made first).
    setSourceModel(m_rows);
    connect(m_historyLoader, &LinkHistoryLoader::loaded, this,
            [this] { m_rows->setHistoryFacts(m_historyLoader->facts()); });
    // A changed link moves to its sorted place at once.
    setDynamicSortFilter(true);
    sortRows();
}

LinkListModel::~LinkListModel()
{
    // A sort still on the pool finishes into nothing.
    const std::lock_guard<std::mutex> lock(m_mailbox->mutex);
    m_mailbox->model = nullptr;
}

void LinkListModel::setCategory(TreeNode *categoryNode)
{
    m_rows->setCategory(categoryNode);
}

void LinkListModel::reload()
{
    m_rows->reload();
}

void LinkListModel::update(const DocumentChange &change)
{
    m_rows->update(change);
}

void LinkListModel::loadHistory(const QString &databasePath)
{
    m_historyLoader->load(databasePath);
}

void LinkListModel::setLastContacts(const QHash<QString, LastContact> &contacts)
{
    // The rows tell of the column's change, and the proxy sorts again when it is the sort column.
    m_rows->setLastContacts(contacts);
}

bool LinkListModel::setSortOrder(int column, bool descending)
{
    if (column < 0 || column >= ColumnCount)
        return false;
    if (column != m_sortColumn) {
        // Both columns' ranks stay at hand: sorting back is as quick.
        m_cache->keepRanks(m_sortColumn);
        m_cache->forgetRanks();
        m_cache->usePreparedRanks(column);
    }
    m_sortColumn = column;
    m_sortDescending = descending;
    sortRows();
    return true;
}

void LinkListModel::sortRows()
{
    // The order is lessThan's, and the proxy sorts stably on the category's order either way round. The
    // proxy is told the column so that it sorts again when that column's values change (no column sorts
    // as the status column does).
    QSortFilterProxyModel::sort(std::max(0, m_sortColumn),
                                m_sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void LinkListModel::sort(int column, Qt::SortOrder order)
{
    setSortOrder(column, order == Qt::DescendingOrder);
}

void LinkListModel::setRowFilter(RowFilter filter)
{
    m_rowFilter = std::move(filter);
    // One layout change for the whole list: filtering anew row range by row range tells the view of
    // every hidden range on its own, which takes seconds on tens of thousands of links.
    invalidate();
}

bool LinkListModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (!m_rowFilter)
        return true;
    // A row whose link is gone stays until the rows follow the store, as it does unfiltered.
    const TreeNode *node = m_rows->linkNodeAtRow(sourceRow);
    return !node || m_rowFilter(sourceRow, node);
}

bool LinkListModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (!m_cache->isRanked())
        rankRows();
    const int rankA = m_cache->rank(left.row()), rankB = m_cache->rank(right.row());
    // A row changed since the rows were ranked is compared on its own.
    const int compared = rankA >= 0 && rankB >= 0 ? rankA - rankB
                                                  : compareKeys(sortKey(left.row(), m_sortColumn),
                                                                sortKey(right.row(), m_sortColumn));
    if (compared != 0)
        return compared < 0;
    // Equal links keep the category's order, either way round: the proxy sorts the order it shows now,
    // which another column may have made.
    return m_sortDescending ? left.row() > right.row() : left.row() < right.row();
}

bool LinkListModel::comesBefore(int sourceRowA, int sourceRowB) const
{
    const int compared = compareKeys(sortKey(sourceRowA, m_sortColumn), sortKey(sourceRowB, m_sortColumn));
    if (compared != 0)
        return m_sortDescending ? compared > 0 : compared < 0;
    return sourceRowA < sourceRowB;
}

bool LinkListModel::changedRowsKeepTheirPlaces(const std::vector<int> &sortedRows) const
{
    // The list stays in order, by the keys now, if each changed row does with the rows beside it.
    const int shownRows = rowCount();
    for (const int row : sortedRows) {
        const QModelIndex shown = mapFromSource(m_rows->index(row, 0));
        if (!shown.isValid()) {
            // A hidden row the filter may now accept is placed among the others.
            if (m_rowFilter)
                return false;
            continue;
        }
        const int at = shown.row();
        if (at > 0 && !comesBefore(mapToSource(index(at - 1, 0)).row(), row))
            return false;
        if (at + 1 < shownRows && !comesBefore(row, mapToSource(index(at + 1, 0)).row()))
            return false;
    }
    return true;
}

void LinkListModel::rankRows() const
{
    const int rows = m_rows->rowCount();
    std::vector<SortKey> keys;
    keys.reserve(size_t(rows));
    for (int row = 0; row < rows; ++row)
        keys.push_back(sortKey(row, m_sortColumn));
    m_cache->setRanks(ranksOf(keys));
}

std::vector<int> LinkListModel::ranksOf(const std::vector<SortKey> &keys)
{
    const size_t rows = keys.size();
    std::vector<int> order(rows);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return compareKeys(keys[size_t(a)], keys[size_t(b)]) < 0; });
    std::vector<int> ranks(rows);
    int rank = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && compareKeys(keys[size_t(order[i - 1])], keys[size_t(order[i])]) != 0)
            ++rank;
        ranks[size_t(order[i])] = rank;
    }
    return ranks;
}

bool LinkListModel::isPreparing() const
{
    return !m_preparation.done;
}

void LinkListModel::setShownColumns(const QList<int> &columns)
{
    static_assert(ColumnCount <= 32);
    quint32 shown = 0;
    for (const int column : columns) {
        if (column >= 0 && column < ColumnCount)
            shown |= 1u << column;
    }
    const bool more = (shown & ~m_shownColumns) != 0;
    m_shownColumns = shown;
    if (more && m_preparation.done) {
        m_preparation.done = false;
        m_prepareTimer->start(QuietMs);
    }
}

void LinkListModel::restartPreparation()
{
    // Keys read before the change are dropped; a sort on the pool finds its generation outdated.
    m_preparation = Preparation();
    m_prepareTimer->start(QuietMs);
}

void LinkListModel::prepareSlice()
{
    Preparation &work = m_preparation;
    if (work.done || work.sorting)
        return;
    QElapsedTimer slice;
    slice.start();
    const int rows = m_rows->rowCount();
    if (rows == 0) {
        work.done = true;
        emit prepared();
        return;
    }
    // The filter's texts first: the first keystroke finds them ready.
    for (; work.textRow < rows; ++work.textRow) {
        if ((work.textRow & 127) == 0 && slice.nsecsElapsed() > SliceNs) {
            m_prepareTimer->start(0);
            return;
        }
        const TreeNode *node = m_rows->linkNodeAtRow(work.textRow);
        if (node && node->link())
            m_cache->preparedText(work.textRow, *node->link());
    }
    const int column = nextColumnToRank();
    if (column >= 0) {
        if (column != work.column) {
            work.column = column;
            work.keys.clear();
        }
        if (work.keys.empty())
            work.keys.reserve(size_t(rows));
        for (int row = int(work.keys.size()); row < rows; ++row) {
            if ((row & 127) == 0 && slice.nsecsElapsed() > SliceNs) {
                m_prepareTimer->start(0);
                return;
            }
            work.keys.push_back(sortKey(row, column));
        }
        sortKeysOnPool(column, std::move(work.keys));
        work.keys = {};
        work.column = -1;
        return;
    }
    work.done = true;
    // Each column's keys were freed on the pool.
    returnFreedMemory();
    emit prepared();
}

bool LinkListModel::isSortColumn(int column) const
{
    // No sort column sorts as the first column does.
    return column == std::max(0, m_sortColumn);
}

int LinkListModel::nextColumnToRank()
{
    // The sort column first: any change of the filter sorts the rows again.
    const int sorted = std::max(0, m_sortColumn);
    if (!m_cache->isRanked() && !m_cache->usePreparedRanks(sorted))
        return sorted;
    for (int column = 0; column < ColumnCount; ++column) {
        if (m_cache->hasPreparedRanks(column) || !(m_shownColumns & (1u << column)))
            continue;
        if (isSortColumn(column)) {
            m_cache->keepRanks(column);
            continue;
        }
        return column;
    }
    return -1;
}

void LinkListModel::sortKeysOnPool(int column, std::vector<SortKey> keys)
{
    m_preparation.sorting = true;
    const quint64 generation = m_cache->generation();
    auto shared = std::make_shared<std::vector<SortKey>>(std::move(keys));
    QThreadPool::globalInstance()->start([mailbox = m_mailbox, shared, generation, column] {
        std::vector<int> ranks = ranksOf(*shared);
        shared->clear();
        // Held while posting, so that the model cannot go meanwhile; a posted call dies with it.
        const std::lock_guard<std::mutex> lock(mailbox->mutex);
        if (LinkListModel *model = mailbox->model) {
            QMetaObject::invokeMethod(
                model,
                [model, generation, column, ranks = std::move(ranks)]() mutable {
                    model->ranksSorted(generation, column, std::move(ranks));
                },
                Qt::QueuedConnection);
        }
    });
}

void LinkListModel::ranksSorted(quint64 generation, int column, std::vector<int> ranks)
{
    // Rows that changed meanwhile restarted the work; these ranks are of rows that are gone.
    if (generation != m_cache->generation())
        return;
    m_cache->setPreparedRanks(column, std::move(ranks));
    if (isSortColumn(column) && !m_cache->isRanked())
        m_cache->usePreparedRanks(column);
    m_preparation.sorting = false;
    m_prepareTimer->start(0);
}

LinkListModel::SortKey LinkListModel::sortKey(int sourceRow, int column) const
{
    SortKey key;
    const TreeNode *node = m_rows->linkNodeAtRow(sourceRow);
    if (!node || !node->link())
        return key;
    const QString &id = node->link()->ID();
    // The history's columns and Last Contact sort by their own value, then as the status column does.
    int linkColumn = column;
    switch (column) {
    case ResultColumn:
        key.own.number = resultRank(node);
        break;
    case FollowedColumn: {
        // Followed, then not followed, then not found or never checked; then by the reason's words.
        const std::optional<LinkHistoryFacts> facts = m_rows->historyFacts(id);
        const bool found = facts && facts->checked && facts->addressFound;
        key.own = LinkSortKey::textPart(facts ? facts->followedText : QString(),
                                        !found ? 2 : (facts->followed ? 0 : 1));
        linkColumn = StatusColumn;
        break;
    }
    case AnchorTextColumn: {
        const std::optional<LinkHistoryFacts> facts = m_rows->historyFacts(id);
        key.own = LinkSortKey::textPart(facts ? facts->anchorText : QString());
        linkColumn = StatusColumn;
        break;
    }
    case LastChangeColumn: {
        // By the change's time; links without a change first.
        const std::optional<LinkHistoryFacts> facts = m_rows->historyFacts(id);
        key.own.number = facts && facts->change ? facts->changedOn : LLONG_MIN;
        linkColumn = StatusColumn;
        break;
    }
    case LastContactColumn: {
        // By the time the message went; partners never written to first.
        const LastContact *contact = m_rows->lastContact(id);
        key.own.number = contact ? contact->sentAt.toMSecsSinceEpoch() : LLONG_MIN;
        linkColumn = StatusColumn;
        break;
    }
    default:
        break;
    }
    key.link = LinkListOrder::sortKey(node, linkColumn);
    return key;
}

int LinkListModel::compareKeys(const SortKey &a, const SortKey &b)
{
    // A row whose link is gone sorts first until the rows follow the store. (The keys say so: reading
    // the nodes here would cost a cache miss a comparison.)
    if (!a.link.isLink || !b.link.isLink)
        return int(a.link.isLink) - int(b.link.isLink);
    if (const int compared = LinkSortKey::compareParts(a.own, b.own))
        return compared;
    return LinkListOrder::compareKeys(a.link, b.link);
}

int LinkListModel::resultRank(const TreeNode *node) const
{
    const Link *link = node->link();
    // Twice the link's own rank, one more for a found link search engines do not follow.
    int rank = 2 * LinkListOrder::resultRank(link->lastVerificationResult());
    if (link->lastVerificationResult() == VerificationSucceeded && m_rows->linkFollowed(link->ID()) == false)
        ++rank;
    return rank;
}

int LinkListModel::sourceRow(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    return mapToSource(index(row, 0)).row();
}

TreeNode *LinkListModel::linkNodeAtRow(int row) const
{
    return m_rows->linkNodeAtRow(sourceRow(row));
}

QStringList LinkListModel::linkIDs() const
{
    QStringList ids;
    const int rows = rowCount();
    ids.reserve(rows);
    for (int row = 0; row < rows; ++row)
        ids.append(linkIDAtRow(row));
    return ids;
}

QString LinkListModel::linkIDAtRow(int row) const
{
    return m_rows->linkIDAtRow(sourceRow(row));
}

int LinkListModel::rowOfLinkID(const QString &id) const
{
    if (id.isNull())
        return -1;
    const int row = m_rows->rowOfLinkID(id);
    return row < 0 ? -1 : mapFromSource(m_rows->index(row, 0)).row();
}

QString LinkListModel::columnTitle(int column)
{
    switch (column) {
    case NotificationColumn:
        return tr("Notifications");
    case StatusColumn:
        return tr("Status");
    case NameColumn:
        return tr("Name");
    case DescriptionColumn:
        return tr("Description");
    case AddressColumn:
        return tr("Address");
    case LinksPageColumn:
        return tr("Links Page");
    case ContactColumn:
        return tr("Contact");
    case EmailColumn:
        return tr("E-mail");
    case CategoryColumn:
        return tr("Category");
    case LastVerifiedColumn:
        return tr("Last Verified");
    case ResultColumn:
        return tr("Result");
    case FollowedColumn:
        return tr("Followed");
    case AnchorTextColumn:
        return tr("Anchor Text");
    case LastChangeColumn:
        return tr("Last Change");
    case LastContactColumn:
        return tr("Last Contact");
    default:
        return QString();
    }
}

QVariant LinkListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QVariant();
    // The reminder and status columns show an image; every column is named for screen readers.
    const bool imageColumn = section == NotificationColumn || section == StatusColumn;
    switch (role) {
    case Qt::DisplayRole:
        return imageColumn ? QVariant() : QVariant(columnTitle(section));
    case Qt::DecorationRole:
        if (section == NotificationColumn)
            return DocumentImages::icon(QStringLiteral("warningheader"));
        if (section == StatusColumn)
            return DocumentImages::icon(QStringLiteral("statusheader"));
        return QVariant();
    case Qt::ToolTipRole:
        return imageColumn ? QVariant(columnTitle(section)) : QVariant();
    case Qt::AccessibleTextRole:
        return columnTitle(section);
    default:
        return QVariant();
    }
}

Qt::ItemFlags LinkListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

QStringList LinkListModel::mimeTypes() const
{
    return {m_linkDragType};
}

QMimeData *LinkListModel::mimeData(const QModelIndexList &indexes) const
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

Qt::DropActions LinkListModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions LinkListModel::supportedDropActions() const
{
    return Qt::IgnoreAction; // links are dropped on categories, never on the link
                             // list
}
