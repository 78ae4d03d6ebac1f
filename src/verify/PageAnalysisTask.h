#pragma once

#include "PageAnalysis.h"
#include "PageAnalysisJob.h"

#include <QObject>
#include <atomic>
#include <memory>

// Runs one PageAnalysisJob on the application's PageAnalysisPool and reports its result in the
// task's thread (the application's), so the thread that runs a check never waits for a parse. A
// cancelled or destroyed task reports nothing, and its job is skipped, or its parse given up midway.
// Without an application object the job runs at once.
class PageAnalysisTask : public QObject
{
    Q_OBJECT
public:
    explicit PageAnalysisTask(QObject *parent = nullptr);
    ~PageAnalysisTask() override;

    // One job per task.
    void start(const PageAnalysisJob &job);
    // Nothing is emitted afterwards.
    void cancel();
    bool isRunning() const { return m_running; }

signals:
    void finished(const PageAnalysis &analysis);

private:
    friend class PageAnalysisPool;
    void workEnded();

    // Written by the worker, read here once the pool says the work ended.
    struct Outcome
    {
        std::atomic<bool> cancelled{false};
        PageAnalysis analysis;
    };
    std::shared_ptr<Outcome> m_outcome;
    bool m_running = false;
};
