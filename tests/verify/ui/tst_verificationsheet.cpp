#include "HttpTestServer.h"
#include "document/DocumentFixture.h"
#include "document/DocumentMenus.h"
#include "document/VerificationCommands.h"
#include "model/Clock.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"
#include "verify/ui/VerificationDialogController.h"

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>

// The verification sheet of a document window against a local server, as wiring: the rules are the
// form's, the row model's and the store's.
class TestVerificationSheet : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private:
    LinkFields partner(const QString &title, const QString &site, const QString &page,
                       LinkStatus status = LinkStatusNew)
    {
        return {.title = title,
                .URL = m_server.url(site),
                .counterpartURL = m_server.url(page),
                .lastStatusChangedOn = QDate(2020, 1, 1),
                .status = status};
    }

    MyDocument *open(DatabaseBuilder &db)
    {
        db.store().setSiteProfile(
            {.title = QStringLiteral("My site"), .URL = QStringLiteral("http://www.mysite.example/")});
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
        sheet->scheduler()->setFetchSettings(FetchSettings{.timeoutMs = 3000, .retryDelayMs = 20});
        return sheet;
    }

    static QString title(int i) { return QStringLiteral("Partner %1").arg(i, 3, 10, QLatin1Char('0')); }

    // Whether the status cell of a visible row shows an image: any pixel unlike its background.
    static bool statusImageShown(QTableView *table, int row)
    {
        const QRect rect = table->visualRect(table->model()->index(row, VerificationRowModel::StatusColumn));
        const QImage cell = table->viewport()->grab(rect).toImage();
        for (int y = 0; y < cell.height(); ++y) {
            for (int x = 0; x < cell.width(); ++x) {
                if (cell.pixel(x, y) != cell.pixel(0, 0))
                    return true;
            }
        }
        return false;
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
    }

    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void aRunFromChoosingToSaved()
    {
        DatabaseBuilder db;
        QStringList ids;
        for (int i = 0; i < 120; ++i) {
            db.link(partner(title(i), "/site", i == 119 ? "/ok" : "/slow",
                            i % 2 ? LinkStatusNegotiating : LinkStatusNew));
            ids << db.lastLink()->ID();
        }
        MyDocument *document = open(db);
        const auto link = [&](int i) { return document->collectionManager().linkWithID(ids.at(i)); };
        QSignalSpy ended(document, &MyDocument::verificationSheetEnded);
        DocumentFixture::selectLinks(document, {title(3), title(4)});

        VerificationDialogController *sheet =
            showSheet(document, document->menus()->action(ActionId::VerifyLink));
        QVERIFY(sheet);
        QCOMPARE(sheet->verifyButton()->text(), QStringLiteral("Verify 2 Links"));
        QVERIFY(sheet->verifyButton()->isDefault());
        sheet->selectNoneButton()->click();
        QVERIFY(!sheet->verifyButton()->isEnabled());
        sheet->selectAllButton()->click();
        QCOMPARE(sheet->verifyButton()->text(), QStringLiteral("Verify 120 Links"));

        QTest::keyClick(sheet, Qt::Key_Return);
        // The table stays usable from the keyboard while the checks run.
        QTest::keyClick(sheet->tableView(), Qt::Key_Down);
        QCOMPARE(sheet->tableView()->selectionModel()->selectedRows().value(0).row(), 4);
        QVERIFY(!sheet->verifyButton()->isEnabled());
        QCOMPARE(sheet->cancelButton()->text(), QStringLiteral("Stop"));
        QVERIFY(!sheet->selectAllButton()->isEnabled());
        // Escape stops at once (what that does to the rows is the row model's); Cancel writes nothing.
        QTest::keyClick(sheet, Qt::Key_Escape);
        QVERIFY(sheet->isVisible());
        QVERIFY(sheet->scheduler()->hasEnded());
        QCOMPARE(sheet->verifyButton()->text(), QStringLiteral("Save Result"));
        QCOMPARE(sheet->cancelButton()->text(), QStringLiteral("Cancel"));
        QVERIFY2(sheet->summaryText().endsWith(QStringLiteral(" not checked")),
                 qPrintable(sheet->summaryText()));
        MessageBox::setNextAnswer(1); // Close without Saving, should any check have finished
        sheet->cancelButton()->click();
        MessageBox::clearShownAlerts();
        QVERIFY(!sheet->isVisible());
        QCOMPARE(ended.count(), 1);
        QVERIFY(!link(0)->lastVerifiedOn().isValid());
        QVERIFY(!document->isEdited());

        // The next opening starts again in choosing.
        sheet = showSheet(document, document->menus()->action(ActionId::VerifyAllLinks));
        QCOMPARE(sheet->verifyButton()->text(), QStringLiteral("Verify 120 Links"));
        QVERIFY(sheet->progressText().isEmpty());
        // The row model gives the result; the sheet's view draws its image.
        QVERIFY(!statusImageShown(sheet->tableView(), 0));
        sheet->confirm();
        // The table follows the run until the user scrolls back.
        QScrollBar *bar = sheet->tableView()->verticalScrollBar();
        QVERIFY(QTest::qWaitFor([&] { return bar->value() > 0; }, 20000));
        bar->setValue(0);
        QVERIFY(QTest::qWaitFor([&] { return sheet->rows()->linkInfo(60).verified(); }, 20000));
        QCOMPARE(bar->value(), 0);
        QVERIFY(QTest::qWaitFor([&] { return sheet->scheduler()->hasEnded(); }, 20000));
        QVERIFY(sheet->verifyButton()->isEnabled());
        QCOMPARE(sheet->progressText(), QStringLiteral("120 of 120 checked"));
        QVERIFY(statusImageShown(sheet->tableView(), 0));
        QCOMPARE(sheet->summaryText(),
                 QStringLiteral("120 verified, 0 not found, 0 not loaded, 0 not answering"));

        // Escape asks before results are thrown away; Cancel keeps the sheet as it was.
        MessageBox::setNextAnswer(2);
        QTest::keyClick(sheet, Qt::Key_Escape);
        QVERIFY(sheet->isVisible());
        QCOMPARE(MessageBox::shownAlerts().size(), 1);
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("Do you want to save the results of this verification?"));
        QVERIFY(
            MessageBox::shownAlerts().last().message.startsWith(QStringLiteral("120 links were checked.")));
        QVERIFY(sheet->verifyButton()->isEnabled());

        // The chosen row's details; once ended, the table sorts without touching the run's rows.
        QTableView *table = sheet->tableView();
        table->sortByColumn(VerificationRowModel::LinkColumn, Qt::DescendingOrder);
        QCOMPARE(table->model()->index(0, VerificationRowModel::LinkColumn).data().toString(), title(119));
        QCOMPARE(sheet->rows()->linkInfo(0).link()->title(), title(0));
        table->selectRow(0);
        QVERIFY(sheet->detailsText().contains(m_server.url("/ok")));
        QVERIFY(sheet->detailsText().contains(QStringLiteral("links page: HTTP 200")));

        // Return saves through the store (whose rule sets the statuses); the asker hears of the end.
        QTest::keyClick(sheet, Qt::Key_Return);
        QVERIFY(!sheet->isVisible());
        QCOMPARE(ended.count(), 2);
        for (int i = 0; i < 120; i += 7)
            QCOMPARE(link(i)->lastVerifiedOn(), Clock::today());
        QCOMPARE(link(3)->status(), LinkStatusApproved);
        QVERIFY(document->isEdited());
        QCOMPARE(document->numberOfSelectedLinks(), 2);
    }

    void noVerifiableLinkAlertsAndReturnsToTheAsker()
    {
        DatabaseBuilder db;
        db.link(partner(QStringLiteral("Blocked"), "/site", "/ok", LinkStatusBlocked));
        MyDocument *document = open(db);
        QSignalSpy ended(document, &MyDocument::verificationSheetEnded);
        QVERIFY(!showSheet(document, document->menus()->action(ActionId::VerifyAllLinks)));
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("There are no links in this database."));
        QCOMPARE(ended.count(), 1);
    }

private:
    HttpTestServer m_server;
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestVerificationSheet)
#include "tst_verificationsheet.moc"
