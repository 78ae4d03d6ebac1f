#include "VerificationRun.h"

#include "model/CollectionManager.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"

VerificationRun::VerificationRun(CollectionManager *store, QObject *parent)
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
    connect(m_scheduler, &VerificationScheduler::runEnded, this, &VerificationRun::runEnded,
            Qt::QueuedConnection);
}

VerificationRun::~VerificationRun() = default;

bool VerificationRun::prepare(const std::optional<QStringList> &ids)
{
    m_recorder->cancelStart();
    m_waiting = false;
    m_running = false;
    m_scheduler->reset();
    m_done = 0;
    m_total = 0;
    return m_rows->buildRows(ids);
}

void VerificationRun::startRecording(const QString &databasePath, bool enabled)
{
    m_recorder->startRecording(databasePath, enabled);
}

bool VerificationRun::start()
{
    if (m_running || m_rows->selectedCount() == 0)
        return false;
    m_running = true;
    m_waiting = true;
    m_done = 0;
    m_total = m_rows->selectedCount();
    emit progressChanged(0, m_total);
    m_recorder->whenReady([this] { startChecks(); });
    return true;
}

void VerificationRun::startChecks()
{
    m_waiting = false;
    m_total = m_rows->selectedCount();
    m_starting = true;
    m_scheduler->start(m_rows->checksToRun(), m_store->selfInfo().URL());
    m_starting = false;
    emit started();
}

void VerificationRun::stop(Unstarted unstarted)
{
    if (!m_running)
        return;
    if (!m_waiting) {
        m_scheduler->stop();
        return;
    }
    m_recorder->cancelStart();
    if (unstarted == Unstarted::EndAsStopped) {
        startChecks();
        m_scheduler->stop();
        return;
    }
    // It ends without a check, as a run does, after this call.
    m_waiting = false;
    QMetaObject::invokeMethod(this, &VerificationRun::runEnded, Qt::QueuedConnection);
}

void VerificationRun::runEnded()
{
    if (!m_running)
        return;
    m_running = false;
    emit ended();
}
