#include "model/Clock.h"
#include "support/CliProcess.h"
#include "support/DatabaseBuilder.h"
#include "support/HistoryLockHolder.h"
#include "support/HttpTestServer.h"

#include "history/HistoryStore.h"
#include "model/DatabaseFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

struct Partner
{
    const char *title;
    const char *site; // a path on the local server, or an address as written
    const char *page;
    LinkStatus status;
    bool checkedToday = false;
};

} // namespace

// quillmarsh-cli verify, history and changes against a local server: the options reach the checks,
// the store and the history; the rules behind them are tested where they live.
class TestVerifyCommand : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen());
        using R = HttpTestServer::Response;
        m_server.setResponse("/ok", R::page("<a href=\"http://www.mysite.example/\">me</a>"));
        m_server.setResponse("/without", R::page("<a href=\"http://other.example/\">other</a>"));
        m_server.setResponse("/moved-away", R::redirect("/refreshing", 301));
        m_server.setResponse("/refreshing", R::page("<meta http-equiv=refresh content=\"0; url=/without\">"));
        m_server.setResponse("/hang", R::behaving(R::Mode::NeverAnswer));
        // The partner's page links to us, then no longer (also on the second look), then with nofollow.
        m_server.setResponses(
            "/changing", {R::page("<p><a href=\"http://www.mysite.example/\">My site</a></p>"),
                          R::page("<p>Nothing here</p>"), R::page("<p>Nothing here</p>"),
                          R::page("<a rel=\"nofollow\" href=\"http://www.mysite.example/\">My site</a>")});
        m_file = writeDatabase(QStringLiteral("links.site"),
                               {{"Alpha", "/ok", "/ok", LinkStatusNew},
                                {"Beta", "/ok", "/moved-away", LinkStatusNew},
                                {"Gamma", "gamma.example", "/ok", LinkStatusApproved},
                                {"Delta", "/ok", "/hang", LinkStatusApproved}});
        m_original = fileContents(m_file);
    }

    void printsLinesOrJsonAndLeavesTheFile()
    {
        const CliRun result = run({"verify", m_file, "--timeout", "0.5"});
        QCOMPARE(result.status, 0);
        const QList<QByteArray> lines = result.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0],
                 "Alpha\tVerified successfully.\tsite: HTTP 200; links page: HTTP 200; anchor text \"me\"");
        QVERIFY(lines[1].startsWith("Beta\tReciprocal link cannot be found.\t"));
        QVERIFY(lines[2].startsWith("Delta\tLinks page cannot be loaded.\t"));
        QVERIFY(lines[3].startsWith("Gamma\tPartner site does not respond."));
        QVERIFY(result.err.isEmpty()); // no progress when stderr is not a terminal
        QCOMPARE(fileContents(m_file), m_original);

        // JSON for the given links, with a short time-out.
        QElapsedTimer clock;
        clock.start();
        const CliRun json = run({"verify", m_file, "--json", "--timeout=0.3", "--ids",
                                 m_ids["Alpha"] + u',' + m_ids["Beta"] + u',' + m_ids["Delta"]});
        QCOMPARE(json.status, 0);
        QVERIFY(clock.elapsed() < 10000);
        const QJsonArray rows = QJsonDocument::fromJson(json.out).array();
        QCOMPARE(rows.size(), 3);
        const QJsonObject alpha = rows[0].toObject();
        QCOMPARE(alpha.value("links").toArray(),
                 QJsonArray({QJsonObject{{"href", "http://www.mysite.example/"},
                                         {"rel", QJsonArray()},
                                         {"text", "me"},
                                         {"hidden", ""}}}));
        QVERIFY(alpha.value("followed").toBool());
        QCOMPARE(alpha.value("anchorText").toString(), QStringLiteral("me"));
        QCOMPARE(alpha.value("nofollowPage"), QJsonValue(false));
        QCOMPARE(alpha.value("canonical"), QJsonValue(""));
        QCOMPARE(rows[1].toObject().value("title").toString(), QStringLiteral("Beta"));
        QCOMPARE(rows[1].toObject().value("result").toString(), QStringLiteral("4"));
        QCOMPARE(rows[1].toObject().value("pageStatus").toInt(), 200);
        QCOMPARE(rows[1].toObject().value("redirects").toArray(),
                 QJsonArray({QJsonObject{{"url", m_server.url("/moved-away")}, {"status", 301}},
                             QJsonObject{{"url", m_server.url("/refreshing")}, {"status", "refresh"}}}));
        QCOMPARE(alpha.value("redirects").toArray(), QJsonArray());
        QCOMPARE(rows[2].toObject().value("result").toString(), QStringLiteral("3"));
        QVERIFY(!rows[2].toObject().value("failure").toString().isEmpty());
    }

    void saveWritesTheResultsDespiteAnUnusableHistory()
    {
        const QString copy = m_dir.filePath(QStringLiteral("copy.site"));
        QVERIFY(QFile::copy(m_file, copy));
        const QString history = copy + QStringLiteral("-history");
        QVERIFY(writeFile(history, QByteArray("not a database\n").repeated(100)));

        const CliRun result =
            run({"verify", copy, "--save", "--timeout", "0.3", "--concurrency", "1", "--per-host=1"});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.err.count("verification history"), 1);
        QVERIFY(result.err.contains(history.toUtf8()));
        QCOMPARE(QFile(history).size(), qint64(1500));
        QCOMPARE(run({"history", copy}).status, 2);

        // Which status a result sets is the store's rule; the results themselves are the tool's.
        CollectionManager store;
        QVERIFY(DatabaseFile::read(copy, store));
        const Link *alpha = store.linkWithID(m_ids["Alpha"]);
        QCOMPARE(alpha->lastVerificationResult(), VerificationSucceeded);
        QCOMPARE(alpha->lastVerifiedOn(), Clock::today());
        QCOMPARE(alpha->status(), LinkStatusApproved);
        QCOMPARE(store.linkWithID(m_ids["Beta"])->lastVerificationResult(), VerificationLinkNotFound);
    }

    void checksWaitForAHistoryThatAnotherProgramHolds()
    {
        const QString copy = m_dir.filePath(QStringLiteral("held.site"));
        QVERIFY(QFile::copy(m_file, copy));
        QCOMPARE(run({"verify", copy, "--ids", m_ids["Alpha"]}).status, 0);
        HistoryLockHolder other;
        QVERIFY(other.hold(HistoryStore::pathForDatabase(copy)));
        // Held for longer than a writer's usual wait for a lock: the checks are written all the same.
        QTimer::singleShot(6500, this, [&] { other.release(); });
        const CliRun result = run({"verify", copy, "--ids", m_ids["Alpha"]});
        QCOMPARE(result.status, 0);
        QVERIFY2(result.err.isEmpty(), result.err.constData());
        QCOMPARE(HistoryStore(copy).checks()->size(), 2);
    }

    void checksOfOneLinkRecordedAndCompared()
    {
        const QString file = writeDatabase(QStringLiteral("history.site"),
                                           {{"Echo", "/ok", "/changing", LinkStatusApproved},
                                            {"Foxtrot", "/ok", "/ok", LinkStatusApproved, true}});
        const QString echo = m_ids["Echo"];
        // Foxtrot was checked today (the day stored in the file); Echo never, so only it is due.
        CliRun result = run({"verify", file, "--due", "3", "--json", "--fail-on-loss"});
        QCOMPARE(result.status, 0);
        const QJsonArray rows = QJsonDocument::fromJson(result.out).array();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).toObject().value("id").toString(), echo);

        auto verifyEcho = [&] {
            return run({"verify", file, "--ids", echo, "--fail-on-loss", "--confirm-delay", "0"}).status;
        };
        QCOMPARE(verifyEcho(), 3);
        const QJsonArray changes = jsonOf({"changes", file, "--json"});
        QCOMPARE(changes.size(), 1);
        const QJsonObject change = changes.at(0).toObject();
        QCOMPARE(change.value("linkID").toString(), echo);
        QCOMPARE(change.value("title").toString(), QStringLiteral("Echo"));
        QCOMPARE(change.value("change").toString(), QStringLiteral("lost"));
        QCOMPARE(change.value("previous").toString(), QStringLiteral("1"));
        QCOMPARE(change.value("current").toString(), QStringLiteral("4"));
        QVERIFY(QDateTime::fromString(change.value("since").toString(), Qt::ISODate).isValid());

        QCOMPARE(verifyEcho(), 0); // back, with nofollow
        const QJsonArray checks = jsonOf({"history", file, "--link", echo, "--json"});
        QCOMPARE(checks.size(), 3);
        // Printed a check at a time, in the form of the whole array at once.
        const QByteArray printed = run({"history", file, "--json"}).out;
        QCOMPARE(printed, QJsonDocument(QJsonDocument::fromJson(printed).array()).toJson());
        const QJsonObject newest = checks.at(0).toObject();
        for (const char *key : {"linkID", "title", "checkedOn", "result", "resultText", "httpStatus",
                                "finalURL", "addressFound", "inAnchor", "followed", "rel", "anchorText",
                                "noindex", "outcome", "robots", "movedTo"})
            QVERIFY2(newest.contains(QLatin1String(key)), key);
        QCOMPARE(newest.value("result").toString(), QStringLiteral("1"));
        QCOMPARE(newest.value("httpStatus").toInt(), 200);
        QCOMPARE(newest.value("finalURL").toString(), m_server.url("/changing"));
        QCOMPARE(newest.value("followed").toBool(), false);
        QCOMPARE(newest.value("rel").toArray().first().toString(), QStringLiteral("nofollow"));
        QCOMPARE(checks.at(1).toObject().value("addressFound").toBool(), false);
        QCOMPARE(checks.at(1).toObject().value("outcome").toString(), QStringLiteral("notLinked"));
        QCOMPARE(newest.value("robots").toString(), QStringLiteral("allowed")); // the server has none

        // Now the history knows Echo was checked just now: nothing is due.
        result = run({"verify", file, "--due", "3"});
        QCOMPARE(result.status, 0);
        QVERIFY(result.out.isEmpty());
        QVERIFY(result.err.contains("No links are due"));
        QCOMPARE(run({"verify", file, "--ids", m_ids["Foxtrot"], "--no-history"}).status, 0);
        result = run({"history", file});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out.trimmed().split('\n').size(), 3);
    }

    void onlyARemovedLinkIsALoss()
    {
        // Found at the first run; at the second the server is busy, a bot wall answers, the link is
        // removed, moved to a page the sitemap names (on the server's other name), or on a page that
        // robots.txt closes to Googlebot.
        using R = HttpTestServer::Response;
        const QByteArray mine = "<a href=\"http://www.mysite.example/\">My site</a>";
        m_server.setResponses("/busy", {R::page(mine), R::withStatus(503)});
        m_server.setResponses(
            "/walled",
            {R::page(mine),
             R::withStatus(403, "<title>Just a moment...</title>").header("cf-mitigated", "challenge")});
        m_server.setResponses("/removed", {R::page(mine), R::page("<p>no more</p>")});
        m_server.setResponses("/moved", {R::page(mine), R::page("<p>see page two</p>")});
        m_server.setResponse("/page-two.html", R::page(mine));
        m_server.setResponse("/closed/links.html", R::page(mine + " <a href=\"http://one.example/\">1</a>"));
        m_server.setResponse("/robots.txt",
                             R::page("User-agent: Googlebot\nDisallow: /closed/\n", "text/plain"));
        const QString other = m_server.url("/").replace("127.0.0.1", "localhost");
        m_server.setResponse("/sitemap.xml", R::page("<urlset><url><loc>" + other.toUtf8() +
                                                         "page-two.html</loc></url></urlset>",
                                                     "application/xml"));
        const QString file = writeDatabase(QStringLiteral("alerts.site"),
                                           {{"Busy", "/ok", "/busy", LinkStatusApproved},
                                            {"Walled", "/ok", "/walled", LinkStatusApproved},
                                            {"Removed", "/ok", "/removed", LinkStatusApproved},
                                            {"Moved", "/ok", "/moved", LinkStatusApproved},
                                            {"Closed", "/ok", "/closed/links.html", LinkStatusApproved}});
        // The moved partner lives under the server's other name.
        CollectionManager store;
        QVERIFY(DatabaseFile::read(file, store));
        LinkFields moved = store.linkWithID(m_ids["Moved"])->fields();
        moved.counterpartURL = other + QStringLiteral("moved");
        store.editLinkNode(store.linkNodeWithID(m_ids["Moved"]), moved);
        QVERIFY(DatabaseFile::write(store, file));

        QCOMPARE(run({"verify", file, "--save", "--fail-on-loss"}).status, 0);
        const QString copy = m_dir.filePath(QStringLiteral("alerts-copy.site"));
        QVERIFY(QFile::copy(file, copy));

        // No loss for a busy server or a wall.
        const int robotsRead = m_server.requestCount("/robots.txt");
        const QString notLost = m_ids["Busy"] + u',' + m_ids["Walled"] + u',' + m_ids["Closed"];
        CliRun result = run({"verify", file, "--ids", notLost, "--fail-on-loss", "--json", "--timeout", "2"});
        QCOMPARE(result.status, 0);
        QHash<QString, QJsonObject> rows;
        for (const QJsonValue &row : QJsonDocument::fromJson(result.out).array())
            rows.insert(row.toObject().value("title").toString(), row.toObject());
        QCOMPARE(rows["Busy"].value("outcome").toString(), QStringLiteral("unreachable"));
        QCOMPARE(rows["Walled"].value("outcome").toString(), QStringLiteral("blocked"));
        QCOMPARE(rows["Closed"].value("outcome").toString(), QStringLiteral("linked"));
        QCOMPARE(rows["Closed"].value("robots").toString(), QStringLiteral("disallowed"));
        QCOMPARE(rows["Closed"].value("followed").toBool(), false);
        QCOMPARE(rows["Closed"].value("externalFollowed").toInt(), 2);  // one.example and my site
        QCOMPARE(m_server.requestCount("/robots.txt"), robotsRead + 1); // once per server and run
        QVERIFY(jsonOf({"changes", file, "--json"}).isEmpty());

        // The removed link is lost after a second look, the moved one is found where the sitemap says.
        result = run({"verify", file, "--fail-on-loss", "--json", "--confirm-delay", "0"});
        QCOMPARE(result.status, 3);
        for (const QJsonValue &row : QJsonDocument::fromJson(result.out).array())
            rows.insert(row.toObject().value("title").toString(), row.toObject());
        QCOMPARE(rows["Removed"].value("outcome").toString(), QStringLiteral("notLinked"));
        QVERIFY(rows["Removed"].value("confirmed").toBool());
        QCOMPARE(rows["Removed"].value("movedTo").toString(), QString());
        QCOMPARE(m_server.requestCount("/removed"), 3);
        QCOMPARE(rows["Moved"].value("movedTo").toString(), other + QStringLiteral("page-two.html"));
        QStringList changes;
        for (const QJsonValue &change : jsonOf({"changes", file, "--json"}))
            changes << change.toObject().value("title").toString() + u':' +
                           change.toObject().value("change").toString();
        changes.sort();
        QCOMPARE(changes, (QStringList{"Moved:moved", "Removed:lost"}));

        // Without a history that can be read, the result stored in the database is what was found before.
        QVERIFY(writeFile(copy + QStringLiteral("-history"), QByteArray("damaged").repeated(100)));
        result = run({"verify", copy, "--ids", m_ids["Removed"], "--fail-on-loss", "--confirm-delay", "0"});
        QCOMPARE(result.status, 3);
        QVERIFY(result.err.contains("verification history"));
        QCOMPARE(run({"verify", copy, "--ids", m_ids["Busy"], "--fail-on-loss", "--timeout", "2"}).status, 0);
    }

    void unreachableForTheDaysAsked()
    {
        const QString file =
            writeDatabase(QStringLiteral("down.site"), {{"Down", "/ok", "/ok", LinkStatusApproved}});
        QList<CheckRecord> checks;
        for (int day = 0; day <= 4; ++day) {
            CheckRecord check;
            check.linkID = m_ids["Down"];
            check.title = QStringLiteral("Down");
            check.checkedOn = Clock::now().addDays(day - 4);
            check.result = day == 0 ? VerificationSucceeded : VerificationNoResponse;
            check.outcome = day == 0 ? CheckOutcome::Linked : CheckOutcome::Unreachable;
            checks.append(check);
        }
        QVERIFY(HistoryStore(file).record(checks));
        QCOMPARE(
            jsonOf({"changes", file, "--json", "--unreachable-days", "3"}).first().toObject().value("change"),
            QJsonValue("unreachable"));
        // The found link four days ago lies within five days: no outage of five days yet.
        QVERIFY(jsonOf({"changes", file, "--json", "--unreachable-days=5"}).isEmpty());
        QCOMPARE(run({"changes", file, "--unreachable-days", "91"}).status, 1);
    }

    void badArguments()
    {
        // The bounds of the limits are the scheduler's rule; here that the tool applies them.
        const QString missing = m_dir.filePath(QStringLiteral("missing.site"));
        const std::pair<QStringList, int> runs[] = {
            {{"verify"}, 1},
            {{"verify", m_file, "--timeout", "soon"}, 1},
            {{"verify", m_file, "--fast"}, 1},
            {{"verify", m_file, "--ids"}, 1},
            {{"verify", m_file, "--concurrency=65"}, 1},
            {{"verify", m_file, "--per-host=two"}, 1},
            {{"verify", m_file, "--due", "soon"}, 1},
            {{"verify", m_file, "--confirm-delay", "601"}, 1},
            {{"history"}, 1},
            {{"history", m_file, "--link"}, 1},
            {{"changes", m_file, "--csv"}, 1},
            {{"history", missing}, 2},
        };
        for (const auto &[arguments, status] : runs)
            QVERIFY2(run(arguments).status == status, qPrintable(arguments.join(u' ')));
        const CliRun unknown = run({"verify", m_file, "--ids", "LNK1"});
        QCOMPARE(unknown.status, 1);
        QVERIFY(unknown.err.contains("LNK1"));
        const CliRun bad = run({"verify", missing});
        QCOMPARE(bad.status, 2);
        QVERIFY(bad.err.startsWith(missing.toUtf8() + ": "));
        // A database without history has none: an empty list, not an error.
        QCOMPARE(run({"history", writeDatabase(QStringLiteral("none.site"), {}), "--json"}).out,
                 QByteArray("[\n]\n"));
    }

private:
    // Dates compared with the code's today: the clock stands still, also in the tool's processes.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

    QString writeDatabase(const QString &name, const QList<Partner> &partners)
    {
        DatabaseBuilder db;
        db.store().setSiteProfile({.URL = QStringLiteral("http://www.mysite.example/")});
        for (const Partner &partner : partners) {
            db.link({.title = QString::fromLatin1(partner.title),
                     .URL = partner.site[0] == '/' ? m_server.url(partner.site) : QString(partner.site),
                     .counterpartURL = m_server.url(partner.page),
                     .lastVerifiedOn = partner.checkedToday ? Clock::today() : QDate(),
                     .lastVerificationResult =
                         partner.checkedToday ? VerificationSucceeded : VerificationNotVerified,
                     .lastStatusChangedOn = QDate(2020, 1, 1),
                     .status = partner.status});
            m_ids.insert(db.lastLink()->title(), db.lastLink()->ID());
        }
        const QString path = m_dir.filePath(name);
        FileError error;
        return DatabaseFile::write(db.store(), path, &error) ? path : error.text();
    }

    QJsonArray jsonOf(const QStringList &arguments)
    {
        const CliRun result = run(arguments);
        return result.status == 0 ? QJsonDocument::fromJson(result.out).array() : QJsonArray{"failed"};
    }

    CliRun run(const QStringList &arguments)
    {
        return runCli(arguments, CliOptions().at(m_dir.path()).withEventLoop().clockedAt(Clock::now()));
    }

    HttpTestServer m_server;
    QTemporaryDir m_dir;
    QString m_file;
    QByteArray m_original;
    QHash<QString, QString> m_ids;
};

QTEST_GUILESS_MAIN(TestVerifyCommand)
#include "tst_VerifyCommand.moc"
