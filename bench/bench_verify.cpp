// A verification run of many links against a local server that answers every request after a fixed
// delay. With four checks at once and two fetches per check, the ideal time is
// links x 2 x delay / 4; the run should stay close to it and spend little CPU per check.
//
// usage: bench_verify [LINKS [DELAY_MS]]
#include "model/CollectionManager.h"
#include "model/Preferences.h"
#include "verify/VerificationRun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace {

const QByteArray OwnURL = "http://www.mysite.example/";

QByteArray linksPage()
{
    QByteArray page = "<html><head><title>Links</title></head><body><ul>\n";
    for (int i = 0; i < 150; ++i)
        page += "<li><a href=\"http://partner" + QByteArray::number(i) + ".example/\">Partner " +
                QByteArray::number(i) + "</a> - a fine site about walking</li>\n";
    page += "<li><a href=\"" + OwnURL + "\">My site</a></li>\n</ul></body></html>\n";
    return page;
}

// The server, run in a child process so that its work is not counted as the run's CPU time.
int serve(int delayMs)
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 1;
    const QByteArray body = linksPage();
    const QByteArray response =
        "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
        QByteArray::number(body.size()) + "\r\nConnection: keep-alive\r\n\r\n" + body;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, buffer, delayMs, response] {
                *buffer += socket->readAll();
                qsizetype end;
                while ((end = buffer->indexOf("\r\n\r\n")) >= 0) {
                    buffer->remove(0, end + 4);
                    QPointer<QTcpSocket> guard(socket);
                    QTimer::singleShot(delayMs, Qt::PreciseTimer, socket, [guard, response] {
                        if (guard)
                            guard->write(response);
                    });
                }
            });
        }
    });
    std::printf("%d\n", server.serverPort());
    std::fflush(stdout);
    return QCoreApplication::exec();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("QuillmarshBench"));
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == QLatin1String("--serve"))
        return serve(arguments.value(2).toInt());

    const int links = arguments.size() > 1 ? arguments.at(1).toInt() : 200;
    const int delayMs = arguments.size() > 2 ? arguments.at(2).toInt() : 50;
    QTemporaryDir dir;
    Preferences::useSettingsFile(dir.filePath(QStringLiteral("settings.ini")));

    QProcess server;
    server.start(app.applicationFilePath(), {QStringLiteral("--serve"), QString::number(delayMs)});
    if (!server.waitForReadyRead(10000)) {
        std::fprintf(stderr, "the server did not start\n");
        return 1;
    }
    const int port = server.readLine().trimmed().toInt();

    CollectionManager store;
    SiteProfileTexts texts;
    texts.URL = QString::fromLatin1(OwnURL);
    store.setSiteProfile(texts);
    for (int i = 0; i < links; ++i) {
        LinkFields fields;
        fields.title = QStringLiteral("Partner %1").arg(i, 5, 10, QChar('0'));
        fields.categoryID = NoneCategoryID;
        fields.URL = QStringLiteral("http://127.0.0.1:%1/site%2/").arg(port).arg(i);
        fields.counterpartURL = QStringLiteral("http://127.0.0.1:%1/links%2.html").arg(port).arg(i);
        fields.status = LinkStatusNew;
        fields.lastStatusChangedOn = QDate::currentDate();
        store.addLinkFromFields(fields);
    }

    VerificationRun run(&store);
    run.initializeFieldsWithSelectedLinkIDs();
    QEventLoop loop;
    QObject::connect(&run, &VerificationRun::runEnded, &loop, &QEventLoop::quit);
    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    run.confirm();
    if (!run.verificationStopped())
        loop.exec();
    const double wallMs = double(clock.nsecsElapsed()) / 1e6;
    const double cpuMs = (cpuSeconds() - cpuBefore) * 1000.0;
    server.kill();
    server.waitForFinished();

    int succeeded = 0;
    for (int row = 0; row < run.numLinks(); ++row)
        succeeded += run.linkInfo(row).result() == VerificationSucceeded ? 1 : 0;
    const double idealMs = double(links) * 2 * delayMs / VerificationRun::MaximumChecks;
    std::printf("verification run: %d links, server delay %d ms, %d verified successfully\n", links, delayMs,
                succeeded);
    std::printf("  time        %8.0f ms (ideal %0.0f ms, ratio %.3f)\n", wallMs, idealMs, wallMs / idealMs);
    std::printf("  CPU         %8.0f ms in all, %.2f ms per check\n", cpuMs, cpuMs / links);
    return succeeded == links ? 0 : 1;
}
