#include "model/DatabaseFile.h"
#include "support/CliProcess.h"
#include "support/DatabaseBuilder.h"

#include <QTemporaryDir>
#include <QtTest>

class TestTableCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_site;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("Known"), LinkStatusApproved, QStringLiteral("http://known.example/"));
        m_site = path(QStringLiteral("test.site"));
        QVERIFY(DatabaseFile::write(db.store(), m_site));
    }

    void importsAndReportsRows()
    {
        const QString table = path(QStringLiteral("partners.csv"));
        QVERIFY(writeFile(table, "Title,URL,Status\n"
                                 "Known again,http://known.example,Blocked\n"
                                 "X,not a url at all,\n"
                                 "New,new.example,Negotiating\n"));
        CliRun run = runCli({"import-table", m_site, table});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains(table.toUtf8() + ": row 3: \"not a url at all\" is not a web address\n"),
                 run.err.constData());
        QVERIFY(run.err.contains(": row 2: \"http://known.example\" is already in the database"));
        QVERIFY(run.err.contains("1 link was added. 2 rows were skipped."));
        CollectionManager store;
        QVERIFY(DatabaseFile::read(m_site, store));
        QCOMPARE(store.numberOfLinks(), 2);

        // Again with --update: the known link changes, the added one is now known and unchanged.
        run = runCli({"import-table", m_site, table, "--update"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.err.contains("0 links were added. 1 link was updated. 1 row changed nothing."));
        QVERIFY(DatabaseFile::read(m_site, store));
        QCOMPARE(store.numberOfLinks(), 2);
        QCOMPARE(store.allLinkNodes().front()->link()->status(), LinkStatusBlocked);

        // Nothing to change: the file is not written again.
        const QDateTime written = QFileInfo(m_site).lastModified();
        const QByteArray before = fileContents(m_site);
        QTest::qWait(20);
        QCOMPARE(runCli({"import-table", m_site, table}).status, 0);
        QCOMPARE(fileContents(m_site), before);
        QCOMPARE(QFileInfo(m_site).lastModified(), written);
    }

    void unreadableTablesLeaveTheDatabaseAlone()
    {
        const QByteArray before = fileContents(m_site);
        const QString binary = path(QStringLiteral("image.csv"));
        QVERIFY(writeFile(binary, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
        CliRun run = runCli({"import-table", m_site, binary});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains("is not a text table"));

        const QString noAddress = path(QStringLiteral("names.csv"));
        QVERIFY(writeFile(noAddress, "Title,Notes\nA,b\n"));
        QCOMPARE(runCli({"import-table", m_site, noAddress}).status, 2);
        QCOMPARE(runCli({"import-table", m_site, path("none.csv")}).status, 2);
        QCOMPARE(fileContents(m_site), before);

        QCOMPARE(runCli({"import-table", m_site}).status, 1);
        QCOMPARE(runCli({"import-table", m_site, noAddress, "--encoding", "ebcdic"}).status, 1);
        QCOMPARE(runCli({"import-table", m_site, noAddress, "--keep"}).status, 1);
    }

    void csvExportHasOneFormatUnderTwoCommands()
    {
        const QString csv = path(QStringLiteral("links.csv"));
        const QString viaTsv = path(QStringLiteral("links2.csv"));
        const QString sample = QStringLiteral(QM_SOURCE_DIR "/examples/sample.site");
        QCOMPARE(runCli({"export-csv", sample, csv}).status, 0);
        QCOMPARE(runCli({"export-tsv", sample, viaTsv, "--csv"}).status, 0);
        QCOMPARE(fileContents(viaTsv), fileContents(csv));
        QVERIFY(fileContents(csv).startsWith("\xEF\xBB\xBFLink,Category,Description,URL,"));
        QCOMPARE(runCli({"export-tsv", sample, viaTsv, "--csv", "--encoding", "utf16"}).status, 1);
    }
};

QTEST_GUILESS_MAIN(TestTableCli)
#include "tst_tablecli.moc"
