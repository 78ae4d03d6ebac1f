#include "LinkRowCache.h"

#include "LinkRowsModel.h"

#include <QAbstractItemModel>
#include <algorithm>

namespace {

// Moves the entries [first, last] of a list that follows the rows so that they stand before
// `destination`, as a model's rowsMoved says.
template <typename T> void moveEntries(std::vector<T> &entries, int first, int last, int destination)
{
    if (entries.empty())
        return;
    const auto begin = entries.begin();
    if (destination < first)
        std::rotate(begin + destination, begin + first, begin + last + 1);
    else
        std::rotate(begin + first, begin + last + 1, begin + destination);
}

template <typename T> void insertEntries(std::vector<T> &entries, int first, int count, const T &value)
{
    if (!entries.empty())
        entries.insert(entries.begin() + first, size_t(count), value);
}

template <typename T> void removeEntries(std::vector<T> &entries, int first, int last)
{
    if (!entries.empty())
        entries.erase(entries.begin() + first, entries.begin() + last + 1);
}

} // namespace

LinkRowCache::LinkRowCache(QAbstractItemModel *rows, QObject *parent) : QObject(parent), m_rows(rows)
{
    connect(rows, &QAbstractItemModel::modelReset, this, &LinkRowCache::reset);
    connect(rows, &QAbstractItemModel::layoutChanged, this, &LinkRowCache::reset);
    connect(rows, &QAbstractItemModel::dataChanged, this, &LinkRowCache::changed);
    connect(rows, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { inserted(first, last); });
    connect(rows, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int first, int last) { removed(first, last); });
    connect(rows, &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex &, int first, int last, const QModelIndex &, int destination) {
                moved(first, last, destination);
            });
    reset();
}

void LinkRowCache::setRanks(std::vector<int> ranks)
{
    m_ranks = std::move(ranks);
    m_ranked = m_ranks.size() == m_rowCount;
    m_unrankedRows = 0;
}

int LinkRowCache::rank(int row) const
{
    return m_ranked && row >= 0 && size_t(row) < m_ranks.size() ? m_ranks[size_t(row)] : -1;
}

void LinkRowCache::forgetRanks()
{
    m_ranked = false;
    m_ranks.clear();
    m_unrankedRows = 0;
}

void LinkRowCache::setPreparedRanks(int column, std::vector<int> ranks)
{
    if (column < 0 || ranks.size() != m_rowCount)
        return;
    if (m_preparedRanks.size() <= size_t(column))
        m_preparedRanks.resize(size_t(column) + 1);
    m_preparedRanks[size_t(column)] = std::move(ranks);
}

bool LinkRowCache::hasPreparedRanks(int column) const
{
    return column >= 0 && size_t(column) < m_preparedRanks.size() &&
           m_preparedRanks[size_t(column)].size() == m_rowCount;
}

void LinkRowCache::keepRanks(int column)
{
    if (m_ranked)
        setPreparedRanks(column, m_ranks);
}

bool LinkRowCache::usePreparedRanks(int column)
{
    if (!hasPreparedRanks(column))
        return false;
    // Copied: the column may be sorted by again after another.
    setRanks(m_preparedRanks[size_t(column)]);
    return true;
}

const LinkFilterText::Prepared &LinkRowCache::preparedText(int row, const Link &link)
{
    if (m_texts.size() != m_rowCount)
        m_texts.assign(m_rowCount, std::nullopt);
    std::optional<LinkFilterText::Prepared> &text = m_texts[size_t(row)];
    if (!text)
        text = LinkFilterText::prepare(link);
    return *text;
}

void LinkRowCache::reset()
{
    m_rowCount = size_t(std::max(0, m_rows->rowCount()));
    forgetRanks();
    m_texts.clear();
    m_facts.clear();
    m_preparedRanks.clear();
    m_rowsToldAhead.clear();
    ++m_generation;
    emit rowsStaled();
}

void LinkRowCache::rowsWillChange(const std::vector<int> &rows)
{
    m_rowsToldAhead = rows; // sorted
    linksChanged(rows);
}

void LinkRowCache::linksChanged(const std::vector<int> &rows)
{
    if (!m_ranked)
        return;
    int unranked = 0;
    for (int row : rows) {
        if (row >= 0 && size_t(row) < m_ranks.size() && m_ranks[size_t(row)] >= 0) {
            m_ranks[size_t(row)] = -1;
            ++unranked;
        }
    }
    unrank(unranked);
}

void LinkRowCache::unrank(int rows)
{
    m_unrankedRows += rows;
    // Comparing keys costs more than comparing ranks: past a point, ranking all again is cheaper.
    if (m_unrankedRows > std::max(64, int(m_rowCount / 16)))
        forgetRanks();
}

void LinkRowCache::changed(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    const int first = std::max(0, topLeft.row());
    const int last = std::min(int(m_rowCount) - 1, bottomRight.row());
    if (last < first)
        return;
    // Rows announced ahead lost their ranks already; the other rows keep theirs. A range told changed
    // may hold rows between the announced ones, which did not change.
    const auto announcedBegin = std::lower_bound(m_rowsToldAhead.begin(), m_rowsToldAhead.end(), first);
    const auto announcedEnd = std::upper_bound(announcedBegin, m_rowsToldAhead.end(), last);
    const bool announced = announcedBegin != announcedEnd;
    // The filter's texts and the views' facts are the link's own: the history's columns and the last
    // contact, told changed for every row when they are read again, leave them as they are.
    if (topLeft.column() < LinkRowsModel::ResultColumn) {
        auto forget = [this](int row) {
            if (!m_texts.empty())
                m_texts[size_t(row)].reset();
            if (!m_facts.empty())
                m_facts[size_t(row)].reset();
        };
        if (announced) {
            std::for_each(announcedBegin, announcedEnd, forget);
        } else {
            for (int row = first; row <= last; ++row)
                forget(row);
        }
    }
    m_rowsToldAhead.erase(announcedBegin, announcedEnd);
    staled(announced);
}

void LinkRowCache::inserted(int first, int last)
{
    const int count = last - first + 1;
    m_rowCount += size_t(count);
    insertEntries(m_ranks, first, count, -1);
    insertEntries(m_texts, first, count, std::optional<LinkFilterText::Prepared>());
    insertEntries(m_facts, first, count, std::optional<LinkView::LinkFacts>());
    // The rows that came are compared by their keys, beside the ranks of the others, as changed rows are.
    if (m_ranked)
        unrank(count);
    staled(true);
}

void LinkRowCache::removed(int first, int last)
{
    m_rowCount -= size_t(last - first + 1);
    removeEntries(m_ranks, first, last);
    removeEntries(m_texts, first, last);
    removeEntries(m_facts, first, last);
    // The order of the rows that stay holds.
    staled(true);
}

void LinkRowCache::moved(int first, int last, int destination)
{
    moveEntries(m_ranks, first, last, destination);
    moveEntries(m_texts, first, last, destination);
    moveEntries(m_facts, first, last, destination);
    // A rank goes with its row; the category's order only decides among equal rows.
    staled(true);
}

void LinkRowCache::staled(bool ranksStillHold)
{
    // Unless the changed rows lost their own ranks first, every row is ranked again when next
    // compared: a changed row compared by an old rank misplaces rows among equal links.
    if (!ranksStillHold)
        forgetRanks();
    m_preparedRanks.clear();
    ++m_generation;
    emit rowsStaled();
}
