#include "verify/PageAnalysisPool.h"
#include "verify/PageAnalysisTask.h"
#include "verify/PageDocument.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>

namespace {

const QString OwnURL = QStringLiteral("http://www.mysite.example/");

PageAnalysisJob page(const QByteArray &body)
{
    PageAnalysisJob job;
    job.body = body;
    job.pageURL = QUrl(QStringLiteral("http://partner.example/links.html"));
    job.ownURL = OwnURL;
    return job;
}

} // namespace

// The threads that read pages: work runs beside the thread that hands it over, on more than one
// worker at once, and comes back only to tasks that still want it; the pool joins its workers.
class TestPageAnalysisPool : public QObject
{
    Q_OBJECT
private slots:
    void workRunsOnSeveralWorkersAndTheEndIsToldOnTheOwnThread()
    {
        QVERIFY(PageAnalysisPool::defaultThreadCount() >= 2);
        PageAnalysisPool *pool = PageAnalysisPool::instance();
        QVERIFY(pool && pool->parent() == QCoreApplication::instance());
        QCOMPARE(pool->threadCount(), PageAnalysisPool::defaultThreadCount());

        // Shared with the work, which may outlast a failed check here.
        struct Seen
        {
            std::mutex mutex;
            std::set<std::thread::id> workers;
            int done = 0;
        };
        const auto state = std::make_shared<Seen>();
        const auto work = [state] {
            // Long enough that every worker takes some.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const std::lock_guard<std::mutex> lock(state->mutex);
            state->workers.insert(std::this_thread::get_id());
            ++state->done;
        };
        PageAnalysisTask first, second;
        QSignalSpy firstEnded(&first, &PageAnalysisTask::finished);
        first.start(page("<a href=\"http://mysite.example/\">mine</a>"));
        second.start(page("<p>nothing</p>"));
        QSignalSpy secondEnded(&second, &PageAnalysisTask::finished);
        for (int i = 0; i < 4; ++i)
            pool->start(nullptr, work);
        QVERIFY(firstEnded.count() == 1 || firstEnded.wait(5000));
        QVERIFY(secondEnded.count() == 1 || secondEnded.wait(5000));
        QVERIFY(firstEnded.first().first().value<PageAnalysis>().linkVisible());
        QVERIFY(!secondEnded.first().first().value<PageAnalysis>().addressFound);
        const auto seen = [state] {
            const std::lock_guard<std::mutex> lock(state->mutex);
            return std::pair(state->done, state->workers);
        };
        QTRY_COMPARE_WITH_TIMEOUT(seen().first, 4, 5000);
        QVERIFY(seen().second.size() >= 2);
        QVERIFY(!seen().second.count(std::this_thread::get_id()));
    }

    void aTaskStoppedOrGoneHearsNothing()
    {
        // Nested past what the parser reads in its time limit: the work takes a second.
        const QByteArray nested = QByteArray("<div>").repeated(200000);
        PageAnalysisTask cancelled;
        QSignalSpy heard(&cancelled, &PageAnalysisTask::finished);
        cancelled.start(page(nested));
        auto gone = std::make_unique<PageAnalysisTask>();
        gone->start(page(nested));
        cancelled.cancel();
        gone.reset();
        // Both parses give up at once rather than at their limit, so the next page is read soon.
        QElapsedTimer clock;
        clock.start();
        PageAnalysisTask later;
        QSignalSpy laterEnded(&later, &PageAnalysisTask::finished);
        later.start(page("<p>after them</p>"));
        QVERIFY(laterEnded.wait(10000));
        QVERIFY2(clock.elapsed() < PageDocument::defaultTimeLimitMs(nested.size()),
                 qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(heard.count(), 0);
        QVERIFY(!cancelled.isRunning());
    }

    void theWorkersAreJoinedAndWorkNotBegunIsDropped()
    {
        std::atomic<int> begun = 0;
        std::atomic<int> ran = 0;
        {
            PageAnalysisPool pool(2);
            for (int i = 0; i < 6; ++i)
                pool.start(nullptr, [&] {
                    ++begun;
                    std::this_thread::sleep_for(std::chrono::milliseconds(300));
                    ++ran;
                });
            QTRY_COMPARE(begun.load(), 2);
        }
        // The two begun were finished before the pool went; the other four never ran.
        QCOMPARE(ran.load(), 2);
        QCOMPARE(begun.load(), 2);
    }
};

QTEST_GUILESS_MAIN(TestPageAnalysisPool)
#include "tst_PageAnalysisPool.moc"
