#pragma once

#include <QMetaObject>
#include <QObject>

#include <deque>
#include <functional>
#include <mutex>
#include <utility>

// Jobs handed from one thread to the thread of `receiver`, under a lock of our own. Qt's event queue
// carries only the wake-up, a call of `slot` by name made inside Qt; the jobs, and everything they
// carry, cross here. ThreadSanitizer cannot see the lock inside Qt (Qt is not built for it), but it
// sees this one, so it knows what the hand-over guarantees: all the posting thread did before
// posting happens before the receiving thread runs the job.
class ThreadJobQueue
{
public:
    ThreadJobQueue(QObject *receiver, const char *slot) : m_receiver(receiver), m_slot(slot) {}

    void post(std::function<void()> job)
    {
        push(std::move(job));
        QMetaObject::invokeMethod(m_receiver, m_slot, Qt::QueuedConnection);
    }
    // Waits until the receiving thread has run the job (and every one before it); what the job
    // wrote is then the caller's to read.
    void postAndWait(std::function<void()> job)
    {
        push(std::move(job));
        QMetaObject::invokeMethod(m_receiver, m_slot, Qt::BlockingQueuedConnection);
        std::lock_guard lock(m_mutex); // pairs with the lock taken after the jobs ran
    }
    // On the receiving thread, from `slot`: runs every job queued so far, in order.
    void runAll()
    {
        std::deque<std::function<void()>> jobs;
        {
            std::lock_guard lock(m_mutex);
            jobs.swap(m_jobs);
        }
        for (const auto &job : jobs)
            job();
        jobs.clear();
        std::lock_guard lock(m_mutex); // what the jobs wrote, for a caller of postAndWait
    }

private:
    void push(std::function<void()> job)
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }

    QObject *m_receiver;
    const char *m_slot;
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_jobs;
};
