#pragma once

#include "MailAccount.h"
#include "OutboxDelivery.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

// Sends a batch of logged messages on a thread of its own, over one SMTP connection, at a pace of
// so many messages a minute, and records each outcome in the message log from that thread. The
// window follows it through the signals (queued to its thread) and may stop it: the message being
// sent finishes, the rest stays queued, and `start` with the rest resumes.
class MailSendWorker : public QObject
{
    Q_OBJECT
public:
    explicit MailSendWorker(QObject *parent = nullptr);
    ~MailSendWorker() override; // stops and waits for the thread

    // Nothing happens while a batch runs (isRunning). `pace` is messages per minute; 0 sends without
    // a pause.
    void start(const QString &databasePath, const MailServer &server, const QString &password,
               const QList<SendJob> &jobs, int pace);
    void stop();
    bool isRunning() const;

signals:
    void messageSent(qint64 logID, const QString &linkID, const QString &messageID);
    void messageFailed(qint64 logID, const QString &linkID, const QString &reason,
                       const QString &certificate);
    void progress(int done, int total);
    // The batch ended: all sent or failed, or stopped with `remaining` still queued.
    void finished(bool stopped, const QList<qint64> &remaining);

private:
    void run(const QString &databasePath, const MailServer &server, const QString &password,
             const QList<SendJob> &jobs, int pace);

    std::unique_ptr<QThread> m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    // A batch is under way; cleared before `finished` is emitted, so a `start` in answer to it works.
    std::atomic<bool> m_busy = false;
};
