#include "HttpTestServer.h"
#include "TestData.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// Where the command-line tool writes: devices and pipes are written in place, a full disk fails
// without touching the old file, an output that is the input is refused, and a database open in a
// window is not written.
namespace {

struct Result
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Result cli(const QStringList &arguments, int timeoutMs = 60000)
{
    QProcess process;
    process.start(QStringLiteral(QM_CLI_PATH), arguments);
    process.closeWriteChannel();
    process.waitForFinished(timeoutMs);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

const QString SampleJson = QStringLiteral(QM_SOURCE_DIR "/examples/sample.json");
const QString SampleSite = QStringLiteral(QM_SOURCE_DIR "/examples/sample.site");

mode_t fileType(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? (status.st_mode & S_IFMT) : 0;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestCliOutputs : public QObject
{
    Q_OBJECT

private slots:
    void devicesAndPipesAreWrittenInPlace()
    {
        QTemporaryDir dir;
        // A device of our own rather than the system's /dev/null: a regression must not break the machine.
        const QString device = dir.filePath("null");
        if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("making a device node needs root");
        QCOMPARE(cli({"load", SampleJson, device}).exitCode, 0);
        QCOMPARE(fileType(device), mode_t(S_IFCHR));
        QCOMPARE(cli({"export-tsv", SampleSite, device}).exitCode, 0);
        QCOMPARE(fileType(device), mode_t(S_IFCHR));
        // Category pages are never written beside a device.
        QCOMPARE(cli({"export-html", SampleSite, device}).exitCode, 2);
        QCOMPARE(fileType(device), mode_t(S_IFCHR));
        QVERIFY(QDir(dir.path()).entryList({"*.html"}).isEmpty());

        const QString fifo = dir.filePath("pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QProcess reader;
        reader.start(QStringLiteral("cat"), {fifo});
        QVERIFY(reader.waitForStarted());
        QCOMPARE(cli({"load", SampleJson, fifo}).exitCode, 0);
        QVERIFY(reader.waitForFinished(10000));
        QCOMPARE(reader.readAllStandardOutput(), contents(SampleSite));
        QCOMPARE(fileType(fifo), mode_t(S_IFIFO));

        // A folder is no file to write.
        const Result folder = cli({"export-tsv", SampleSite, dir.path()});
        QCOMPARE(folder.exitCode, 2);
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    void aFullDiskFailsAndKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString mountPoint = dir.filePath("small");
        QVERIFY(QDir().mkpath(mountPoint));
        if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("mounting a small tmpfs needs root; the full-disk case is not checked here");
        auto unmount = qScopeGuard([&] { ::umount(QFile::encodeName(mountPoint).constData()); });

        const QString tsv = QDir(mountPoint).filePath("links.txt");
        const QString templates = QDir(mountPoint).filePath("templates.emlt");
        const QString page = QDir(mountPoint).filePath("index.html");
        for (const QString &path : {tsv, templates, page})
            writeFile(path, "the old file\n");
        // Fill the disk up to a few KB: each export is larger than what is left.
        {
            QFile filler(QDir(mountPoint).filePath("filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(1024, 'f');
            while (filler.write(block) == block.size()) {
            }
            filler.close();
            QVERIFY(filler.resize(filler.size() - 4096));
        }

        const Result exported = cli({"export-tsv", SampleSite, tsv});
        QCOMPARE(exported.exitCode, 2);
        QVERIFY(!exported.out.contains("exported"));
        QVERIFY2(exported.err.contains("links.txt"), exported.err.constData());
        QCOMPARE(contents(tsv), QByteArray("the old file\n"));

        QCOMPARE(cli({"templates", "export", SampleSite, templates}).exitCode, 2);
        QCOMPARE(contents(templates), QByteArray("the old file\n"));
        QCOMPARE(cli({"export-html", SampleSite, page}).exitCode, 2);
        QCOMPARE(contents(page), QByteArray("the old file\n"));
        QCOMPARE(cli({"load", SampleJson, QDir(mountPoint).filePath("new.site")}).exitCode, 2);
        QVERIFY(!QFile::exists(QDir(mountPoint).filePath("new.site")));
    }

    void anOutputThatIsTheInputIsRefused()
    {
        QTemporaryDir dir;
        const QString json = dir.filePath("x.json");
        QVERIFY(QFile::copy(SampleJson, json));
        const Result load = cli({"load", json, json});
        QCOMPARE(load.exitCode, 1);
        QVERIFY(load.err.contains("the output is the input"));
        QCOMPARE(contents(json), contents(SampleJson));

        const QString site = dir.filePath("x.site");
        QVERIFY(QFile::copy(SampleSite, site));
        // The same file under another name is still the same file.
        QVERIFY(QFile::link(site, dir.filePath("alias.txt")));
        QCOMPARE(cli({"export-tsv", site, dir.filePath("alias.txt")}).exitCode, 1);
        QCOMPARE(contents(site), contents(SampleSite));
    }

    void endlessOrHugeJsonIsRefused()
    {
        QTemporaryDir dir;
        QElapsedTimer clock;
        clock.start();
        const Result zero = cli({"load", "/dev/zero", dir.filePath("out.site")}, 20000);
        QCOMPARE(zero.exitCode, 2);
        QCOMPARE(zero.err.count('\n'), 1);
        QVERIFY(zero.err.contains("not a links database in JSON"));
        QVERIFY2(clock.elapsed() < 10000, "the endless input was read far beyond its first bytes");
    }

    void aDatabaseOpenInAWindowIsNotWritten()
    {
        QTemporaryDir dir;
        const QString site = dir.filePath("open.site");
        QVERIFY(QFile::copy(SampleSite, site));
        QFile::setPermissions(site, QFile::ReadOwner | QFile::WriteOwner);
        // What a window holds while the file is open.
        QLockFile lock(QDir(dir.path()).filePath(".open.site.lock"));
        QVERIFY(lock.tryLock());
        const Result blocked = cli({"load", SampleJson, site});
        QCOMPARE(blocked.exitCode, 2);
        QVERIFY2(blocked.err.contains("open in another window"), blocked.err.constData());
        lock.unlock();

        // A lock left by a process that has ended is taken over.
        writeFile(QDir(dir.path()).filePath(".open.site.lock"),
                  "999999\nquillmarsh-cli\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        QCOMPARE(cli({"load", SampleJson, site}).exitCode, 0);
    }

    void aLongRunDoesNotWriteOverAnotherWriter()
    {
        HttpTestServer server;
        QVERIFY(server.listen());
        server.setResponse("/hang",
                           HttpTestServer::Response::behaving(HttpTestServer::Response::Mode::NeverAnswer));
        QTemporaryDir dir;
        const QString json = dir.filePath("one.json");
        const QJsonObject link{
            {"ID", "L1"}, {"title", "Partner"}, {"status", "3"}, {"URL", server.url("/hang")}};
        const QJsonObject database{
            {"selfInfo", QJsonObject{{"URL", "http://www.mysite.example/"}}},
            {"categories", QJsonArray{QJsonObject{{"ID", "CAT0000000000"}, {"links", QJsonArray{link}}}}}};
        writeFile(json, QJsonDocument(database).toJson());
        const QString site = dir.filePath("one.site");
        QCOMPARE(cli({"load", json, site}).exitCode, 0);

        QProcess verify;
        verify.start(QStringLiteral(QM_CLI_PATH), {"verify", site, "--save", "--timeout", "3"});
        QVERIFY(QTest::qWaitFor([&] { return server.totalRequests() > 0; }, 10000));
        // Meanwhile an import (or any program) writes the file.
        QVERIFY(QFile::remove(site));
        QVERIFY(QFile::copy(SampleSite, site));
        QVERIFY(QTest::qWaitFor([&] { return verify.state() == QProcess::NotRunning; }, 20000));
        QCOMPARE(verify.exitCode(), 2);
        QVERIFY(verify.readAllStandardError().contains("changed by another program"));
        QCOMPARE(contents(site), contents(SampleSite));
    }

    void timeoutsMustBeNumbers()
    {
        for (const char *value : {"nan", "inf", "-1", "0"}) {
            const Result verify = cli({"verify", SampleSite, "--timeout", value});
            QCOMPARE(verify.exitCode, 1);
            QVERIFY(verify.err.contains("usage"));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliOutputs)
#include "tst_outputs.moc"
