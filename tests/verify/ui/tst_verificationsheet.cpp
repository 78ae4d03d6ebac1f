#include "HttpTestServer.h"
#include "document/AccessibilityCheck.h"
#include "document/DocumentFixture.h"
#include "document/DocumentMenus.h"
#include "document/VerificationCommands.h"
#include "model/Clock.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"
#include "verify/ui/VerificationDialogController.h"

#include <QAction>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>

// The verification sheet of a document window against a local server: its three states and its
// buttons, Stop, what Save writes through the store and what Cancel does not, the table following the run,
// the way back to the link editor, and the alert for a database with nothing to verify.
class TestVerificationSheet : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private:
    LinkFields partner(const QString &title, const QString &site, const QString &page,
                       LinkStatus status = LinkStatusNew)
    {
        LinkFields fields;
        fields.title = title;
        fields.URL = m_server.url(site);
        fields.counterpartURL = page.isEmpty() ? QString() : m_server.url(page);
        fields.status = status;
        fields.lastStatusChangedOn = QDate(2020, 1, 1);
        return fields;
    }

    MyDocument *open(DatabaseBuilder &db)
    {
        SiteProfileTexts texts;
        texts.title = QStringLiteral("My site");
        texts.URL = QStringLiteral("http://www.mysite.example/");
        db.store().setSiteProfile(texts);
        return m_fixture->open(db);
    }

    // Opens the sheet through the command and gives its run short time-outs.
    static VerificationDialogController *showSheet(MyDocument *document, QAction *command)
    {
        command->trigger();
        VerificationDialogController *sheet =
            document->commandArea<VerificationCommands>()->verificationDialog();
        if (!sheet || !sheet->isVisible())
            return nullptr;
        FetchSettings settings;
        settings.timeoutMs = 3000;
        settings.retryDelayMs = 20;
        sheet->scheduler()->setFetchSettings(settings);
        return sheet;
    }

    static const Link *linkTitled(MyDocument *document, const QString &title)
    {
        for (const TreeNode *node : document->collectionManager().allLinkNodes()) {
            if (node->link()->title() == title)
                return node->link();
        }
        return nullptr;
    }

    static int rowTitled(const VerificationRowModel *rows, const QString &title)
    {
        for (int row = 0; row < rows->numLinks(); ++row) {
            if (rows->linkInfo(row).link()->title() == title)
                return row;
        }
        return -1;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_server.listen());
        using R = HttpTestServer::Response;
        m_server.setResponse("/site", R::page("<p>welcome</p>"));
        m_server.setResponse("/slow", R::page("<a href=\"http://www.mysite.example/\">me</a>").delay(80));
        m_server.setResponse("/ok", R::page("<a href=\"http://www.mysite.example/\">me</a>"));
        m_server.setResponse("/nofollow",
                             R::page("<a rel=\"nofollow\" href=\"http://www.mysite.example/\">me</a>"));
        m_server.setResponse("/without", R::page("<a href=\"http://other.example/\">other</a>"));
        m_server.setResponse("/hang", R::behaving(R::Mode::NeverAnswer));
    }

    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void aRunFromChoosingToSaved()
    {
        DatabaseBuilder db;
        for (int i = 0; i < 10; ++i)
            db.link(partner(QStringLiteral("Partner %1").arg(i), "/site", "/slow",
                            i % 2 ? LinkStatusNegotiating : LinkStatusNew));
        MyDocument *document = open(db);
        QSignalSpy ended(document, &MyDocument::verificationSheetEnded);
        DocumentFixture::selectLinks(document, {QStringLiteral("Partner 3"), QStringLiteral("Partner 4")});

        VerificationDialogController *sheet = showSheet(document, document->menus()->verifyLink);
        QVERIFY(sheet);
        QCOMPARE(AccessibilityCheck::unnamedInputs(sheet).join(QLatin1Char(',')), QString());
        VerificationRowModel *run = sheet->rows();
        QCOMPARE(run->numLinks(), 10);
        QCOMPARE(sheet->verifyButton()->text(), QStringLiteral("Verify 2 Links"));
        QVERIFY(sheet->verifyButton()->isDefault());
        sheet->selectNoneButton()->click();
        QCOMPARE(sheet->verifyButton()->text(), QStringLiteral("Verify Links"));
        QVERIFY(!sheet->verifyButton()->isEnabled());
        sheet->selectAllButton()->click();
        QCOMPARE(sheet->verifyButton()->text(), QStringLiteral("Verify 10 Links"));

        QTest::keyClick(sheet, Qt::Key_Return);
        // The table stays usable from the keyboard while the checks run.
        QTest::keyClick(sheet->tableView(), Qt::Key_Down);
        QCOMPARE(sheet->tableView()->selectionModel()->selectedRows().value(0).row(), 4);
        QVERIFY(!sheet->verifyButton()->isEnabled());
        QVERIFY(sheet->verifyButton()->isDefault());
        QCOMPARE(sheet->cancelButton()->text(), QStringLiteral("Stop"));
        QVERIFY(!sheet->selectAllButton()->isEnabled());
        QVERIFY(QTest::qWaitFor([&] { return sheet->scheduler()->hasEnded(); }, 20000));
        QCOMPARE(sheet->verifyButton()->text(), QStringLiteral("Save Result"));
        QVERIFY(sheet->verifyButton()->isEnabled());
        QCOMPARE(sheet->cancelButton()->text(), QStringLiteral("Cancel"));
        QCOMPARE(sheet->progressText(), QStringLiteral("10 of 10 checked"));
        QVERIFY(!document->isEdited());

        // Return saves; the asker (the link editor) hears of the end.
        QTest::keyClick(sheet, Qt::Key_Return);
        QVERIFY(!sheet->isVisible());
        QCOMPARE(ended.count(), 1);
        for (int i = 0; i < 10; ++i) {
            const Link *link = linkTitled(document, QStringLiteral("Partner %1").arg(i));
            QCOMPARE(link->status(), LinkStatusApproved);
            QCOMPARE(link->lastVerificationResult(), VerificationSucceeded);
            QCOMPARE(link->lastVerifiedOn(), Clock::today());
        }
        QVERIFY(document->isEdited());
        QCOMPARE(document->numberOfSelectedLinks(), 2);

        // The next opening starts again in choosing.
        sheet = showSheet(document, document->menus()->verifyAllLinks);
        QCOMPARE(sheet->verifyButton()->text(), QStringLiteral("Verify 10 Links"));
        QVERIFY(sheet->progressText().isEmpty());
        sheet->cancel();
        QCOMPARE(ended.count(), 2);
    }

    void stopThenSaveWritesOnlyTickedFinishedRows()
    {
        DatabaseBuilder db;
        db.link(partner(QStringLiteral("A found"), "/site", "/ok"));
        db.link(partner(QStringLiteral("B hangs"), "/site", "/hang"));
        db.link(partner(QStringLiteral("C unticked"), "/site", "/ok"));
        db.link(partner(QStringLiteral("D missing"), "/site", "/without", LinkStatusNegotiating));
        db.link(partner(QStringLiteral("E nofollow"), "/site", "/nofollow"));
        MyDocument *document = open(db);
        VerificationDialogController *sheet = showSheet(document, document->menus()->verifyAllLinks);
        VerificationRowModel *run = sheet->rows();
        run->setSelected(rowTitled(run, QStringLiteral("C unticked")), false);
        sheet->verifyButton()->click();
        const int hanging = rowTitled(run, QStringLiteral("B hangs"));
        QVERIFY(QTest::qWaitFor([&] { return sheet->scheduler()->checksUnderWay() == 1; }, 10000));
        QCOMPARE(run->linkInfo(hanging).result(), VerificationInProgress);

        // The details of a found row with a nofollow link, and its mark for screen readers.
        const int nofollow = rowTitled(run, QStringLiteral("E nofollow"));
        sheet->tableView()->selectRow(nofollow);
        QVERIFY(sheet->detailsText().contains(QStringLiteral("links page: HTTP 200")));
        QVERIFY(sheet->detailsText().contains(QStringLiteral("nofollow")));
        QCOMPARE(
            run->index(nofollow, VerificationRowModel::StatusColumn).data(Qt::AccessibleTextRole).toString(),
            QStringLiteral("Verified successfully. (no followed link: marked nofollow)"));
        QCOMPARE(run->index(nofollow, VerificationRowModel::WarningColumn).data().toString(),
                 QStringLiteral("Verified successfully."));

        // Escape stops at once; the row in progress goes blank.
        QTest::keyClick(sheet, Qt::Key_Escape);
        QVERIFY(sheet->isVisible());
        QVERIFY(sheet->scheduler()->hasEnded());
        QCOMPARE(run->linkInfo(hanging).result(), VerificationNotVerified);
        QCOMPARE(sheet->verifyButton()->text(), QStringLiteral("Save Result"));
        QCOMPARE(sheet->progressText(), QStringLiteral("3 of 4 checked"));
        // The row the run never finished says so; the summary counts every ticked row.
        QCOMPARE(run->index(hanging, VerificationRowModel::WarningColumn).data().toString(),
                 QStringLiteral("Not checked"));
        QCOMPARE(sheet->summaryText(),
                 QStringLiteral("2 verified, 1 not found, 0 not loaded, 0 not answering, 1 not checked"));

        // Once ended, the table sorts by a clicked column without touching the run's rows.
        QTableView *table = sheet->tableView();
        QVERIFY(table->isSortingEnabled());
        table->sortByColumn(VerificationRowModel::LinkColumn, Qt::DescendingOrder);
        QCOMPARE(table->model()->index(0, VerificationRowModel::LinkColumn).data().toString(),
                 QStringLiteral("E nofollow"));
        QCOMPARE(run->linkInfo(0).link()->title(), QStringLiteral("A found"));
        table->selectRow(0);
        QVERIFY(sheet->detailsText().contains(QStringLiteral("nofollow")));
        table->sortByColumn(VerificationRowModel::WarningColumn, Qt::AscendingOrder);
        QCOMPARE(table->model()->index(0, VerificationRowModel::WarningColumn).data().toString(), QString());

        sheet->verifyButton()->click();
        QVERIFY(!sheet->isVisible());
        const Link *found = linkTitled(document, QStringLiteral("A found"));
        QCOMPARE(found->status(), LinkStatusApproved);
        QCOMPARE(found->lastVerifiedOn(), Clock::today());
        const Link *missing = linkTitled(document, QStringLiteral("D missing"));
        QCOMPARE(missing->status(), LinkStatusNegotiating);
        QCOMPARE(missing->lastVerificationResult(), VerificationLinkNotFound);
        QCOMPARE(linkTitled(document, QStringLiteral("E nofollow"))->lastVerificationResult(),
                 VerificationSucceeded);
        for (const QString &title : {QStringLiteral("B hangs"), QStringLiteral("C unticked")}) {
            QVERIFY(!linkTitled(document, title)->lastVerifiedOn().isValid());
            QCOMPARE(linkTitled(document, title)->status(), LinkStatusNew);
        }
    }

    void cancelWritesNothing()
    {
        DatabaseBuilder db;
        db.link(partner(QStringLiteral("A"), "/site", "/ok"));
        MyDocument *document = open(db);
        QSignalSpy ended(document, &MyDocument::verificationSheetEnded);
        VerificationDialogController *sheet = showSheet(document, document->menus()->verifyAllLinks);
        sheet->confirm();
        QVERIFY(QTest::qWaitFor([&] { return sheet->scheduler()->hasEnded(); }, 10000));
        sheet->cancelButton()->click();
        QVERIFY(!sheet->isVisible());
        QCOMPARE(ended.count(), 1);
        QCOMPARE(linkTitled(document, QStringLiteral("A"))->status(), LinkStatusNew);
        QVERIFY(!linkTitled(document, QStringLiteral("A"))->lastVerifiedOn().isValid());
        QVERIFY(!document->isEdited());
    }

    void theTableFollowsTheRunUntilTheUserScrolls()
    {
        DatabaseBuilder db;
        for (int i = 0; i < 120; ++i)
            db.link(partner(QStringLiteral("Partner %1").arg(i, 3, 10, QLatin1Char('0')), "/site", "/slow"));
        MyDocument *document = open(db);
        VerificationDialogController *sheet = showSheet(document, document->menus()->verifyAllLinks);
        const VerificationRowModel *run = sheet->rows();
        QScrollBar *bar = sheet->tableView()->verticalScrollBar();
        sheet->confirm();
        QVERIFY(QTest::qWaitFor([&] { return bar->value() > 0; }, 20000));
        bar->setValue(0); // the user goes back to the top
        const int finished = run->numLinks();
        QVERIFY(QTest::qWaitFor(
            [&] {
                int done = 0;
                for (int row = 0; row < finished; ++row)
                    done += run->linkInfo(row).verified() ? 1 : 0;
                return done > 60;
            },
            20000));
        QCOMPARE(bar->value(), 0);
        sheet->cancel(); // Stop
        sheet->cancel(); // Cancel
        QVERIFY(!sheet->isVisible());
    }

    void noVerifiableLinkAlertsAndReturnsToTheAsker()
    {
        DatabaseBuilder db;
        db.link(partner(QStringLiteral("Blocked"), "/site", "/ok", LinkStatusBlocked));
        MyDocument *document = open(db);
        QSignalSpy ended(document, &MyDocument::verificationSheetEnded);
        DocumentFixture::selectLinks(document, {QStringLiteral("Blocked")});
        QVERIFY(!showSheet(document, document->menus()->verifyLink));
        QCOMPARE(MessageBox::shownAlerts().size(), 1);
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("There are no links in this database."));
        QCOMPARE(MessageBox::shownAlerts().last().message,
                 QStringLiteral("This feature requires at least one link in the database."));
        QCOMPARE(ended.count(), 1);
    }

private:
    HttpTestServer m_server;
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestVerificationSheet)
#include "tst_verificationsheet.moc"
