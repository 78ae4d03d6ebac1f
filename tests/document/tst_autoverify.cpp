#include "DocumentFixture.h"
#include "HttpTestServer.h"

#include "document/AutoVerifier.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/VerificationCommands.h"
#include "history/BackgroundVerification.h"
#include "history/DesktopNotifier.h"
#include "history/HistoryStore.h"
#include "model/Clock.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"
#include "verify/ui/VerificationDialogController.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QPushButton>
#include <QUndoStack>

// The freedesktop notification service, as far as the application uses it: records each Notify.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call
    {
        QString appName, summary, body;
    };
    QList<Call> calls;

public slots:
    uint Notify(const QString &appName, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &, const QVariantMap &, int)
    {
        calls.append({appName, summary, body});
        return uint(calls.size());
    }
};

// Checks that run by themselves: only the due links (by a fake clock), never while a sheet is open,
// the results as one undo step, Stop keeping what was checked, and the desktop notification of lost
// links sent to a fake service on a private session bus.
class TestAutoVerify : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const QDateTime m_start{QDate(2026, 3, 14), QTime(12, 0)};
    const Clock::Fixed m_clock{m_start};

    MyDocument *open()
    {
        DatabaseBuilder db;
        SiteProfileTexts texts;
        texts.URL = QStringLiteral("http://www.mysite.example/");
        db.store().setSiteProfile(texts);
        auto add = [&](const QString &title, int daysAgo) {
            LinkFields fields;
            fields.title = title;
            fields.URL = m_server.url("/site");
            fields.counterpartURL = m_server.url(QStringLiteral("/") + title);
            fields.status = LinkStatusApproved;
            if (daysAgo >= 0) {
                fields.lastVerifiedOn = Clock::today().addDays(-daysAgo);
                fields.lastVerificationResult = VerificationSucceeded;
            }
            db.link(fields);
        };
        add(QStringLiteral("Alpha"), 10);
        add(QStringLiteral("Beta"), 2);
        add(QStringLiteral("Gamma"), -1);
        return m_fixture->open(db);
    }

    static AutoVerifier *verifierOf(MyDocument *document) { return document->findChild<AutoVerifier *>(); }

    static QStringList tickedTitles(const VerificationRowModel *run)
    {
        QStringList titles;
        for (int row = 0; row < run->numLinks(); ++row) {
            if (run->linkInfo(row).selected())
                titles.append(run->linkInfo(row).link()->title());
        }
        return titles;
    }

    static bool waitUntilDone(AutoVerifier *verifier)
    {
        return QTest::qWaitFor([&] { return !verifier->isRunning(); }, 20000);
    }

private slots:
    void initTestCase()
    {
        // A private session bus, before anything in this process reaches for one.
        m_bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                    QStringLiteral("--print-address=1")});
        if (m_bus.waitForStarted(5000) && m_bus.waitForReadyRead(5000)) {
            m_busAddress = QString::fromUtf8(m_bus.readLine()).trimmed();
            qputenv("DBUS_SESSION_BUS_ADDRESS", m_busAddress.toUtf8());
        }
        QVERIFY(m_server.listen());
        using R = HttpTestServer::Response;
        m_server.setResponse("/site", R::page("home"));
    }
    void cleanupTestCase()
    {
        m_bus.kill();
        m_bus.waitForFinished();
    }
    void init()
    {
        m_fixture = std::make_unique<DocumentFixture>();
        const QByteArray found = "<a href=\"http://www.mysite.example/\">Mine</a>";
        using R = HttpTestServer::Response;
        for (const char *path : {"/Alpha", "/Beta", "/Gamma"})
            m_server.setResponse(path, R::page(found));
    }
    void cleanup() { m_fixture.reset(); }

    void checksOnlyDueLinksAsOneUndoStep()
    {
        Preferences::setValue(Preferences::AutoVerifyDays, 0);
        MyDocument *document = open();
        AutoVerifier *verifier = verifierOf(document);
        QVERIFY(verifier);
        QVERIFY(!verifier->verifyDueLinks()); // off
        Preferences::setValue(Preferences::AutoVerifyDays, 7);
        const int steps = document->undo()->stack()->count();

        QVERIFY(verifier->verifyDueLinks());
        QVERIFY(verifier->stopButton()->isVisibleTo(document));
        QCOMPARE(tickedTitles(verifier->background()->rows()),
                 (QStringList{QStringLiteral("Alpha"), QStringLiteral("Gamma")}));
        QVERIFY(waitUntilDone(verifier));
        QTest::qWait(50);
        QVERIFY(!verifier->stopButton()->isVisibleTo(document));
        QCOMPARE(document->undo()->stack()->count(), steps + 1);
        QCOMPARE(document->undo()->stack()->undoText(), QStringLiteral("Automatic Verification"));
        QVERIFY(document->isEdited());
        QCOMPARE(HistoryStore(document->filePath()).checks()->size(), 2);

        // Nothing is due now; a week later (the fake clock) every link is.
        QVERIFY(!verifier->verifyDueLinks());
        const Clock::Fixed weekLater(m_start.addDays(8));
        QVERIFY(verifier->verifyDueLinks());
        QCOMPARE(tickedTitles(verifier->background()->rows()).size(), 3);
        QVERIFY(waitUntilDone(verifier));
        // Undo takes the whole automatic run back at once.
        document->undo()->undo();
        QCOMPARE(document->undo()->stack()->count(), steps + 2);
    }

    void skippedWhileASheetIsOpen()
    {
        Preferences::setValue(Preferences::AutoVerifyDays, 0);
        MyDocument *document = open();
        AutoVerifier *verifier = verifierOf(document);
        Preferences::setValue(Preferences::AutoVerifyDays, 7);
        document->menus()->verifyAllLinks->trigger();
        VerificationDialogController *sheet =
            document->commandArea<VerificationCommands>()->verificationDialog();
        QVERIFY(sheet->isVisible());
        QVERIFY(!verifier->verifyDueLinks());
        sheet->cancel();
        QVERIFY(QTest::qWaitFor([&] { return !sheet->isVisible(); }));
        QVERIFY(verifier->verifyDueLinks());
        QVERIFY(waitUntilDone(verifier));
    }

    void stopKeepsWhatWasChecked()
    {
        using R = HttpTestServer::Response;
        m_server.setResponse("/Gamma", R::behaving(R::Mode::NeverAnswer));
        Preferences::setValue(Preferences::AutoVerifyDays, 0);
        MyDocument *document = open();
        AutoVerifier *verifier = verifierOf(document);
        Preferences::setValue(Preferences::AutoVerifyDays, 7);
        const int steps = document->undo()->stack()->count();
        QVERIFY(verifier->verifyDueLinks());
        QVERIFY(QTest::qWaitFor([&] { return verifier->background()->done() == 1; }, 10000));
        verifier->stopButton()->click();
        QVERIFY(waitUntilDone(verifier));
        QCOMPARE(document->undo()->stack()->count(), steps + 1);
        const auto checks = HistoryStore(document->filePath()).checks();
        QCOMPARE(checks->size(), 1);
        QCOMPARE(checks->first().title, QStringLiteral("Alpha"));
    }

    void lostLinksAreAnnouncedOnTheDesktop()
    {
        if (m_busAddress.isEmpty())
            QSKIP("dbus-daemon is not installed");
        QVERIFY(!DesktopNotifier::isAvailable());
        QVERIFY(!DesktopNotifier::notify(QStringLiteral("nobody"), QStringLiteral("listens")));
        FakeNotifications service;
        QDBusConnection fake =
            QDBusConnection::connectToBus(m_busAddress, QStringLiteral("fake-notifications"));
        QVERIFY(fake.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                    QDBusConnection::ExportAllSlots));
        QVERIFY(fake.registerService(QStringLiteral("org.freedesktop.Notifications")));
        QVERIFY(DesktopNotifier::isAvailable());

        Preferences::setValue(Preferences::AutoVerifyDays, 0);
        MyDocument *document = open();
        AutoVerifier *verifier = verifierOf(document);
        Preferences::setValue(Preferences::AutoVerifyDays, 7);
        const Clock::Fixed monthLater(m_start.addDays(30));
        QVERIFY(verifier->verifyDueLinks());
        QVERIFY(waitUntilDone(verifier));
        QVERIFY(service.calls.isEmpty()); // nothing lost
        using R = HttpTestServer::Response;
        m_server.setResponse("/Alpha", R::page("gone"));
        m_server.setResponse("/Beta", R::page("<a href=\"http://www.mysite.example/\">ok</a>"));
        m_server.setResponse("/Gamma", R::page("gone <b>too</b>"));
        const Clock::Fixed twoMonthsLater(m_start.addDays(60));
        QVERIFY(verifier->verifyDueLinks());
        QVERIFY(waitUntilDone(verifier));
        QVERIFY(QTest::qWaitFor([&] { return !service.calls.isEmpty(); }, 5000));
        QCOMPARE(service.calls.size(), 1);
        QCOMPARE(service.calls.first().appName, QStringLiteral("Quillmarsh"));
        QCOMPARE(service.calls.first().summary, QStringLiteral("2 reciprocal links were lost"));
        QCOMPARE(service.calls.first().body, QStringLiteral("test.site: Alpha, Gamma"));
        fake.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-notifications"));
    }

private:
    QProcess m_bus;
    QString m_busAddress;
    HttpTestServer m_server;
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestAutoVerify)
#include "tst_autoverify.moc"
