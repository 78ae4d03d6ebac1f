#include "VerificationRowModel.h"

#include "VerificationSheetForm.h"
#include "model/CollectionManager.h"

#include <QHash>
#include <QSet>

namespace {

bool isEmptyAddress(const QString &url)
{
    return url.isEmpty() || url == QLatin1String("http://");
}

} // namespace

VerificationRowModel::VerificationRowModel(const CollectionManager *store, QObject *parent)
    : QAbstractTableModel(parent), m_store(store)
{}

void VerificationRowModel::follow(const VerificationScheduler *scheduler)
{
    connect(scheduler, &VerificationScheduler::runStarted, this, &VerificationRowModel::runStarted);
    connect(scheduler, &VerificationScheduler::checkStarted, this, &VerificationRowModel::checkStarted);
    connect(scheduler, &VerificationScheduler::checkFinished, this, &VerificationRowModel::checkFinished);
    connect(scheduler, &VerificationScheduler::runEnded, this, &VerificationRowModel::runHasEnded);
}

bool VerificationRowModel::buildRows(const std::optional<QStringList> &ids)
{
    beginResetModel();
    m_linkInfos.clear();
    m_runStarted = false;
    m_runEnded = false;
    m_firstRowToShow = -1;

    const QList<const Link *> links = m_store->verifiableLinks();
    QHash<QString, const Category *> categories;
    for (const TreeNode *node : m_store->categoryRoot()->children()) {
        if (const Category *category = node->category())
            categories.insert(category->ID(), category);
    }
    QSet<QString> wanted;
    if (ids)
        wanted = QSet<QString>(ids->begin(), ids->end());

    m_linkInfos.reserve(size_t(links.size()));
    for (const Link *link : links) {
        const VerificationResult preset =
            isEmptyAddress(link->counterpartURL()) ? VerificationNoLinksPageURL : VerificationNotVerified;
        const VerificationResult stored = link->lastVerificationResult();
        VerificationResult code = preset;
        bool ticked = true;
        if (ids) {
            if (!wanted.contains(link->ID())) {
                ticked = false;
            } else if (stored == VerificationMarkedVerified) {
                code = VerificationMarkedVerified;
                ticked = false;
            } else if (stored == VerificationNoLinksPageURL || preset == VerificationNoLinksPageURL) {
                code = VerificationNoLinksPageURL;
            } else if (m_firstRowToShow < 0) {
                m_firstRowToShow = int(m_linkInfos.size());
            }
        } else if (stored == VerificationMarkedVerified) {
            code = VerificationMarkedVerified;
            ticked = false;
        }
        m_linkInfos.emplace_back(link, categories.value(link->categoryID()), code, ticked);
    }
    endResetModel();
    countTicks();
    return !m_linkInfos.empty();
}

void VerificationRowModel::countTicks()
{
    int count = 0;
    for (const LinkInfo &info : m_linkInfos)
        count += info.selected() ? 1 : 0;
    m_selectedCount = count;
    emit ticksChanged();
}

void VerificationRowModel::selectAll()
{
    if (!ticksEditable())
        return;
    for (LinkInfo &info : m_linkInfos)
        info.setSelected(true);
    refreshTable();
    countTicks();
}

void VerificationRowModel::selectNone()
{
    if (!ticksEditable())
        return;
    for (LinkInfo &info : m_linkInfos)
        info.setSelected(false);
    refreshTable();
    countTicks();
}

void VerificationRowModel::setSelected(int row, bool selected)
{
    if (!ticksEditable() || row < 0 || row >= numLinks())
        return;
    m_linkInfos[size_t(row)].setSelected(selected);
    emit dataChanged(index(row, VerifyColumn), index(row, VerifyColumn), {Qt::CheckStateRole});
    countTicks();
}

std::vector<VerificationScheduler::Check> VerificationRowModel::checksToRun() const
{
    std::vector<VerificationScheduler::Check> checks;
    for (int row = 0; row < numLinks(); ++row) {
        const LinkInfo &info = m_linkInfos[size_t(row)];
        if (info.selected() && !info.verified())
            checks.push_back({row, info.link()});
    }
    return checks;
}

QList<std::pair<QString, VerificationResult>> VerificationRowModel::resultsToSave() const
{
    QList<std::pair<QString, VerificationResult>> results;
    if (!m_runEnded)
        return results;
    for (const LinkInfo &info : m_linkInfos) {
        if (info.selected() && info.result() != VerificationNotVerified)
            results.append({info.link()->ID(), info.result()});
    }
    return results;
}

int VerificationRowModel::checkedResultsToSave() const
{
    if (!m_runEnded)
        return 0;
    int count = 0;
    for (const LinkInfo &info : m_linkInfos)
        count += info.selected() && info.verified() && info.result() != VerificationNotVerified ? 1 : 0;
    return count;
}

void VerificationRowModel::runStarted()
{
    m_runStarted = true;
    refreshTable(); // the ticks turn read-only
}

void VerificationRowModel::checkStarted(int row)
{
    setResult(row, VerificationInProgress);
}

void VerificationRowModel::checkFinished(int row, const Link *, VerificationResult result,
                                         const VerificationDetails &details)
{
    if (row < 0 || row >= numLinks())
        return;
    m_linkInfos[size_t(row)].setDetails(details);
    setResult(row, result);
}

void VerificationRowModel::runHasEnded()
{
    // Checks cut short by Stop have no result.
    for (LinkInfo &info : m_linkInfos) {
        if (info.result() == VerificationInProgress)
            info.setResult(VerificationNotVerified);
    }
    m_runEnded = true;
    refreshTable(); // rows the run never reached now read "Not checked"
}

void VerificationRowModel::setResult(int row, VerificationResult result)
{
    if (row < 0 || row >= numLinks())
        return;
    m_linkInfos[size_t(row)].setResult(result);
    emit dataChanged(index(row, StatusColumn), index(row, WarningColumn));
}

void VerificationRowModel::refreshTable()
{
    if (!m_linkInfos.empty())
        emit dataChanged(index(0, 0), index(numLinks() - 1, ColumnCount - 1));
}

int VerificationRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : numLinks();
}

int VerificationRowModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VerificationRowModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const LinkInfo &info = m_linkInfos[size_t(index.row())];
    switch (role) {
    case ResultCodeRole:
        return int(info.result());
    case DetailsRole:
        return info.details().summary();
    case LinkIDRole:
        return info.link()->ID();
    default:
        break;
    }
    if (role == Qt::ToolTipRole) {
        const QString toolTip = VerificationSheetForm::toolTip(info);
        return toolTip.isEmpty() ? QVariant() : QVariant(toolTip);
    }
    switch (index.column()) {
    case VerifyColumn:
        if (role == Qt::CheckStateRole)
            return info.selected() ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::AccessibleTextRole)
            return tr("Verify");
        break;
    case StatusColumn:
        // Words for the image, for screen readers.
        if (role == Qt::AccessibleTextRole)
            return VerificationSheetForm::statusText(info);
        break;
    case LinkColumn:
        if (role == Qt::DisplayRole)
            return info.link()->title();
        break;
    case CategoryColumn:
        if (role == Qt::DisplayRole)
            return info.category() ? info.category()->name() : QString();
        break;
    case WarningColumn:
        if (role == Qt::DisplayRole) {
            // A ticked row the ended run never reached says so rather than nothing.
            if (m_runEnded && info.selected() && info.result() == VerificationNotVerified)
                return tr("Not checked");
            return Codes::verificationRunText(info.result());
        }
        break;
    default:
        break;
    }
    return QVariant();
}

bool VerificationRowModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        index.column() != VerifyColumn || role != Qt::CheckStateRole || !ticksEditable())
        return false;
    setSelected(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags VerificationRowModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemNeverHasChildren | Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (index.column() == VerifyColumn) {
        flags |= Qt::ItemIsUserCheckable;
        // Read-only once the run starts: the check box stays visible but greyed.
        if (!ticksEditable())
            flags &= ~Qt::ItemIsEnabled;
    }
    return flags;
}

QVariant VerificationRowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case VerifyColumn:
        return tr("Verify");
    case StatusColumn:
        return QString();
    case LinkColumn:
        return tr("Link");
    case CategoryColumn:
        return tr("Category");
    case WarningColumn:
        return tr("Result");
    default:
        return QVariant();
    }
}
