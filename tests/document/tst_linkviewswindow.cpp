#include "DocumentFixture.h"

#include "document/DetailsView.h"
#include "document/DocumentMenus.h"
#include "document/DueRemindersModel.h"
#include "document/LinkFilterBar.h"
#include "document/LinkListFilter.h"
#include "document/RecordedChecksCache.h"
#include "document/RemindersPanel.h"
#include "document/ReportCommands.h"
#include "gui/FittedLabel.h"
#include "history/HistoryStore.h"
#include "model/Clock.h"
#include "publish/ui/StatisticsDialogController.h"
#include "publish/ui/StatisticsView.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTableView>

// The filter bar and the ready views over the link list, and the Reminders panel, in a window on a
// database whose history says which found link is not followed.
class TestLinkViewsWindow : public QObject
{
    Q_OBJECT
    const QDateTime m_now{QDate(2026, 3, 14), QTime(12, 0)};
    const Clock::Fixed m_clock{m_now};

    // One link of each kind in "Shop", and one in "Blog" that no view of "Shop" may count.
    MyDocument *openPartners(DocumentFixture &fixture)
    {
        const QDate today = m_now.date();
        DatabaseBuilder builder;
        builder.category(QStringLiteral("Shop"));
        auto add = [&](const QString &title, const QDate &checked, VerificationResult result,
                       LinkStatus status = LinkStatusNegotiating, const QDate &statusDay = {}) {
            LinkFields fields;
            fields.title = title;
            fields.URL = QStringLiteral("http://%1.example/").arg(title.toLower());
            fields.counterpartURL = fields.URL + QStringLiteral("links.html");
            fields.status = status;
            fields.lastStatusChangedOn = statusDay.isValid() ? statusDay : today;
            fields.lastVerifiedOn = checked;
            fields.lastVerificationResult = result;
            fields.notes = QStringLiteral("");
            builder.link(fields);
            return builder.lastLink()->ID();
        };
        m_followedID = add(QStringLiteral("Followed"), today.addDays(-2), VerificationSucceeded);
        m_nofollowID = add(QStringLiteral("Nofollow"), today.addDays(-2), VerificationSucceeded);
        add(QStringLiteral("Gone"), today.addDays(-40), VerificationLinkNotFound);
        add(QStringLiteral("Fresh"), QDate(), VerificationNotVerified, LinkStatusNegotiating,
            today.addDays(-10));
        add(QStringLiteral("Down"), today.addDays(-1), VerificationNoResponse);
        builder.category(QStringLiteral("Blog"));
        add(QStringLiteral("Elsewhere"), today.addDays(-2), VerificationLinkNotFound);
        const QString file = fixture.write(builder);

        CheckRecord followed;
        followed.linkID = m_followedID;
        followed.checkedOn = m_now.addDays(-2);
        followed.result = VerificationSucceeded;
        followed.addressFound = followed.inAnchor = true;
        followed.followed = true;
        CheckRecord nofollow = followed;
        nofollow.linkID = m_nofollowID;
        nofollow.followed = false;
        nofollow.rel = QStringList{QStringLiteral("nofollow")};
        HistoryStore history(file);
        if (!history.record({followed, nofollow}))
            qWarning("history not written: %s", qPrintable(history.errorString()));

        MyDocument *document = fixture.controller().openDocument(file);
        if (document) {
            (void)QTest::qWaitForWindowExposed(document);
            DocumentFixture::selectCategory(document, QStringLiteral("Shop"));
        }
        return document;
    }

    static int tabOf(const QTabBar *bar, LinkView::Kind kind)
    {
        for (int index = 0; index < bar->count(); ++index) {
            if (bar->tabData(index).toInt() == int(kind))
                return index;
        }
        return -1;
    }

    QString m_followedID;
    QString m_nofollowID;

private slots:
    void viewsCountAndNarrowTheList();
    void typingFiltersAndEscapeClears();
    void aLinkAskedForShowsThroughTheFilter();
    void remindersPanelChoosesLinks();
    void allLinksByKeyboardWithViewsAndFilter();
    void aLinkNotFollowedSaysSo();
};

void TestLinkViewsWindow::viewsCountAndNarrowTheList()
{
    DocumentFixture fixture;
    MyDocument *document = openPartners(fixture);
    QVERIFY(document);
    QAbstractItemModelTester tester(document->linkListController()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QTabBar *views = document->filterBar()->viewBar();
    // The history is read in the background; then the nofollow link counts.
    QTRY_COMPARE(views->tabText(tabOf(views, LinkView::NotFollowed)), QStringLiteral("Not Followed (1)"));
    QCOMPARE(views->tabText(tabOf(views, LinkView::All)), QStringLiteral("All (5)"));
    QCOMPARE(views->tabText(tabOf(views, LinkView::Lost)), QStringLiteral("Lost (1)"));
    QCOMPARE(views->tabText(tabOf(views, LinkView::NotChecked)), QStringLiteral("Not Checked (2)"));
    QCOMPARE(views->tabText(tabOf(views, LinkView::NeverChecked)), QStringLiteral("Never Checked (1)"));
    QCOMPARE(views->tabText(tabOf(views, LinkView::Unreachable)), QStringLiteral("Unreachable (1)"));
    QCOMPARE(views->tabText(tabOf(views, LinkView::RemindersDue)), QStringLiteral("Reminders Due (1)"));

    const struct
    {
        LinkView::Kind kind;
        QStringList titles;
    } cases[] = {{LinkView::Lost, {"Gone"}},
                 {LinkView::NotFollowed, {"Nofollow"}},
                 {LinkView::NotChecked, {"Fresh", "Gone"}},
                 {LinkView::NeverChecked, {"Fresh"}},
                 {LinkView::Unreachable, {"Down"}},
                 {LinkView::RemindersDue, {"Fresh"}}};
    for (const auto &view : cases) {
        views->setCurrentIndex(tabOf(views, view.kind));
        QCOMPARE(DocumentFixture::shownTitles(document), view.titles);
        QTRY_COMPARE(document->countField()->text(), QStringLiteral("%1 of 5 links").arg(view.titles.size()));
    }

    // Fewer days: the link checked yesterday and those two days ago are not checked for one day.
    views->setCurrentIndex(tabOf(views, LinkView::NotChecked));
    document->filterBar()->daysField()->setValue(1);
    QCOMPARE(DocumentFixture::shownTitles(document).size(), 5);
    QTRY_COMPARE(views->tabText(tabOf(views, LinkView::NotChecked)), QStringLiteral("Not Checked (5)"));

    // The views keep to the category shown.
    views->setCurrentIndex(tabOf(views, LinkView::Lost));
    DocumentFixture::selectCategory(document, QStringLiteral("Blog"));
    QCOMPARE(DocumentFixture::shownTitles(document), QStringList{"Elsewhere"});
    QTRY_COMPARE(views->tabText(tabOf(views, LinkView::All)), QStringLiteral("All (1)"));

    views->setCurrentIndex(tabOf(views, LinkView::All));
    QTRY_VERIFY(!document->countField()->text().contains(QLatin1String(" of ")));
}

void TestLinkViewsWindow::typingFiltersAndEscapeClears()
{
    DocumentFixture fixture;
    MyDocument *document = openPartners(fixture);
    QVERIFY(document);
    QLineEdit *field = document->filterBar()->field();
    QCOMPARE(field->accessibleName(), QStringLiteral("Filter links"));

    // Its own shortcut, not Find's.
    QCOMPARE(document->menus()->action(ActionId::FilterLinks)->shortcut(),
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    QVERIFY(document->menus()->action(ActionId::FilterLinks)->shortcut() !=
            document->menus()->action(ActionId::FindLink)->shortcut());
    document->activateWindow();
    document->menus()->action(ActionId::FilterLinks)->trigger();
    QTRY_VERIFY(field->hasFocus());

    // The selected link hidden by the filter leaves the selection and the details with it.
    document->showAndSelectLinkNode(document->collectionManager().linkNodeWithID(m_followedID));
    QCOMPARE(document->detailsView()->titleField()->fullText(), QStringLiteral("Followed"));
    QTest::keyClicks(field, QStringLiteral("DOWN.example"));
    QCOMPARE(DocumentFixture::shownTitles(document), QStringList{"Down"});
    QVERIFY(document->selectedLinkIDs().isEmpty());
    QVERIFY(document->detailsView()->titleField()->fullText().isEmpty());
    QTRY_COMPARE(document->countField()->text(), QStringLiteral("1 of 5 links"));
    // Words and a view together.
    document->filterBar()->viewBar()->setCurrentIndex(
        tabOf(document->filterBar()->viewBar(), LinkView::Lost));
    QVERIFY(DocumentFixture::shownTitles(document).isEmpty());
    document->filterBar()->viewBar()->setCurrentIndex(0);

    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(field->text().isEmpty());
    QCOMPARE(DocumentFixture::shownTitles(document).size(), 5);
    QTRY_VERIFY(!document->countField()->text().contains(QLatin1String(" of ")));
}

void TestLinkViewsWindow::aLinkAskedForShowsThroughTheFilter()
{
    DocumentFixture fixture;
    MyDocument *document = openPartners(fixture);
    QVERIFY(document);
    document->filterBar()->field()->setText(QStringLiteral("gone"));
    QCOMPARE(DocumentFixture::shownTitles(document), QStringList{"Gone"});

    // Found, added or chosen elsewhere: the filter gives way rather than leave the link unselectable.
    document->showAndSelectLinkNode(document->collectionManager().linkNodeWithID(m_followedID));
    QVERIFY(document->filterBar()->field()->text().isEmpty());
    QCOMPARE(document->selectedLinkIDs(), QStringList{m_followedID});
}

void TestLinkViewsWindow::remindersPanelChoosesLinks()
{
    DocumentFixture fixture;
    MyDocument *document = openPartners(fixture);
    QVERIFY(document);
    RemindersPanel *panel = document->remindersPanel();
    QVERIFY(!panel->isVisible());
    document->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(document));
    document->menus()->action(ActionId::ToggleReminders)->trigger();
    QTRY_VERIFY(panel->isVisible());
    QVERIFY(document->menus()->action(ActionId::ToggleReminders)->isChecked());
    // The keyboard is on the list, the first reminder current and its link shown.
    QTRY_VERIFY(panel->table()->hasFocus());
    QCOMPARE(panel->table()->currentIndex().row(), 0);
    QVERIFY(document->selectedLinkNode());
    QCOMPARE(document->selectedLinkNode()->link()->ID(), panel->model()->linkIDAtRow(0));

    // Every due reminder of the database, oldest first, in any category.
    const QList<DueReminders::Entry> &entries = panel->model()->entries();
    QStringList titles;
    for (int i = 0; i < entries.size(); ++i) {
        titles.append(entries.at(i).linkTitle);
        if (i > 0)
            QVERIFY(entries.at(i - 1).date <= entries.at(i).date);
    }
    QVERIFY(titles.contains(QStringLiteral("Fresh")));
    QAbstractItemModelTester tester(panel->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);

    const int fresh = int(titles.indexOf(QStringLiteral("Fresh")));
    document->filterBar()->viewBar()->setCurrentIndex(
        tabOf(document->filterBar()->viewBar(), LinkView::Lost));
    // The table takes the first row as current when it gets the keyboard: start from none.
    panel->table()->setCurrentIndex(QModelIndex());
    QSignalSpy chosen(panel, &RemindersPanel::linkChosen);
    panel->table()->setCurrentIndex(panel->model()->index(fresh, 0));
    QCOMPARE(chosen.size(), 1);
    QVERIFY(document->selectedLinkNode());
    QCOMPARE(document->selectedLinkNode()->link()->title(), QStringLiteral("Fresh"));

    document->menus()->action(ActionId::ToggleReminders)->trigger();
    QTRY_VERIFY(!panel->isVisible());
}

void TestLinkViewsWindow::allLinksByKeyboardWithViewsAndFilter()
{
    DocumentFixture fixture;
    MyDocument *document = openPartners(fixture);
    QVERIFY(document);
    document->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(document));
    // From the category list, Ctrl+Home (or Up from the first category) reaches All Links.
    QTableView *categories = document->categoriesTable();
    categories->setFocus();
    // All Links shows each link's category, without making it one of the list's own columns.
    QHeaderView *header = document->linksTable()->horizontalHeader();
    LinkListController *list = document->linkListController();
    QVERIFY(header->isSectionHidden(LinkListController::CategoryColumn));
    const QStringList ownColumns = list->shownColumns();
    QTest::keyClick(categories, Qt::Key_Home, Qt::ControlModifier);
    QVERIFY(document->isAllLinksSelected());
    QVERIFY(!header->isSectionHidden(LinkListController::CategoryColumn));
    QCOMPARE(list->shownColumns(), ownColumns);
    QTest::keyClick(categories, Qt::Key_Down);
    QVERIFY(!document->isAllLinksSelected() && document->selectedCategoryNode());
    QVERIFY(header->isSectionHidden(LinkListController::CategoryColumn));
    QTest::keyClick(categories, Qt::Key_Up);
    QVERIFY(document->isAllLinksSelected());
    QCOMPARE(DocumentFixture::shownTitles(document).size(), 6);

    // The views count every category's links, and the status line the shown ones of them all.
    QTabBar *views = document->filterBar()->viewBar();
    QTRY_COMPARE(views->tabText(tabOf(views, LinkView::All)), QStringLiteral("All (6)"));
    QTRY_COMPARE(views->tabText(tabOf(views, LinkView::Lost)), QStringLiteral("Lost (2)"));
    views->setCurrentIndex(tabOf(views, LinkView::Lost));
    QStringList lost = DocumentFixture::shownTitles(document);
    lost.sort();
    QCOMPARE(lost, (QStringList{"Elsewhere", "Gone"}));
    QTRY_COMPARE(document->countField()->text(), QStringLiteral("2 of 6 links"));
    document->filterBar()->field()->setText(QStringLiteral("elsewhere"));
    QCOMPARE(DocumentFixture::shownTitles(document), QStringList{"Elsewhere"});
    QTRY_COMPARE(document->countField()->text(), QStringLiteral("1 of 6 links"));

    // A change to a shown link keeps All Links and the filter as they are.
    document->selectLinksWithIDs({document->linkListController()->linkIDAtRow(0)});
    document->menus()->action(ActionId::SetStatusBlocked)->trigger();
    QVERIFY(document->isAllLinksSelected());
    QCOMPARE(DocumentFixture::shownTitles(document), QStringList{"Elsewhere"});
}

void TestLinkViewsWindow::aLinkNotFollowedSaysSo()
{
    DocumentFixture fixture;
    MyDocument *document = openPartners(fixture);
    QVERIFY(document);
    // The history is read in the background; then the details say so beside the result.
    document->showAndSelectLinkNode(document->collectionManager().linkNodeWithID(m_nofollowID));
    QTRY_VERIFY(document->detailsView()->lastCheckField()->fullText().endsWith(
        QLatin1String(": Verified: Link found, not followed (nofollow)")));

    // The statistics count it in a slice of its own, apart from the link found and followed.
    QTabBar *views = document->filterBar()->viewBar();
    QTRY_COMPARE(views->tabText(tabOf(views, LinkView::NotFollowed)), QStringLiteral("Not Followed (1)"));
    document->menus()->action(ActionId::ShowStatistics)->trigger();
    StatisticsDialogController *sheet = document->commandArea<ReportCommands>()->statisticsDialog();
    QVERIFY(sheet && sheet->isVisible());
    QHash<QString, float> counts;
    for (const NameValuePair &pair : sheet->statisticsView()->numbers())
        counts.insert(pair.name(), pair.value());
    QCOMPARE(counts.value(QStringLiteral("Link found, not followed (nofollow)"), -1), 1.0f);
    QCOMPARE(counts.value(QStringLiteral("Verified successfully"), -1), 1.0f);
    QVERIFY(sheet->statisticsView()->accessibleDescription().contains(
        QLatin1String("Link found, not followed (nofollow) (1, ")));
    sheet->findChild<QPushButton *>(QStringLiteral("doneButton"))->click();
}

QTEST_MAIN(TestLinkViewsWindow)
#include "tst_linkviewswindow.moc"
