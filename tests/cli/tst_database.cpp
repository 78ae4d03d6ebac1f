#include "support/CliProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

// dump and load: the exit status and output of each; the readers' rules are tested with them.
class TestCliDatabase : public QObject
{
    Q_OBJECT

private slots:
    void loadAndDump()
    {
        QTemporaryDir dir;
        const QString site = dir.filePath("sample.site");
        QCOMPARE(runCli({"load", QM_SOURCE_DIR "/examples/sample.json", site}).status, 0);
        QCOMPARE(fileContents(site), fileContents(QM_SOURCE_DIR "/examples/sample.site"));
        const CliRun dumped = runCli({"dump", site});
        QCOMPARE(dumped.status, 0);
        const QJsonObject root = QJsonDocument::fromJson(dumped.out).object();
        QCOMPARE(root.value("version").toString(), QString("0102"));
        QCOMPARE(root.value("categories").toArray().size(), 6);

        const CliRun fromPipe = runCli({"dump", "/dev/stdin"}, CliOptions().fed(fileContents(site)));
        QCOMPARE(fromPipe.status, 0);
        QCOMPARE(fromPipe.out, dumped.out);
        // What a reader repaired is told on standard error.
        const CliRun repaired =
            runCli({"dump", QM_SOURCE_DIR "/fuzz/regressions/site/one-id-two-categories.site"});
        QCOMPARE(repaired.status, 0);
        QVERIFY(repaired.err.contains("category \"A\" has the ID CAT5 of the category \"Z\" read before it"));
    }

    void badFilesAndArgumentsFailCleanly()
    {
        QTemporaryDir dir;
        const CliRun missing = runCli({"dump", dir.filePath("missing.site")});
        QCOMPARE(missing.status, 2);
        QVERIFY(missing.err.endsWith("missing.site: cannot open (No such file or directory)\n"));
        QCOMPARE(missing.err.count('\n'), 1);
        QVERIFY(missing.out.isEmpty());
        QVERIFY(writeFile(dir.filePath("cut.site"),
                          fileContents(QM_SOURCE_DIR "/examples/sample.site").left(5000)));
        QVERIFY(runCli({"dump", dir.filePath("cut.site")}).err.endsWith("cut.site: truncated\n"));
        // A failed load leaves no output file behind.
        const QString out = dir.filePath("never.site");
        const CliRun notDatabase = runCli({"load", QM_SOURCE_DIR "/CMakeLists.txt", out});
        QCOMPARE(notDatabase.status, 2);
        QVERIFY(notDatabase.err.contains("not a links database"));
        QVERIFY(!QFile::exists(out));

        QCOMPARE(runCli({}).status, 1);
        const CliRun wrong = runCli({"dump"});
        QCOMPARE(wrong.status, 1);
        QVERIFY(wrong.err.startsWith("usage: quillmarsh-cli dump"));
    }
};

QTEST_GUILESS_MAIN(TestCliDatabase)
#include "tst_database.moc"
