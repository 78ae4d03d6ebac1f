#include "HistoryWorker.h"

#include "HistoryStore.h"

#include <QFileInfo>
#include <QTimer>
#include <algorithm>

HistoryWorker::HistoryWorker(QObject *parent) : QObject(parent), m_retry(new QTimer(this))
{
    m_retry->setSingleShot(true);
    connect(m_retry, &QTimer::timeout, this, [this] { writeWaiting(WriteBusyTimeoutMs); });
}

int HistoryWorker::waitingChecks(const QString &databasePath) const
{
    int count = 0;
    for (const Run &run : m_waiting.value(databasePath))
        count += int(run.checks.size());
    return count;
}

HistoryReply<QHash<QString, LinkTrail>> HistoryWorker::trails(const QString &databasePath,
                                                              int unreachableDays)
{
    HistoryStore store(databasePath);
    HistoryReply<QHash<QString, LinkTrail>> reply;
    reply.value = store.trails(unreachableDays);
    if (!reply.value) {
        reply.error = store.error();
        reply.busy = store.isBusy();
        return reply;
    }
    // The checks still waiting come after those written.
    for (const Run &run : m_waiting.value(databasePath)) {
        for (const CheckRecord &check : run.checks) {
            LinkTrail &trail = (*reply.value)[check.linkID];
            trail = trail.appended(check);
        }
    }
    return reply;
}

HistoryReply<QList<LinkChange>> HistoryWorker::changes(const QString &databasePath, int unreachableDays)
{
    const HistoryReply<QHash<QString, LinkTrail>> all = trails(databasePath, unreachableDays);
    HistoryReply<QList<LinkChange>> reply{std::nullopt, all.error, all.busy};
    if (all.value)
        reply.value = HistoryStore::changesOf(*all.value, unreachableDays);
    return reply;
}

HistoryReply<QList<CheckRecord>> HistoryWorker::checks(const QString &databasePath, const QString &linkID)
{
    HistoryStore store(databasePath);
    HistoryReply<QList<CheckRecord>> reply;
    reply.value = store.checks(linkID);
    if (!reply.value) {
        reply.error = store.error();
        reply.busy = store.isBusy();
        return reply;
    }
    // Newest first, as the history reads them.
    QList<CheckRecord> waiting;
    for (const Run &run : m_waiting.value(databasePath)) {
        for (const CheckRecord &check : run.checks) {
            if (linkID.isNull() || check.linkID == linkID)
                waiting.prepend(check);
        }
    }
    if (!waiting.isEmpty()) {
        reply.value->append(waiting);
        std::stable_sort(
            reply.value->begin(), reply.value->end(),
            [](const CheckRecord &a, const CheckRecord &b) { return a.checkedOn > b.checkedOn; });
    }
    return reply;
}

HistoryReply<QHash<QString, CheckRecord>> HistoryWorker::latestChecks(const QString &databasePath)
{
    HistoryStore store(databasePath);
    HistoryReply<QHash<QString, CheckRecord>> reply;
    reply.value = store.latestChecks();
    if (!reply.value) {
        reply.error = store.error();
        reply.busy = store.isBusy();
        return reply;
    }
    for (const Run &run : m_waiting.value(databasePath)) {
        for (const CheckRecord &check : run.checks)
            reply.value->insert(check.linkID, check);
    }
    return reply;
}

HistoryReply<bool> HistoryWorker::copyHistory(const QString &fromDatabase, const QString &toDatabase)
{
    HistoryReply<bool> reply;
    if (m_waiting.contains(fromDatabase))
        writeWaiting(WriteBusyTimeoutMs);
    FileError error;
    if (!HistoryStore::copyHistory(fromDatabase, toDatabase, &error)) {
        reply.error = error;
        return reply;
    }
    reply.value = true;
    // Those the old history could not take yet belong to the copy as much; its owner hears of failures
    // through the old history's runs only.
    const QList<Run> waiting = m_waiting.value(fromDatabase);
    const bool sameFile =
        QFileInfo(fromDatabase).canonicalFilePath() == QFileInfo(toDatabase).canonicalFilePath();
    if (!waiting.isEmpty() && !sameFile) {
        for (const Run &run : waiting)
            m_waiting[toDatabase].append({run.checks, {}});
        writeWaiting(WriteBusyTimeoutMs);
    }
    return reply;
}

void HistoryWorker::record(const QString &databasePath, const QList<CheckRecord> &checks,
                           const std::function<void(const FileError &)> &failed)
{
    if (databasePath.isEmpty() || checks.isEmpty())
        return;
    m_waiting[databasePath].append({checks, failed});
    writeWaiting(WriteBusyTimeoutMs);
}

void HistoryWorker::writeWaiting(int busyTimeoutMs)
{
    bool anyBusy = false;
    for (auto path = m_waiting.begin(); path != m_waiting.end();) {
        const int before = waitingChecks(path.key());
        QList<Run> &runs = path.value();
        HistoryStore store(path.key());
        store.setBusyTimeout(busyTimeoutMs);
        bool busy = false;
        while (!runs.isEmpty() && !busy) {
            if (store.record(runs.constFirst().checks)) {
                runs.removeFirst();
            } else if (store.isBusy()) {
                busy = true;
            } else {
                // Damaged, read-only or newer: trying again would not help.
                const Run run = runs.takeFirst();
                if (run.failed)
                    run.failed(store.error());
            }
        }
        anyBusy = anyBusy || busy;
        const QString databasePath = path.key();
        const int after = waitingChecks(databasePath);
        if (runs.isEmpty())
            path = m_waiting.erase(path);
        else
            ++path;
        if (after != before || busy)
            emit waitingChanged(databasePath, after);
    }
    if (anyBusy) {
        scheduleRetry();
    } else {
        m_retry->stop();
        m_retryMs = m_firstRetryMs;
    }
}

void HistoryWorker::scheduleRetry()
{
    if (m_retry->isActive())
        return;
    m_retry->start(m_retryMs);
    m_retryMs = std::min(m_retryMs * 2, LongestRetryMs);
}

int HistoryWorker::finish(int busyTimeoutMs)
{
    m_retry->stop();
    writeWaiting(busyTimeoutMs);
    m_retry->stop();
    int lost = 0;
    for (auto path = m_waiting.cbegin(); path != m_waiting.cend(); ++path)
        lost += waitingChecks(path.key());
    const QStringList paths = m_waiting.keys();
    m_waiting.clear();
    for (const QString &path : paths)
        emit waitingChanged(path, 0);
    return lost;
}
