#include "BackgroundVerification.h"

#include "verify/VerificationRun.h"

BackgroundVerification::BackgroundVerification(CollectionManager *store, QObject *parent)
    : QObject(parent), m_run(new VerificationRun(store, this)), m_recorder(new HistoryRecorder(m_run, this))
{
    connect(m_run, &VerificationRun::rowCompleted, this, [this] {
        ++m_done;
        emit progressChanged(m_done, m_total);
    });
    // Queued: the run may end inside start(), before the caller has connected or returned.
    connect(m_run, &VerificationRun::runEnded, this, &BackgroundVerification::runEnded, Qt::QueuedConnection);
}

BackgroundVerification::~BackgroundVerification() = default;

bool BackgroundVerification::start(const QString &databasePath, const QStringList &linkIDs)
{
    if (m_running || linkIDs.isEmpty() || !m_run->initializeFieldsWithSelectedLinkIDs(linkIDs))
        return false;
    if (m_run->selectedCount() == 0)
        return false;
    m_running = true;
    m_done = 0;
    m_total = m_run->selectedCount();
    m_recorder->startRecording(databasePath);
    emit progressChanged(0, m_total);
    m_run->start();
    return true;
}

void BackgroundVerification::stop()
{
    if (m_running)
        m_run->stop();
}

void BackgroundVerification::runEnded()
{
    if (!m_running)
        return;
    m_running = false;
    const bool stored = m_run->save();
    emit finished(stored, m_recorder->changes());
}
