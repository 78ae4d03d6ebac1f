#include "PublishSample.h"

#include "model/DatabaseFile.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode;
    QString out;
    QString err;
};

Run cli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(QM_CLI_PATH), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

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
        const Run run = cli({"export-html", m_site, m_dir.filePath("html/index.html")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QString("4 files were created.\n"));
        QCOMPARE(QDir(m_dir.filePath("html")).entryList(QDir::Files).size(), 4);
        QFile index(m_dir.filePath("html/index.html"));
        QVERIFY(index.open(QIODevice::ReadOnly));
        QVERIFY(PublishSample::matchesGolden(index.readAll(), "per-category-index.html"));
    }

    void exportTsvTakesAnEncoding()
    {
        const QString path = m_dir.filePath("sheet.txt");
        const Run run = cli({"export-tsv", m_site, path, "--encoding", "utf16"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QString("8 links were exported.\n"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith(QByteArray("\xFF\xFEL\0i\0n\0k\0", 10)));
        QCOMPARE(cli({"export-tsv", m_site, path, "--encoding", "ebcdic"}).exitCode, 1);
    }

    void exportTsvCountsLostCharacters()
    {
        DatabaseBuilder db;
        db.defaultCategory().link(QStringLiteral("Caf\u00e9 \u00d8rn\u00f8 \u9ce5\u306e\u4f1a \U0001F426"));
        const QString site = m_dir.filePath("birds.site");
        QVERIFY(DatabaseFile::write(db.store(), site));
        const QString path = m_dir.filePath("birds.txt");
        const Run roman = cli({"export-tsv", site, path, "--encoding", "macroman"});
        QCOMPARE(roman.exitCode, 0);
        // The title's four characters, wherever the row repeats them.
        QVERIFY2(roman.err.startsWith(path + ": 8 characters cannot be written in Mac OS Roman and would "
                                             "become '?'."),
                 qPrintable(roman.err));
        QVERIFY(cli({"export-tsv", site, path, "--encoding", "utf8"}).err.isEmpty());
    }

    void chartAndPrintDraw()
    {
        const Run pdf = cli({"chart", m_site, "--view", "1", m_dir.filePath("chart.pdf")});
        QCOMPARE(pdf.exitCode, 0);
        QFile chart(m_dir.filePath("chart.pdf"));
        QVERIFY(chart.open(QIODevice::ReadOnly) && chart.readAll().startsWith("%PDF"));
        QCOMPARE(cli({"chart", m_site, "--view", "2", m_dir.filePath("chart.png")}).exitCode, 0);
        QCOMPARE(QImage(m_dir.filePath("chart.png")).size(), QSize(1120, 600));
        QCOMPARE(cli({"chart", m_site, "--view", "3", m_dir.filePath("x.pdf")}).exitCode, 1);
        QCOMPARE(cli({"chart", m_site, "--view", "0", m_dir.filePath("x.gif")}).exitCode, 1);

        const Run print = cli({"print", m_site, m_dir.filePath("list.pdf")});
        QCOMPARE(print.exitCode, 0);
        QCOMPARE(print.out, QString("1 page was printed.\n"));
    }

    void badInputsAreReported()
    {
        const Run missing = cli({"export-html", m_dir.filePath("none.site"), m_dir.filePath("index.html")});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY(missing.err.startsWith(m_dir.filePath("none.site") + ": "));
        QCOMPARE(cli({"export-html", m_site}).exitCode, 1);
        QCOMPARE(cli({"print", m_site}).exitCode, 1);

        // Nothing publishable: nothing is written.
        CollectionManager blocked;
        const QString site = m_dir.filePath("blocked.site");
        QVERIFY(DatabaseFile::write(blocked, site));
        const Run none = cli({"export-html", site, m_dir.filePath("nothing.html")});
        QCOMPARE(none.exitCode, 2);
        QVERIFY(!QFile::exists(m_dir.filePath("nothing.html")));
    }
};

QTEST_MAIN(TestPublishCli)
#include "tst_publishcli.moc"
