#include "support/CliProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

class TestCliDatabase : public QObject
{
    Q_OBJECT

private slots:
    void sampleRoundTripsThroughJson()
    {
        QTemporaryDir dir;
        const QString sample = QStringLiteral(QM_SOURCE_DIR "/examples/sample.json");
        const QString first = dir.filePath("first.site");
        const QString second = dir.filePath("second.site");
        QCOMPARE(runCli({"load", sample, first}).status, 0);
        const CliRun dumped = runCli({"dump", first});
        QCOMPARE(dumped.status, 0);
        QVERIFY(writeFile(dir.filePath("dumped.json"), dumped.out));
        QCOMPARE(runCli({"load", dir.filePath("dumped.json"), second}).status, 0);
        QCOMPARE(fileContents(first), fileContents(second));

        const QJsonObject root = QJsonDocument::fromJson(dumped.out).object();
        QCOMPARE(root.value("version").toString(), QString("0102"));
        // Anything the dump left out would be missing from the second file.
        QCOMPARE(root.value("categories").toArray().size(), 6);
    }

    void unreadableFilesFailCleanly()
    {
        QTemporaryDir dir;
        const CliRun missing = runCli({"dump", dir.filePath("missing.site")});
        QCOMPARE(missing.status, 2);
        QVERIFY(missing.err.contains("missing.site: cannot open"));
        QVERIFY(missing.out.isEmpty());

        QVERIFY(writeFile(dir.filePath("cut.site"),
                          fileContents(QM_SOURCE_DIR "/examples/sample.site").left(5000)));
        const CliRun truncated = runCli({"dump", dir.filePath("cut.site")});
        QCOMPARE(truncated.status, 2);
        QCOMPARE(truncated.err.count('\n'), 1);
        QVERIFY(truncated.err.contains("truncated"));

        const CliRun notDatabase = runCli({"dump", QStringLiteral(QM_SOURCE_DIR "/CMakeLists.txt")});
        QCOMPARE(notDatabase.status, 2);
        QVERIFY(notDatabase.err.contains("not a links database"));

        // A failed load leaves no output file behind.
        const QString out = dir.filePath("never.site");
        QCOMPARE(runCli({"load", QStringLiteral(QM_SOURCE_DIR "/CMakeLists.txt"), out}).status, 2);
        QVERIFY(!QFile::exists(out));
    }

    void readsDatabasesFromPipes()
    {
        const QString sample = QStringLiteral(QM_SOURCE_DIR "/examples/sample.site");
        const CliRun fromFile = runCli({"dump", sample});
        const CliRun fromPipe = runCli({"dump", "/dev/stdin"}, CliOptions().fed(fileContents(sample)));
        QCOMPARE(fromPipe.status, 0);
        QCOMPARE(fromPipe.out, fromFile.out);
    }

    void repairsAreReported()
    {
        // The repairs of the readers (tested with them) are told on standard error.
        const QByteArray json = R"({"categories": [
            {"ID": "CAT5", "name": "Zebras", "anchor": "z", "links": [{"ID": "LNK1", "title": "one"}]},
            {"ID": "CAT5", "name": "Apes", "anchor": "a", "links": [{"ID": "LNK2", "title": "two"}]}]})";
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("twice.json"), json));
        const QString site = dir.filePath("twice.site");
        const CliRun loaded = runCli({"load", dir.filePath("twice.json"), site});
        QCOMPARE(loaded.status, 0);
        QVERIFY(loaded.err.contains("category \"Apes\" has the ID CAT5 of the category \"Zebras\""));
        // Repaired once: the file written holds no conflict any more.
        const CliRun dumped = runCli({"dump", site});
        QCOMPARE(dumped.status, 0);
        QVERIFY(dumped.err.isEmpty());

        // The same from a database file holding "Z" then "A" with the ID CAT5.
        const CliRun read = runCli(
            {"dump", QStringLiteral(QM_SOURCE_DIR "/fuzz/regressions/site/one-id-two-categories.site")});
        QCOMPARE(read.status, 0);
        QVERIFY(read.err.contains("category \"A\" has the ID CAT5 of the category \"Z\" read before it"));
    }

    void badArgumentsPrintUsage()
    {
        const CliRun none = runCli({});
        QCOMPARE(none.status, 1);
        QVERIFY(none.err.contains("dump"));
        const CliRun wrong = runCli({"dump"});
        QCOMPARE(wrong.status, 1);
        QVERIFY(wrong.err.startsWith("usage: quillmarsh-cli dump"));
        QCOMPARE(runCli({"no-such-command"}).status, 1);
    }
};

QTEST_GUILESS_MAIN(TestCliDatabase)
#include "tst_database.moc"
