#include "HistoryRecorder.h"

#include "HistoryStore.h"
#include "model/Clock.h"
#include "model/Link.h"
#include "verify/VerificationScheduler.h"

HistoryRecorder::HistoryRecorder(const VerificationScheduler *scheduler, QObject *parent) : QObject(parent)
{
    connect(scheduler, &VerificationScheduler::checkFinished, this, &HistoryRecorder::checkCompleted);
    connect(scheduler, &VerificationScheduler::runEnded, this, &HistoryRecorder::runEnded);
}

void HistoryRecorder::startRecording(const QString &databasePath, bool enabled)
{
    m_databasePath = databasePath;
    m_enabled = enabled && !databasePath.isEmpty();
    m_before.clear();
    m_rowChecks.clear();
    m_checks.clear();
    m_changes.clear();
    if (databasePath.isEmpty())
        return;
    // Even a run that records nothing tells its changes against what the history holds.
    HistoryStore store(databasePath);
    if (std::optional<QHash<QString, CheckRecord>> latest = store.latestChecks()) {
        m_before = *latest;
    } else if (m_enabled) {
        m_enabled = false;
        emit historyUnavailable(store.errorString());
    }
}

std::optional<LinkChange::Kind> HistoryRecorder::changeOf(int row) const
{
    const auto check = m_rowChecks.constFind(row);
    if (check == m_rowChecks.constEnd())
        return std::nullopt;
    const auto before = m_before.constFind(check->linkID);
    if (before == m_before.constEnd())
        return std::nullopt;
    return LinkChange::between(*before, *check);
}

void HistoryRecorder::checkCompleted(int row, const Link *link, VerificationResult result,
                                     const VerificationDetails &details)
{
    // A stopped check has no result to keep.
    if (!link || result == VerificationNotVerified || result == VerificationInProgress)
        return;
    m_rowChecks.insert(row, CheckRecord::fromCheck(*link, result, details, Clock::now()));
}

void HistoryRecorder::runEnded()
{
    m_checks.clear();
    m_changes.clear();
    // In row order, so a run's records read like its sheet.
    QList<int> rows = m_rowChecks.keys();
    std::sort(rows.begin(), rows.end());
    for (int row : rows) {
        const CheckRecord &check = m_rowChecks.value(row);
        m_checks.append(check);
        const auto before = m_before.constFind(check.linkID);
        if (before != m_before.constEnd()) {
            if (std::optional<LinkChange> change = LinkChange::of(*before, check))
                m_changes.append(*change);
        }
    }
    if (!m_enabled || m_checks.isEmpty()) {
        emit recordingFinished(m_changes);
        return;
    }
    HistoryStore store(m_databasePath);
    if (!store.record(m_checks)) {
        m_enabled = false;
        emit historyUnavailable(store.errorString());
    }
    emit recordingFinished(m_changes);
}
