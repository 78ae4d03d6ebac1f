#include "DocumentFixture.h"
#include "HistoryLockHolder.h"
#include "HttpTestServer.h"
#include "StallWatchdog.h"

#include "document/AutoVerifier.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/FileCommands.h"
#include "document/HistoryCommands.h"
#include "document/LinkCommands.h"
#include "document/VerificationCommands.h"
#include "history/DesktopNotifier.h"
#include "history/HistoryStore.h"
#include "history/LinkChangesModel.h"
#include "history/LinkHistoryModel.h"
#include "history/VerificationRun.h"
#include "history/ui/ChangeMarkDelegate.h"
#include "history/ui/LinkHistoryView.h"
#include "history/ui/LostLinksDialogController.h"
#include "model/Clock.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"
#include "verify/ui/VerificationDialogController.h"
#include "workflow/ui/LinkDialogController.h"

#include <QAction>
#include <QDBusConnection>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>

// The freedesktop notification service, as far as the application uses it: records each Notify.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList calls;

public slots:
    uint Notify(const QString &appName, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &, const QVariantMap &, int)
    {
        calls.append(appName + '|' + summary + '|' + body);
        return uint(calls.size());
    }
};

// The verification history in the document window: the sheet's runs recorded and marked, the Lost
// Links window, the editor's History tab, Save As, a damaged history; and the automatic runs over
// the due links (by a fake clock) with their notice through a fake service on a private session bus.
class TestHistoryWindow : public QObject
{
    Q_OBJECT
    const QDateTime m_start{QDate(2026, 3, 14), QTime(12, 0)};
    const Clock::Fixed m_clock{m_start};

    // Alpha checked 10 days ago, Beta 2 days ago, Gamma never.
    MyDocument *open()
    {
        DatabaseBuilder db;
        SiteProfileTexts texts;
        texts.URL = QStringLiteral("http://www.mysite.example/");
        db.store().setSiteProfile(texts);
        for (const auto &[title, daysAgo] : {std::pair{"Alpha", 10}, {"Beta", 2}, {"Gamma", -1}}) {
            LinkFields fields;
            fields.title = QString::fromLatin1(title);
            fields.URL = m_server.url("/site");
            fields.counterpartURL = m_server.url(QStringLiteral("/") + fields.title);
            fields.status = LinkStatusApproved;
            if (daysAgo >= 0) {
                fields.lastVerifiedOn = Clock::today().addDays(-daysAgo);
                fields.lastVerificationResult = VerificationSucceeded;
            }
            db.link(fields);
        }
        return m_fixture->open(db);
    }

    // One run of the sheet over every link, saved.
    static VerificationDialogController *verifyAll(MyDocument *document)
    {
        document->menus()->action(ActionId::VerifyAllLinks)->trigger();
        VerificationDialogController *sheet =
            document->commandArea<VerificationCommands>()->verificationDialog();
        if (!sheet || !sheet->isVisible())
            return nullptr;
        sheet->confirm();
        if (!QTest::qWaitFor([&] { return sheet->scheduler()->hasEnded(); }, 20000))
            return nullptr;
        return sheet;
    }

    static QStringList tickedTitles(const VerificationRowModel *run)
    {
        QStringList titles;
        for (int row = 0; row < run->numLinks(); ++row) {
            if (run->linkInfo(row).selected())
                titles.append(run->linkInfo(row).link()->title());
        }
        return titles;
    }

    using R = HttpTestServer::Response;
    const R m_found = R::page("<a href=\"http://www.mysite.example/\">Mine</a>");

private slots:
    void initTestCase()
    {
        // A private session bus, before anything in this process reaches for one.
        m_bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        QVERIFY(m_bus.waitForStarted(5000) && m_bus.waitForReadyRead(5000));
        m_busAddress = QString::fromUtf8(m_bus.readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_busAddress.toUtf8());
        QVERIFY(m_server.listen());
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
        Preferences::setValue(Preferences::AutoVerifyDays, 0);
        // The second look at a missing link comes at once.
        Preferences::setValue(Preferences::ConfirmLossDelay, 0);
        for (const char *path : {"/Alpha", "/Beta", "/Gamma"})
            m_server.setResponse(path, m_found);
    }
    void cleanup() { m_fixture.reset(); }

    void sheetRecordsMarksAndShowsLostLinks()
    {
        m_server.setResponses("/Alpha", {m_found, R::page("gone")});
        // Beta, verified two days ago by the database's word, is missing at both looks of the first run.
        m_server.setResponses("/Beta", {R::page("none yet"), R::page("none yet"), m_found});
        MyDocument *document = open();
        VerificationDialogController *sheet = nullptr;
        QVERIFY((sheet = verifyAll(document)));
        sheet->confirm(); // Save Result
        HistoryStore store(document->filePath());
        QTRY_COMPARE(store.checks()->size(), 3);
        HistoryCommands *history = document->commandArea<HistoryCommands>();
        QCOMPARE(history->lostLinksNotice()->text(), QStringLiteral("1 link lost: Show Lost Links"));

        // The sheet marks the rows while it is still open: Alpha lost, Beta recovered.
        QVERIFY((sheet = verifyAll(document)));
        auto *marks = qobject_cast<ChangeMarkDelegate *>(
            sheet->tableView()->itemDelegateForColumn(VerificationRowModel::WarningColumn));
        QVERIFY(marks);
        // Sorted the other way round, the marks stay with their partners.
        const QHash<QString, QString> expected{{"Alpha", "Lost"}, {"Beta", "Recovered"}};
        QTableView *table = sheet->tableView();
        table->sortByColumn(VerificationRowModel::LinkColumn, Qt::DescendingOrder);
        QCOMPARE(table->model()->index(0, VerificationRowModel::LinkColumn).data().toString(), "Gamma");
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            const QString title =
                table->model()->index(row, VerificationRowModel::LinkColumn).data().toString();
            QCOMPARE(marks->markAt(table->model()->index(row, VerificationRowModel::WarningColumn)),
                     expected.value(title));
        }
        MessageBox::setNextAnswer(1); // Close without Saving
        sheet->cancel();              // recorded all the same: the checks happened
        QTRY_COMPARE(store.checks()->size(), 6);
        QVERIFY(history->lostLinksNotice()->text().contains(QStringLiteral("1 link lost")));

        // The notice opens the window with both changes.
        history->lostLinksNotice()->click();
        LostLinksDialogController *window = history->lostLinksWindow();
        QVERIFY(window && window->isVisible());
        QVERIFY(!history->lostLinksNotice()->isVisibleTo(document));
        QTRY_COMPARE(window->model()->rowCount(), 2);
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha")});
        window->selectLinksWithIDs(document->selectedLinkIDs());
        QVERIFY(window->editButton()->isDefault());

        // Edit Link opens the link editor, its History tab holding the link's checks, newest first.
        window->editButton()->click();
        LinkCommands *links = document->commandArea<LinkCommands>();
        QVERIFY(links->linkDialog() && links->linkDialog()->isVisible());
        QCOMPARE(links->linkDialog()->link().title(), QStringLiteral("Alpha"));
        LinkHistoryView *tab = links->historyView();
        links->linkDialog()->tabView()->setCurrentWidget(tab);
        QTRY_COMPARE(tab->countLabel()->text(), QStringLiteral("2 checks recorded."));
        QCOMPARE(tab->tableView()->model()->index(0, LinkHistoryModel::ResultColumn).data().toString(),
                 QStringLiteral("Reciprocal link cannot be found."));
        links->linkDialog()->reject();

        // Verify Again opens the sheet with that link ticked.
        window->verifyAgainButton()->click();
        sheet = document->commandArea<VerificationCommands>()->verificationDialog();
        QVERIFY(sheet->isVisible());
        QCOMPARE(tickedTitles(sheet->rows()), QStringList{QStringLiteral("Alpha")});
        sheet->cancel();

        // Save As takes the history along, and the runs after it record beside the copy: a damaged
        // history there is told once, left as it is, and verifying and saving go on.
        const QString copy = m_fixture->path(QStringLiteral("copy.site"));
        FilePanel::setNextAnswer(copy);
        QVERIFY(document->commandArea<FileCommands>()->saveAs());
        QTRY_COMPARE(HistoryStore(copy).checks()->size(), 6);
        const QString damaged = HistoryStore::pathForDatabase(copy);
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("damaged").repeated(300));
        file.close();
        QStringList messages;
        connect(document->statusBar(), &QStatusBar::messageChanged, this, [&](const QString &message) {
            if (!message.isEmpty())
                messages.append(message);
        });
        for (int run = 0; run < 2; ++run) {
            QVERIFY((sheet = verifyAll(document)));
            sheet->confirm();
            document->statusBar()->clearMessage(); // a second report would show again
        }
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().contains(damaged));
        QCOMPARE(store.checks()->size(), 6);
        QVERIFY(document->commandArea<FileCommands>()->save());
        QCOMPARE(QFile(damaged).size(), qint64(7 * 300));
        document->menus()->action(ActionId::ShowLostLinks)->trigger();
        QTRY_VERIFY(window->summaryLabel()->text().contains(damaged));
    }

    void saveAsTellsWhenTheHistoryCannotFollow()
    {
        MyDocument *document = open();
        VerificationDialogController *sheet = nullptr;
        QVERIFY((sheet = verifyAll(document)));
        sheet->confirm();
        const QString original = document->filePath();
        QTRY_COMPARE(HistoryStore(original).checks()->size(), 3);
        QStringList messages;
        connect(document->statusBar(), &QStatusBar::messageChanged, this, [&](const QString &message) {
            if (!message.isEmpty())
                messages.append(message);
        });
        // The copy is made beside the target first; a folder in its way makes it fail.
        const QString blocked = m_fixture->path(QStringLiteral("blocked.site"));
        QVERIFY(QDir().mkpath(HistoryStore::pathForDatabase(blocked) + QStringLiteral(".part")));
        FilePanel::setNextAnswer(blocked);
        QVERIFY(document->commandArea<FileCommands>()->saveAs());
        QCOMPARE(document->filePath(), blocked);
        QTRY_VERIFY(!messages.filter(HistoryStore::pathForDatabase(blocked)).isEmpty());
        QCOMPARE(HistoryStore(original).checks()->size(), 3);
    }

    void busyHistoryKeepsTheRunsChecksUntilItIsFree()
    {
        MyDocument *document = open();
        VerificationDialogController *sheet = nullptr;
        QVERIFY((sheet = verifyAll(document)));
        sheet->confirm();
        // Each look at the history through a connection of its own, as another program would.
        auto recorded = [document] { return HistoryStore(document->filePath()).checks()->size(); };
        QTRY_COMPARE(recorded(), 3);

        // Another program holds the history while a run ends: its checks wait, the window says so
        // and goes on answering, and nothing is lost when the other program lets go.
        HistoryLockHolder other;
        QVERIFY(other.hold(HistoryStore::pathForDatabase(document->filePath())));
        QVERIFY((sheet = verifyAll(document)));
        QLabel *busy = document->commandArea<HistoryCommands>()->historyBusyLabel();
        QTRY_VERIFY(busy->isVisibleTo(document));
        QCOMPARE(busy->text(), QStringLiteral("The history is busy; 3 checks are waiting to be recorded."));
        // Past the first retry, 2 s later.
        const qint64 stall = longestStallWhile([] { return false; }, 2500);
        qInfo("longest stall of the window while the history was locked: %lld ms", stall);
        QVERIFY2(stall < 100, qPrintable(QString::number(stall)));
        MessageBox::setNextAnswer(1); // Close without Saving
        sheet->cancel();
        QCOMPARE(recorded(), 3);

        other.release();
        QTRY_VERIFY_WITH_TIMEOUT(!busy->isVisibleTo(document), 10000);
        QCOMPARE(recorded(), 6);
    }

    void lostLinksWriteToLinksOfEveryCategory()
    {
        DatabaseBuilder db;
        db.emailTemplate(QStringLiteral("Reminder"), QStringLiteral("Our link"), QStringLiteral("Hello"));
        db.link(QStringLiteral("Shown"));
        LinkFields fields;
        fields.title = QStringLiteral("Elsewhere");
        fields.URL = QStringLiteral("http://elsewhere.example/");
        fields.contactEmail = QStringLiteral("webmaster@elsewhere.example");
        db.category(QStringLiteral("Other")).link(fields);
        const QString elsewhere = db.lastLink()->ID();
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("General"));

        document->commandArea<HistoryCommands>()->showLostLinks();
        LostLinksDialogController *window = document->commandArea<HistoryCommands>()->lostLinksWindow();
        emit window->sendMessageMenuAboutToShow({elsewhere});
        QAction *reminder = nullptr;
        for (QAction *item : window->sendMessageMenu()->actions()) {
            if (item->text() == QStringLiteral("Reminder"))
                reminder = item;
        }
        QVERIFY(reminder && reminder->isEnabled());
        reminder->trigger();
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        QVERIFY(
            m_fixture->opener().urls().first().toString().startsWith("mailto:webmaster@elsewhere.example"));
        // Edit Link reaches it too.
        window->selectLinksWithIDs({elsewhere});
        emit window->editLinkRequested(elsewhere);
        LinkCommands *links = document->commandArea<LinkCommands>();
        QVERIFY(links->linkDialog() && links->linkDialog()->isVisible());
        QCOMPARE(links->linkDialog()->link().title(), QStringLiteral("Elsewhere"));
        links->linkDialog()->reject();
    }

    void automaticRunsCheckTheDueLinks()
    {
        FakeNotifications service;
        QDBusConnection fake = QDBusConnection::connectToBus(m_busAddress, QStringLiteral("fake"));
        QVERIFY(!DesktopNotifier::notify(QStringLiteral("nobody"), QStringLiteral("listens")));
        QVERIFY(fake.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                    QDBusConnection::ExportAllSlots));
        QVERIFY(fake.registerService(QStringLiteral("org.freedesktop.Notifications")));

        MyDocument *document = open();
        auto *verifier = document->findChild<AutoVerifier *>();
        QVERIFY(!verifier->verifyDueLinks()); // off
        Preferences::setValue(Preferences::AutoVerifyDays, 7);
        // Never while a sheet is open.
        document->menus()->action(ActionId::VerifyAllLinks)->trigger();
        VerificationDialogController *sheet =
            document->commandArea<VerificationCommands>()->verificationDialog();
        QVERIFY(!verifier->verifyDueLinks());
        sheet->cancel();
        QVERIFY(QTest::qWaitFor([&] { return !sheet->isVisible(); }));

        QUndoStack *stack = document->undo()->stack();
        const int steps = stack->count();
        // The links are looked up on the history thread; the run shows its Stop button when it starts.
        bool stopShown = false;
        connect(verifier->run(), &VerificationRun::progressChanged, this,
                [&] { stopShown = verifier->stopButton()->isVisibleTo(document); });
        QVERIFY(verifier->verifyDueLinks());
        QTRY_VERIFY(stopShown);
        QCOMPARE(tickedTitles(verifier->run()->rows()),
                 (QStringList{QStringLiteral("Alpha"), QStringLiteral("Gamma")}));
        QTRY_VERIFY_WITH_TIMEOUT(!verifier->isRunning(), 20000);
        QVERIFY(!verifier->stopButton()->isVisibleTo(document));
        QCOMPARE(stack->count(), steps + 1);
        QCOMPARE(stack->undoText(), QStringLiteral("Automatic Verification"));
        QVERIFY(document->isEdited());
        QTRY_COMPARE(HistoryStore(document->filePath()).checks()->size(), 2);
        // Nothing due now: no run starts.
        QVERIFY(verifier->verifyDueLinks());
        QTRY_VERIFY(!verifier->isRunning());
        QVERIFY(!verifier->run()->isRunning());
        QCOMPARE(stack->count(), steps + 1);

        // A week later every link is due; the two lost are announced in one notification.
        m_server.setResponse("/Alpha", R::page("gone"));
        m_server.setResponse("/Gamma", R::page("gone <b>too</b>"));
        const Clock::Fixed weekLater(m_start.addDays(8));
        const QByteArray before = document->collectionManager().dataRepresentation();
        stopShown = false;
        QVERIFY(verifier->verifyDueLinks());
        QTRY_VERIFY(stopShown);
        QCOMPARE(tickedTitles(verifier->run()->rows()).size(), 3);
        QTRY_VERIFY_WITH_TIMEOUT(!verifier->isRunning(), 20000);
        QVERIFY(QTest::qWaitFor([&] { return !service.calls.isEmpty(); }, 5000));
        QTest::qWait(100);
        QCOMPARE(service.calls, QStringList{QStringLiteral(
                                    "Quillmarsh|2 reciprocal links were lost|test.site: Alpha, Gamma")});
        // Undo takes the whole run back at once.
        document->undo()->undo();
        QCOMPARE(document->collectionManager().dataRepresentation(), before);

        // Stop keeps what was checked.
        m_server.setResponse("/Gamma", R::behaving(R::Mode::NeverAnswer));
        const Clock::Fixed monthLater(m_start.addDays(40));
        QVERIFY(verifier->verifyDueLinks());
        QVERIFY(QTest::qWaitFor([&] { return verifier->run()->done() == 2; }, 10000));
        verifier->stopButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!verifier->isRunning(), 20000);
        QTRY_COMPARE(HistoryStore(document->filePath()).checks()->size(), 7);
        const auto checks = HistoryStore(document->filePath()).checks();
        QVERIFY(checks->first().title != QStringLiteral("Gamma"));
    }

private:
    QProcess m_bus;
    QString m_busAddress;
    HttpTestServer m_server;
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestHistoryWindow)
#include "tst_historywindow.moc"
