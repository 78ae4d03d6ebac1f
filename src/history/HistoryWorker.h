#pragma once

#include "CheckRecord.h"
#include "HistoryReply.h"
#include "LinkChange.h"
#include "ThreadJobQueue.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <functional>

class QTimer;

// The history's side of the history thread: every SQLite connection to a history is opened, used and
// closed here. The checks of a run wait in a queue, per database, until they are written: a history
// held by another process is tried again later, with growing pauses, and never loses them; one that
// cannot be used (damaged, read-only, newer) fails them at once. Reads see the waiting checks as if
// they were written. Lives on the history thread; its functions are called there.
class HistoryWorker : public QObject
{
    Q_OBJECT
public:
    // A writer waits this long for another's lock before the checks wait for the next attempt.
    static constexpr int WriteBusyTimeoutMs = 200;
    static constexpr int FirstRetryMs = 2000;
    static constexpr int LongestRetryMs = 30000;

    explicit HistoryWorker(QObject *parent = nullptr);

    // Jobs for the history thread, run there in the order posted.
    ThreadJobQueue &jobs() { return m_jobs; }

    HistoryReply<QHash<QString, LinkTrail>> trails(const QString &databasePath, int unreachableDays);
    HistoryReply<QList<LinkChange>> changes(const QString &databasePath, int unreachableDays);
    HistoryReply<QList<CheckRecord>> checks(const QString &databasePath, const QString &linkID);
    HistoryReply<QHash<QString, CheckRecord>> latestChecks(const QString &databasePath);
    // Copies the history of one database beside another (Save As), with the checks still waiting for
    // it: they are written first where they can be, and what still waits is queued for the copy too.
    HistoryReply<bool> copyHistory(const QString &fromDatabase, const QString &toDatabase);

    // Queues the checks of one run behind the runs waiting for the same history and writes what
    // it can. `failed` hears why, once, when the history cannot be used and the checks are dropped.
    void record(const QString &databasePath, const QList<CheckRecord> &checks,
                const std::function<void(const FileError &)> &failed);
    // One last attempt at everything waiting, each writer waiting `busyTimeoutMs` for a lock; the
    // checks it could not write are dropped and counted.
    int finish(int busyTimeoutMs);
    void setFirstRetryInterval(int milliseconds) { m_firstRetryMs = m_retryMs = milliseconds; }

signals:
    // The number of checks waiting for the history of the database changed.
    void waitingChanged(const QString &databasePath, int checks);

private slots:
    void runJobs() { m_jobs.runAll(); }

private:
    struct Run
    {
        QList<CheckRecord> checks;
        std::function<void(const FileError &)> failed;
    };
    // Writes the waiting runs of every history in order; a busy history keeps its runs from that one on.
    void writeWaiting(int busyTimeoutMs);
    int waitingChecks(const QString &databasePath) const;
    void scheduleRetry();

    ThreadJobQueue m_jobs{this, "runJobs"};
    QMap<QString, QList<Run>> m_waiting; // by database path
    QTimer *m_retry;
    int m_firstRetryMs = FirstRetryMs;
    int m_retryMs = FirstRetryMs;
};
