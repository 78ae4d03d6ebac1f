#include "model/Clock.h"
#include "support/CliProcess.h"
#include "support/DatabaseBuilder.h"
#include "support/HttpTestServer.h"

#include "model/DatabaseFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// quillmarsh-cli verify against a local server: the lines it prints, JSON, --ids, --timeout,
// --save writing the results (one check at a time), and its exit statuses.
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

    void printsOneLinePerCheckedLinkAndLeavesTheFile()
    {
        const CliRun result = run({m_file, "--timeout", "0.5"});
        QCOMPARE(result.status, 0);
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

    void jsonForGivenIDsWithATimeOut()
    {
        QElapsedTimer clock;
        clock.start();
        const CliRun result = run({m_file, "--json", "--timeout=0.3", "--ids",
                                   linkID("Alpha") + u',' + linkID("Beta") + u',' + linkID("Delta")});
        QCOMPARE(result.status, 0);
        QVERIFY(clock.elapsed() < 10000);
        const QJsonArray rows = QJsonDocument::fromJson(result.out).array();
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
        QCOMPARE(rows[2].toObject().value("result").toString(), QStringLiteral("3"));
        QVERIFY(!rows[2].toObject().value("failure").toString().isEmpty());
    }

    void saveWritesTheResults()
    {
        const QString copy = m_dir.filePath(QStringLiteral("copy.site"));
        QVERIFY(QFile::copy(m_file, copy));
        const CliRun result = run({copy, "--save", "--timeout", "0.3", "--concurrency", "1", "--per-host=1"});
        QCOMPARE(result.status, 0);
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

    void badArguments()
    {
        QCOMPARE(run({}).status, 1);
        QCOMPARE(run({m_file, "--timeout", "soon"}).status, 1);
        QCOMPARE(run({m_file, "--fast"}).status, 1);
        QCOMPARE(run({m_file, "--ids"}).status, 1);
        for (const char *limit :
             {"--concurrency=0", "--concurrency=65", "--per-host=17", "--per-host=two", "--per-host"})
            QCOMPARE(run({m_file, QString::fromLatin1(limit)}).status, 1);
        const CliRun unknown = run({m_file, "--ids", "LNK1"});
        QCOMPARE(unknown.status, 1);
        QVERIFY(unknown.err.contains("LNK1"));
        const QString missing = m_dir.filePath(QStringLiteral("missing.site"));
        const CliRun bad = run({missing});
        QCOMPARE(bad.status, 2);
        QVERIFY(bad.err.startsWith(missing.toUtf8() + ": "));
    }

private:
    // Dates compared with the code's today: the clock stands still, also in the tool's processes.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};
    QString linkID(const QString &title) const { return m_ids.value(title); }

    CliRun run(const QStringList &arguments)
    {
        return runCli(QStringList{"verify"} + arguments,
                      CliOptions().at(m_dir.path()).withEventLoop().clockedAt(Clock::now()));
    }

    HttpTestServer m_server;
    QTemporaryDir m_dir;
    QString m_file;
    QByteArray m_original;
    QHash<QString, QString> m_ids;
};

QTEST_GUILESS_MAIN(TestVerifyCommand)
#include "tst_VerifyCommand.moc"
