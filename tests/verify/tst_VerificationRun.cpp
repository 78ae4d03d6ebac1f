#include "support/DatabaseBuilder.h"
#include "support/HttpTestServer.h"

#include "model/Clock.h"
#include "model/Preferences.h"
#include "verify/VerificationRun.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate LongAgo(2020, 1, 1);

FetchSettings fastSettings(int timeoutMs = 1000)
{
    FetchSettings settings;
    settings.timeoutMs = timeoutMs;
    settings.retryDelayMs = 20;
    return settings;
}

VerificationResult code(const VerificationRun &run, int row)
{
    return run.linkInfo(row).result();
}

} // namespace

// The verification run as the sheet sees it: rows, ticks and presets, the buttons, the rule of four
// checks at once in row order, checks decided at once, stop, and what saving writes.
class TestVerificationRun : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private slots:
    void initTestCase();
    void rowsTicksAndPresets();
    void buttonsFollowTheTicksAndTheRun();
    void noVerifiableLink();
    void atMostFourChecksInRowOrder();
    void checksDecidedAtOnceEndTheRunInsideTheStart();
    void stopDuringARun();
    void saveRules();

private:
    LinkFields partner(const QString &title, const QString &site, const QString &page,
                       LinkStatus status = LinkStatusApproved,
                       VerificationResult stored = VerificationNotVerified);
    void setOwnURL(CollectionManager &store);
    bool runToEnd(VerificationRun &run);

    HttpTestServer m_server;
    QTemporaryDir m_dir;
};

void TestVerificationRun::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    Preferences::useSettingsFile(m_dir.filePath(QStringLiteral("settings.ini")));
    QVERIFY(m_server.listen());
    using R = HttpTestServer::Response;
    m_server.setResponse("/ok", R::page("<a href=\"http://www.mysite.example/\">me</a>"));
    m_server.setResponse("/without", R::page("<a href=\"http://other.example/\">other</a>"));
    m_server.setResponse("/hang", R::behaving(R::Mode::NeverAnswer));
}

LinkFields TestVerificationRun::partner(const QString &title, const QString &site, const QString &page,
                                        LinkStatus status, VerificationResult stored)
{
    LinkFields fields;
    fields.title = title;
    fields.URL = site.startsWith(u'/') ? m_server.url(site) : site;
    fields.counterpartURL = page.startsWith(u'/') ? m_server.url(page) : page;
    fields.status = status;
    fields.lastStatusChangedOn = LongAgo;
    fields.lastVerificationResult = stored;
    if (stored != VerificationNotVerified)
        fields.lastVerifiedOn = LongAgo;
    return fields;
}

void TestVerificationRun::setOwnURL(CollectionManager &store)
{
    SiteProfileTexts texts;
    texts.title = QStringLiteral("My site");
    texts.URL = QStringLiteral("http://www.mysite.example/");
    store.setSiteProfile(texts);
}

bool TestVerificationRun::runToEnd(VerificationRun &run)
{
    run.confirm();
    return QTest::qWaitFor([&] { return run.verificationStopped(); }, 20000);
}

void TestVerificationRun::rowsTicksAndPresets()
{
    DatabaseBuilder db;
    db.defaultCategory().link(partner("A", "/ok", "/ok"));
    db.link(partner("B blocked", "/ok", "/ok", LinkStatusBlocked));
    db.category("Friends").link(partner("C", "/ok", ""));
    db.link(partner("D", "/ok", "/ok", LinkStatusNegotiating, VerificationMarkedVerified));
    db.link(partner("E", "/ok", "/ok", LinkStatusApproved, VerificationNoLinksPageURL));
    db.link(partner("F", "/ok", "http://"));
    db.link(partner("G", "/ok", "/ok"));
    auto id = [&](const char *title) {
        for (const Link *link : db.store().verifiableLinks()) {
            if (link->title() == QLatin1String(title))
                return link->ID();
        }
        return QString();
    };

    VerificationRun run(&db.store());
    QAbstractItemModelTester tester(&run, QAbstractItemModelTester::FailureReportingMode::QtTest);

    // Without a list: every verifiable link, ticked unless marked as verified.
    QVERIFY(run.initializeFieldsWithSelectedLinkIDs());
    QCOMPARE(run.rowCount(), 6);
    const QString titles[] = {"A", "C", "D", "E", "F", "G"};
    const char codes[] = {VerificationNotVerified, VerificationNoLinksPageURL, VerificationMarkedVerified,
                          VerificationNotVerified, VerificationNoLinksPageURL, VerificationNotVerified};
    const bool ticks[] = {true, true, false, true, true, true};
    for (int row = 0; row < 6; ++row) {
        QCOMPARE(run.data(run.index(row, VerificationRun::LinkColumn)).toString(), titles[row]);
        QCOMPARE(code(run, row), codes[row]);
        QCOMPARE(run.linkInfo(row).selected(), ticks[row]);
        QVERIFY(!run.linkInfo(row).verified());
    }
    QCOMPARE(run.data(run.index(0, VerificationRun::CategoryColumn)).toString(), QStringLiteral("General"));
    QCOMPARE(run.data(run.index(5, VerificationRun::CategoryColumn)).toString(), QStringLiteral("Friends"));
    QCOMPARE(run.data(run.index(1, VerificationRun::WarningColumn)).toString(),
             QStringLiteral("Links page URL is not specified."));
    QCOMPARE(run.data(run.index(2, VerificationRun::WarningColumn)).toString(),
             QStringLiteral("Marked as verified."));
    QCOMPARE(run.data(run.index(0, VerificationRun::WarningColumn)).toString(), QString());
    QCOMPARE(run.data(run.index(1, 0), VerificationRun::ImageNameRole).toString(), QStringLiteral("warning"));
    QCOMPARE(run.data(run.index(2, 0), VerificationRun::ImageNameRole).toString(), QString());
    QCOMPARE(run.data(run.index(0, VerificationRun::VerifyColumn), Qt::CheckStateRole).toInt(),
             int(Qt::Checked));
    QCOMPARE(run.verifyButtonTitle(), QStringLiteral("Verify 5 Links"));

    // With a list: only the listed are ticked; a stale stored "no links page" shows until checked.
    QVERIFY(run.initializeFieldsWithSelectedLinkIDs(QStringList{id("C"), id("D"), id("E"), id("G")}));
    const char listedCodes[] = {VerificationNotVerified,    VerificationNoLinksPageURL,
                                VerificationMarkedVerified, VerificationNoLinksPageURL,
                                VerificationNoLinksPageURL, VerificationNotVerified};
    const bool listedTicks[] = {false, true, false, true, false, true};
    for (int row = 0; row < 6; ++row) {
        QCOMPARE(code(run, row), listedCodes[row]);
        QCOMPARE(run.linkInfo(row).selected(), listedTicks[row]);
    }
    QCOMPARE(run.firstRowToShow(), 5);
    QCOMPARE(run.verifyButtonTitle(), QStringLiteral("Verify 3 Links"));
}

void TestVerificationRun::buttonsFollowTheTicksAndTheRun()
{
    DatabaseBuilder db;
    setOwnURL(db.store());
    db.link(partner("A", "/ok", "/ok")).link(partner("B", "/ok", "/without"));
    VerificationRun run(&db.store());
    QAbstractItemModelTester tester(&run, QAbstractItemModelTester::FailureReportingMode::QtTest);
    run.setFetchSettings(fastSettings());
    QVERIFY(run.initializeFieldsWithSelectedLinkIDs());
    QSignalSpy buttons(&run, &VerificationRun::buttonsChanged);

    run.selectNone();
    QCOMPARE(run.verifyButtonTitle(), QStringLiteral("Verify Links"));
    QVERIFY(!run.verifyButtonEnabled());
    QCOMPARE(run.confirm(), VerificationRun::Outcome::StayOpen);
    QVERIFY(!run.verificationStarted()); // nothing ticked, nothing to run
    QVERIFY(run.setData(run.index(1, VerificationRun::VerifyColumn), Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(run.verifyButtonTitle(), QStringLiteral("Verify 1 Link"));
    QVERIFY(run.verifyButtonEnabled());
    run.selectAll();
    QCOMPARE(run.verifyButtonTitle(), QStringLiteral("Verify 2 Links"));
    QCOMPARE(run.cancelButtonTitle(), QStringLiteral("Cancel"));
    QVERIFY(buttons.count() >= 3);

    QCOMPARE(run.confirm(), VerificationRun::Outcome::StayOpen);
    QVERIFY(run.verificationStarted());
    QCOMPARE(run.cancelButtonTitle(), QStringLiteral("Stop"));
    QVERIFY(!run.verifyButtonEnabled());
    QVERIFY(!run.selectButtonsEnabled());
    QVERIFY(!(run.flags(run.index(0, VerificationRun::VerifyColumn)) & Qt::ItemIsEnabled));
    QVERIFY(!run.setData(run.index(0, VerificationRun::VerifyColumn), Qt::Unchecked, Qt::CheckStateRole));
    run.selectNone();
    QVERIFY(run.linkInfo(0).selected());
    QCOMPARE(run.confirm(), VerificationRun::Outcome::StayOpen); // nothing while it runs
    QCOMPARE(run.data(run.index(0, 0), VerificationRun::ImageNameRole).toString(),
             QStringLiteral("verifyprogress"));

    QVERIFY(QTest::qWaitFor([&] { return run.verificationStopped(); }, 10000));
    QCOMPARE(run.verifyButtonTitle(), QStringLiteral("Save Result"));
    QVERIFY(run.verifyButtonEnabled());
    QCOMPARE(run.cancelButtonTitle(), QStringLiteral("Cancel"));
    QVERIFY(!run.selectButtonsEnabled());
    QCOMPARE(run.data(run.index(0, VerificationRun::WarningColumn)).toString(),
             QStringLiteral("Verified successfully."));
    QCOMPARE(run.data(run.index(1, VerificationRun::WarningColumn)).toString(),
             QStringLiteral("Reciprocal link cannot be found."));
    QVERIFY(run.data(run.index(0, VerificationRun::WarningColumn), Qt::ToolTipRole)
                .toString()
                .contains("HTTP 200"));

    // Closing without saving writes nothing.
    QCOMPARE(run.cancel(), VerificationRun::Outcome::Cancelled);
    QVERIFY(!db.store().verifiableLinks().at(0)->lastVerifiedOn().isValid());
}

void TestVerificationRun::noVerifiableLink()
{
    DatabaseBuilder db;
    db.link(partner("Blocked", "/ok", "/ok", LinkStatusBlocked));
    VerificationRun run(&db.store());
    QVERIFY(!run.initializeFieldsWithSelectedLinkIDs());
    QCOMPARE(run.rowCount(), 0);
    QVERIFY(!run.initializeFieldsWithSelectedLinkIDs(QStringList{db.lastLink()->ID()}));
}

void TestVerificationRun::atMostFourChecksInRowOrder()
{
    DatabaseBuilder db;
    setOwnURL(db.store());
    const int count = 12;
    for (int i = 0; i < count; ++i) {
        // Every third partner has an address that is decided at once.
        const QString site =
            i % 3 == 2 ? QStringLiteral("partner%1.example").arg(i) : QStringLiteral("/s%1").arg(i);
        m_server.setResponse(QStringLiteral("/s%1").arg(i), HttpTestServer::Response::page("up"));
        m_server.setResponse(QStringLiteral("/p%1").arg(i),
                             HttpTestServer::Response::page("<a href='http://www.mysite.example/'>"));
        db.link(partner(QStringLiteral("Partner %1").arg(i, 2, 10, QChar('0')), site,
                        QStringLiteral("/p%1").arg(i)));
    }
    VerificationRun run(&db.store());
    QAbstractItemModelTester tester(&run, QAbstractItemModelTester::FailureReportingMode::QtTest);
    run.setFetchSettings(fastSettings());
    QVERIFY(run.initializeFieldsWithSelectedLinkIDs());
    int mostInProgress = 0;
    QList<int> startOrder; // rows as their checks start; each fetch has its own client, so the
                           // server may see two requests that start together in either order
    connect(&run, &QAbstractItemModel::dataChanged, this, [&] {
        int inProgress = 0;
        for (int row = 0; row < run.rowCount(); ++row) {
            const bool running = code(run, row) == VerificationInProgress;
            inProgress += running ? 1 : 0;
            if (running && !startOrder.contains(row))
                startOrder.append(row);
        }
        mostInProgress = qMax(mostInProgress, inProgress);
        QVERIFY(inProgress == run.checksUnderWay());
    });
    m_server.resetCounters();
    m_server.setDefaultDelay(40);
    QSignalSpy ended(&run, &VerificationRun::runEnded);
    const bool finished = runToEnd(run);
    m_server.setDefaultDelay(0);
    QVERIFY(finished);
    QCOMPARE(ended.count(), 1);

    QCOMPARE(m_server.maxInFlight(), 4);
    QCOMPARE(mostInProgress, 4);
    QVERIFY(startOrder.size() >= count - count / 3); // a refused connection may end within its start
    QVERIFY(std::is_sorted(startOrder.begin(), startOrder.end()));
    for (int row = 0; row < count; ++row)
        QCOMPARE(code(run, row), row % 3 == 2 ? VerificationNoResponse : VerificationSucceeded);
}

void TestVerificationRun::checksDecidedAtOnceEndTheRunInsideTheStart()
{
    DatabaseBuilder db;
    setOwnURL(db.store());
    // Thousands of rows decided at once, one after the other, must not nest one call per row.
    const int count = 3000;
    for (int i = 0; i < count; ++i)
        db.link(partner(QStringLiteral("P%1").arg(i), QStringLiteral("www.partner%1.example").arg(i), "/ok"));
    VerificationRun run(&db.store());
    QVERIFY(run.initializeFieldsWithSelectedLinkIDs());
    m_server.resetCounters();
    QSignalSpy ended(&run, &VerificationRun::runEnded);
    QCOMPARE(run.confirm(), VerificationRun::Outcome::StayOpen);
    QVERIFY(run.verificationStopped());
    QCOMPARE(ended.count(), 1);
    QCOMPARE(run.verifyButtonTitle(), QStringLiteral("Save Result"));
    for (int row = 0; row < count; ++row)
        QCOMPARE(code(run, row), VerificationNoResponse);
    QCOMPARE(m_server.totalRequests(), 0);
    QCOMPARE(run.confirm(), VerificationRun::Outcome::Saved);
    QCOMPARE(db.store().verifiableLinks().at(0)->lastVerificationResult(), VerificationNoResponse);
}

void TestVerificationRun::stopDuringARun()
{
    DatabaseBuilder db;
    setOwnURL(db.store());
    db.link(partner("A", "/ok", "/ok")).link(partner("B", "/ok", "/ok"));
    for (const char *title : {"C", "D", "E", "F"})
        db.link(partner(title, "/ok", "/hang"));
    VerificationRun run(&db.store());
    QAbstractItemModelTester tester(&run, QAbstractItemModelTester::FailureReportingMode::QtTest);
    run.setFetchSettings(fastSettings(30000));
    QVERIFY(run.initializeFieldsWithSelectedLinkIDs());
    m_server.resetCounters();
    run.confirm();
    QVERIFY(QTest::qWaitFor([&] { return m_server.requestCount("/hang") == 4; }, 10000));
    QCOMPARE(run.checksUnderWay(), 4);

    QCOMPARE(run.cancel(), VerificationRun::Outcome::StayOpen); // "Stop"
    QVERIFY(run.verificationStopped());
    QCOMPARE(run.verifyButtonTitle(), QStringLiteral("Save Result"));
    QCOMPARE(run.cancelButtonTitle(), QStringLiteral("Cancel"));
    QTRY_COMPARE(m_server.inFlight(), 0); // the fetches were really stopped
    QTest::qWait(100);
    const char expected[] = {VerificationSucceeded,   VerificationSucceeded,   VerificationNotVerified,
                             VerificationNotVerified, VerificationNotVerified, VerificationNotVerified};
    for (int row = 0; row < 6; ++row)
        QCOMPARE(code(run, row), expected[row]);

    QCOMPARE(run.confirm(), VerificationRun::Outcome::Saved);
    const QList<const Link *> links = db.store().verifiableLinks();
    QCOMPARE(links.at(0)->lastVerifiedOn(), Clock::today());
    QCOMPARE(links.at(1)->lastVerificationResult(), VerificationSucceeded);
    for (int row = 2; row < 6; ++row) {
        QVERIFY(!links.at(row)->lastVerifiedOn().isValid());
        QCOMPARE(links.at(row)->lastVerificationResult(), VerificationNotVerified);
    }
}

void TestVerificationRun::saveRules()
{
    DatabaseBuilder db;
    setOwnURL(db.store());
    db.link(partner("1 New found", "/ok", "/ok", LinkStatusNew));
    db.link(partner("2 Negotiating found", "/ok", "/ok", LinkStatusNegotiating));
    db.link(partner("3 Approved found", "/ok", "/ok", LinkStatusApproved));
    db.link(partner("4 New not found", "/ok", "/without", LinkStatusNew));
    db.link(partner("5 New unticked", "/ok", "/ok", LinkStatusNew));
    db.link(partner("6 Marked, ticked by the user", "/ok", "/ok", LinkStatusNew, VerificationMarkedVerified));
    db.link(partner("7 No links page", "/ok", "", LinkStatusNew));
    VerificationRun run(&db.store());
    run.setFetchSettings(fastSettings());
    QVERIFY(run.initializeFieldsWithSelectedLinkIDs());
    QVERIFY(!run.linkInfo(5).selected());
    run.setSelected(5, true);
    run.setSelected(4, false);
    QVERIFY(!run.save()); // not before the run has ended
    QVERIFY(runToEnd(run));
    QCOMPARE(run.confirm(), VerificationRun::Outcome::Saved);

    const QDate today = Clock::today();
    const QList<const Link *> links = db.store().verifiableLinks();
    struct Expected
    {
        VerificationResult result;
        LinkStatus status;
        QDate statusDate;
    };
    const Expected expected[] = {
        {VerificationSucceeded, LinkStatusApproved, today},
        {VerificationSucceeded, LinkStatusApproved, today},
        {VerificationSucceeded, LinkStatusApproved, LongAgo},
        {VerificationLinkNotFound, LinkStatusNew, LongAgo},
        {VerificationNotVerified, LinkStatusNew, LongAgo},
        {VerificationSucceeded, LinkStatusApproved, today},
        {VerificationNoLinksPageURL, LinkStatusNew, LongAgo},
    };
    for (int row = 0; row < 7; ++row) {
        const Link *link = links.at(row);
        QCOMPARE(link->lastVerificationResult(), expected[row].result);
        QCOMPARE(link->status(), expected[row].status);
        QCOMPARE(link->lastStatusChangedOn(), expected[row].statusDate);
        QCOMPARE(link->lastVerifiedOn(), row == 4 ? QDate() : today);
    }
}

QTEST_GUILESS_MAIN(TestVerificationRun)
#include "tst_VerificationRun.moc"
