#include "PageAnalysisTask.h"

#include "PageAnalysisPool.h"

PageAnalysisTask::PageAnalysisTask(QObject *parent) : QObject(parent) {}

PageAnalysisTask::~PageAnalysisTask()
{
    cancel();
}

void PageAnalysisTask::start(const PageAnalysisJob &job)
{
    cancel();
    m_outcome = std::make_shared<Outcome>();
    m_running = true;
    auto work = [job, outcome = m_outcome] { outcome->analysis = job.run(outcome->cancelled); };
    PageAnalysisPool *pool = PageAnalysisPool::instance();
    if (!pool) {
        work();
        workEnded();
        return;
    }
    Q_ASSERT(pool->thread() == thread());
    pool->start(this, std::move(work));
}

void PageAnalysisTask::cancel()
{
    if (m_outcome)
        m_outcome->cancelled.store(true);
    m_running = false;
}

void PageAnalysisTask::workEnded()
{
    if (!m_running)
        return;
    m_running = false;
    emit finished(m_outcome->analysis);
}
