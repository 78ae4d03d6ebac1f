#include "MailSendWorker.h"

#include "MessageLog.h"

#include <chrono>

MailSendWorker::MailSendWorker(QObject *parent) : QObject(parent) {}

MailSendWorker::~MailSendWorker()
{
    stop();
    if (m_thread)
        m_thread->wait();
}

bool MailSendWorker::isRunning() const
{
    return m_busy;
}

void MailSendWorker::start(const QString &databasePath, const MailServer &server, const QString &password,
                           const QList<SendJob> &jobs, int pace)
{
    if (m_busy)
        return;
    if (m_thread)
        m_thread->wait(); // the last batch's thread is at its very end
    m_busy = true;
    {
        std::lock_guard lock(m_mutex);
        m_stop = false;
    }
    m_thread.reset(QThread::create([this, databasePath, server, password, jobs, pace] {
        run(databasePath, server, password, jobs, pace);
    }));
    m_thread->setObjectName(QStringLiteral("Mail sending"));
    m_thread->start();
}

void MailSendWorker::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
}

void MailSendWorker::run(const QString &databasePath, const MailServer &server, const QString &password,
                         const QList<SendJob> &jobs, int pace)
{
    MessageLog log(databasePath);
    SmtpSession session(server, password);
    const auto pause = std::chrono::milliseconds(pace > 0 ? 60000 / pace : 0);
    const int total = int(jobs.size());
    for (int i = 0; i < total; ++i) {
        {
            std::unique_lock lock(m_mutex);
            // The pace: a pause before every message but the first, cut short by Stop.
            if (i > 0 && pause.count() > 0)
                m_wake.wait_for(lock, pause, [this] { return m_stop; });
            if (m_stop) {
                QList<qint64> remaining;
                for (int j = i; j < total; ++j)
                    remaining.append(jobs.at(j).logID);
                m_busy = false;
                emit finished(true, remaining);
                return;
            }
        }
        const SendJob &job = jobs.at(i);
        QString messageID;
        const SendResult result = OutboxDelivery::deliver(session, log, job, &messageID);
        if (result.sent)
            emit messageSent(job.logID, job.linkID, messageID);
        else
            emit messageFailed(job.logID, job.linkID, result.reason, result.certificate);
        emit progress(i + 1, total);
        if (result.accountProblem && i + 1 < total) {
            // The rest stays queued for when the account works again.
            QList<qint64> remaining;
            for (int j = i + 1; j < total; ++j)
                remaining.append(jobs.at(j).logID);
            m_busy = false;
            emit finished(true, remaining);
            return;
        }
    }
    m_busy = false;
    emit finished(false, {});
}
