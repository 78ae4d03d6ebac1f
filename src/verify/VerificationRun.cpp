#include "VerificationRun.h"

#include "HostScheduler.h"
#include "VerificationManager.h"
#include "VerificationSheetForm.h"
#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/TextUtils.h"

#include <QFile>
#include <QHash>
#include <QIcon>
#include <QSet>

namespace {

bool isEmptyAddress(const QString &url)
{
    return url.isEmpty() || url == QLatin1String("http://");
}

// The host a check's first fetch goes to; none for an address that is decided without a fetch.
QString firstHost(const Link *link)
{
    if (!TextUtils::isValidURL(link->URL()))
        return QString();
    return HostScheduler::hostKey(VerificationManager::fetchURL(link->URL()));
}

} // namespace

VerificationRun::VerificationRun(CollectionManager *store, QObject *parent)
    : QAbstractTableModel(parent), m_collectionManager(store)
{}

VerificationRun::~VerificationRun()
{
    if (m_hosts)
        m_hosts->clear();
    for (const std::unique_ptr<VerificationManager> &verifier : m_verifiers)
        verifier->cancel();
}

void VerificationRun::releaseVerifiers()
{
    // A listener of our signals may get here from inside a manager's report; the managers are
    // deleted once that call has returned.
    if (m_hosts)
        m_hosts->clear();
    for (std::unique_ptr<VerificationManager> &verifier : m_verifiers) {
        verifier->cancel();
        verifier.release()->deleteLater();
    }
    m_verifiers.clear();
}

bool VerificationRun::initializeFieldsWithSelectedLinkIDs(const std::optional<QStringList> &ids)
{
    beginResetModel();
    releaseVerifiers();
    m_linkInfos.clear();
    m_verificationStarted = false;
    m_verificationStopped = false;
    m_inProgressCount = 0;
    m_pending.clear();
    m_hosts.reset();
    m_firstRowToShow = -1;

    const QList<const Link *> links = m_collectionManager->verifiableLinks();
    QHash<QString, const Category *> categories;
    for (const TreeNode *node : m_collectionManager->categoryRoot()->children()) {
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
    updateLinkCount();
    return !m_linkInfos.empty();
}

void VerificationRun::updateLinkCount()
{
    int count = 0;
    for (const LinkInfo &info : m_linkInfos)
        count += info.selected() ? 1 : 0;
    m_selectedCount = count;
    emit buttonsChanged();
}

QString VerificationRun::verifyButtonTitle() const
{
    if (m_verificationStopped)
        return tr("Save Result");
    if (m_selectedCount == 0)
        return tr("Verify Links");
    const QString format = m_selectedCount == 1 ? tr("Verify %d Link") : tr("Verify %d Links");
    return QString(format).replace(QLatin1String("%d"), QString::number(m_selectedCount));
}

bool VerificationRun::verifyButtonEnabled() const
{
    if (!m_verificationStarted)
        return m_selectedCount > 0;
    return m_verificationStopped;
}

QString VerificationRun::cancelButtonTitle() const
{
    return m_verificationStarted && !m_verificationStopped ? tr("Stop") : tr("Cancel");
}

VerificationRun::Outcome VerificationRun::confirm()
{
    if (!m_verificationStarted) {
        start();
        return Outcome::StayOpen;
    }
    if (!m_verificationStopped)
        return Outcome::StayOpen;
    save();
    return Outcome::Saved;
}

VerificationRun::Outcome VerificationRun::cancel()
{
    if (m_verificationStarted && !m_verificationStopped) {
        stop();
        return Outcome::StayOpen;
    }
    releaseVerifiers();
    return Outcome::Cancelled;
}

void VerificationRun::selectAll()
{
    if (!ticksEditable())
        return;
    for (LinkInfo &info : m_linkInfos)
        info.setSelected(true);
    refreshTable();
    updateLinkCount();
}

void VerificationRun::selectNone()
{
    if (!ticksEditable())
        return;
    for (LinkInfo &info : m_linkInfos)
        info.setSelected(false);
    refreshTable();
    updateLinkCount();
}

void VerificationRun::setSelected(int row, bool selected)
{
    if (!ticksEditable() || row < 0 || row >= numLinks())
        return;
    m_linkInfos[size_t(row)].setSelected(selected);
    emit dataChanged(index(row, VerifyColumn), index(row, VerifyColumn), {Qt::CheckStateRole});
    updateLinkCount();
}

void VerificationRun::start()
{
    if (m_verificationStarted || m_selectedCount == 0)
        return;
    m_verificationStarted = true;
    emit buttonsChanged();
    refreshTable(); // the ticks turn read-only

    // The limits are read once, when the run starts.
    m_activeLimits = m_limits ? *m_limits : VerificationLimits::fromPreferences();
    const FetchSettings settings = m_fetchSettings ? *m_fetchSettings : FetchSettings::fromPreferences();
    m_hosts = std::make_unique<HostScheduler>(m_activeLimits.perHost);
    if (m_clock)
        m_hosts->setClock(m_clock);
    m_hosts->setPauseLimits(settings.retryDelayMs, settings.maximumRetryAfterMs);
    // Queued: a slot is given back from inside a check's own report, which must end first.
    connect(m_hosts.get(), &HostScheduler::roomChanged, this, &VerificationRun::resumeChecks,
            Qt::QueuedConnection);
    connect(m_hosts.get(), &HostScheduler::pausesChanged, this, &VerificationRun::pausesChanged);
    m_pending.clear();
    for (int row = 0; row < numLinks(); ++row) {
        const LinkInfo &info = m_linkInfos[size_t(row)];
        if (info.selected() && !info.verified())
            m_pending.append(row, firstHost(info.link()));
    }
    fillSlots();
    checkVerificationEnded();
}

int VerificationRun::fillSlots()
{
    int last = -1;
    while (m_inProgressCount < m_activeLimits.concurrency) {
        const int row = assignVerifier();
        if (row < 0)
            break;
        last = row;
    }
    return last;
}

void VerificationRun::resumeChecks()
{
    if (!m_verificationStarted || m_verificationStopped || m_assigning)
        return;
    const int next = fillSlots();
    if (next >= 0)
        emit scrollToRow(next);
    checkVerificationEnded();
}

int VerificationRun::pausedHostCount() const
{
    return m_hosts && !m_verificationStopped ? m_hosts->pausedHostCount() : 0;
}

int VerificationRun::assignVerifier()
{
    // A check decided from the addresses alone reports inside verifyLink; rather than starting
    // the next row from inside that report (a recursion as deep as a run of such rows), this loop
    // goes on until one check is under way or no row can start now. A row whose host is busy or
    // paused waits while later rows for other hosts go ahead.
    int started = -1;
    if (!m_hosts || m_verificationStopped)
        return started;
    const QString ownURL = m_collectionManager->selfInfo().URL();
    const auto canStart = [this](const QString &host) { return m_hosts->canStart(host); };
    for (;;) {
        const int row = m_pending.takeNext(canStart);
        if (row < 0)
            break;
        const LinkInfo &info = m_linkInfos[size_t(row)];
        auto verifier = std::make_unique<VerificationManager>(network());
        verifier->setFetchSettings(m_fetchSettings);
        verifier->setHostScheduler(m_hosts.get());
        VerificationManager *manager = verifier.get();
        m_verifiers.push_back(std::move(verifier));
        const bool wasAssigning = m_assigning;
        m_assigning = true;
        const bool underWay = manager->verifyLink(info.link(), row, ownURL, this);
        m_assigning = wasAssigning;
        setResult(underWay ? VerificationInProgress : manager->result(), row);
        started = row;
        if (underWay)
            break;
    }
    return started;
}

void VerificationRun::verificationCompleted(VerificationManager *manager)
{
    const int row = manager->index();
    if (row < 0 || row >= numLinks())
        return;
    m_linkInfos[size_t(row)].setDetails(manager->details());
    setResult(manager->result(), row);
    emit rowCompleted(row);
    if (m_assigning)
        return;
    const int next = fillSlots();
    if (next >= 0)
        emit scrollToRow(next);
    checkVerificationEnded();
}

void VerificationRun::setResult(VerificationResult result, int index)
{
    if (index < 0 || index >= numLinks())
        return;
    LinkInfo &info = m_linkInfos[size_t(index)];
    if (info.result() == VerificationInProgress && result != VerificationInProgress)
        --m_inProgressCount;
    else if (info.result() != VerificationInProgress && result == VerificationInProgress)
        ++m_inProgressCount;
    info.setResult(result);
    emitRowChanged(index);
}

void VerificationRun::checkVerificationEnded()
{
    // Rows waiting for a paused host keep the run going with no check under way.
    if (!m_verificationStarted || m_verificationStopped || verifiersAreRunning() || !m_pending.isEmpty())
        return;
    m_verificationStopped = true;
    refreshTable(); // rows the run never reached now read "Not checked"
    emit buttonsChanged();
    emit runEnded();
}

void VerificationRun::stop()
{
    if (!m_verificationStarted || m_verificationStopped)
        return;
    // Waiting fetches go first, so that no slot given back by a cancelled check starts one.
    if (m_hosts)
        m_hosts->clear();
    for (const std::unique_ptr<VerificationManager> &verifier : m_verifiers)
        verifier->cancel();
    // Rows not started keep their preset code.
    m_pending.clear();
    for (int row = 0; row < numLinks(); ++row) {
        if (m_linkInfos[size_t(row)].result() == VerificationInProgress)
            setResult(VerificationNotVerified, row);
    }
    checkVerificationEnded();
}

bool VerificationRun::save()
{
    if (!m_verificationStopped)
        return false;
    // The links change through the store, which records the change as one step.
    QList<std::pair<QString, VerificationResult>> results;
    for (const LinkInfo &info : m_linkInfos) {
        if (info.selected() && info.result() != VerificationNotVerified)
            results.append({info.link()->ID(), info.result()});
    }
    const bool wrote = m_collectionManager->recordVerificationResults(results, Clock::today());
    releaseVerifiers();
    return wrote;
}

QString VerificationRun::imageNameForResult(VerificationResult result)
{
    switch (result) {
    case VerificationInProgress:
        return QStringLiteral("verifyprogress");
    case VerificationSucceeded:
        return QStringLiteral("verifysuccess");
    case VerificationNoResponse:
    case VerificationLinksPageNotLoaded:
    case VerificationLinkNotFound:
    case VerificationNoLinksPageURL:
        return QStringLiteral("warning");
    default:
        return QString();
    }
}

void VerificationRun::refreshTable()
{
    if (!m_linkInfos.empty())
        emit dataChanged(index(0, 0), index(numLinks() - 1, ColumnCount - 1));
}

void VerificationRun::emitRowChanged(int row)
{
    emit dataChanged(index(row, StatusColumn), index(row, WarningColumn));
}

int VerificationRun::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : numLinks();
}

int VerificationRun::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VerificationRun::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const LinkInfo &info = m_linkInfos[size_t(index.row())];
    switch (role) {
    case ResultCodeRole:
        return int(info.result());
    case ImageNameRole:
        return imageNameForResult(info.result());
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
        if (role == Qt::DecorationRole) {
            // The images are the application's; a window-less user of the run has none.
            const QString path = QStringLiteral(":/images/%1.svg").arg(imageNameForResult(info.result()));
            if (!imageNameForResult(info.result()).isEmpty() && QFile::exists(path))
                return QIcon(path);
        }
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
            // A ticked row the stopped run never reached says so rather than nothing.
            if (m_verificationStopped && info.selected() && info.result() == VerificationNotVerified)
                return tr("Not checked");
            return Codes::verificationRunText(info.result());
        }
        break;
    default:
        break;
    }
    return QVariant();
}

bool VerificationRun::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        index.column() != VerifyColumn || role != Qt::CheckStateRole || !ticksEditable())
        return false;
    setSelected(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags VerificationRun::flags(const QModelIndex &index) const
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

QVariant VerificationRun::headerData(int section, Qt::Orientation orientation, int role) const
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
