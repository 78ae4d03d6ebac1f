#include "support/DatabaseBuilder.h"
#include "support/FakeNetwork.h"

#include "model/Preferences.h"
#include "verify/HostScheduler.h"
#include "verify/VerificationRun.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString OwnURL = QStringLiteral("http://www.mysite.example/");

} // namespace

// How a run spreads its checks over hosts, with fake fetches and a clock moved by hand: the cap of
// fetches per host while other hosts go ahead, a paused host holding back only its own rows, Stop
// during a pause, how long answers pause a host, and the bounds of the two preferences.
class TestVerificationScheduling : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void perHostCapLetsOtherHostsGoAhead();
    void pauseHoldsBackOnlyItsHost();
    void stopDuringAPause();
    void howLongAnswersPauseAHost();
    void slotsAreServedInOrderAndWithdrawn();
    void limitsComeFromThePreferencesWithinBounds();

private:
    // One row per host letter, in order; rows on "a" get the scripted site answer "/slow".
    void addRows(DatabaseBuilder &db, const QString &hosts);
    void prepare(VerificationRun &run, int concurrency, int perHost);
    // Answers and lets queued work run until the run ends or `steps` rounds have passed.
    void answerRounds(VerificationRun &run, int steps, const QString &host = QString());

    QTemporaryDir m_dir;
    FakeNetwork m_network;
    qint64 m_now = 0;
};

void TestVerificationScheduling::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    Preferences::useSettingsFile(m_dir.filePath(QStringLiteral("settings.ini")));
    m_network.setClock([this] { return m_now; });
    FakeNetwork::Answer page;
    page.body = "<a href=\"" + OwnURL.toUtf8() + "\">me</a>";
    m_network.setAnswer(QStringLiteral("/page"), page);
}

void TestVerificationScheduling::init()
{
    m_now = 0;
    FakeNetwork::Answer slow;
    slow.status = 429;
    slow.headers = {{"Retry-After", "30"}};
    m_network.setAnswer(QStringLiteral("/slow"), slow);
}

void TestVerificationScheduling::addRows(DatabaseBuilder &db, const QString &hosts)
{
    SiteProfileTexts texts;
    texts.URL = OwnURL;
    db.store().setSiteProfile(texts);
    for (int i = 0; i < hosts.size(); ++i) {
        const QString host = QStringLiteral("http://%1.example").arg(hosts.at(i));
        LinkFields fields;
        fields.title = QStringLiteral("Partner %1").arg(i, 3, 10, QChar('0'));
        fields.URL =
            host + (hosts.at(i) == u'a' ? QStringLiteral("/slow") : QStringLiteral("/site%1").arg(i));
        fields.counterpartURL = host + QStringLiteral("/page");
        fields.status = LinkStatusNew;
        fields.lastStatusChangedOn = QDate(2020, 1, 1);
        db.link(fields);
    }
}

void TestVerificationScheduling::prepare(VerificationRun &run, int concurrency, int perHost)
{
    FetchSettings settings;
    settings.maximumRetryAfterMs = 60000;
    settings.retryDelayMs = 1000;
    run.setFetchSettings(settings);
    run.setNetworkAccessManager(&m_network);
    run.setClock([this] { return m_now; });
    VerificationLimits limits;
    limits.concurrency = concurrency;
    limits.perHost = perHost;
    run.setLimits(limits);
    QVERIFY(run.initializeFieldsWithSelectedLinkIDs());
}

void TestVerificationScheduling::answerRounds(VerificationRun &run, int steps, const QString &host)
{
    for (int i = 0; i < steps && !run.verificationStopped(); ++i) {
        if (host.isEmpty())
            m_network.answerAll();
        else
            m_network.answerHost(host);
        QCoreApplication::processEvents();
        QVERIFY(run.checksUnderWay() <= run.activeLimits().concurrency);
    }
}

void TestVerificationScheduling::perHostCapLetsOtherHostsGoAhead()
{
    DatabaseBuilder db;
    // Six rows on one host, then rows on others, then that host again.
    addRows(db, QStringLiteral("bbbbbbcdbbe"));
    VerificationRun run(&db.store());
    prepare(run, 4, 2);
    QList<int> completed;
    connect(&run, &VerificationRun::rowCompleted, this, [&](int row) { completed.append(row); });

    run.confirm();
    // Two rows of the busy host, and the first rows of the next hosts instead of its third.
    QCOMPARE(run.checksUnderWay(), 4);
    for (int row : {0, 1, 6, 7})
        QCOMPARE(run.linkInfo(row).result(), VerificationInProgress);
    QCOMPARE(m_network.openCount(QStringLiteral("b.example:80")), 2);

    answerRounds(run, 100);
    QVERIFY(run.verificationStopped());
    QCOMPARE(m_network.mostOpenOnOneHost(), 2);
    QCOMPARE(m_network.mostOpen(), 4);
    for (int row = 0; row < run.numLinks(); ++row)
        QCOMPARE(run.linkInfo(row).result(), VerificationSucceeded);
    // Each row reported once; the lone hosts finished before the busy host's later rows.
    QCOMPARE(completed.size(), run.numLinks());
    QVERIFY(completed.indexOf(10) < completed.indexOf(5));
    QVERIFY(completed.indexOf(6) < completed.indexOf(2));
}

void TestVerificationScheduling::pauseHoldsBackOnlyItsHost()
{
    DatabaseBuilder db;
    addRows(db, QStringLiteral("aaafff"));
    VerificationRun run(&db.store());
    prepare(run, 4, 2);
    QSignalSpy pauses(&run, &VerificationRun::pausesChanged);
    run.confirm();
    const QString paused = QStringLiteral("a.example:80");

    // The busy host asks for 30 s; both its checks wait for their links page.
    m_network.answerHost(paused);
    QCOMPARE(run.pausedHostCount(), 1);
    QCOMPARE(pauses.count(), 1);
    const qsizetype sentBefore = m_network.sent().size();
    answerRounds(run, 50, QStringLiteral("f.example:80"));
    for (int row = 3; row < 6; ++row)
        QCOMPARE(run.linkInfo(row).result(), VerificationSucceeded);
    QVERIFY(!run.verificationStopped());
    QCOMPARE(run.checksUnderWay(), 2);
    QCOMPARE(run.checksWaiting(), 1);
    for (qsizetype i = sentBefore; i < m_network.sent().size(); ++i)
        QVERIFY(!m_network.sent().at(i).url.host().startsWith(u'a'));

    // Nothing goes there a moment too early, all of it once the pause is over.
    m_now = 29999;
    run.hostScheduler()->wake();
    QCoreApplication::processEvents();
    QCOMPARE(m_network.openCount(paused), 0);
    m_now = 30000;
    m_network.setAnswer(QStringLiteral("/slow"), FakeNetwork::Answer{});
    run.hostScheduler()->wake();
    QCOMPARE(run.pausedHostCount(), 0);
    QCOMPARE(m_network.openCount(paused), 2);
    answerRounds(run, 20);
    QVERIFY(run.verificationStopped());
    for (int row = 0; row < 3; ++row)
        QCOMPARE(run.linkInfo(row).result(), VerificationSucceeded);
    // The details say which step waited and how long.
    QVERIFY2(run.linkInfo(0).details().summary().contains("waited 30.0 s before the links page"),
             qPrintable(run.linkInfo(0).details().summary()));
}

void TestVerificationScheduling::stopDuringAPause()
{
    DatabaseBuilder db;
    addRows(db, QStringLiteral("aaaf"));
    VerificationRun run(&db.store());
    prepare(run, 4, 2);
    run.confirm();
    m_network.answerHost(QStringLiteral("a.example:80"));
    QCOMPARE(run.pausedHostCount(), 1);
    QCOMPARE(run.checksUnderWay(), 3);

    QCOMPARE(run.cancel(), VerificationRun::Outcome::StayOpen); // "Stop"
    QVERIFY(run.verificationStopped());
    QCOMPARE(m_network.openCount(), 0);
    QCOMPARE(run.pausedHostCount(), 0);
    QCOMPARE(run.checksWaiting(), 0);
    for (int row = 0; row < 4; ++row)
        QCOMPARE(run.linkInfo(row).result(), VerificationNotVerified);

    // The end of the pause starts nothing.
    const qsizetype sent = m_network.sent().size();
    m_now = 60000;
    run.hostScheduler()->wake();
    QCoreApplication::processEvents();
    QCOMPARE(m_network.sent().size(), sent);
    QCOMPARE(run.confirm(), VerificationRun::Outcome::Saved);
}

void TestVerificationScheduling::howLongAnswersPauseAHost()
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

    // The HTTP date form, two seconds from now.
    const QString other = QStringLiteral("z.example:8080");
    const QByteArray date = QLocale::c()
                                .toString(QDateTime::currentDateTimeUtc().addSecs(2),
                                          QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'"))
                                .toLatin1();
    hosts.answered(other, 503, date);
    QVERIFY(hosts.pauseRemaining(other) > 500 && hosts.pauseRemaining(other) <= 2000);

    // Host names in lower case with the port; files have no host.
    QCOMPARE(HostScheduler::hostKey(QUrl("HTTP://WWW.Example.COM/x")), QStringLiteral("www.example.com:80"));
    QCOMPARE(HostScheduler::hostKey(QUrl("https://example.com:8443/")), QStringLiteral("example.com:8443"));
    QCOMPARE(HostScheduler::hostKey(QUrl("https://example.com/")), QStringLiteral("example.com:443"));
    QCOMPARE(HostScheduler::hostKey(QUrl("file:///tmp/page.html")), QString());
}

void TestVerificationScheduling::slotsAreServedInOrderAndWithdrawn()
{
    HostScheduler hosts(1);
    hosts.setClock([this] { return m_now; });
    const QString host = QStringLiteral("x.example:80");
    QList<int> started;
    QCOMPARE(hosts.request(host, [&] { started << 1; }), 0u);
    const quint64 second = hosts.request(host, [&] { started << 2; });
    hosts.request(host, [&] { started << 3; });
    QVERIFY(second != 0);
    QVERIFY(!hosts.canStart(host));
    hosts.withdraw(second);
    hosts.release(host);
    QCOMPARE(started, (QList<int>{1, 3}));
    QCOMPARE(hosts.inFlight(host), 1);
    hosts.release(host);
    QVERIFY(hosts.canStart(host));
    // No host, no limit.
    hosts.request(QString(), [&] { started << 4; });
    QCOMPARE(started.last(), 4);
}

void TestVerificationScheduling::limitsComeFromThePreferencesWithinBounds()
{
    QCOMPARE(VerificationLimits::fromPreferences(), VerificationLimits());
    QCOMPARE(VerificationLimits().concurrency, 4);
    QCOMPARE(VerificationLimits().perHost, 4);
    Preferences::setValue(Preferences::VerificationConcurrency, 0);
    Preferences::setValue(Preferences::VerificationPerHost, 99);
    QCOMPARE(VerificationLimits::fromPreferences().concurrency, 1);
    QCOMPARE(VerificationLimits::fromPreferences().perHost, 16);
    QVERIFY(VerificationLimits::isValidConcurrency(64) && !VerificationLimits::isValidConcurrency(65));
    QVERIFY(VerificationLimits::isValidPerHost(1) && !VerificationLimits::isValidPerHost(0));

    // Read when a run starts.
    Preferences::setValue(Preferences::VerificationConcurrency, 2);
    Preferences::setValue(Preferences::VerificationPerHost, 3);
    DatabaseBuilder db;
    addRows(db, QStringLiteral("fff"));
    VerificationRun run(&db.store());
    run.setNetworkAccessManager(&m_network);
    QVERIFY(run.initializeFieldsWithSelectedLinkIDs());
    run.confirm();
    QCOMPARE(run.activeLimits().concurrency, 2);
    QCOMPARE(run.activeLimits().perHost, 3);
    QCOMPARE(run.checksUnderWay(), 2);
    run.cancel();
    Preferences::remove(Preferences::VerificationConcurrency);
    Preferences::remove(Preferences::VerificationPerHost);
}

QTEST_GUILESS_MAIN(TestVerificationScheduling)
#include "tst_VerificationScheduling.moc"
