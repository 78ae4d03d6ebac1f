#include "LinkRowsModel.h"

#include "DocumentChange.h"
#include "gui/DocumentImages.h"
#include "model/Category.h"
#include "model/Link.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"
#include "model/TreeNode.h"
#include "workflow/DetailsTexts.h"
#include "workflow/LinkForm.h"

#include <QDateTime>
#include <QLocale>
#include <QSet>
#include <algorithm>

namespace {

const char *const ColumnKeys[LinkRowsModel::ColumnCount] = {
    "reminder", "status",       "name",   "description", "address",    "linksPage",  "contact",     "email",
    "category", "lastVerified", "result", "followed",    "anchorText", "lastChange", "lastContact",
};

// The text of a column that shows one of the link's texts; a null string for the others.
QString linkText(const TreeNode *node, const Link &link, int column)
{
    switch (column) {
    case LinkRowsModel::NameColumn:
        return link.title();
    case LinkRowsModel::DescriptionColumn:
        return link.description();
    case LinkRowsModel::AddressColumn:
        return link.URL();
    case LinkRowsModel::LinksPageColumn:
        // An empty links page is stored as "http://".
        return LinkForm::isMissingURL(link.counterpartURL()) ? QString(QLatin1String(""))
                                                             : link.counterpartURL();
    case LinkRowsModel::ContactColumn:
        return (link.contactFirstName() + QLatin1Char(' ') + link.contactLastName()).trimmed();
    case LinkRowsModel::EmailColumn:
        return link.contactEmail();
    case LinkRowsModel::CategoryColumn: {
        const Category *category = node->parent() ? node->parent()->category() : nullptr;
        return category ? category->name() : QString(QLatin1String(""));
    }
    default:
        return QString();
    }
}

} // namespace

LinkRowsModel::LinkRowsModel(QObject *parent) : QAbstractTableModel(parent) {}

QString LinkRowsModel::columnKey(int column)
{
    return column >= 0 && column < ColumnCount ? QString::fromLatin1(ColumnKeys[column]) : QString();
}

int LinkRowsModel::columnOfKey(const QString &key)
{
    for (int column = 0; column < ColumnCount; ++column) {
        if (key == QLatin1String(ColumnKeys[column]))
            return column;
    }
    return -1;
}

std::optional<bool> LinkRowsModel::linkFollowed(const QString &linkID) const
{
    const std::optional<LinkHistoryFacts> facts = historyFacts(linkID);
    if (!facts || !facts->checked || !facts->addressFound)
        return std::nullopt;
    return facts->followed;
}

void LinkRowsModel::setHistoryFacts(const LinkHistoryFactTable &facts)
{
    m_historyFacts = facts;
    // The result's words take the followed fact too.
    if (!m_rows.empty()) {
        emit dataChanged(index(0, ResultColumn), index(int(m_rows.size()) - 1, ResultColumn));
        emit dataChanged(index(0, FirstHistoryColumn), index(int(m_rows.size()) - 1, ColumnCount - 1));
    }
}

void LinkRowsModel::setLastContacts(const QHash<QString, LastContact> &contacts)
{
    m_lastContacts = contacts;
    if (!m_rows.empty())
        emit dataChanged(index(0, LastContactColumn), index(int(m_rows.size()) - 1, LastContactColumn));
}

const LastContact *LinkRowsModel::lastContact(const QString &linkID) const
{
    const auto found = m_lastContacts.constFind(linkID);
    return found == m_lastContacts.cend() ? nullptr : &found.value();
}

void LinkRowsModel::setCategory(TreeNode *categoryNode)
{
    m_category = categoryNode;
    reload();
}

void LinkRowsModel::reload()
{
    beginResetModel();
    m_rows = readRows();
    indexRows();
    endResetModel();
}

std::vector<LinkRowsModel::Row> LinkRowsModel::readRows() const
{
    std::vector<Row> rows;
    if (!m_category)
        return rows;
    auto readCategory = [&rows](const TreeNode *categoryNode, int categoryIndex) {
        const std::vector<TreeNode *> &children = categoryNode->children();
        for (int i = 0; i < int(children.size()); ++i) {
            const TreeNode *node = children[size_t(i)];
            if (node->link())
                rows.push_back({node->attachmentID(), categoryIndex, i,
                                NotificationComputer::linkHasNotifications(node)});
        }
    };
    if (!showsAllLinks()) {
        rows.reserve(m_category->children().size());
        readCategory(m_category, -1);
        return rows;
    }
    size_t total = 0;
    for (const TreeNode *categoryNode : m_category->children())
        total += categoryNode->children().size();
    rows.reserve(total);
    for (int i = 0; i < m_category->numberOfChildren(); ++i)
        readCategory(m_category->childAtIndex(i), i);
    return rows;
}

TreeNode *LinkRowsModel::categoryOfRow(const Row &row) const
{
    return showsAllLinks() ? m_category->childAtIndex(row.categoryIndex) : m_category;
}

void LinkRowsModel::indexRows()
{
    m_rowOfID.clear();
    m_rowOfID.reserve(qsizetype(m_rows.size()));
    for (int row = 0; row < int(m_rows.size()); ++row)
        m_rowOfID.insert(m_rows[size_t(row)].id, row);
}

void LinkRowsModel::update(const DocumentChange &change)
{
    if (!m_category)
        return;
    std::vector<Row> now = readRows();
    QHash<QString, int> nowIDs; // where each link is in the list now
    nowIDs.reserve(qsizetype(now.size()));
    for (int i = 0; i < int(now.size()); ++i)
        nowIDs.insert(now[size_t(i)].id, i);

    // A sorting proxy sorts every row again for each move, and places each run of rows that came or went
    // on its own: past a few of them, one layout change for all is far quicker (an undone delete of a
    // thousand scattered links).
    if (size_t(structuralSignals(now, nowIDs)) > MaxSeparateRuns) {
        replaceRows(std::move(now), nowIDs);
        return;
    }
    // The rows of changed links lose their places before rows move or come: placing those compares
    // rows, and a changed link compared by its old place would misplace the others.
    const QSet<QString> touched(change.changedLinkIDs.cbegin(), change.changedLinkIDs.cend());
    std::vector<int> outdated;
    for (int row = 0; row < int(m_rows.size()); ++row) {
        if (change.unknownExtent || touched.contains(m_rows[size_t(row)].id))
            outdated.push_back(row);
    }
    if (!outdated.empty())
        emit linksChanged(outdated);
    const QSet<QString> kept = followRows(now, nowIDs);

    // Where each link is now, and whether its reminder mark changed.
    std::vector<int> changed;
    for (const Row &fresh : now) {
        const int row = m_rowOfID.value(fresh.id, -1);
        Row &shown = m_rows[size_t(row)];
        const bool markChanged = shown.hasNotifications != fresh.hasNotifications;
        shown.categoryIndex = fresh.categoryIndex;
        shown.childIndex = fresh.childIndex;
        shown.hasNotifications = fresh.hasNotifications;
        // Rows just inserted were read as they are.
        if (kept.contains(fresh.id) && (change.unknownExtent || markChanged || touched.contains(fresh.id)))
            changed.push_back(row);
    }
    emitRowsChanged(std::move(changed));
}

namespace {

// Which entries form a longest rising run of the values (not necessarily neighbours): the rows that
// can stay while the others move around them.
std::vector<bool> longestRisingRun(const std::vector<int> &values)
{
    std::vector<int> tails;                     // index of the smallest last value of a run of each length
    std::vector<int> before(values.size(), -1); // the entry before each one in its run
    for (int i = 0; i < int(values.size()); ++i) {
        const auto place =
            std::lower_bound(tails.begin(), tails.end(), values[size_t(i)],
                             [&](int tail, int value) { return values[size_t(tail)] < value; });
        if (place != tails.begin())
            before[size_t(i)] = *(place - 1);
        if (place == tails.end())
            tails.push_back(i);
        else
            *place = i;
    }
    std::vector<bool> rising(values.size(), false);
    for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = before[size_t(i)])
        rising[size_t(i)] = true;
    return rising;
}

} // namespace

int LinkRowsModel::structuralSignals(const std::vector<Row> &now, const QHash<QString, int> &nowIDs) const
{
    int count = 0;
    std::vector<int> places; // where the links that stay are now, in their rows' order
    places.reserve(m_rows.size());
    bool inRemovedRun = false;
    for (const Row &row : m_rows) {
        const int place = nowIDs.value(row.id, -1);
        if (place < 0 && !inRemovedRun)
            ++count;
        inRemovedRun = place < 0;
        if (place >= 0)
            places.push_back(place);
    }
    const std::vector<bool> rising = longestRisingRun(places);
    count += int(std::count(rising.begin(), rising.end(), false));
    bool inInsertedRun = false;
    for (const Row &row : now) {
        const bool inserted = !m_rowOfID.contains(row.id);
        if (inserted && !inInsertedRun)
            ++count;
        inInsertedRun = inserted;
    }
    return count;
}

void LinkRowsModel::replaceRows(std::vector<Row> now, const QHash<QString, int> &nowIDs)
{
    emit layoutAboutToBeChanged();
    // Rows that stay keep their selection and current row; those of links that left are dropped.
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &index : from) {
        const int row = nowIDs.value(linkIDAtRow(index.row()), -1);
        to.append(row < 0 ? QModelIndex() : this->index(row, index.column()));
    }
    m_rows = std::move(now);
    indexRows();
    changePersistentIndexList(from, to);
    // The proxy sorts and filters every row again, and the views paint them all.
    emit layoutChanged();
}

QSet<QString> LinkRowsModel::followRows(const std::vector<Row> &now, const QHash<QString, int> &nowIDs)
{
    // Rows of links that left, from the bottom up so that the rows above keep their numbers.
    for (int row = int(m_rows.size()) - 1; row >= 0; --row) {
        if (nowIDs.contains(m_rows[size_t(row)].id))
            continue;
        int first = row;
        while (first > 0 && !nowIDs.contains(m_rows[size_t(first - 1)].id))
            --first;
        beginRemoveRows(QModelIndex(), first, row);
        m_rows.erase(m_rows.begin() + first, m_rows.begin() + row + 1);
        endRemoveRows();
        row = first;
    }
    // The rows that stay take the category's order now, which the sorting above keeps among equal links:
    // the longest run already in that order stays, and each other row moves in among it (an edited name
    // moves its link within the category).
    QSet<QString> kept;
    kept.reserve(qsizetype(m_rows.size()));
    std::vector<int> places;
    places.reserve(m_rows.size());
    for (Row &row : m_rows) {
        kept.insert(row.id);
        const int place = nowIDs.value(row.id);
        places.push_back(place);
        const Row &fresh = now[size_t(place)];
        row.categoryIndex = fresh.categoryIndex;
        row.childIndex = fresh.childIndex;
    }
    std::vector<bool> placed = longestRisingRun(places);
    std::vector<int> moving; // the places of the rows that move, in order
    for (size_t i = 0; i < places.size(); ++i) {
        if (!placed[i])
            moving.push_back(places[i]);
    }
    std::sort(moving.begin(), moving.end());
    for (const int place : moving) {
        const int from = int(std::find(places.begin(), places.end(), place) - places.begin());
        // Before the first placed row that comes after it.
        int destination = int(places.size());
        for (int row = 0; row < int(places.size()); ++row) {
            if (row != from && placed[size_t(row)] && places[size_t(row)] > place) {
                destination = row;
                break;
            }
        }
        placed[size_t(from)] = true;
        if (!beginMoveRows(QModelIndex(), from, from, QModelIndex(), destination))
            continue; // already there
        auto moveEntry = [from, destination](auto &entries) {
            const auto begin = entries.begin();
            if (destination > from)
                std::rotate(begin + from, begin + from + 1, begin + destination);
            else
                std::rotate(begin + destination, begin + from, begin + from + 1);
        };
        moveEntry(m_rows);
        moveEntry(places);
        moveEntry(placed);
        endMoveRows();
    }
    // Then the links that came, a run at a time.
    for (int row = 0; row < int(now.size());) {
        if (kept.contains(now[size_t(row)].id)) {
            ++row;
            continue;
        }
        int last = row;
        while (last + 1 < int(now.size()) && !kept.contains(now[size_t(last + 1)].id))
            ++last;
        beginInsertRows(QModelIndex(), row, last);
        m_rows.insert(m_rows.begin() + row, now.begin() + row, now.begin() + last + 1);
        endInsertRows();
        row = last + 1;
    }
    indexRows();
    return kept;
}

void LinkRowsModel::emitRowsChanged(std::vector<int> rows)
{
    if (rows.empty())
        return;
    std::sort(rows.begin(), rows.end());
    std::vector<std::pair<int, int>> runs;
    for (size_t i = 0; i < rows.size();) {
        size_t last = i;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        runs.emplace_back(rows[i], rows[last]);
        i = last + 1;
    }
    // The sorting proxy places each run's rows again on its own, among the other rows as they stand:
    // runs that move in the order (a status set on links sorted by status) are told as one, the
    // unchanged rows between them included, and so are many runs close together (every other link).
    // Runs far apart that keep their places (a few results saved in a list sorted by name) stay
    // apart, so that only their rows repaint.
    const int span = runs.back().second - runs.front().first + 1;
    const bool close = runs.size() > MaxSeparateRuns && span <= 4 * int(rows.size());
    if (runs.size() > 1 && (close || (m_separateRunsCheck && !m_separateRunsCheck(rows))))
        runs = {{runs.front().first, runs.back().second}};
    emit rowsWillChange(rows);
    for (const auto &[first, last] : runs)
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

TreeNode *LinkRowsModel::linkNodeAtRow(int row) const
{
    if (!m_category || row < 0 || row >= int(m_rows.size()))
        return nullptr;
    const Row &shown = m_rows[size_t(row)];
    const TreeNode *categoryNode = categoryOfRow(shown);
    TreeNode *node = categoryNode ? categoryNode->childAtIndex(shown.childIndex) : nullptr;
    if (node && node->link() && node->link()->ID() == shown.id)
        return node;
    // The list changed since the row was read: look the link up by its ID.
    TreeNode *found = nullptr;
    forEachLinkNode(m_category, [&](TreeNode *child) {
        if (!found && child->link() && child->link()->ID() == shown.id)
            found = child;
    });
    return found;
}

QString LinkRowsModel::linkIDAtRow(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].id : QString();
}

int LinkRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int LinkRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LinkRowsModel::data(const QModelIndex &index, int role) const
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
    case LastVerifiedColumn:
        if (role == Qt::DisplayRole)
            return link->lastVerifiedOn().isValid()
                       ? QLocale().toString(link->lastVerifiedOn(), QLocale::ShortFormat)
                       : tr("Never");
        return QVariant();
    case ResultColumn:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
            const std::optional<bool> followed = linkFollowed(link->ID());
            const QString text = DetailsTexts::resultText(link->lastVerificationResult(), followed);
            if (role == Qt::ToolTipRole)
                return text;
            return DetailsTexts::resultMark(link->lastVerificationResult(), followed) + QLatin1Char(' ') +
                   text;
        }
        return QVariant();
    case FollowedColumn:
    case AnchorTextColumn:
    case LastChangeColumn:
        return historyData(historyFacts(link->ID()), index.column(), role);
    case LastContactColumn:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
            const LastContact *contact = lastContact(link->ID());
            return contact ? QVariant(contact->line()) : QVariant();
        }
        return QVariant();
    default:
        if (role == Qt::DisplayRole)
            return linkText(node, *link, index.column());
        // A text that may not fit shows whole in the tip.
        if (role == Qt::ToolTipRole) {
            const QString text = linkText(node, *link, index.column());
            return text.isEmpty() ? QVariant() : QVariant(text);
        }
        return QVariant();
    }
}

QVariant LinkRowsModel::historyData(const std::optional<LinkHistoryFacts> &facts, int column, int role) const
{
    if (!facts || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    switch (column) {
    case FollowedColumn:
        if (!facts->checked || !facts->addressFound)
            return QVariant();
        if (role == Qt::ToolTipRole)
            return facts->followed ? facts->followedText : DetailsTexts::notFollowedText();
        // A mark and the words, so that it reads without colour.
        return (facts->followed ? QStringLiteral("\u2713 ") : QStringLiteral("\u26A0 ")) +
               facts->followedText;
    case AnchorTextColumn:
        return facts->anchorText.isEmpty() ? QVariant() : QVariant(facts->anchorText);
    case LastChangeColumn:
        if (!facts->change)
            return QVariant();
        return tr("%1 (%2)").arg(
            LinkChange::text(*facts->change),
            QLocale().toString(QDateTime::fromSecsSinceEpoch(facts->changedOn).date(), QLocale::ShortFormat));
    default:
        return QVariant();
    }
}
