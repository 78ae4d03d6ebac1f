#include "history/HistoryStore.h"
#include "model/DatabaseFile.h"
#include "support/CliProcess.h"
#include "support/DatabaseBuilder.h"

#include <QTemporaryDir>
#include <QtTest>

// Each workflow command of the tool once: its exit codes, its exact output and that it writes the
// database only after a change. The rules behind them are tested with their classes.
class TestWorkflowCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_site;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    static LinkFields partner(const QString &title, LinkStatus status)
    {
        LinkFields f;
        f.title = title;
        f.URL = QStringLiteral("http://%1.example/").arg(title.toLower());
        f.contactEmail = title.toLower() + QStringLiteral("@example.org");
        f.status = status;
        f.lastStatusChangedOn = QDate(2024, 1, 1);
        return f;
    }

private slots:
    void init()
    {
        DatabaseBuilder db;
        db.emailTemplate(QStringLiteral("Hello"), QStringLiteral("Hi #TITLE#"),
                         QStringLiteral("Dear #TITLE#,\nyes"));
        db.link(partner(QStringLiteral("Zulu"), LinkStatusNegotiating));
        db.category(QStringLiteral("Shops"), QStringLiteral("shops"));
        db.link(partner(QStringLiteral("Bravo"), LinkStatusNew));
        db.link(partner(QStringLiteral("Alpha"), LinkStatusApproved));
        m_site = path(QStringLiteral("test.site"));
        QVERIFY(DatabaseFile::write(db.store(), m_site));
    }

    void readingCommands()
    {
        CliRun run = runCli({"notifications", m_site, "--today", "2024-01-10"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QByteArray("category\tlink\tdate\tnotification\n"
                                     "General\tZulu\t2024-01-06\tNegotiation lasting more than 5 days.\n"));
        QCOMPARE(runCli({"notifications", m_site, "--today", "soon"}).status, 1);
        QCOMPARE(runCli({"notifications", path("none.site")}).status, 2);

        run = runCli({"find", m_site, "--any", "status:is:new", "url:contains:ZULU"});
        QCOMPARE(run.status, 0);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].contains("\tGeneral\tZulu\tNegotiating\t"));
        QVERIFY(lines[2].contains("\tShops\tBravo\tNew\t"));
        // Window order within a category: by title, or by status with --sort.
        const QStringList shops{"find", m_site, "category:is:shops"};
        QVERIFY(runCli(shops).out.indexOf("Alpha") < runCli(shops).out.indexOf("Bravo"));
        run = runCli(shops + QStringList{"--sort", "status"});
        QVERIFY(run.out.indexOf("Bravo") < run.out.indexOf("Alpha"));
        QCOMPARE(runCli({"find", m_site, "title:is:a", "title:is:b"}).status, 1);

        const QByteArray before = fileContents(m_site);
        const QString id = QString::fromUtf8(
            runCli({"find", m_site, "title:is:bravo"}).out.split('\n').value(1).split('\t').value(0));
        run = runCli({"mailto", m_site, id, "--template", "Hello"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out,
                 QByteArray("mailto:bravo@example.org?SUBJECT=Hi%20Bravo&BODY=Dear%20Bravo,%0D%0Ayes\n"));
        QCOMPARE(fileContents(m_site), before);
        QCOMPARE(runCli({"mailto", m_site, id, "--template", "Nope"}).status, 1);
        QVERIFY(runCli({"templates", "list", m_site}).out.contains("\tHello\tHi #TITLE#"));
    }

    // The views and the fields of the last check, with the history saying which found link is nofollow.
    void findByViewsAndChecks()
    {
        DatabaseBuilder db;
        auto checked = [](const QString &title, const QDate &day, VerificationResult result) {
            // Blocked links have no reminders to stand in the way.
            LinkFields f = partner(title, LinkStatusBlocked);
            f.lastVerifiedOn = day;
            f.lastVerificationResult = result;
            return f;
        };
        db.link(checked(QStringLiteral("Kept"), QDate(2024, 3, 1), VerificationSucceeded));
        db.link(checked(QStringLiteral("Nofollow"), QDate(2024, 3, 1), VerificationSucceeded));
        const QString nofollowID = db.lastLink()->ID();
        db.link(checked(QStringLiteral("Gone"), QDate(2024, 1, 20), VerificationLinkNotFound));
        db.link(checked(QStringLiteral("Down"), QDate(2024, 3, 2), VerificationLinksPageNotLoaded));
        db.link(partner(QStringLiteral("Fresh"), LinkStatusNegotiating));
        const QString site = path(QStringLiteral("checked.site"));
        QVERIFY(DatabaseFile::write(db.store(), site));
        CheckRecord record;
        record.linkID = nofollowID;
        record.checkedOn = QDateTime(QDate(2024, 3, 1), QTime(9, 0));
        record.result = VerificationSucceeded;
        record.followed = false;
        QVERIFY(HistoryStore(site).record({record}));

        const CliOptions march = CliOptions().clockedAt(QDateTime(QDate(2024, 3, 10), QTime(12, 0)));
        auto titles = [&](QStringList arguments) {
            const CliRun run = runCli(QStringList{"find", site} + arguments, march);
            QStringList found;
            for (const QByteArray &line : run.out.trimmed().split('\n').mid(1))
                found.append(QString::fromUtf8(line.split('\t').value(2)));
            return run.status == 0 ? found : QStringList{QStringLiteral("status %1").arg(run.status)};
        };
        QCOMPARE(titles({"--view", "lost"}), QStringList{"Gone"});
        QCOMPARE(titles({"--view", "not-followed"}), QStringList{"Nofollow"});
        QCOMPARE(titles({"followed:is:no"}), QStringList{"Nofollow"});
        QCOMPARE(titles({"--view", "unreachable"}), QStringList{"Down"});
        QCOMPARE(titles({"--view", "never-checked"}), QStringList{"Fresh"});
        QCOMPARE(titles({"--view", "reminders"}), QStringList{"Fresh"});
        QCOMPARE(titles({"--view", "not-checked:30"}), (QStringList{"Fresh", "Gone"}));
        QCOMPARE(titles({"--view", "not-checked:8", "status:is:blocked"}),
                 (QStringList{"Down", "Gone", "Kept", "Nofollow"}));
        QCOMPARE(titles({"result:is:page-not-loaded"}), QStringList{"Down"});
        QCOMPARE(titles({"verified:after:2024-03-01"}), QStringList{"Down"});
        QCOMPARE(titles({"result:is:never"}), QStringList{"Fresh"});
        QCOMPARE(titles({"--view", "stale"}), QStringList{"status 1"});
        QCOMPARE(titles({"--view", "not-checked:0"}), QStringList{"status 1"});
        QCOMPARE(runCli({"find", m_site, "--view", "lost"}, march).out,
                 QByteArray("id\tcategory\ttitle\tstatus\turl\n"));
        // Reading for find makes no history beside a database that has none.
        QVERIFY(!QFile::exists(HistoryStore::pathForDatabase(m_site)));
    }

    void importsWriteOnlyAfterAChange()
    {
        const QByteArray before = fileContents(m_site);
        const QString copy = path(QStringLiteral("copy.site"));
        QVERIFY(QFile::copy(m_site, copy));
        CliRun run = runCli({"import-links", m_site, copy, "--keep"});
        QCOMPARE(run.status, 0);
        QCOMPARE(fileContents(m_site), before);
        run = runCli({"import-links", m_site, copy, "--replace"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("replaced: 3"));
        QCOMPARE(runCli({"import-links", m_site, copy}).status, 1);
        const QString junk = path(QStringLiteral("junk.site"));
        QVERIFY(writeFile(junk, "0102 and nothing else"));
        run = runCli({"import-links", m_site, junk, "--keep"});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.startsWith(junk.toUtf8() + ": "));

        const QString templates = path(QStringLiteral("t.emlt"));
        QCOMPARE(runCli({"templates", "export", m_site, templates}).status, 0);
        QCOMPARE(fileContents(templates).size(), 4 + EmailTemplate::RecordSize);
        const QByteArray afterLinks = fileContents(m_site);
        QCOMPARE(runCli({"templates", "import", m_site, templates, "--keep"}).status, 0);
        QCOMPARE(fileContents(m_site), afterLinks);
    }

    void importTable()
    {
        const QString table = path(QStringLiteral("partners.csv"));
        QVERIFY(writeFile(table, "Title,URL,Status\n"
                                 "Again,http://zulu.example,Blocked\n"
                                 "X,not a url at all,\n"
                                 "New,new.example,Negotiating\n"));
        CliRun run = runCli({"import-table", m_site, table});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains(table.toUtf8() + ": row 3: \"not a url at all\" is not a web address\n"),
                 run.err.constData());
        QVERIFY(run.err.contains("1 link was added. 2 rows were skipped."));
        CollectionManager store;
        QVERIFY(DatabaseFile::read(m_site, store));
        QCOMPARE(store.numberOfLinks(), 4);

        // Again with --update: the known link changes, the added one is now known and unchanged.
        run = runCli({"import-table", m_site, table, "--update"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.err.contains("0 links were added. 1 link was updated. 1 row changed nothing."));
        QVERIFY(DatabaseFile::read(m_site, store));
        QCOMPARE(store.numberOfLinks(), 4);
        QCOMPARE(store.allLinkNodes().front()->link()->status(), LinkStatusBlocked);

        // Nothing to change: the file is not written again.
        const QDateTime written = QFileInfo(m_site).lastModified();
        const QByteArray before = fileContents(m_site);
        QTest::qWait(20);
        QCOMPARE(runCli({"import-table", m_site, table}).status, 0);
        QCOMPARE(fileContents(m_site), before);
        QCOMPARE(QFileInfo(m_site).lastModified(), written);

        QVERIFY(writeFile(path("image.csv"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
        run = runCli({"import-table", m_site, path("image.csv")});
        QVERIFY(run.status == 2 && run.err.contains("is not a text table"));
        const QString noAddress = path(QStringLiteral("names.csv"));
        QVERIFY(writeFile(noAddress, "Title,Notes\nA,b\n"));
        QCOMPARE(runCli({"import-table", m_site, noAddress}).status, 2);
        QCOMPARE(fileContents(m_site), before);
        QCOMPARE(runCli({"import-table", m_site, noAddress, "--encoding", "ebcdic"}).status, 1);
    }

    void csvExportHasOneFormatUnderTwoCommands()
    {
        const QString csv = path(QStringLiteral("links.csv"));
        const QString viaTsv = path(QStringLiteral("links2.csv"));
        QCOMPARE(runCli({"export-csv", m_site, csv}).status, 0);
        QCOMPARE(runCli({"export-tsv", m_site, viaTsv, "--csv"}).status, 0);
        QCOMPARE(fileContents(viaTsv), fileContents(csv));
        QVERIFY(fileContents(csv).startsWith("\xEF\xBB\xBFLink,Category,Description,URL,"));
        QCOMPARE(runCli({"export-tsv", m_site, viaTsv, "--csv", "--encoding", "utf16"}).status, 1);
    }
};

QTEST_GUILESS_MAIN(TestWorkflowCli)
#include "tst_workflowcli.moc"
