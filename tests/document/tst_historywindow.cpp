#include "AccessibilityCheck.h"
#include "DocumentFixture.h"
#include "HttpTestServer.h"

#include "document/DocumentMenus.h"
#include "document/HistoryCommands.h"
#include "document/LinkCommands.h"
#include "document/VerificationCommands.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryStore.h"
#include "history/LinkChangesModel.h"
#include "history/LinkHistoryModel.h"
#include "history/ui/ChangeMarkDelegate.h"
#include "history/ui/LinkHistoryView.h"
#include "history/ui/LostLinksDialogController.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"
#include "verify/ui/VerificationDialogController.h"
#include "workflow/ui/LinkDialogController.h"

#include <QAction>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

// The history in the document window: the sheet records each run and marks its changes, the link
// editor's History tab, the Lost Links window and its buttons, Save As taking the history along, and
// a damaged history that never stops the window.
class TestHistoryWindow : public QObject
{
    Q_OBJECT

    MyDocument *open()
    {
        DatabaseBuilder db;
        SiteProfileTexts texts;
        texts.URL = QStringLiteral("http://www.mysite.example/");
        db.store().setSiteProfile(texts);
        for (const char *title : {"Alpha", "Beta"}) {
            LinkFields fields;
            fields.title = QString::fromLatin1(title);
            fields.URL = m_server.url("/site");
            fields.counterpartURL = m_server.url(QStringLiteral("/") + fields.title);
            fields.status = LinkStatusApproved;
            db.link(fields);
        }
        return m_fixture->open(db);
    }

    // One run of the sheet over every link, saved.
    static VerificationDialogController *verifyAll(MyDocument *document)
    {
        document->menus()->verifyAllLinks->trigger();
        VerificationDialogController *sheet =
            document->commandArea<VerificationCommands>()->verificationDialog();
        if (!sheet || !sheet->isVisible())
            return nullptr;
        sheet->confirm();
        if (!QTest::qWaitFor([&] { return sheet->scheduler()->hasEnded(); }, 20000))
            return nullptr;
        return sheet;
    }

    static QString idOf(MyDocument *document, const QString &title)
    {
        for (const TreeNode *node : document->collectionManager().allLinkNodes()) {
            if (node->link()->title() == title)
                return node->link()->ID();
        }
        return QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen());
        using R = HttpTestServer::Response;
        m_server.setResponse("/site", R::page("home"));
    }
    void init()
    {
        m_fixture = std::make_unique<DocumentFixture>();
        using R = HttpTestServer::Response;
        const QByteArray found = "<a href=\"http://www.mysite.example/\">Mine</a>";
        m_server.setResponses("/Alpha", {R::page(found), R::page("gone")});
        m_server.setResponses("/Beta", {R::page("none yet"), R::page(found)});
    }
    void cleanup() { m_fixture.reset(); }

    void sheetRecordsMarksAndNotifies()
    {
        MyDocument *document = open();
        QVERIFY(document);
        VerificationDialogController *sheet = verifyAll(document);
        QVERIFY(sheet);
        sheet->confirm(); // Save Result
        HistoryStore store(document->filePath());
        QCOMPARE(store.checks()->size(), 2);
        HistoryCommands *history = document->commandArea<HistoryCommands>();
        QVERIFY(!history->lostLinksNotice()->isVisibleTo(document));

        sheet = verifyAll(document);
        QVERIFY(sheet);
        // The sheet marks both rows while it is still open: Alpha lost, Beta recovered.
        auto *marks = qobject_cast<ChangeMarkDelegate *>(
            sheet->tableView()->itemDelegateForColumn(VerificationRowModel::WarningColumn));
        QVERIFY(marks);
        const VerificationRowModel *run = sheet->rows();
        for (int row = 0; row < run->numLinks(); ++row) {
            const QString expected =
                run->linkInfo(row).link()->title() == QLatin1String("Alpha") ? "Lost" : "Recovered";
            QCOMPARE(marks->markOfRow(row), expected);
        }
        sheet->cancel(); // recorded all the same: the checks happened
        QCOMPARE(store.checks()->size(), 4);
        QVERIFY(history->lostLinksNotice()->isVisibleTo(document));
        QVERIFY(history->lostLinksNotice()->text().contains(QStringLiteral("1 link lost")));

        // The notice opens the window: both changes, the lost link's results.
        history->lostLinksNotice()->click();
        LostLinksDialogController *window = history->lostLinksWindow();
        QVERIFY(window && window->isVisible());
        QVERIFY(!history->lostLinksNotice()->isVisibleTo(document));
        QCOMPARE(window->model()->rowCount(), 2);
        window->selectLinksWithIDs({idOf(document, "Alpha")});
        QCOMPARE(window->selectedLinkIDs().size(), 1);
        QVERIFY(window->editButton()->isEnabled() && window->verifyAgainButton()->isEnabled());
        QVERIFY(window->editButton()->isDefault());
        QVERIFY(AccessibilityCheck::unnamedInputs(window).isEmpty());

        // Edit Link opens the link editor on the document with the link, its History tab holding
        // the two checks, newest first.
        window->editButton()->click();
        LinkCommands *links = document->commandArea<LinkCommands>();
        QVERIFY(links->linkDialog() && links->linkDialog()->isVisible());
        QCOMPARE(links->linkDialog()->link().title(), QStringLiteral("Alpha"));
        LinkHistoryView *tab = links->historyView();
        links->linkDialog()->tabView()->setCurrentWidget(tab);
        QCOMPARE(tab->model()->rowCount(), 2);
        QCOMPARE(tab->tableView()->model()->index(0, LinkHistoryModel::ResultColumn).data().toString(),
                 QStringLiteral("Reciprocal link cannot be found."));
        QCOMPARE(tab->countLabel()->text(), QStringLiteral("2 checks recorded."));
        QVERIFY(AccessibilityCheck::unnamedInputs(links->linkDialog()).isEmpty());
        links->linkDialog()->reject();

        // Verify Again opens the sheet with that link ticked.
        window->selectLinksWithIDs({idOf(document, "Alpha")});
        window->verifyAgainButton()->click();
        sheet = document->commandArea<VerificationCommands>()->verificationDialog();
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->rows()->selectedCount(), 1);
        sheet->cancel();
    }

    void saveAsTakesTheHistoryAlong()
    {
        MyDocument *document = open();
        VerificationDialogController *sheet = verifyAll(document);
        QVERIFY(sheet);
        sheet->confirm();
        const QString copy = m_fixture->path(QStringLiteral("copy.site"));
        FilePanel::setNextAnswer(copy);
        QVERIFY(document->saveAs());
        QCOMPARE(document->filePath(), copy);
        QCOMPARE(HistoryStore(copy).checks()->size(), 2);
        sheet = verifyAll(document);
        sheet->confirm();
        QCOMPARE(HistoryStore(copy).checks()->size(), 4);
        QCOMPARE(HistoryStore(m_fixture->path(QStringLiteral("test.site"))).checks()->size(), 2);
    }

    void damagedHistoryIsToldOnceAndNothingStops()
    {
        MyDocument *document = open();
        const QString history = HistoryStore::pathForDatabase(document->filePath());
        QFile file(history);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("damaged").repeated(300));
        file.close();
        QStringList messages;
        connect(document->statusBar(), &QStatusBar::messageChanged, this, [&](const QString &message) {
            if (!message.isEmpty())
                messages.append(message);
        });
        for (int run = 0; run < 2; ++run) {
            VerificationDialogController *sheet = verifyAll(document);
            QVERIFY(sheet);
            sheet->confirm();
        }
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().contains(history));
        QVERIFY(document->save());
        QCOMPARE(QFile(history).size(), qint64(7 * 300));
        document->menus()->showLostLinks->trigger();
        QVERIFY(document->commandArea<HistoryCommands>()->lostLinksWindow()->summaryLabel()->text().contains(
            history));
    }

private:
    HttpTestServer m_server;
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestHistoryWindow)
#include "tst_historywindow.moc"
