#include "TestData.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Result cli(const QStringList &arguments, const QByteArray &input = QByteArray())
{
    QProcess process;
    process.start(QStringLiteral(QM_CLI_PATH), arguments);
    if (!input.isNull()) {
        process.write(input); // through a pipe: its size is known only at its end
        process.closeWriteChannel();
    }
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

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
        QCOMPARE(cli({"load", sample, first}).exitCode, 0);
        const Result dumped = cli({"dump", first});
        QCOMPARE(dumped.exitCode, 0);
        QFile json(dir.filePath("dumped.json"));
        QVERIFY(json.open(QIODevice::WriteOnly));
        json.write(dumped.out);
        json.close();
        QCOMPARE(cli({"load", json.fileName(), second}).exitCode, 0);

        QFile a(first), b(second);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());

        const QJsonObject root = QJsonDocument::fromJson(dumped.out).object();
        QCOMPARE(root.value("version").toString(), QString("0102"));
        const QJsonArray categories = root.value("categories").toArray();
        QCOMPARE(categories.size(), 6);
        QCOMPARE(categories.first().toObject().value("ID").toString(), QString("CAT0000000000"));
        int links = 0;
        for (const QJsonValue &category : categories)
            links += category.toObject().value("links").toArray().size();
        QCOMPARE(links, 40);
    }

    void unreadableFilesFailCleanly()
    {
        QTemporaryDir dir;
        const Result missing = cli({"dump", dir.filePath("missing.site")});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY(missing.err.contains("missing.site: cannot open"));
        QVERIFY(missing.out.isEmpty());

        QFile sample(QStringLiteral(QM_SOURCE_DIR "/examples/sample.site"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        QFile cut(dir.filePath("cut.site"));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(sample.read(5000));
        cut.close();
        const Result truncated = cli({"dump", cut.fileName()});
        QCOMPARE(truncated.exitCode, 2);
        QCOMPARE(truncated.err.count('\n'), 1);
        QVERIFY(truncated.err.contains("truncated"));

        const Result notDatabase = cli({"dump", QStringLiteral(QM_SOURCE_DIR "/CMakeLists.txt")});
        QCOMPARE(notDatabase.exitCode, 2);
        QVERIFY(notDatabase.err.contains("not a links database"));

        // A failed load leaves no output file behind.
        const QString out = dir.filePath("never.site");
        QCOMPARE(cli({"load", QStringLiteral(QM_SOURCE_DIR "/CMakeLists.txt"), out}).exitCode, 2);
        QVERIFY(!QFile::exists(out));
    }

    void readsDatabasesFromPipes()
    {
        const QString sample = QStringLiteral(QM_SOURCE_DIR "/examples/sample.site");
        QFile file(sample);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const Result fromFile = cli({"dump", sample});
        const Result fromPipe = cli({"dump", "/dev/stdin"}, file.readAll());
        QCOMPARE(fromPipe.exitCode, 0);
        QCOMPARE(fromPipe.out, fromFile.out);

        const Result empty = cli({"dump", "/dev/stdin"}, QByteArray(""));
        QCOMPARE(empty.exitCode, 2);
        QVERIFY(empty.err.contains("empty file"));
        const Result cut = cli({"dump", "/dev/stdin"}, fromFile.out.left(3000));
        QCOMPARE(cut.exitCode, 2);
    }

    void importsStopAtWhatTheFormatNeeds()
    {
        // A device that never ends is refused by what its first bytes say, not read without end.
        QTemporaryDir dir;
        const QString site = dir.filePath("copy.site");
        QVERIFY(QFile::copy(QStringLiteral(QM_SOURCE_DIR "/examples/sample.site"), site));
        const Result links = cli({"import-links", site, "/dev/zero", "--keep"});
        QCOMPARE(links.exitCode, 2);
        QVERIFY(links.err.contains("/dev/zero: not a links database"));
        const Result templates = cli({"templates", "import", site, "/dev/zero", "--keep"});
        QCOMPARE(templates.exitCode, 2);
        QVERIFY(templates.err.contains("/dev/zero: holds no e-mail templates"));
    }

    void repairsAreReported()
    {
        // Two categories with one ID: the first keeps it and its links, the second is left out.
        const QByteArray json = R"({"categories": [
            {"ID": "CAT5", "name": "Zebras", "anchor": "z", "links": [{"ID": "LNK1", "title": "one"}]},
            {"ID": "CAT5", "name": "Apes", "anchor": "a", "links": [{"ID": "LNK2", "title": "two"}]}]})";
        QTemporaryDir dir;
        QFile file(dir.filePath("twice.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(json);
        file.close();
        const QString site = dir.filePath("twice.site");
        const Result loaded = cli({"load", file.fileName(), site});
        QCOMPARE(loaded.exitCode, 0);
        QVERIFY(loaded.err.contains("category \"Apes\" has the ID CAT5 of the category \"Zebras\""));
        const Result dumped = cli({"dump", site});
        QCOMPARE(dumped.exitCode, 0);
        QVERIFY(dumped.err.isEmpty());
        const QJsonArray categories =
            QJsonDocument::fromJson(dumped.out).object().value("categories").toArray();
        QCOMPARE(categories.size(), 2); // the default category and Zebras
        QCOMPARE(categories.at(1).toObject().value("name").toString(), QString("Zebras"));
        QCOMPARE(categories.at(1).toObject().value("links").toArray().size(), 2);

        // The same from a database file holding "Z" then "A" with the ID CAT5.
        const Result read =
            cli({"dump", QStringLiteral(QM_SOURCE_DIR "/fuzz/regressions/site/one-id-two-categories.site")});
        QCOMPARE(read.exitCode, 0);
        QVERIFY(read.err.contains("category \"A\" has the ID CAT5 of the category \"Z\" read before it"));
    }

    void badArgumentsPrintUsage()
    {
        const Result none = cli({});
        QCOMPARE(none.exitCode, 1);
        QVERIFY(none.err.contains("dump"));
        const Result wrong = cli({"dump"});
        QCOMPARE(wrong.exitCode, 1);
        QVERIFY(wrong.err.startsWith("usage: quillmarsh-cli dump"));
        QCOMPARE(cli({"no-such-command"}).exitCode, 1);
    }
};

QTEST_GUILESS_MAIN(TestCliDatabase)
#include "tst_database.moc"
