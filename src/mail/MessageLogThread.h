#pragma once

#include "MessageLog.h"

#include <QObject>
#include <QPointer>
#include <QThread>
#include <functional>
#include <memory>

// The message log of one database on a thread of its own, for windows: a request runs there against
// the one connection and its result (a plain value) comes back on the caller's thread, so the GUI
// thread never waits on the file. Requests run one after another in the order given.
class MessageLogThread : public QObject
{
    Q_OBJECT
public:
    explicit MessageLogThread(const QString &databasePath, QObject *parent = nullptr);
    ~MessageLogThread() override; // finishes the requests given so far, then ends the thread

    // Runs `work` on the log's thread and hands its result to `done` on `context`'s thread (dropped
    // when `context` is gone by then).
    template <typename Result>
    void request(std::function<Result(MessageLog &)> work, QObject *context, std::function<void(Result)> done)
    {
        QPointer<QObject> guard(context);
        post([work, guard, done](MessageLog &log) {
            Result result = work(log);
            if (guard)
                QMetaObject::invokeMethod(
                    guard, [done, result] { done(result); }, Qt::QueuedConnection);
        });
    }

    // Runs `work` on the log's thread without an answer.
    void post(std::function<void(MessageLog &)> work);

    // Whoever changed the log (here or through a connection of its own) says so on this object's
    // thread, so that the windows showing it read it again. No IDs: any link's messages may have changed.
    void notifyChanged(const QStringList &linkIDs = {});

signals:
    void messagesChanged(const QStringList &linkIDs);

private:
    QString m_databasePath;
    QThread m_thread;
    QObject *m_worker = nullptr;       // lives on m_thread
    std::unique_ptr<MessageLog> m_log; // made and used on m_thread only
};
