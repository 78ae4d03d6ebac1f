#include "MessageLogThread.h"

MessageLogThread::MessageLogThread(const QString &databasePath, QObject *parent)
    : QObject(parent), m_databasePath(databasePath)
{
    m_thread.setObjectName(QStringLiteral("Message log"));
    m_worker = new QObject;
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

MessageLogThread::~MessageLogThread()
{
    // The connection is closed on the thread that made it.
    QMetaObject::invokeMethod(
        m_worker, [this] { m_log.reset(); }, Qt::QueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void MessageLogThread::post(std::function<void(MessageLog &)> work)
{
    QMetaObject::invokeMethod(
        m_worker,
        [this, work] {
            if (!m_log)
                m_log = std::make_unique<MessageLog>(m_databasePath);
            work(*m_log);
        },
        Qt::QueuedConnection);
}

void MessageLogThread::notifyChanged(const QStringList &linkIDs)
{
    emit messagesChanged(linkIDs);
}
