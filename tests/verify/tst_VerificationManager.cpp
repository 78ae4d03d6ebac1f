#include "support/HttpTestServer.h"

#include "model/Link.h"
#include "model/Preferences.h"
#include "model/TemporaryFolder.h"
#include "verify/VerificationManager.h"
#include "verify/VerificationTarget.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString OwnURL = QStringLiteral("http://www.mysite.example/");

struct Recorder : VerificationTarget
{
    int reports = 0;
    bool inside = false;
    bool reportedInside = false;
    void verificationCompleted(VerificationManager *) override
    {
        ++reports;
        reportedInside = inside;
    }
};

struct Check
{
    VerificationResult result = 0;
    bool synchronous = false;
    int reports = 0;
    VerificationDetails details;
    QString tempFile;
};

FetchSettings fastSettings()
{
    FetchSettings settings;
    settings.timeoutMs = 500;
    settings.retryDelayMs = 20;
    settings.maximumBodySize = 1024 * 1024;
    return settings;
}

} // namespace

// One check against a local server: every result code, the HTTP rules, limits and retries, the
// details beside the result, the page left in the private folder, and cancelling.
class TestVerificationManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Preferences::useSettingsFile(m_dir.filePath(QStringLiteral("settings.ini")));
        QVERIFY(m_server.listen());
        using R = HttpTestServer::Response;
        const QByteArray withAddress = "<html><a href=\"http://www.mysite.example/\">Mine</a></html>";
        m_server.setResponse("/ok", R::page(withAddress));
        m_server.setResponse("/without", R::page("<html><a href=\"http://other.example/\">Other</a></html>"));
        m_server.setResponse("/error500", R::withStatus(500, withAddress));
        m_server.setResponse("/hang", R::behaving(R::Mode::NeverAnswer));
        m_server.setResponse("/drop", R::behaving(R::Mode::CloseWithoutAnswer));
        m_server.setResponse("/slow-body", R::behaving(R::Mode::TrickleBody));
        R endless = R::behaving(R::Mode::EndlessBody);
        endless.body = withAddress;
        m_server.setResponse("/endless", endless);
        m_server.setResponse("/redirect", R::redirect("/redirect2", 301));
        m_server.setResponse("/redirect2", R::redirect(m_server.url("/ok").toUtf8()));
        m_server.setResponse("/loop", R::redirect("/loop"));
        m_server.setResponse("/to-file", R::redirect("file:///etc/hostname"));
        QFile file(m_dir.filePath(QStringLiteral("links.html")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(withAddress);
    }

    void resultCodes_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("page");
        QTest::addColumn<char>("expected");
        QTest::addColumn<bool>("synchronous");
        const auto row = [](const char *name, const char *site, const char *page, char result,
                            bool synchronous = false) {
            QTest::newRow(name) << QString(site) << QString(page) << result << synchronous;
        };
        row("found", "/ok", "/ok", VerificationSucceeded);
        row("partner address without scheme", "www.partner.example", "/ok", VerificationNoResponse, true);
        row("partner address empty", "", "", VerificationNoResponse, true);
        row("partner refuses", "closed", "/ok", VerificationNoResponse);
        row("partner never answers", "/hang", "/ok", VerificationNoResponse);
        row("partner answers with an error", "/error500", "/ok", VerificationSucceeded);
        row("partner fails, links page blank", "closed", "http://", VerificationNoResponse);
        row("partner is a device", "file:///dev/zero", "/ok", VerificationNoResponse);
        row("links page blank", "/ok", "", VerificationNoLinksPageURL);
        row("links page only the scheme", "/ok", "http://", VerificationNoLinksPageURL);
        row("links page not valid", "/ok", "links.example/page", VerificationLinksPageNotLoaded);
        row("links page unknown scheme", "/ok", "xhttp://x", VerificationLinksPageNotLoaded);
        row("links page 404", "/ok", "/missing", VerificationLinksPageNotLoaded);
        row("links page 500 holding the address", "/ok", "/error500", VerificationLinksPageNotLoaded);
        row("links page refuses", "/ok", "closed", VerificationLinksPageNotLoaded);
        row("links page never answers", "/ok", "/hang", VerificationLinksPageNotLoaded);
        row("links page never ends", "/ok", "/slow-body", VerificationLinksPageNotLoaded);
        row("links page dropped", "/ok", "/drop", VerificationLinksPageNotLoaded);
        row("links page redirect loop", "/ok", "/loop", VerificationLinksPageNotLoaded);
        row("links page redirected to a file", "/ok", "/to-file", VerificationLinksPageNotLoaded);
        row("address missing", "/ok", "/without", VerificationLinkNotFound);
        row("redirected twice", "/ok", "/redirect", VerificationSucceeded);
        row("huge page cut at the cap", "/ok", "/endless", VerificationSucceeded);
        row("links page is a file", "/ok", "file", VerificationSucceeded);
    }

    void resultCodes()
    {
        QFETCH(QString, site);
        QFETCH(QString, page);
        QFETCH(char, expected);
        QFETCH(bool, synchronous);
        m_server.resetCounters();
        const Check result = check(site, page);
        QCOMPARE(result.result, expected);
        QCOMPARE(result.reports, 1);
        QCOMPARE(result.synchronous, synchronous);
        if (synchronous)
            QCOMPARE(m_server.totalRequests(), 0);
        // A links page is only fetched once the partner's site answered.
        if (expected == VerificationNoResponse)
            QVERIFY(m_server.requestCount(page) == 0 || page == site);
        if (expected == VerificationNoLinksPageURL)
            QCOMPARE(m_server.requestCount(site), 1);
    }

    void transientFailuresAreRetried()
    {
        using R = HttpTestServer::Response;
        const QByteArray withAddress = "<a href=\"http://www.mysite.example/\">";
        m_server.setResponses("/busy-once",
                              {R::withStatus(429).header("Retry-After", "0"), R::page(withAddress)});
        m_server.setResponse("/always-busy", R::withStatus(503));
        m_server.setResponses("/busy-for-an-hour",
                              {R::withStatus(503).header("Retry-After", "3600"), R::page(withAddress)});
        m_server.setResponses("/dropped-twice",
                              {R::behaving(R::Mode::CloseWithoutAnswer),
                               R::behaving(R::Mode::CloseWithoutAnswer),
                               R::behaving(R::Mode::CloseWithoutAnswer), R::page(withAddress)});
        m_server.setResponses("/site-busy", {R::withStatus(503), R::page("up")});

        Check result = check("/ok", "/busy-once");
        QCOMPARE(result.result, VerificationSucceeded);
        QCOMPARE(m_server.requestCount("/busy-once"), 2);
        QCOMPARE(result.details.retries, 1);

        result = check("/ok", "/always-busy");
        QCOMPARE(result.result, VerificationLinksPageNotLoaded);
        QCOMPARE(m_server.requestCount("/always-busy"), 3); // two retries, then the failure

        result = check("/ok", "/busy-for-an-hour");
        QCOMPARE(result.result, VerificationLinksPageNotLoaded);
        QCOMPARE(m_server.requestCount("/busy-for-an-hour"), 1);

        // Dropped connections are retried (the HTTP client may add tries of its own).
        result = check("/ok", "/dropped-twice");
        QCOMPARE(result.result, VerificationSucceeded);

        // A busy partner site has answered all the same: no retry needed.
        result = check("/site-busy", "/ok");
        QCOMPARE(result.result, VerificationSucceeded);
        QCOMPARE(m_server.requestCount("/site-busy"), 1);
        QCOMPARE(result.details.siteStatus, 503);

        // A time-out is not retried.
        m_server.resetCounters();
        QCOMPARE(check("/ok", "/hang").result, VerificationLinksPageNotLoaded);
        QCOMPARE(m_server.requestCount("/hang"), 1);
    }

    void detailsBesideTheResult()
    {
        using R = HttpTestServer::Response;
        m_server.setResponse(
            "/nofollow", R::page("<html><head><meta name=robots content=noindex></head>"
                                 "<a rel=\"nofollow sponsored\" href=\"http://mysite.example/x\">me</a>"));
        m_server.setResponse(
            "/header-noindex",
            R::page("<a href=\"http://www.mysite.example/\">me</a>").header("X-Robots-Tag", "noindex"));
        m_server.setResponse("/moved", R::redirect("/nofollow"));

        Check result = check("/ok", "/moved");
        QCOMPARE(result.result, VerificationSucceeded); // the second search string, on the redirected page
        QCOMPARE(result.details.siteStatus, 200);
        QCOMPARE(result.details.pageStatus, 200);
        QCOMPARE(result.details.pageFinalURL.toString(), m_server.url("/nofollow"));
        QCOMPARE(result.details.foundString, QStringLiteral("http://mysite.example"));
        QVERIFY(result.details.inAnchor);
        QCOMPARE(result.details.rel, QStringList({"nofollow", "sponsored"}));
        QVERIFY(result.details.noindex);
        QVERIFY(result.details.pageRedirected);
        QVERIFY(!result.details.followed);
        QCOMPARE(result.details.anchorText, QStringLiteral("me"));
        QCOMPARE(result.details.links.size(), 1);
        QVERIFY(!result.details.nofollowPage);
        QVERIFY(result.details.summary().contains(
            QStringLiteral("no followed link: marked nofollow, sponsored")));

        result = check("/ok", "/header-noindex");
        QVERIFY(!result.details.pageRedirected);
        QVERIFY(result.details.noindex);
        QVERIFY(result.details.rel.isEmpty());

        result = check("/ok", "/missing");
        QCOMPARE(result.details.pageStatus, 404);
        QVERIFY(result.details.summary().contains(QStringLiteral("404")));
        result = check("closed", "/ok");
        QVERIFY(!result.details.failure.isEmpty());

        m_server.resetCounters();
        result = check("/ok", "/endless");
        QVERIFY(result.details.pageTruncated);
        QCOMPARE(QFileInfo(result.tempFile).size(), fastSettings().maximumBodySize);
    }

    void pagesInOtherEncodings()
    {
        using R = HttpTestServer::Response;
        const QString own = QStringLiteral("http://www.m\u00fcller.example/");
        const QString text = QStringLiteral("<a href=\"http://www.m\u00fcller.example/\">M\u00fcller</a>");
        QStringEncoder utf16(QStringConverter::Utf16LE);
        m_server.setResponse("/utf16", R::page("\xFF\xFE" + QByteArray(utf16(text)), "text/html"));
        m_server.setResponse("/latin1", R::page(text.toLatin1(), "text/html; charset=iso-8859-1"));
        m_server.setResponse("/utf8", R::page(text.toUtf8()));
        for (const char *path : {"/utf16", "/latin1", "/utf8"})
            QVERIFY2(check("/ok", path, own).result == VerificationSucceeded, path);
        // The own host, written without scheme or www, is found in UTF-16 text too.
        QCOMPARE(check("/ok", "/utf16", QStringLiteral("M\u00fcller.example")).result, VerificationSucceeded);
    }

    void preferencesAreReadWhenTheFetchStarts()
    {
        Preferences::setValue(Preferences::VerificationTimeout, 1);
        Preferences::setValue(Preferences::VerificationUserAgent, QStringLiteral("QuillmarshTest/1.0"));
        m_server.resetCounters();
        QElapsedTimer clock;
        clock.start();
        const Check result = check("/ok", "/hang", OwnURL, std::nullopt);
        QCOMPARE(result.result, VerificationLinksPageNotLoaded);
        QVERIFY2(clock.elapsed() >= 900 && clock.elapsed() < 5000,
                 qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(m_server.requests().value(0).headers.value("user-agent"), QByteArray("QuillmarshTest/1.0"));
        Preferences::remove(Preferences::VerificationTimeout);
        Preferences::remove(Preferences::VerificationUserAgent);

        m_server.resetCounters();
        check("/ok", "/ok");
        QVERIFY(m_server.requests().value(0).headers.value("user-agent").startsWith("Mozilla/5.0"));
    }

    void pageIsKeptInThePrivateFolder()
    {
        const Check result = check("/ok", "/without");
        QCOMPARE(QFileInfo(result.tempFile).fileName(), QStringLiteral("verify7.html"));
        QFile file(result.tempFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("http://other.example/"));
        const QFileInfo folder(QFileInfo(result.tempFile).absolutePath());
        QCOMPARE(folder.fileName(), TemporaryFolder::FolderName);
        QCOMPARE(folder.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                         QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
                 QFile::Permissions());

        // A folder opened up by someone is made private again.
        QFile::setPermissions(folder.absoluteFilePath(), QFile::Permissions(0x7777));
        QCOMPARE(TemporaryFolder::path(), folder.absoluteFilePath());
        QCOMPARE(QFileInfo(folder.absoluteFilePath()).permissions() & QFile::ReadOther, QFile::Permissions());
    }

    void cancelReportsNothing()
    {
        LinkFields fields;
        fields.categoryID = NoneCategoryID;
        fields.URL = m_server.url("/hang");
        fields.counterpartURL = m_server.url("/ok");
        Link hanging;
        hanging.setTitle(fields);
        fields.URL = m_server.url("/ok");
        fields.counterpartURL = m_server.url("/hang");
        Link secondStepHangs;
        secondStepHangs.setTitle(fields);

        QNetworkAccessManager network;
        for (const Link *link : {&hanging, &secondStepHangs}) {
            m_server.resetCounters();
            VerificationManager manager(&network);
            manager.setFetchSettings(fastSettings());
            Recorder recorder;
            QVERIFY(manager.verifyLink(link, 0, OwnURL, &recorder));
            QVERIFY(QTest::qWaitFor([&] { return m_server.requestCount("/hang") == 1; }, 5000));
            manager.cancel();
            QVERIFY(!manager.isRunning());
            QTest::qWait(700); // longer than the time-out
            QCOMPARE(recorder.reports, 0);
            QCOMPARE(manager.result(), VerificationNotVerified);
            QTRY_COMPARE(m_server.inFlight(), 0); // the connection was closed
        }
    }

    void aFailedSecureConnectionSaysSo()
    {
        QTcpServer plain;
        QVERIFY(plain.listen(QHostAddress::LocalHost));
        connect(&plain, &QTcpServer::newConnection, &plain, [&plain] {
            while (QTcpSocket *socket = plain.nextPendingConnection()) {
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
                socket->disconnectFromHost();
            }
        });
        const QString https = QStringLiteral("https://127.0.0.1:%1/").arg(plain.serverPort());
        const Check result = check(https, "/ok");
        QCOMPARE(result.result, VerificationNoResponse);
        QVERIFY2(result.details.failure.startsWith(QStringLiteral("Secure connection (TLS) failed: ")),
                 qPrintable(result.details.failure));
    }

private:
    QString address(const QString &target) const
    {
        if (target.startsWith(u'/'))
            return m_server.url(target);
        if (target == QLatin1String("closed"))
            return QStringLiteral("http://127.0.0.1:%1/").arg(HttpTestServer::closedPort());
        if (target == QLatin1String("file"))
            return QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("links.html"))).toString();
        return target;
    }

    Check check(const QString &site, const QString &page, const QString &own = OwnURL,
                std::optional<FetchSettings> settings = fastSettings())
    {
        LinkFields fields;
        fields.title = QStringLiteral("Partner");
        fields.categoryID = NoneCategoryID;
        fields.URL = address(site);
        fields.counterpartURL = address(page);
        Link link;
        link.setTitle(fields);

        QNetworkAccessManager network;
        VerificationManager manager(&network);
        manager.setFetchSettings(settings);
        Recorder recorder;
        recorder.inside = true;
        const bool underWay = manager.verifyLink(&link, 7, own, &recorder);
        recorder.inside = false;
        Check result;
        if (underWay)
            (void)QTest::qWaitFor([&] { return recorder.reports > 0; }, 15000);
        QTest::qWait(20); // a second report would come now
        result.result = manager.result();
        result.synchronous = !underWay && recorder.reportedInside;
        result.reports = recorder.reports;
        result.details = manager.details();
        result.tempFile = manager.tempFilePath();
        return result;
    }

    HttpTestServer m_server;
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestVerificationManager)
#include "tst_VerificationManager.moc"
