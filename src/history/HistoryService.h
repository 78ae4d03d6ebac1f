#pragma once

#include "CheckRecord.h"
#include "HistoryReply.h"
#include "LinkChange.h"
#include "ThreadJobQueue.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <functional>

class HistoryWorker;

// The one thread of the application that reads and writes the histories, so that no window ever
// waits on SQLite or on a lock held by another process. Jobs are queued to the thread in the order
// they are asked for; their results come back on the main thread, to callbacks that are dropped
// when their context object is gone. The checks of a run are never dropped for a lock: they wait
// and are written when the lock is released (see HistoryWorker), or at the latest when the
// application quits.
class HistoryService : public QObject
{
    Q_OBJECT
public:
    explicit HistoryService(QObject *parent = nullptr);
    // Finishes (see finish()), warns of checks it could not write, and joins the thread.
    ~HistoryService() override;

    // The application's history thread, made at first use; it is stopped and joined when the
    // application object is destroyed.
    static HistoryService *instance();

    template <typename T> using Callback = std::function<void(const HistoryReply<T> &)>;

    void readTrails(const QString &databasePath, int unreachableDays, QObject *context,
                    Callback<QHash<QString, LinkTrail>> done);
    void readChanges(const QString &databasePath, int unreachableDays, QObject *context,
                     Callback<QList<LinkChange>> done);
    void readChecks(const QString &databasePath, const QString &linkID, QObject *context,
                    Callback<QList<CheckRecord>> done);
    void readLatestChecks(const QString &databasePath, QObject *context,
                          Callback<QHash<QString, CheckRecord>> done);
    // Copies the history of one database beside another on the thread (Save As); the reply's error
    // says why it failed. The copy is behind every job already queued, and before those to come.
    void copyHistory(const QString &fromDatabase, const QString &toDatabase, QObject *context,
                     Callback<bool> done);
    // Queues the checks of a run for the history; `failed` (if its context is still there) hears
    // why when the history cannot be used and they are dropped.
    void record(const QString &databasePath, const QList<CheckRecord> &checks, QObject *context = nullptr,
                std::function<void(const FileError &)> failed = {});

    // The checks waiting for a busy history, as last reported by the thread.
    int waitingChecks(const QString &databasePath) const { return m_waiting.value(databasePath); }
    int waitingChecks() const;
    // Writes everything waiting, each writer waiting up to `busyTimeoutMs` for another's lock; what
    // cannot be written then is dropped. Blocks the caller, for the end of the application or of a
    // command. Returns the number of checks that could not be written.
    int finish(int busyTimeoutMs);
    // "3 verification checks could not be recorded...", for the user.
    static QString lostChecksMessage(int checks);
    // The first pause before a busy history is tried again (tests make it short).
    void setFirstRetryInterval(int milliseconds);

signals:
    void waitingChanged(const QString &databasePath, int checks);

private slots:
    void deliverReplies() { m_replies.runAll(); }

private:
    // Runs `work` on the thread and hands its result to `done` on this thread, if `context` lives.
    template <typename T>
    void run(std::function<HistoryReply<T>(HistoryWorker &)> work, QObject *context, Callback<T> done);
    void stopThread();

    QThread m_thread;
    HistoryWorker *m_worker;
    QHash<QString, int> m_waiting;
    ThreadJobQueue m_replies{this, "deliverReplies"}; // from the thread to this one
};
