#include "PageAnalysisPool.h"

#include "PageAnalysisTask.h"

#include <QCoreApplication>
#include <QThread>
#include <pthread.h>

PageAnalysisPool::PageAnalysisPool(int threadCount, QObject *parent) : QObject(parent)
{
    for (int i = 0; i < qMax(1, threadCount); ++i)
        m_threads.emplace_back([this] { workLoop(); });
}

PageAnalysisPool::~PageAnalysisPool()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
}

int PageAnalysisPool::defaultThreadCount()
{
    return qMax(2, QThread::idealThreadCount());
}

PageAnalysisPool *PageAnalysisPool::instance()
{
    static std::mutex mutex;
    static QPointer<PageAnalysisPool> shared; // cleared when the application object deletes it
    const std::lock_guard<std::mutex> lock(mutex);
    QCoreApplication *application = QCoreApplication::instance();
    if (!shared && application) {
        shared = new PageAnalysisPool(defaultThreadCount());
        // Deleted, and so joined, with the application, inside main().
        shared->moveToThread(application->thread());
        shared->setParent(application);
    }
    return shared;
}

void PageAnalysisPool::start(PageAnalysisTask *task, std::function<void()> work)
{
    const quint64 id = m_nextID++;
    m_waiting.insert(id, task);
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back({id, std::move(work)});
    }
    m_wake.notify_one();
}

void PageAnalysisPool::workLoop()
{
    // So that top -H and a debugger tell the readers apart from the HTTP and event threads.
    pthread_setname_np(pthread_self(), "page-analysis");
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping)
            return;
        Work work = std::move(m_queue.front());
        m_queue.pop_front();
        lock.unlock();
        work.run();
        work.run = nullptr; // its captures go here, on the worker
        lock.lock();
        m_finished.push_back(work.id);
        // One delivery carries every id finished until it runs. Posted without a functor of ours, so
        // nothing crosses the threads but under the lock above.
        if (!m_deliveryPosted && !m_stopping) {
            m_deliveryPosted = true;
            QMetaObject::invokeMethod(this, "deliverFinished", Qt::QueuedConnection);
        }
    }
}

void PageAnalysisPool::deliverFinished()
{
    std::vector<quint64> finished;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        finished.swap(m_finished);
        m_deliveryPosted = false;
    }
    for (const quint64 id : finished) {
        // A task deleted meanwhile is a null pointer here.
        if (PageAnalysisTask *task = m_waiting.take(id))
            task->workEnded();
    }
}
