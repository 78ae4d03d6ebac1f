#include "TestData.h"
#include "support/DatabaseBuilder.h"
#include "support/HttpTestServer.h"

#include "history/HistoryStore.h"
#include "model/Clock.h"
#include "model/DatabaseFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// quillmarsh-cli and the history: verify records each run (unless --no-history), --due picks the
// links not checked lately, --fail-on-loss exits with 3; history and changes print what was recorded.
class TestHistoryCommands : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still, also in the tool's processes.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};
private slots:
    void initTestCase();
    void threeChecksOfOneLink();
    void dueAndNoHistory();
    void unusableHistoryIsReportedOnceAndVerifyGoesOn();
    void badArguments();

private:
    struct Result
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    Result runCli(const QStringList &arguments);
    QJsonArray jsonOf(const QStringList &arguments);
    QString writeDatabase(const QString &name);

    HttpTestServer m_server;
    QTemporaryDir m_dir;
    QString m_alpha;
    QString m_beta;
};

void TestHistoryCommands::initTestCase()
{
    QVERIFY(m_server.listen());
    using R = HttpTestServer::Response;
    // The partner's page links to us, then no longer, then with nofollow.
    m_server.setResponses("/changing",
                          {R::page("<p><a href=\"http://www.mysite.example/\">My site</a></p>"),
                           R::page("<p>Nothing here</p>"),
                           R::page("<a rel=\"nofollow\" href=\"http://www.mysite.example/\">My site</a>")});
    m_server.setResponse("/steady", R::page("<a href=\"http://www.mysite.example/\">me</a>"));
    m_server.setResponse("/site", R::page("<p>home</p>"));
}

QString TestHistoryCommands::writeDatabase(const QString &name)
{
    DatabaseBuilder db;
    SiteProfileTexts texts;
    texts.URL = QStringLiteral("http://www.mysite.example/");
    db.store().setSiteProfile(texts);
    LinkFields fields;
    fields.title = QStringLiteral("Alpha");
    fields.URL = m_server.url("/site");
    fields.counterpartURL = m_server.url("/changing");
    fields.status = LinkStatusApproved;
    db.link(fields);
    m_alpha = db.lastLink()->ID();
    fields.title = QStringLiteral("Beta");
    fields.counterpartURL = m_server.url("/steady");
    fields.lastVerifiedOn = Clock::today();
    fields.lastVerificationResult = VerificationSucceeded;
    db.link(fields);
    m_beta = db.lastLink()->ID();
    const QString path = m_dir.filePath(name);
    DatabaseFile::write(db.store(), path, nullptr);
    return path;
}

TestHistoryCommands::Result TestHistoryCommands::runCli(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_dir.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_dir.filePath(QStringLiteral("cache")));
    environment.insert(QString::fromLatin1(Clock::EnvironmentVariable),
                       Clock::environmentValue(Clock::now()));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QM_CLI_PATH), arguments);
    Result result;
    if (!process.waitForStarted() ||
        !QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QJsonArray TestHistoryCommands::jsonOf(const QStringList &arguments)
{
    const Result result = runCli(arguments);
    if (result.exitCode != 0)
        qWarning() << result.err;
    return QJsonDocument::fromJson(result.out).array();
}

void TestHistoryCommands::threeChecksOfOneLink()
{
    const QString file = writeDatabase(QStringLiteral("three.site"));
    auto verify = [&](const QStringList &extra) {
        return runCli(QStringList{QStringLiteral("verify"), file, QStringLiteral("--ids"), m_alpha} + extra);
    };
    QCOMPARE(verify({QStringLiteral("--fail-on-loss")}).exitCode, 0);
    QVERIFY(QFile::exists(file + QStringLiteral("-history")));
    QVERIFY(jsonOf({QStringLiteral("changes"), file, QStringLiteral("--json")})
                .isEmpty()); // one check: no change
    const Result lost = verify({QStringLiteral("--fail-on-loss")});
    QCOMPARE(lost.exitCode, 3);

    QJsonArray changes = jsonOf({QStringLiteral("changes"), file, QStringLiteral("--json")});
    QCOMPARE(changes.size(), 1);
    QJsonObject change = changes.at(0).toObject();
    QCOMPARE(change.value("linkID").toString(), m_alpha);
    QCOMPARE(change.value("title").toString(), QStringLiteral("Alpha"));
    QCOMPARE(change.value("change").toString(), QStringLiteral("lost"));
    QCOMPARE(change.value("previous").toString(), QStringLiteral("1"));
    QCOMPARE(change.value("current").toString(), QStringLiteral("4"));
    QVERIFY(QDateTime::fromString(change.value("since").toString(), Qt::ISODate).isValid());

    QCOMPARE(verify({QStringLiteral("--fail-on-loss")}).exitCode, 0); // back, with nofollow
    const QJsonArray checks = jsonOf(
        {QStringLiteral("history"), file, QStringLiteral("--link"), m_alpha, QStringLiteral("--json")});
    QCOMPARE(checks.size(), 3);
    const QJsonObject newest = checks.at(0).toObject();
    const QStringList keys{"linkID",     "title",      "checkedOn",    "result",   "resultText",
                           "httpStatus", "finalURL",   "addressFound", "inAnchor", "followed",
                           "rel",        "anchorText", "noindex"};
    for (const QString &key : keys)
        QVERIFY2(newest.contains(key), qPrintable(key));
    QCOMPARE(newest.value("result").toString(), QStringLiteral("1"));
    QCOMPARE(newest.value("httpStatus").toInt(), 200);
    QCOMPARE(newest.value("finalURL").toString(), m_server.url("/changing"));
    QCOMPARE(newest.value("followed").toBool(), false);
    QCOMPARE(newest.value("rel").toArray().first().toString(), QStringLiteral("nofollow"));
    QCOMPARE(checks.at(1).toObject().value("result").toString(), QStringLiteral("4"));
    QCOMPARE(checks.at(1).toObject().value("addressFound").toBool(), false);
    QCOMPARE(checks.at(2).toObject().value("followed").toBool(), true);
    QVERIFY(checks.at(0).toObject().value("checkedOn").toString() >=
            checks.at(2).toObject().value("checkedOn").toString());
    changes = jsonOf({QStringLiteral("changes"), file, QStringLiteral("--json")});
    QCOMPARE(changes.at(0).toObject().value("change").toString(), QStringLiteral("recovered"));

    // Plain text: one line a check.
    const Result text = runCli({QStringLiteral("history"), file});
    QCOMPARE(text.exitCode, 0);
    QCOMPARE(text.out.trimmed().split('\n').size(), 3);
}

void TestHistoryCommands::dueAndNoHistory()
{
    const QString file = writeDatabase(QStringLiteral("due.site"));
    // Beta was checked today (the day stored in the file); Alpha never.
    Result result = runCli({QStringLiteral("verify"), file, QStringLiteral("--due"), QStringLiteral("3"),
                            QStringLiteral("--json"), QStringLiteral("--no-history")});
    QCOMPARE(result.exitCode, 0);
    QJsonArray rows = QJsonDocument::fromJson(result.out).array();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).toObject().value("id").toString(), m_alpha);
    QVERIFY(!QFile::exists(file + QStringLiteral("-history")));

    QCOMPARE(runCli({QStringLiteral("verify"), file, QStringLiteral("--due"), QStringLiteral("3")}).exitCode,
             0);
    // Now the history knows Alpha was checked just now: nothing is due.
    result = runCli({QStringLiteral("verify"), file, QStringLiteral("--due"), QStringLiteral("3")});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.isEmpty());
    QVERIFY(result.err.contains("No links are due"));
    QCOMPARE(jsonOf({QStringLiteral("history"), file, QStringLiteral("--json")}).size(), 1);
}

void TestHistoryCommands::unusableHistoryIsReportedOnceAndVerifyGoesOn()
{
    const QString file = writeDatabase(QStringLiteral("damaged.site"));
    const QString history = file + QStringLiteral("-history");
    QFile damaged(history);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("not a database\n").repeated(100));
    damaged.close();

    const Result result = runCli({QStringLiteral("verify"), file, QStringLiteral("--save")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out.trimmed().split('\n').size(), 2);
    QCOMPARE(result.err.count("verification history"), 1);
    QVERIFY(result.err.contains(history.toUtf8()));
    QCOMPARE(QFile(history).size(), qint64(1500));
    QCOMPARE(runCli({QStringLiteral("history"), file}).exitCode, 2);
    QCOMPARE(runCli({QStringLiteral("changes"), file, QStringLiteral("--json")}).exitCode, 2);
}

void TestHistoryCommands::badArguments()
{
    const QString file = writeDatabase(QStringLiteral("args.site"));
    QCOMPARE(runCli({QStringLiteral("history")}).exitCode, 1);
    QCOMPARE(runCli({QStringLiteral("history"), file, QStringLiteral("--link")}).exitCode, 1);
    QCOMPARE(runCli({QStringLiteral("changes"), file, QStringLiteral("--csv")}).exitCode, 1);
    QCOMPARE(
        runCli({QStringLiteral("verify"), file, QStringLiteral("--due"), QStringLiteral("soon")}).exitCode,
        1);
    QCOMPARE(runCli({QStringLiteral("history"), m_dir.filePath(QStringLiteral("missing.site"))}).exitCode, 2);
    // A database without history has none: an empty list, not an error.
    const Result empty = runCli({QStringLiteral("history"), file, QStringLiteral("--json")});
    QCOMPARE(empty.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(empty.out).array().size(), 0);
}

QTEST_GUILESS_MAIN(TestHistoryCommands)
#include "tst_HistoryCommands.moc"
