#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class PageAnalysisTask;

// The threads that keep and read fetched pages, one per processor core and at least two, so a run
// reads pages on every core while the thread that runs the checks goes on. Work is handed over and
// back under the pool's own lock; a task hears that its work is done on the pool's thread, never
// from a worker, and a task that is gone by then hears nothing.
//
// The pool belongs to the application object and its destructor joins the workers, so no worker
// outlives main(): work already begun is finished (the parse of a task that is gone gives up at
// once), work not yet begun is dropped.
class PageAnalysisPool : public QObject
{
    Q_OBJECT
public:
    explicit PageAnalysisPool(int threadCount, QObject *parent = nullptr);
    ~PageAnalysisPool() override;

    // The application's pool, made on first use; null without an application object.
    static PageAnalysisPool *instance();
    static int defaultThreadCount();

    int threadCount() const { return int(m_threads.size()); }
    // Runs `work` on a worker, then tells `task` (which lives in the pool's thread) that it ended.
    void start(PageAnalysisTask *task, std::function<void()> work);

private slots:
    void deliverFinished();

private:
    struct Work
    {
        quint64 id;
        std::function<void()> run;
    };
    void workLoop();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Work> m_queue;
    std::vector<quint64> m_finished;
    bool m_deliveryPosted = false;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
    // Only the pool's thread touches these.
    quint64 m_nextID = 1;
    QHash<quint64, QPointer<PageAnalysisTask>> m_waiting;
};
