#include "support/DatabaseBuilder.h"
#include "support/HttpTestServer.h"

#include "model/Preferences.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// A run over two local servers, one of which answers 429 with Retry-After: that server gets no
// request until its pause is over, the other is served meanwhile, and the check that got the 429
// tries again afterwards and succeeds.
class TestVerifyPauses : public QObject
{
    Q_OBJECT
private slots:
    void retryAfterPausesOnlyThatServer()
    {
        QTemporaryDir dir;
        QStandardPaths::setTestModeEnabled(true);
        Preferences::useSettingsFile(dir.filePath(QStringLiteral("settings.ini")));
        HttpTestServer busy, calm;
        QVERIFY(busy.listen() && calm.listen());
        using R = HttpTestServer::Response;
        const QByteArray page = "<a href=\"http://www.mysite.example/\">me</a>";
        for (HttpTestServer *server : {&busy, &calm}) {
            server->setResponse("/site", R::page("up").delay(50));
            server->setResponse("/page", R::page(page).delay(50));
        }
        busy.setResponses("/page", {R::withStatus(429, "slow down").header("Retry-After", "1").delay(50),
                                    R::page(page).delay(50)});
        DatabaseBuilder db;
        SiteProfileTexts texts;
        texts.URL = QStringLiteral("http://www.mysite.example/");
        db.store().setSiteProfile(texts);
        for (int i = 0; i < 8; ++i) {
            HttpTestServer &server = i < 3 ? busy : calm;
            LinkFields fields;
            fields.title = QStringLiteral("Partner %1").arg(i);
            fields.URL = server.url("/site");
            fields.counterpartURL = server.url("/page");
            fields.status = LinkStatusNew;
            db.link(fields);
        }
        VerificationScheduler scheduler;
        VerificationRowModel run(&db.store());
        run.follow(&scheduler);
        FetchSettings settings;
        settings.timeoutMs = 10000;
        settings.retryDelayMs = 100;
        scheduler.setFetchSettings(settings);
        // Three at once, two per server: a third check is always free for the calm server, even while
        // both checks of the busy one wait out its pause.
        scheduler.setLimits(VerificationLimits{3, 2});
        QVERIFY(run.buildRows());
        scheduler.start(run.checksToRun(), texts.URL);
        QVERIFY(QTest::qWaitFor([&] { return scheduler.hasEnded(); }, 20000));
        for (int row = 0; row < run.numLinks(); ++row)
            QCOMPARE(run.linkInfo(row).result(), VerificationSucceeded);
        // The 429 answered the busy server's first links page request, 50 ms after it came: what came
        // later was sent before that answer or after the second of pause (the third row waited too).
        // The margins leave room for a busy machine: nothing may arrive in the middle of the pause.
        const QList<HttpTestServer::Request> &asked = busy.requests();
        const auto throttled = std::find_if(asked.begin(), asked.end(),
                                            [](const auto &request) { return request.path == "/page"; });
        QVERIFY(throttled != asked.end());
        const qint64 pausedAt = throttled->receivedAtMs;
        for (auto later = throttled + 1; later != asked.end(); ++later) {
            const qint64 after = later->receivedAtMs - pausedAt;
            QVERIFY2(after < 250 || after >= 950, qPrintable(QString::number(after)));
        }
        QVERIFY(asked.last().receivedAtMs - pausedAt >= 950); // the check tried again after the pause
        // The other server went on: its checks (100 ms each) fit into the pause.
        int calmDuringPause = 0;
        for (const HttpTestServer::Request &request : calm.requests())
            calmDuringPause += request.receivedAtMs > pausedAt + 100 && request.receivedAtMs < pausedAt + 900;
        QVERIFY2(calmDuringPause >= 2, qPrintable(QString::number(calmDuringPause)));
    }
};

QTEST_GUILESS_MAIN(TestVerifyPauses)
#include "tst_verifypauses.moc"
