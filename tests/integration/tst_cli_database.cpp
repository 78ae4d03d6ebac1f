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

Result cli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(QM_CLI_PATH), arguments);
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
#include "tst_cli_database.moc"
