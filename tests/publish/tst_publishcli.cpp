#include "PublishSample.h"

#include "model/DatabaseFile.h"
#include "support/CliProcess.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class TestPublishCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_site;

private slots:
    void initTestCase()
    {
        DatabaseBuilder db;
        PublishSample::build(db);
        db.store().setRenderMode(RenderModePagePerCategory);
        m_site = m_dir.filePath("sample.site");
        QVERIFY(DatabaseFile::write(db.store(), m_site));
    }

    void exportHtmlWritesEveryPage()
    {
        QVERIFY(QDir(m_dir.path()).mkdir("html"));
        const CliRun run = runCli({"export-html", m_site, m_dir.filePath("html/index.html")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QByteArray("4 files were created.\n"));
        QCOMPARE(QDir(m_dir.filePath("html")).entryList(QDir::Files).size(), 4);
        QVERIFY(PublishSample::matchesGolden(fileContents(m_dir.filePath("html/index.html")),
                                             "per-category-index.html"));
    }

    void exportTsvTakesAnEncoding()
    {
        const QString path = m_dir.filePath("sheet.txt");
        const CliRun run = runCli({"export-tsv", m_site, path, "--encoding", "utf16"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QByteArray("8 links were exported.\n"));
        QVERIFY(fileContents(path).startsWith(QByteArray("\xFF\xFEL\0i\0n\0k\0", 10)));
        QCOMPARE(runCli({"export-tsv", m_site, path, "--encoding", "ebcdic"}).status, 1);
    }

    void exportTsvCountsLostCharacters()
    {
        DatabaseBuilder db;
        db.defaultCategory().link(QStringLiteral("Caf\u00e9 \u00d8rn\u00f8 \u9ce5\u306e\u4f1a \U0001F426"));
        const QString site = m_dir.filePath("birds.site");
        QVERIFY(DatabaseFile::write(db.store(), site));
        const QString path = m_dir.filePath("birds.txt");
        const CliRun roman = runCli({"export-tsv", site, path, "--encoding", "macroman"});
        QCOMPARE(roman.status, 0);
        // The title's four characters, wherever the row repeats them.
        QVERIFY2(roman.err.startsWith(path.toUtf8() +
                                      ": 8 characters cannot be written in Mac OS Roman and would "
                                      "become '?'."),
                 roman.err.constData());
        QVERIFY(runCli({"export-tsv", site, path, "--encoding", "utf8"}).err.isEmpty());
    }

    void chartAndPrintDraw()
    {
        const CliRun pdf = runCli({"chart", m_site, "--view", "1", m_dir.filePath("chart.pdf")});
        QCOMPARE(pdf.status, 0);
        QVERIFY(fileContents(m_dir.filePath("chart.pdf")).startsWith("%PDF"));
        QCOMPARE(runCli({"chart", m_site, "--view", "2", m_dir.filePath("chart.png")}).status, 0);
        QCOMPARE(QImage(m_dir.filePath("chart.png")).size(), QSize(1120, 600));
        QCOMPARE(runCli({"chart", m_site, "--view", "3", m_dir.filePath("x.pdf")}).status, 1);
        QCOMPARE(runCli({"chart", m_site, "--view", "0", m_dir.filePath("x.gif")}).status, 1);

        const CliRun print = runCli({"print", m_site, m_dir.filePath("list.pdf")});
        QCOMPARE(print.status, 0);
        QCOMPARE(print.out, QByteArray("1 page was printed.\n"));
    }

    void badInputsAreReported()
    {
        const CliRun missing =
            runCli({"export-html", m_dir.filePath("none.site"), m_dir.filePath("index.html")});
        QCOMPARE(missing.status, 2);
        QVERIFY(missing.err.startsWith(m_dir.filePath("none.site").toUtf8() + ": "));
        QCOMPARE(runCli({"export-html", m_site}).status, 1);
        QCOMPARE(runCli({"print", m_site}).status, 1);

        // Nothing publishable: nothing is written.
        CollectionManager blocked;
        const QString site = m_dir.filePath("blocked.site");
        QVERIFY(DatabaseFile::write(blocked, site));
        const CliRun none = runCli({"export-html", site, m_dir.filePath("nothing.html")});
        QCOMPARE(none.status, 2);
        QVERIFY(!QFile::exists(m_dir.filePath("nothing.html")));
    }
};

QTEST_MAIN(TestPublishCli)
#include "tst_publishcli.moc"
