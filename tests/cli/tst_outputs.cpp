#include "CliProcess.h"
#include "DatabaseBuilder.h"
#include "HttpTestServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// The command-line tool's load and dump with their exit status and error lines (the readers' rules are
// tested with them), and where it writes: devices and pipes are written in place, a full disk fails
// without touching the old file, an output that is the input is refused, and a database open in a
// window or changed by another program is not written.
namespace {

const QString SampleJson = QStringLiteral(QM_SOURCE_DIR "/examples/sample.json");
const QString SampleSite = QStringLiteral(QM_SOURCE_DIR "/examples/sample.site");
// How long a writing command waits for a window that holds the lock.
constexpr int LockWaitMs = 3000;

mode_t fileType(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? (status.st_mode & S_IFMT) : 0;
}

} // namespace

class TestCliOutputs : public QObject
{
    Q_OBJECT

private slots:
    void loadAndDump()
    {
        QTemporaryDir dir;
        const QString site = dir.filePath("sample.site");
        QCOMPARE(runCli({"load", SampleJson, site}).status, 0);
        QCOMPARE(fileContents(site), fileContents(SampleSite));
        const CliRun dumped = runCli({"dump", site});
        QCOMPARE(dumped.status, 0);
        QVERIFY(dumped.out.startsWith(
            "{\n\"version\": \"0102\",\n\"selfInfo\": {\"URL\":\"http://www.quiettrails.example/\""));
        const CliRun fromPipe = runCli({"dump", "/dev/stdin"}, CliOptions().fed(fileContents(site)));
        QCOMPARE(fromPipe.status, 0);
        QCOMPARE(fromPipe.out, dumped.out);
        // What a reader repaired is told on standard error.
        const CliRun repaired =
            runCli({"dump", QM_SOURCE_DIR "/fuzz/regressions/site/one-id-two-categories.site"});
        QCOMPARE(repaired.status, 0);
        QVERIFY(repaired.err.contains("category \"A\" has the ID CAT5 of the category \"Z\" read before it"));
    }

    void devicesAndPipesAreWrittenInPlace()
    {
        QTemporaryDir dir;
        // A device of our own rather than the system's /dev/null: a regression must not break the machine.
        const QString device = dir.filePath("null");
        if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("making a device node needs root");
        // Category pages are never written beside a device.
        for (const auto &[command, input, status] : {std::tuple{"load", SampleJson, 0},
                                                     {"export-tsv", SampleSite, 0},
                                                     {"export-html", SampleSite, 2}}) {
            QCOMPARE(runCli({command, input, device}).status, status);
            QCOMPARE(fileType(device), mode_t(S_IFCHR));
        }
        QVERIFY(QDir(dir.path()).entryList({"*.html"}).isEmpty());
        const QString fifo = dir.filePath("pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QProcess reader;
        reader.start(QStringLiteral("cat"), {fifo});
        QVERIFY(reader.waitForStarted());
        QCOMPARE(runCli({"load", SampleJson, fifo}).status, 0);
        QVERIFY(reader.waitForFinished(10000));
        QCOMPARE(reader.readAllStandardOutput(), fileContents(SampleSite));
        QCOMPARE(fileType(fifo), mode_t(S_IFIFO));

        // A folder is no file to write.
        const CliRun folder = runCli({"export-tsv", SampleSite, dir.path()});
        QCOMPARE(folder.status, 2);
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
        const QList<QStringList> exports{
            {"export-tsv", SampleSite, QDir(mountPoint).filePath("links.txt")},
            {"templates", "export", SampleSite, QDir(mountPoint).filePath("t.emlt")},
            {"export-html", SampleSite, QDir(mountPoint).filePath("index.html")}};
        for (const QStringList &arguments : exports)
            QVERIFY(writeFile(arguments.last(), "the old file\n"));
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

        for (const QStringList &arguments : exports) {
            const CliRun exported = runCli(arguments);
            QCOMPARE(exported.status, 2);
            QVERIFY(!exported.out.contains("exported"));
            QVERIFY2(exported.err.contains(QFileInfo(arguments.last()).fileName().toUtf8()),
                     exported.err.constData());
            QCOMPARE(fileContents(arguments.last()), QByteArray("the old file\n"));
        }
        QCOMPARE(runCli({"load", SampleJson, QDir(mountPoint).filePath("new.site")}).status, 2);
        QVERIFY(!QFile::exists(QDir(mountPoint).filePath("new.site")));
    }

    void badInputsAreRefused()
    {
        QTemporaryDir dir;
        const CliRun missing = runCli({"dump", dir.filePath("missing.site")});
        QCOMPARE(missing.status, 2);
        QVERIFY(missing.err.endsWith("missing.site: cannot open (No such file or directory)\n"));
        QCOMPARE(missing.err.count('\n'), 1);
        QVERIFY(missing.out.isEmpty());
        // A pipe ends where it ends, or before its first byte.
        const CliRun cut =
            runCli({"dump", "/dev/stdin"}, CliOptions().fed(fileContents(SampleSite).left(5000)));
        QVERIFY(cut.err.endsWith("/dev/stdin: truncated\n"));
        QVERIFY(
            runCli({"dump", "/dev/stdin"}, CliOptions().fed("")).err.endsWith("/dev/stdin: empty file\n"));
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
        const QString json = dir.filePath("x.json");
        QVERIFY(QFile::copy(SampleJson, json));
        const CliRun load = runCli({"load", json, json});
        QCOMPARE(load.status, 1);
        QVERIFY(load.err.contains("the output is the input"));
        QCOMPARE(fileContents(json), fileContents(SampleJson));
        const QString site = dir.filePath("x.site");
        QVERIFY(QFile::copy(SampleSite, site));
        // The same file under another name is still the same file.
        QVERIFY(QFile::link(site, dir.filePath("alias.txt")));
        QCOMPARE(runCli({"export-tsv", site, dir.filePath("alias.txt")}).status, 1);
        QCOMPARE(fileContents(site), fileContents(SampleSite));
        // An endless input is read no further than its first bytes (a status of -1 when it ran on).
        const CliRun zero =
            runCli({"load", "/dev/zero", dir.filePath("out.site")}, CliOptions().within(10000));
        QCOMPARE(zero.status, 2);
        QCOMPARE(zero.err.count('\n'), 1);
        QVERIFY(zero.err.contains("not a links database in JSON"));
        for (const char *value : {"nan", "inf", "-1", "0"})
            QCOMPARE(runCli({"verify", SampleSite, "--timeout", value}).status, 1);
    }

    void otherWritersAreRespected()
    {
        QTemporaryDir dir;
        const QString open = dir.filePath("open.site");
        QVERIFY(QFile::copy(SampleSite, open));
        QFile::setPermissions(open, QFile::ReadOwner | QFile::WriteOwner);
        // What a window holds while the file is open.
        const QString lockPath = dir.filePath(".open.site.lock");
        QLockFile lock(lockPath);
        QVERIFY(lock.tryLock());
        const CliRun blocked = runCli({"load", SampleJson, open});
        QCOMPARE(blocked.status, 2);
        QVERIFY2(blocked.err.contains("open in another window"), blocked.err.constData());
        QVERIFY(blocked.err.contains(lockPath.toUtf8()));
        // Nothing is said to be added when it could not be written.
        const QString table = dir.filePath("new.csv");
        QVERIFY(writeFile(table, "URL\nhttp://new.example/\n"));
        const CliRun import = runCli({"import-table", open, table});
        QCOMPARE(import.status, 2);
        QVERIFY2(!import.err.contains("added"), import.err.constData());
        lock.unlock();
        // A lock left by a process that has ended is taken over, and so is one that names no owner (a
        // writer killed before it wrote into it).
        QVERIFY(
            writeFile(lockPath, "999999\nquillmarsh-cli\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
        QCOMPARE(runCli({"load", SampleJson, open}).status, 0);
        QVERIFY(writeFile(lockPath, {}));
        QCOMPARE(runCli({"import-table", open, table}).err, QByteArray("1 link was added.\n"));
        // A lock that is a FIFO would never be read to its end: refused at once, naming it.
        QVERIFY(::mkfifo(QFile::encodeName(lockPath).constData(), 0644) == 0);
        QElapsedTimer clock;
        clock.start();
        const CliRun fifo = runCli({"load", SampleJson, open}, CliOptions().within(10000));
        QCOMPARE(fifo.status, 2);
        QVERIFY(clock.elapsed() < LockWaitMs);
        QVERIFY2(fifo.err.contains(lockPath.toUtf8()), fifo.err.constData());
        QVERIFY(QFile::remove(lockPath));

        // A long verification does not save over what another program wrote meanwhile.
        HttpTestServer server;
        QVERIFY(server.listen());
        server.setResponse("/hang",
                           HttpTestServer::Response::behaving(HttpTestServer::Response::Mode::NeverAnswer));
        DatabaseBuilder db;
        SiteProfileTexts texts;
        texts.URL = "http://www.mysite.example/";
        db.store().setSiteProfile(texts);
        db.link("Partner", LinkStatusApproved, server.url("/hang"));
        const QString site = dir.filePath("one.site");
        QVERIFY(writeFile(site, db.store().dataRepresentation()));
        // Beside a window, verify --save fetches nothing it could not save.
        QLockFile window(dir.filePath(".one.site.lock"));
        QVERIFY(window.tryLock());
        QCOMPARE(runCli({"verify", site, "--save"}).status, 2);
        QCOMPARE(server.totalRequests(), 0);
        window.unlock();
        QProcess verify;
        verify.start(QStringLiteral(QM_CLI_PATH), {"verify", site, "--save", "--timeout", "3"});
        QVERIFY(QTest::qWaitFor([&] { return server.totalRequests() > 0; }, 10000));
        // Meanwhile an import (or any program) writes the file.
        QVERIFY(QFile::remove(site));
        QVERIFY(QFile::copy(SampleSite, site));
        QVERIFY(QTest::qWaitFor([&] { return verify.state() == QProcess::NotRunning; }, 20000));
        QCOMPARE(verify.exitCode(), 2);
        QVERIFY(verify.readAllStandardError().contains("changed by another program"));
        QCOMPARE(fileContents(site), fileContents(SampleSite));
    }
};

QTEST_GUILESS_MAIN(TestCliOutputs)
#include "tst_outputs.moc"
