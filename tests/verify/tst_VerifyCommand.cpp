#include "TestData.h"
#include "support/DatabaseBuilder.h"
#include "support/HttpTestServer.h"

#include "model/Clock.h"
#include "model/DatabaseFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// quillmarsh-cli verify against a local server: the lines it prints, JSON, --ids, --timeout,
// --save writing the results (one check at a time), and its exit statuses.
class TestVerifyCommand : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still, also in the tool's processes.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private slots:
    void initTestCase();
    void printsOneLinePerCheckedLinkAndLeavesTheFile();
    void jsonForGivenIDsWithATimeOut();
    void saveWritesTheResults();
    void badArguments();

private:
    struct Result
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    Result runCli(const QStringList &arguments);
    QString linkID(const QString &title) const;

    HttpTestServer m_server;
    QTemporaryDir m_dir;
    QString m_file;
    QByteArray m_original;
    QHash<QString, QString> m_ids;
};

void TestVerifyCommand::initTestCase()
{
    QVERIFY(m_server.listen());
    using R = HttpTestServer::Response;
    m_server.setResponse("/ok", R::page("<a href=\"http://www.mysite.example/\">me</a>"));
    m_server.setResponse("/without", R::page("<a href=\"http://other.example/\">other</a>"));
    m_server.setResponse("/hang", R::behaving(R::Mode::NeverAnswer));

    DatabaseBuilder db;
    SiteProfileTexts texts;
    texts.URL = QStringLiteral("http://www.mysite.example/");
    db.store().setSiteProfile(texts);
    auto add = [&](const QString &title, const QString &site, const QString &page, LinkStatus status) {
        LinkFields fields;
        fields.title = title;
        fields.URL = site.startsWith(u'/') ? m_server.url(site) : site;
        fields.counterpartURL = m_server.url(page);
        fields.status = status;
        fields.lastStatusChangedOn = QDate(2020, 1, 1);
        db.link(fields);
        m_ids.insert(title, db.lastLink()->ID());
    };
    add(QStringLiteral("Alpha"), "/ok", "/ok", LinkStatusNew);
    add(QStringLiteral("Beta"), "/ok", "/without", LinkStatusNew);
    add(QStringLiteral("Gamma"), "gamma.example", "/ok", LinkStatusApproved);
    add(QStringLiteral("Delta"), "/ok", "/hang", LinkStatusApproved);
    m_file = m_dir.filePath(QStringLiteral("links.site"));
    QString error;
    QVERIFY2(DatabaseFile::write(db.store(), m_file, &error), qPrintable(error));
    QFile file(m_file);
    QVERIFY(file.open(QIODevice::ReadOnly));
    m_original = file.readAll();
}

TestVerifyCommand::Result TestVerifyCommand::runCli(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The tool's settings and temporary files stay inside the test's folder.
    environment.insert(QStringLiteral("HOME"), m_dir.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_dir.filePath(QStringLiteral("cache")));
    environment.insert(QString::fromLatin1(Clock::EnvironmentVariable),
                       Clock::environmentValue(Clock::now()));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QM_CLI_PATH), QStringList{QStringLiteral("verify")} + arguments);
    Result result;
    // The server lives in this process: keep the event loop turning while the tool runs.
    if (!process.waitForStarted() ||
        !QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QString TestVerifyCommand::linkID(const QString &title) const
{
    return m_ids.value(title);
}

void TestVerifyCommand::printsOneLinePerCheckedLinkAndLeavesTheFile()
{
    const Result result = runCli({m_file, QStringLiteral("--timeout"), QStringLiteral("0.5")});
    QCOMPARE(result.exitCode, 0);
    const QList<QByteArray> lines = result.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0],
             "Alpha\tVerified successfully.\tsite: HTTP 200; links page: HTTP 200; anchor text \"me\"");
    QVERIFY(lines[1].startsWith("Beta\tReciprocal link cannot be found.\t"));
    QVERIFY(lines[2].startsWith("Delta\tLinks page cannot be loaded.\t"));
    QVERIFY(lines[3].startsWith("Gamma\tPartner site does not respond."));
    QVERIFY(result.err.isEmpty()); // no progress when stderr is not a terminal
    QFile file(m_file);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), m_original);
}

void TestVerifyCommand::jsonForGivenIDsWithATimeOut()
{
    QElapsedTimer clock;
    clock.start();
    const Result result =
        runCli({m_file, QStringLiteral("--json"), QStringLiteral("--timeout=0.3"), QStringLiteral("--ids"),
                linkID(QStringLiteral("Alpha")) + u',' + linkID(QStringLiteral("Beta")) + u',' +
                    linkID(QStringLiteral("Delta"))});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(clock.elapsed() < 10000);
    const QJsonArray rows = QJsonDocument::fromJson(result.out).array();
    QCOMPARE(rows.size(), 3);
    const QJsonObject alpha = rows[0].toObject();
    QCOMPARE(
        alpha.value("links").toArray(),
        QJsonArray({QJsonObject{
            {"href", "http://www.mysite.example/"}, {"rel", QJsonArray()}, {"text", "me"}, {"hidden", ""}}}));
    QVERIFY(alpha.value("followed").toBool());
    QCOMPARE(alpha.value("anchorText").toString(), QStringLiteral("me"));
    QCOMPARE(alpha.value("nofollowPage"), QJsonValue(false));
    QCOMPARE(alpha.value("canonical"), QJsonValue(""));
    QCOMPARE(rows[1].toObject().value("title").toString(), QStringLiteral("Beta"));
    QCOMPARE(rows[1].toObject().value("result").toString(), QStringLiteral("4"));
    QCOMPARE(rows[1].toObject().value("pageStatus").toInt(), 200);
    QCOMPARE(rows[2].toObject().value("result").toString(), QStringLiteral("3"));
    QVERIFY(!rows[2].toObject().value("failure").toString().isEmpty());
}

void TestVerifyCommand::saveWritesTheResults()
{
    const QString copy = m_dir.filePath(QStringLiteral("copy.site"));
    QVERIFY(QFile::copy(m_file, copy));
    const Result result =
        runCli({copy, QStringLiteral("--save"), QStringLiteral("--timeout"), QStringLiteral("0.3"),
                QStringLiteral("--concurrency"), QStringLiteral("1"), QStringLiteral("--per-host=1")});
    QCOMPARE(result.exitCode, 0);
    CollectionManager store;
    QVERIFY(DatabaseFile::read(copy, store));
    const Link *alpha = store.linkWithID(linkID(QStringLiteral("Alpha")));
    QCOMPARE(alpha->lastVerificationResult(), VerificationSucceeded);
    QCOMPARE(alpha->lastVerifiedOn(), Clock::today());
    QCOMPARE(alpha->status(), LinkStatusApproved);
    const Link *beta = store.linkWithID(linkID(QStringLiteral("Beta")));
    QCOMPARE(beta->lastVerificationResult(), VerificationLinkNotFound);
    QCOMPARE(beta->status(), LinkStatusNew);
    QCOMPARE(store.linkWithID(linkID(QStringLiteral("Gamma")))->lastVerificationResult(),
             VerificationNoResponse);
    QCOMPARE(store.linkWithID(linkID(QStringLiteral("Delta")))->lastVerificationResult(),
             VerificationLinksPageNotLoaded);
}

void TestVerifyCommand::badArguments()
{
    QCOMPARE(runCli({}).exitCode, 1);
    QCOMPARE(runCli({m_file, QStringLiteral("--timeout"), QStringLiteral("soon")}).exitCode, 1);
    QCOMPARE(runCli({m_file, QStringLiteral("--fast")}).exitCode, 1);
    QCOMPARE(runCli({m_file, QStringLiteral("--ids")}).exitCode, 1);
    for (const char *limit :
         {"--concurrency=0", "--concurrency=65", "--per-host=17", "--per-host=two", "--per-host"})
        QCOMPARE(runCli({m_file, QString::fromLatin1(limit)}).exitCode, 1);
    const Result unknown = runCli({m_file, QStringLiteral("--ids"), QStringLiteral("LNK1")});
    QCOMPARE(unknown.exitCode, 1);
    QVERIFY(unknown.err.contains("LNK1"));
    const QString missing = m_dir.filePath(QStringLiteral("missing.site"));
    const Result bad = runCli({missing});
    QCOMPARE(bad.exitCode, 2);
    QVERIFY(bad.err.startsWith(missing.toUtf8() + ": "));
}

QTEST_GUILESS_MAIN(TestVerifyCommand)
#include "tst_VerifyCommand.moc"
