#include "HistoryService.h"

#include "HistoryStore.h"
#include "HistoryWorker.h"

#include <QCoreApplication>
#include <QDebug>

namespace {
QPointer<HistoryService> theInstance;
}

HistoryService::HistoryService(QObject *parent) : QObject(parent), m_worker(new HistoryWorker)
{
    m_thread.setObjectName(QStringLiteral("History"));
    m_worker->moveToThread(&m_thread);
    // Told on the history thread, handed to this one.
    connect(
        m_worker, &HistoryWorker::waitingChanged, m_worker,
        [this](const QString &path, int checks) {
            m_replies.post([this, path, checks] {
                if (checks > 0)
                    m_waiting.insert(path, checks);
                else
                    m_waiting.remove(path);
                emit waitingChanged(path, checks);
            });
        },
        Qt::DirectConnection);
    m_thread.start();
}

HistoryService::~HistoryService()
{
    // Whoever quits without finish() still gets the waiting checks written, or hears of their loss.
    if (const int lost = finish(HistoryStore::DefaultBusyTimeoutMs))
        qWarning().noquote() << lostChecksMessage(lost);
    stopThread();
}

QString HistoryService::lostChecksMessage(int checks)
{
    return tr("%n verification check(s) could not be recorded in the history: another program held it "
              "locked.",
              nullptr, checks);
}

HistoryService *HistoryService::instance()
{
    if (!theInstance) {
        // A child of the application object, so the thread is joined before main() returns.
        theInstance = new HistoryService(QCoreApplication::instance());
    }
    return theInstance;
}

void HistoryService::stopThread()
{
    if (m_thread.isRunning()) {
        m_thread.quit();
        m_thread.wait();
    }
    // Its thread has ended, so nothing else can reach the worker; a deleteLater would never run.
    delete m_worker;
    m_worker = nullptr;
}

template <typename T>
void HistoryService::run(std::function<HistoryReply<T>(HistoryWorker &)> work, QObject *context,
                         Callback<T> done)
{
    if (!m_thread.isRunning()) {
        done(HistoryReply<T>{
            std::nullopt,
            FileError(FileError::Kind::HistoryCannotOpen, QStringLiteral("the history is closed")), false});
        return;
    }
    const QPointer<QObject> guard(context);
    m_worker->jobs().post([this, worker = m_worker, work = std::move(work), guard, done = std::move(done)] {
        HistoryReply<T> reply = work(*worker);
        // This object outlives the thread, which it joins before it goes.
        m_replies.post([guard, done, reply = std::move(reply)] {
            if (guard)
                done(reply);
        });
    });
}

void HistoryService::readTrails(const QString &databasePath, int unreachableDays, QObject *context,
                                Callback<QHash<QString, LinkTrail>> done)
{
    run<QHash<QString, LinkTrail>>(
        [databasePath, unreachableDays](HistoryWorker &worker) {
            return worker.trails(databasePath, unreachableDays);
        },
        context, std::move(done));
}

void HistoryService::readChanges(const QString &databasePath, int unreachableDays, QObject *context,
                                 Callback<QList<LinkChange>> done)
{
    run<QList<LinkChange>>(
        [databasePath, unreachableDays](HistoryWorker &worker) {
            return worker.changes(databasePath, unreachableDays);
        },
        context, std::move(done));
}

void HistoryService::readChecks(const QString &databasePath, const QString &linkID, QObject *context,
                                Callback<QList<CheckRecord>> done)
{
    run<QList<CheckRecord>>(
        [databasePath, linkID](HistoryWorker &worker) { return worker.checks(databasePath, linkID); },
        context, std::move(done));
}

void HistoryService::readLatestChecks(const QString &databasePath, QObject *context,
                                      Callback<QHash<QString, CheckRecord>> done)
{
    run<QHash<QString, CheckRecord>>(
        [databasePath](HistoryWorker &worker) { return worker.latestChecks(databasePath); }, context,
        std::move(done));
}

void HistoryService::copyHistory(const QString &fromDatabase, const QString &toDatabase, QObject *context,
                                 Callback<bool> done)
{
    run<bool>([fromDatabase,
               toDatabase](HistoryWorker &worker) { return worker.copyHistory(fromDatabase, toDatabase); },
              context, std::move(done));
}

void HistoryService::record(const QString &databasePath, const QList<CheckRecord> &checks, QObject *context,
                            std::function<void(const FileError &)> failed)
{
    if (databasePath.isEmpty() || checks.isEmpty())
        return;
    const QPointer<QObject> guard(context);
    const bool guarded = context != nullptr;
    // Told on this thread, and only while whoever asked is still there.
    auto tell = [this, guard, guarded, failed = std::move(failed)](const FileError &error) {
        m_replies.post([guard, guarded, failed, error] {
            if (failed && (!guarded || guard))
                failed(error);
        });
    };
    if (!m_thread.isRunning()) {
        tell(FileError(FileError::Kind::HistoryCannotOpen, QStringLiteral("the history is closed")));
        return;
    }
    m_worker->jobs().post(
        [worker = m_worker, databasePath, checks, tell] { worker->record(databasePath, checks, tell); });
}

int HistoryService::waitingChecks() const
{
    int count = 0;
    for (int checks : m_waiting)
        count += checks;
    return count;
}

void HistoryService::setFirstRetryInterval(int milliseconds)
{
    m_worker->jobs().postAndWait(
        [worker = m_worker, milliseconds] { worker->setFirstRetryInterval(milliseconds); });
}

int HistoryService::finish(int busyTimeoutMs)
{
    if (!m_thread.isRunning())
        return 0;
    int lost = 0;
    // Behind every job already queued, so their checks are among those written.
    m_worker->jobs().postAndWait(
        [worker = m_worker, busyTimeoutMs, &lost] { lost = worker->finish(busyTimeoutMs); });
    m_waiting.clear();
    return lost;
}
