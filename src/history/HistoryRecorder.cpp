#include "HistoryRecorder.h"

#include "HistoryService.h"
#include "model/Clock.h"
#include "model/Link.h"
#include "verify/VerificationScheduler.h"

HistoryRecorder::HistoryRecorder(VerificationScheduler *scheduler, QObject *parent) : QObject(parent)
{
    connect(scheduler, &VerificationScheduler::checkFinished, this, &HistoryRecorder::checkCompleted);
    connect(scheduler, &VerificationScheduler::runEnded, this, &HistoryRecorder::runEnded);
    // A link found at its last judged check is looked at twice before it is called missing.
    scheduler->setLossConfirmation([this](const Link *link) {
        const LinkTrail trail = trailBefore(*link);
        return trail.lastJudged && trail.lastJudged->outcome == CheckOutcome::Linked;
    });
}

void HistoryRecorder::startRecording(const QString &databasePath, bool enabled,
                                     std::optional<int> unreachableDays)
{
    m_databasePath = databasePath;
    m_enabled = enabled && !databasePath.isEmpty();
    m_historyRead = false;
    m_unreachableDays = unreachableDays.value_or(LinkChange::unreachableDaysFromPreferences());
    m_before.clear();
    m_rowChecks.clear();
    m_rowChanges.clear();
    m_checks.clear();
    m_changes.clear();
    m_ready = false;
    const int reading = ++m_reading;
    if (databasePath.isEmpty()) {
        m_ready = true;
        return;
    }
    // Even a run that records nothing tells its changes against what the history holds.
    HistoryService::instance()->readTrails(
        databasePath, m_unreachableDays, this,
        [this, reading](const HistoryReply<QHash<QString, LinkTrail>> &reply) {
            if (reading != m_reading)
                return;
            if (reply.value) {
                m_before = *reply.value;
                m_historyRead = true;
            } else if (m_enabled && !reply.busy) {
                // A history held by another process still takes the run's checks later.
                m_enabled = false;
                emit historyUnavailable(m_databasePath, reply.error);
            }
            m_ready = true;
            emit ready();
            if (std::function<void()> start = std::exchange(m_start, nullptr))
                start();
        });
}

void HistoryRecorder::whenReady(std::function<void()> start)
{
    if (m_ready) {
        m_start = nullptr;
        start();
    } else {
        m_start = std::move(start);
    }
}

LinkTrail HistoryRecorder::trailBefore(const Link &link) const
{
    const auto known = m_before.constFind(link.ID());
    if (known != m_before.constEnd())
        return *known;
    // The database remembers the last result, also when the history is damaged or locked.
    LinkTrail trail;
    if (const std::optional<CheckRecord> stored = CheckRecord::fromStoredResult(link))
        trail = trail.appended(*stored);
    return trail;
}

std::optional<LinkChange::Kind> HistoryRecorder::changeOf(int row) const
{
    const auto change = m_rowChanges.constFind(row);
    if (change == m_rowChanges.constEnd())
        return std::nullopt;
    return change->kind;
}

void HistoryRecorder::checkCompleted(int row, const Link *link, VerificationResult result,
                                     const VerificationDetails &details)
{
    // A stopped check has no result to keep.
    if (!link || result == VerificationNotVerified || result == VerificationInProgress)
        return;
    const CheckRecord check = CheckRecord::fromCheck(*link, result, details, Clock::now());
    m_rowChecks.insert(row, check);
    // Judged against what was known before the run; read now, while the link still holds its old result.
    if (std::optional<LinkChange> change = LinkChange::raisedBy(trailBefore(*link), check, m_unreachableDays))
        m_rowChanges.insert(row, *change);
    else
        m_rowChanges.remove(row);
}

void HistoryRecorder::runEnded()
{
    m_checks.clear();
    m_changes.clear();
    // In row order, so a run's records read like its sheet.
    QList<int> rows = m_rowChecks.keys();
    std::sort(rows.begin(), rows.end());
    for (int row : rows) {
        m_checks.append(m_rowChecks.value(row));
        const auto change = m_rowChanges.constFind(row);
        if (change != m_rowChanges.constEnd())
            m_changes.append(*change);
    }
    if (!m_enabled || m_checks.isEmpty()) {
        emit recordingFinished(m_changes);
        return;
    }
    // Written on the history thread; a history that another process holds takes them later.
    HistoryService::instance()->record(
        m_databasePath, m_checks, this,
        [this, path = m_databasePath](const FileError &error) { emit historyUnavailable(path, error); });
    emit recordingFinished(m_changes);
}
