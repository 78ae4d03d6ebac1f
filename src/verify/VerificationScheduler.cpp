#include "VerificationScheduler.h"

#include "HostScheduler.h"
#include "RobotsFiles.h"
#include "VerificationManager.h"
#include "model/Link.h"
#include "model/TextUtils.h"

#include <utility>

namespace {

// The host a check's first fetch goes to; none for an address that is decided without a fetch.
QString firstHost(const Link *link)
{
    if (!TextUtils::isValidURL(link->URL()))
        return QString();
    return HostScheduler::hostKey(VerificationManager::fetchURL(link->URL()));
}

} // namespace

VerificationScheduler::VerificationScheduler(QObject *parent) : QObject(parent) {}

VerificationScheduler::~VerificationScheduler()
{
    m_resuming.clear();
    if (m_hosts)
        m_hosts->clear();
    for (const std::unique_ptr<VerificationManager> &verifier : m_verifiers)
        verifier->cancel();
}

void VerificationScheduler::releaseVerifiers()
{
    // A listener of our signals may get here from inside a manager's report; the managers are
    // deleted once that call has returned.
    m_resuming.clear();
    m_paused = 0;
    if (m_hosts)
        m_hosts->clear();
    for (std::unique_ptr<VerificationManager> &verifier : m_verifiers) {
        verifier->cancel();
        verifier.release()->deleteLater();
    }
    m_verifiers.clear();
}

void VerificationScheduler::reset()
{
    releaseVerifiers();
    if (m_robots)
        m_robots.release()->deleteLater();
    if (m_hosts) {
        m_hosts->disconnect(this);
        m_hosts.release()->deleteLater();
    }
    m_pending.clear();
    m_checks.clear();
    m_started = false;
    m_ended = false;
    m_underWay = 0;
    m_paused = 0;
    m_finished = 0;
}

void VerificationScheduler::start(const std::vector<Check> &checks, const QString &ownURL)
{
    if (m_started)
        return;
    m_started = true;
    m_checks = checks;
    m_ownURL = ownURL;
    emit runStarted();

    // The limits are read once, when the run starts.
    m_activeLimits = m_limits ? *m_limits : VerificationLimits::fromPreferences();
    const FetchSettings settings = m_fetchSettings ? *m_fetchSettings : FetchSettings::fromPreferences();
    m_hosts = std::make_unique<HostScheduler>(m_activeLimits.perHost);
    if (m_clock)
        m_hosts->setClock(m_clock);
    m_hosts->setPauseLimits(settings.retryDelayMs, settings.maximumRetryAfterMs);
    m_activeCheckSettings = m_checkSettings ? *m_checkSettings : CheckSettings::fromPreferences();
    m_robots = std::make_unique<RobotsFiles>(network(), settings, m_hosts.get());
    m_confirmLoss.assign(m_checks.size(), false);
    if (m_wasLinked) {
        for (size_t position = 0; position < m_checks.size(); ++position)
            m_confirmLoss[position] = m_wasLinked(m_checks[position].link);
    }
    // Queued: a slot is given back from inside a check's own report, which must end first.
    connect(m_hosts.get(), &HostScheduler::roomChanged, this, &VerificationScheduler::resumeChecks,
            Qt::QueuedConnection);
    connect(m_hosts.get(), &HostScheduler::pausesChanged, this, &VerificationScheduler::pausesChanged);
    m_pending.clear();
    for (size_t position = 0; position < m_checks.size(); ++position)
        m_pending.append(int(position), firstHost(m_checks[position].link));
    fillSlots();
    endIfDone();
}

void VerificationScheduler::fillSlots()
{
    while (m_underWay < m_activeLimits.concurrency) {
        // A check back from its pause goes on before a new one starts.
        if (!m_resuming.empty()) {
            VerificationManager *manager = m_resuming.front();
            m_resuming.erase(m_resuming.begin());
            --m_paused;
            ++m_underWay;
            manager->resume();
            continue;
        }
        if (!startNextChecks())
            break;
    }
}

void VerificationScheduler::verificationPaused(VerificationManager *)
{
    if (!isRunning())
        return;
    --m_underWay;
    ++m_paused;
    if (!m_assigning)
        fillSlots();
}

void VerificationScheduler::verificationReadyToResume(VerificationManager *manager)
{
    if (!isRunning())
        return;
    m_resuming.push_back(manager);
    if (!m_assigning)
        fillSlots();
}

bool VerificationScheduler::startNextChecks()
{
    // A check decided from the addresses alone reports inside verifyLink; rather than starting the
    // next one from inside that report (a recursion as deep as a run of such checks), this loop goes
    // on until one check is under way or none can start now. A check whose host is busy or paused
    // waits while later ones for other hosts go ahead.
    bool any = false;
    const auto canStart = [this](const QString &host) { return m_hosts && m_hosts->canStart(host); };
    while (isRunning()) {
        const int position = m_pending.takeNext(canStart);
        if (position < 0)
            break;
        any = true;
        const Check check = m_checks[size_t(position)];
        auto verifier = std::make_unique<VerificationManager>(network());
        verifier->setFetchSettings(m_fetchSettings);
        verifier->setHostScheduler(m_hosts.get());
        verifier->setCheckSettings(m_activeCheckSettings);
        verifier->setRobotsFiles(m_robots.get());
        verifier->setConfirmLoss(m_confirmLoss[size_t(position)]);
        VerificationManager *manager = verifier.get();
        m_verifiers.push_back(std::move(verifier));
        ++m_underWay;
        emit checkStarted(check.row);
        if (!isRunning())
            break; // stopped by a listener
        const bool wasAssigning = std::exchange(m_assigning, true);
        m_reportedInside = false;
        const bool underWay = manager->verifyLink(check.link, position, m_ownURL, this);
        m_assigning = wasAssigning;
        const bool reported = std::exchange(m_reportedInside, false);
        if (!reported && !underWay)
            finishCheck(manager); // a check that ended without telling still ends
        if (underWay && !reported)
            break;
    }
    return any;
}

void VerificationScheduler::verificationCompleted(VerificationManager *manager)
{
    if (m_assigning)
        m_reportedInside = true;
    finishCheck(manager);
    if (m_assigning)
        return;
    fillSlots();
    endIfDone();
}

void VerificationScheduler::finishCheck(VerificationManager *manager)
{
    const int position = manager->index();
    if (!isRunning() || position < 0 || position >= checkCount())
        return;
    --m_underWay;
    ++m_finished;
    const Check &check = m_checks[size_t(position)];
    emit checkFinished(check.row, check.link, manager->result(), manager->details());
    emit progressChanged(m_finished, checkCount());
}

void VerificationScheduler::resumeChecks()
{
    if (!isRunning() || m_assigning)
        return;
    fillSlots();
    endIfDone();
}

void VerificationScheduler::endIfDone()
{
    // Checks waiting for a paused host keep the run going with no check under way.
    if (!isRunning() || m_underWay > 0 || m_paused > 0 || !m_pending.isEmpty())
        return;
    m_ended = true;
    emit runEnded(false);
}

void VerificationScheduler::stop()
{
    if (!isRunning())
        return;
    // Waiting fetches go first, so that no slot given back by a cancelled check starts one.
    if (m_hosts)
        m_hosts->clear();
    for (const std::unique_ptr<VerificationManager> &verifier : m_verifiers)
        verifier->cancel();
    m_pending.clear();
    m_resuming.clear();
    m_underWay = 0;
    m_paused = 0;
    m_ended = true;
    emit runEnded(true);
}

int VerificationScheduler::pausedHostCount() const
{
    return m_hosts && isRunning() ? m_hosts->pausedHostCount() : 0;
}
