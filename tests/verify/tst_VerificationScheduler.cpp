#include "support/DatabaseBuilder.h"
#include "support/FakeNetwork.h"

#include "model/Preferences.h"
#include "verify/HostScheduler.h"
#include "verify/VerificationScheduler.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

const QString OwnURL = QStringLiteral("http://www.mysite.example/");

// What a run told, in the order it told it.
struct Heard
{
    QList<int> started;
    QList<int> finished;
    QHash<int, VerificationResult> results;
    QHash<int, QString> details;
    QList<bool> ended; // runEnded's "stopped", once per end

    explicit Heard(VerificationScheduler &scheduler)
    {
        QObject::connect(&scheduler, &VerificationScheduler::checkStarted, &scheduler,
                         [this](int row) { started.append(row); });
        QObject::connect(
            &scheduler, &VerificationScheduler::checkFinished, &scheduler,
            [this](int row, const Link *, VerificationResult result, const VerificationDetails &what) {
                finished.append(row);
                results.insert(row, result);
                details.insert(row, what.summary());
            });
        QObject::connect(&scheduler, &VerificationScheduler::runEnded, &scheduler,
                         [this](bool stopped) { ended.append(stopped); });
    }
};

} // namespace

// How a run schedules its checks and pauses hosts, with fake fetches and a clock moved by hand.
class TestVerificationScheduler : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Preferences::useSettingsFile(m_dir.filePath(QStringLiteral("settings.ini")));
        m_network.setClock([this] { return m_now; });
    }

    void init()
    {
        m_now = 0;
        FakeNetwork::Answer page;
        page.body = "<a href=\"" + OwnURL.toUtf8() + "\">me</a>";
        m_network.setAnswer(QStringLiteral("/page"), page);
        FakeNetwork::Answer slow;
        slow.status = 429;
        slow.headers = {{"Retry-After", "30"}};
        m_network.setAnswer(QStringLiteral("/slow"), slow);
    }

    void perHostCapLetsOtherHostsGoAhead()
    {
        DatabaseBuilder db;
        // Six rows on one host, then rows on others, then that host again.
        const auto checks = addRows(db, QStringLiteral("bbbbbbcdbbe"));
        const int count = int(checks.size());
        VerificationScheduler scheduler;
        prepare(scheduler, 4, 2);
        Heard heard(scheduler);
        QSignalSpy progress(&scheduler, &VerificationScheduler::progressChanged);

        scheduler.start(checks, OwnURL);
        // Two rows of the busy host, and the first rows of the next hosts instead of its third.
        QCOMPARE(heard.started, (QList<int>{0, 1, 6, 7}));
        QCOMPARE(scheduler.checksWaiting(), 7);
        QCOMPARE(m_network.openCount(QStringLiteral("b.example:80")), 2);

        answerRounds(scheduler, 100);
        QCOMPARE(heard.ended, QList<bool>{false});
        QCOMPARE(m_network.mostOpenOnOneHost(), 2);
        QCOMPARE(m_network.mostOpen(), 4);
        // Each check started and reported once; the lone hosts started before the busy host's later rows
        // (they finish in the order the workers analyse their pages, which is any order).
        QCOMPARE(heard.started.size(), count);
        QCOMPARE(heard.finished.size(), count);
        QCOMPARE(heard.results.values(), QList<VerificationResult>(count, VerificationSucceeded));
        QVERIFY(heard.started.indexOf(10) < heard.started.indexOf(5));
        QVERIFY(heard.started.indexOf(6) < heard.started.indexOf(2));
        QCOMPARE(progress.count(), count);
        QCOMPARE(progress.last(), (QVariantList{count, count}));

        // A run starts once (the sheet's next run, after a reset, is the sheet's wiring).
        scheduler.start(checks, OwnURL);
        QCOMPARE(heard.started.size(), count);
    }

    void checksDecidedAtOnceEndTheRunInsideTheStart()
    {
        // Thousands of checks decided at once, one after the other, must not nest one call per check.
        DatabaseBuilder db;
        const int count = 3000;
        const auto checks = addRows(db, QString(count, u'-'));
        VerificationScheduler scheduler;
        prepare(scheduler, 4, 4);
        Heard heard(scheduler);
        const qsizetype sent = m_network.sent().size();
        scheduler.start(checks, OwnURL);
        QVERIFY(scheduler.hasEnded());
        QCOMPARE(heard.ended, QList<bool>{false});
        QCOMPARE(heard.finished.size(), count);
        QCOMPARE(heard.results.value(count - 1), VerificationNoResponse);
        QCOMPARE(m_network.sent().size(), sent);

        // A run without checks ends at once too.
        VerificationScheduler empty;
        QSignalSpy ended(&empty, &VerificationScheduler::runEnded);
        empty.start({}, OwnURL);
        QVERIFY(empty.hasEnded());
        QCOMPARE(ended.count(), 1);
    }

    void pauseHoldsBackOnlyItsHostAndStopEndsIt()
    {
        DatabaseBuilder db;
        const auto checks = addRows(db, QStringLiteral("aaafff"));
        const QString paused = QStringLiteral("a.example:80");
        for (const bool stopping : {false, true}) {
            init();
            VerificationScheduler scheduler;
            prepare(scheduler, 4, 2);
            Heard heard(scheduler);
            QSignalSpy pauses(&scheduler, &VerificationScheduler::pausesChanged);
            scheduler.start(checks, OwnURL);

            // The busy host asks for 30 s; both its checks wait for their links page.
            m_network.answerHost(paused);
            QCOMPARE(scheduler.pausedHostCount(), 1);
            QCOMPARE(pauses.count(), 1);
            const qsizetype sentBefore = m_network.sent().size();
            answerRounds(scheduler, 50, QStringLiteral("f.example:80"));
            // In any order: each page is read on a worker of its own.
            QList<int> finished = heard.finished;
            std::sort(finished.begin(), finished.end());
            QCOMPARE(finished, (QList<int>{3, 4, 5}));
            QCOMPARE(scheduler.checksUnderWay(), 2);
            QCOMPARE(scheduler.checksWaiting(), 1);
            for (qsizetype i = sentBefore; i < m_network.sent().size(); ++i)
                QVERIFY(!m_network.sent().at(i).url.host().startsWith(u'a'));

            if (stopping) {
                // The checks under way end without a report, the waiting one never starts, and neither
                // the end of the pause nor a second stop starts or tells anything.
                scheduler.stop();
                QCOMPARE(heard.ended, QList<bool>{true});
                QCOMPARE(heard.finished.size(), 3);
                QCOMPARE(m_network.openCount(), 0);
                QCOMPARE(scheduler.pausedHostCount(), 0);
                QCOMPARE(scheduler.checksUnderWay() + scheduler.checksWaiting(), 0);
                const qsizetype sent = m_network.sent().size();
                m_now = 60000;
                scheduler.hostScheduler()->wake();
                QCoreApplication::processEvents();
                QCOMPARE(m_network.sent().size(), sent);
                QCOMPARE(heard.started.size(), 5);
                scheduler.stop();
                QCOMPARE(heard.ended.size(), 1);
                continue;
            }
            // Nothing goes there a moment too early, all of it once the pause is over.
            m_now = 29999;
            scheduler.hostScheduler()->wake();
            QCoreApplication::processEvents();
            QCOMPARE(m_network.openCount(paused), 0);
            m_now = 30000;
            m_network.setAnswer(QStringLiteral("/slow"), FakeNetwork::Answer{});
            scheduler.hostScheduler()->wake();
            QCOMPARE(scheduler.pausedHostCount(), 0);
            QCOMPARE(m_network.openCount(paused), 2);
            answerRounds(scheduler, 20);
            QCOMPARE(heard.ended, QList<bool>{false});
            QCOMPARE(heard.results.values(), QList<VerificationResult>(6, VerificationSucceeded));
            // The details say which step waited and how long.
            QVERIFY2(heard.details.value(0).contains("waited 30.0 s before the links page"),
                     qPrintable(heard.details.value(0)));
        }
    }

    void aPauseBeforeASecondLookHoldsNoSlot()
    {
        // One check at a time: the first link was found before and is missing now; while it waits
        // for its second look, the others are checked. robots.txt is read once per server.
        DatabaseBuilder db;
        const auto checks = addRows(db, QStringLiteral("gfff"));
        FakeNetwork::Answer without;
        without.body = "<p>no link</p>";
        m_network.setAnswer(QStringLiteral("/page"), without);
        VerificationScheduler scheduler;
        prepare(scheduler, 1, 1);
        scheduler.setCheckSettings(CheckSettings{.confirmDelayMs = 300, .movedSearchPages = 0});
        const Link *first = checks.front().link;
        scheduler.setLossConfirmation([first](const Link *link) { return link == first; });
        Heard heard(scheduler);
        const qsizetype sentBefore = m_network.sent().size();
        scheduler.start(checks, OwnURL);
        QVERIFY(QTest::qWaitFor(
            [&] {
                m_network.answerAll();
                return heard.finished.size() == 3;
            },
            5000));
        QCOMPARE(heard.finished, (QList<int>{1, 2, 3}));
        QCOMPARE(scheduler.checksPaused(), 1);
        QVERIFY(!scheduler.hasEnded());
        // Back from the pause, it looks again and reports.
        QVERIFY(QTest::qWaitFor(
            [&] {
                m_network.answerAll();
                return scheduler.hasEnded();
            },
            5000));
        QCOMPARE(heard.finished.last(), 0);
        QCOMPARE(heard.results.value(0), VerificationLinkNotFound);
        QVERIFY(heard.details.value(0).contains("still missing when looked at again"));
        int pageLoads = 0, robots = 0;
        for (const FakeNetwork::Sent &sent : m_network.sent().mid(sentBefore)) {
            pageLoads +=
                sent.url.host() == QLatin1String("g.example") && sent.url.path() == QLatin1String("/page");
            robots += sent.url.path() == QLatin1String("/robots.txt");
        }
        QCOMPARE(pageLoads, 2);
        QCOMPARE(robots, 2); // g.example and f.example, once each
    }

    void howLongAnswersPauseAHost()
    {
        HostScheduler hosts(4);
        hosts.setClock([this] { return m_now; });
        hosts.setPauseLimits(500, 5000);
        const QString host = QStringLiteral("x.example:80");

        // 429 without Retry-After: the retry delay, doubled for each further 429, up to the cap.
        for (qint64 expected : {500, 1000, 2000, 4000, 5000}) {
            hosts.answered(host, 429, QByteArray());
            QCOMPARE(hosts.pauseRemaining(host), expected);
            m_now += expected;
            hosts.wake();
        }
        // 503 pauses only when it says for how long; other statuses never.
        hosts.answered(host, 503, QByteArray());
        hosts.answered(host, 500, "3");
        QCOMPARE(hosts.pauseRemaining(host), 0);
        hosts.answered(host, 503, " 3 ");
        QCOMPARE(hosts.pauseRemaining(host), 3000);
        // A longer Retry-After is capped, and a shorter one never shortens a pause.
        hosts.answered(host, 429, "3600");
        QCOMPARE(hosts.pauseRemaining(host), 5000);
        hosts.answered(host, 429, "1");
        QCOMPARE(hosts.pauseRemaining(host), 5000);
        QVERIFY(!hosts.canStart(host));
        QVERIFY(hosts.canStart(QStringLiteral("y.example:80")));
        QCOMPARE(hosts.pausedHostCount(), 1);

        // Host names in lower case with the port; files have no host.
        QCOMPARE(HostScheduler::hostKey(QUrl("HTTP://WWW.Example.COM/x")),
                 QStringLiteral("www.example.com:80"));
        QCOMPARE(HostScheduler::hostKey(QUrl("https://example.com:8443/")),
                 QStringLiteral("example.com:8443"));
        QCOMPARE(HostScheduler::hostKey(QUrl("https://example.com/")), QStringLiteral("example.com:443"));
        QCOMPARE(HostScheduler::hostKey(QUrl("file:///tmp/page.html")), QString());

        // Slots are served in order; a withdrawn request never starts.
        HostScheduler one(1);
        one.setClock([this] { return m_now; });
        QList<int> started;
        QCOMPARE(one.request(host, [&] { started << 1; }), 0u);
        const quint64 second = one.request(host, [&] { started << 2; });
        one.request(host, [&] { started << 3; });
        QVERIFY(second != 0);
        QVERIFY(!one.canStart(host));
        one.withdraw(second);
        one.release(host);
        QCOMPARE(started, (QList<int>{1, 3}));
        QCOMPARE(one.inFlight(host), 1);
        one.release(host);
        QVERIFY(one.canStart(host));
        // No host, no limit.
        one.request(QString(), [&] { started << 4; });
        QCOMPARE(started.last(), 4);
    }

    void limitsComeFromThePreferencesWithinBounds()
    {
        QCOMPARE(VerificationLimits::fromPreferences(), (VerificationLimits{4, 4}));
        Preferences::setValue(Preferences::VerificationConcurrency, 0);
        Preferences::setValue(Preferences::VerificationPerHost, 99);
        QCOMPARE(VerificationLimits::fromPreferences(), (VerificationLimits{1, 16}));
        QVERIFY(VerificationLimits::isValidConcurrency(64) && !VerificationLimits::isValidConcurrency(65));
        QVERIFY(VerificationLimits::isValidPerHost(1) && !VerificationLimits::isValidPerHost(0));

        // Read when a run starts.
        Preferences::setValue(Preferences::VerificationConcurrency, 2);
        Preferences::setValue(Preferences::VerificationPerHost, 3);
        DatabaseBuilder db;
        const auto checks = addRows(db, QStringLiteral("fff"));
        VerificationScheduler scheduler;
        scheduler.setNetworkAccessManager(&m_network);
        scheduler.start(checks, OwnURL);
        QCOMPARE(scheduler.activeLimits(), (VerificationLimits{2, 3}));
        QCOMPARE(scheduler.checksUnderWay(), 2);
        scheduler.stop();
    }

private:
    // One link per host letter, in order; links on "a" get the scripted site answer "/slow".
    std::vector<VerificationScheduler::Check> addRows(DatabaseBuilder &db, const QString &hosts)
    {
        for (int i = 0; i < hosts.size(); ++i) {
            const QString host = QStringLiteral("http://%1.example").arg(hosts.at(i));
            // Without a scheme the partner's address is decided at once, without a fetch.
            const QString site = hosts.at(i) == u'-'   ? QStringLiteral("www.partner.example")
                                 : hosts.at(i) == u'a' ? host + QStringLiteral("/slow")
                                                       : host + QStringLiteral("/site%1").arg(i);
            db.link({.title = QStringLiteral("Partner %1").arg(i, 4, 10, QChar('0')),
                     .URL = site,
                     .counterpartURL = host + QStringLiteral("/page"),
                     .lastStatusChangedOn = QDate(2020, 1, 1)});
        }
        std::vector<VerificationScheduler::Check> checks;
        for (const Link *link : db.store().verifiableLinks())
            checks.push_back({int(checks.size()), link});
        return checks;
    }

    void prepare(VerificationScheduler &scheduler, int concurrency, int perHost)
    {
        scheduler.setFetchSettings(FetchSettings{.retryDelayMs = 1000, .maximumRetryAfterMs = 60000});
        scheduler.setNetworkAccessManager(&m_network);
        scheduler.setClock([this] { return m_now; });
        scheduler.setLimits(VerificationLimits{concurrency, perHost});
    }

    // Answers and lets queued work run until the run ends or `steps` rounds have passed.
    void answerRounds(VerificationScheduler &scheduler, int steps, const QString &host = QString())
    {
        for (int i = 0; i < steps && !scheduler.hasEnded(); ++i) {
            if (host.isEmpty())
                m_network.answerAll();
            else
                m_network.answerHost(host);
            // Pages are read on worker threads: a moment for their results to come back.
            QTest::qWait(5);
            QVERIFY(scheduler.checksUnderWay() <= scheduler.activeLimits().concurrency);
        }
    }

    QTemporaryDir m_dir;
    FakeNetwork m_network;
    qint64 m_now = 0;
};

QTEST_GUILESS_MAIN(TestVerificationScheduler)
#include "tst_VerificationScheduler.moc"
