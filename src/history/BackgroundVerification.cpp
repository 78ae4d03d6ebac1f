#include "BackgroundVerification.h"

#include "model/CollectionManager.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"

BackgroundVerification::BackgroundVerification(CollectionManager *store, QObject *parent)
    : QObject(parent), m_store(store), m_scheduler(new VerificationScheduler(this)),
      m_rows(new VerificationRowModel(store, this))
{
    // The rows take each report first, so that whoever hears of it next reads them up to date.
    m_rows->follow(m_scheduler);
    m_recorder = new HistoryRecorder(m_scheduler, this);
    connect(m_scheduler, &VerificationScheduler::progressChanged, this, [this](int done) {
        m_done = done;
        emit progressChanged(m_done, m_total);
    });
    // Queued: the run may end inside start(), before the caller has connected or returned.
    connect(m_scheduler, &VerificationScheduler::runEnded, this, &BackgroundVerification::runEnded,
            Qt::QueuedConnection);
}

BackgroundVerification::~BackgroundVerification() = default;

bool BackgroundVerification::start(const QString &databasePath, const QStringList &linkIDs)
{
    if (m_running || linkIDs.isEmpty())
        return false;
    m_scheduler->reset();
    if (!m_rows->buildRows(linkIDs) || m_rows->selectedCount() == 0)
        return false;
    m_running = true;
    m_done = 0;
    m_total = m_rows->selectedCount();
    m_recorder->startRecording(databasePath);
    emit progressChanged(0, m_total);
    // Once the history's trails are in, which decide the links that are looked at twice.
    m_recorder->whenReady([this] { m_scheduler->start(m_rows->checksToRun(), m_store->selfInfo().URL()); });
    return true;
}

void BackgroundVerification::stop()
{
    if (!m_running)
        return;
    if (m_scheduler->hasStarted()) {
        m_scheduler->stop();
        return;
    }
    // Stopped while the trails were read: it ends without a check, as a run does, after this call.
    m_recorder->cancelStart();
    QMetaObject::invokeMethod(this, &BackgroundVerification::runEnded, Qt::QueuedConnection);
}

void BackgroundVerification::runEnded()
{
    if (!m_running)
        return;
    m_running = false;
    // The document stores them as one change, as Save Result does.
    const QList<std::pair<QString, VerificationResult>> results = m_rows->resultsToSave();
    m_scheduler->reset();
    emit finished(results, m_recorder->changes());
}
