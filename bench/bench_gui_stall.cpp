// How long the window's event loop stops answering while the verification sheet of a document window
// checks 40 partners whose links pages come from a local server, some of them pages nested so deeply
// that the HTML parser gives up only at its time limit. A timer asks to run every 5 ms on the GUI
// thread; the longest gap between two of its turns is the longest the window could not answer.
// With --lock-history another process holds an exclusive lock on the database's history file
// during a second run, as a scheduled verification writing at that moment or a backup tool would.
//
// usage: bench_gui_stall [--lock-history] [--nesting N]   (runs offscreen unless a platform is chosen)
#include "document/DocumentController.h"
#include "document/MyDocument.h"
#include "document/VerificationCommands.h"
#include "gui/MessageBox.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryStore.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/Preferences.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"
#include "verify/ui/VerificationDialogController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

const QByteArray OwnURL = "http://www.mysite.example/";
constexpr int Partners = 40;

bool isHostile(int partner)
{
    return partner % 8 == 0; // five of the forty
}

QByteArray answer(const QByteArray &body)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: keep-alive\r\n\r\n" + body;
}

// The server runs in a child process, so neither its work nor its sockets count against the window.
int serve(int nesting)
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 1;
    const QByteArray link = "<a href=\"" + OwnURL + "\">My site</a>";
    const QByteArray plain = answer("<html><body><ul><li>" + link + "</li></ul></body></html>\n");
    // Half <div>, half <b>: the tree builder's slowest steps on both kinds of element.
    const QByteArray hostile =
        answer(QByteArray("<div>").repeated(nesting / 2) + QByteArray("<b>").repeated(nesting / 2) + link);
    const QByteArray home = answer("<html><body>Home</body></html>\n");
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [&, socket, buffer] {
                *buffer += socket->readAll();
                qsizetype end;
                while ((end = buffer->indexOf("\r\n\r\n")) >= 0) {
                    const QByteArray request = buffer->left(end);
                    buffer->remove(0, end + 4);
                    // "GET /linksN.html HTTP/1.1"
                    const QByteArray path = request.split(' ').value(1);
                    if (path.startsWith("/links")) {
                        const int partner = path.mid(6).split('.').value(0).toInt();
                        socket->write(isHostile(partner) ? hostile : plain);
                    } else {
                        socket->write(home);
                    }
                }
            });
        }
    });
    std::printf("%d\n", server.serverPort());
    std::fflush(stdout);
    return QCoreApplication::exec();
}

// The longest gap between two turns of a timer that asks to run every 5 ms on the GUI thread.
class Watchdog : public QObject
{
public:
    Watchdog()
    {
        m_timer.setInterval(5);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longest = std::max(m_longest, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_longest = 0;
        m_last = 0;
        m_clock.start();
        m_timer.start();
    }
    double stop()
    {
        m_timer.stop();
        // The wait since the last turn counts too.
        m_longest = std::max(m_longest, m_clock.nsecsElapsed() - m_last);
        return double(m_longest) / 1e6;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

struct Run
{
    double wallMs = 0;
    double stallMs = 0;
    int verified = 0;
    int notLoaded = 0;
    QString history; // what the history said at the run's end
};

// Verify All Links and Verify Links in the sheet, as a user starts them, until the run has ended
// and its checks are recorded (or said to be lost); then the sheet is closed without saving.
Run verifyInSheet(MyDocument *window)
{
    auto *commands = window->commandArea<VerificationCommands>();
    Watchdog watchdog;
    QElapsedTimer clock;
    Run run;
    bool recorded = false;
    QEventLoop loop;
    std::vector<QMetaObject::Connection> connections;

    watchdog.start();
    clock.start();
    commands->verifyAllLinks();
    VerificationDialogController *sheet = commands->verificationDialog();
    HistoryRecorder *recorder = sheet->historyRecorder();
    connections.push_back(QObject::connect(recorder, &HistoryRecorder::recordingFinished, &loop, [&] {
        recorded = true;
        run.wallMs = double(clock.nsecsElapsed()) / 1e6;
        if (run.history.isEmpty())
            run.history = QStringLiteral("recorded");
        loop.quit();
    }));
    connections.push_back(QObject::connect(recorder, &HistoryRecorder::historyUnavailable, &loop,
                                           [&](const QString &why) { run.history = why; }));
    sheet->confirm();
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    if (!recorded)
        loop.exec();
    // Events that follow the run's end (the sheet's last progress, the table) are part of it.
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
    run.stallMs = watchdog.stop();
    const VerificationRowModel *rows = sheet->rows();
    for (int row = 0; row < rows->numLinks(); ++row) {
        run.verified += rows->linkInfo(row).result() == VerificationSucceeded ? 1 : 0;
        run.notLoaded += rows->linkInfo(row).result() == VerificationLinksPageNotLoaded ? 1 : 0;
    }
    for (const QMetaObject::Connection &connection : connections)
        QObject::disconnect(connection);
    sheet->cancel();
    QApplication::processEvents();
    return run;
}

void print(const char *what, const Run &run)
{
    std::printf(
        "%s\n  longest stall of the GUI thread: %8.1f ms\n  run, opening to recorded:       %8.0f ms\n"
        "  %d verified, %d pages not read (too complex); history: %s\n",
        what, run.stallMs, run.wallMs, run.verified, run.notLoaded, qPrintable(run.history));
}

} // namespace

int main(int argc, char *argv[])
{
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    const qsizetype nestingAt = arguments.indexOf(QStringLiteral("--nesting"));
    const int nesting = nestingAt >= 0 ? arguments.value(nestingAt + 1).toInt() : 200000;
    if (arguments.value(0) == QLatin1String("--serve")) {
        QCoreApplication app(argc, argv);
        return serve(nesting);
    }
    const bool lockHistory = arguments.contains(QStringLiteral("--lock-history"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuillmarshBench"));
    QTemporaryDir folder;
    Preferences::useSettingsFile(folder.filePath(QStringLiteral("settings.ini")));
    MessageBox::setScripted(true);

    QProcess server;
    server.start(QApplication::applicationFilePath(),
                 {QStringLiteral("--serve"), QStringLiteral("--nesting"), QString::number(nesting)});
    if (!server.waitForReadyRead(10000)) {
        std::fprintf(stderr, "the server did not start\n");
        return 1;
    }
    const int port = server.readLine().trimmed().toInt();

    const QString path = folder.filePath(QStringLiteral("stall.site"));
    {
        CollectionManager store;
        SiteProfileTexts texts;
        texts.URL = QString::fromLatin1(OwnURL);
        store.setSiteProfile(texts);
        for (int i = 0; i < Partners; ++i) {
            LinkFields fields;
            fields.title = QStringLiteral("Partner %1").arg(i, 2, 10, QChar('0'));
            fields.categoryID = NoneCategoryID;
            fields.URL = QStringLiteral("http://127.0.0.1:%1/site%2/").arg(port).arg(i);
            fields.counterpartURL = QStringLiteral("http://127.0.0.1:%1/links%2.html").arg(port).arg(i);
            fields.status = LinkStatusNew;
            fields.lastStatusChangedOn = QDate::currentDate();
            store.addLinkFromFields(fields);
        }
        DatabaseFile::write(store, path);
    }
    DocumentController controller;
    MyDocument *window = controller.openDocument(path);
    if (!window) {
        std::fprintf(stderr, "the database did not open\n");
        return 1;
    }
    window->show();
    QApplication::processEvents();

    std::printf("verification of %d partners in the sheet, %d of them with pages nested %d deep, "
                "against a local server\n",
                Partners, Partners / 8, nesting);
    // The first run makes the sheet and the history file; the second is measured as it is.
    print("first run (the sheet made, the history file made)", verifyInSheet(window));
    const Run hostile = verifyInSheet(window);
    print("run with nested pages", hostile);
    double worst = hostile.stallMs;

    if (lockHistory) {
        const QString history = HistoryStore::pathForDatabase(path);
        QProcess locker;
        locker.start(QStringLiteral("python3"),
                     {QStringLiteral("-c"),
                      QStringLiteral("import sqlite3, sys\n"
                                     "db = sqlite3.connect(sys.argv[1], isolation_level=None)\n"
                                     "db.execute('BEGIN EXCLUSIVE')\n"
                                     "print('locked', flush=True)\n"
                                     "sys.stdin.read()\n"),
                      history});
        if (!locker.waitForReadyRead(10000) || !locker.readLine().startsWith("locked")) {
            std::fprintf(stderr, "the history could not be locked: %s\n",
                         locker.readAllStandardError().constData());
            return 1;
        }
        const Run locked = verifyInSheet(window);
        locker.closeWriteChannel(); // the lock ends with the process
        locker.waitForFinished(10000);
        print("run with nested pages and the history locked by another process", locked);
        worst = std::max(worst, locked.stallMs);
    }
    server.kill();
    server.waitForFinished();
    std::printf("max stall %.1f ms\n", worst);
    window->setWindowModified(false);
    delete window;
    return 0;
}
