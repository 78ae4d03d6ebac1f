#include "document/AccessibilityCheck.h"
#include "document/DocumentFixture.h"
#include "document/DocumentMenus.h"
#include "document/SearchCommands.h"
#include "model/Clock.h"
#include "workflow/ui/SearchCriterionView.h"
#include "workflow/ui/SearchDialogController.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

// The search sheet and the Find commands of a document window: the rows, the refusals, the order
// in which matches are found and the flash of the found row.
class TestSearchSheet : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private:
    // "Birds" holds Zebra (New), Apple (Approved) and Mango (New); "Fish" holds Carp.
    MyDocument *openSample()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Birds"))
            .link(QStringLiteral("Zebra"), LinkStatusNew)
            .link(QStringLiteral("Apple"), LinkStatusApproved)
            .link(QStringLiteral("Mango"), LinkStatusNew);
        db.category(QStringLiteral("Fish")).link(QStringLiteral("Carp"), LinkStatusApproved);
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Birds"));
        return document;
    }

    static SearchDialogController *showSheet(MyDocument *document)
    {
        document->menus()->findLink->trigger();
        SearchDialogController *sheet = document->commandArea<SearchCommands>()->searchDialog();
        return sheet && sheet->isVisible() ? sheet : nullptr;
    }

    static void setRow(SearchCriterionView *row, int object, int operation, const QString &text = QString())
    {
        row->objectPopup()->setCurrentIndex(row->objectPopup()->findData(object));
        row->objectPopup()->activated(row->objectPopup()->currentIndex());
        row->operationPopup()->setCurrentIndex(row->operationPopup()->findData(operation));
        row->operationPopup()->activated(row->operationPopup()->currentIndex());
        row->stringField()->setText(text);
    }

    static QString selectedTitle(MyDocument *document)
    {
        const Link *link = document->selectedLink();
        return link ? link->title() : QString();
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void rowsComeAndGoOneHeightAtATime()
    {
        MyDocument *document = openSample();
        SearchDialogController *sheet = showSheet(document);
        QVERIFY(sheet);
        QCOMPARE(sheet->rows().size(), 1);
        QVERIFY(!sheet->rows().at(0)->removeButton()->isEnabled());
        QVERIFY(sheet->rows().at(0)->addButton()->isEnabled());
        QVERIFY(sheet->bitwiseOpPopup()->isHidden());
        QVERIFY(!sheet->findChild<QLabel *>(QStringLiteral("findSingular"))->isHidden());
        QCOMPARE(sheet->focusWidget(), sheet->rows().at(0)->stringField());
        const int oneRow = sheet->height();

        sheet->rows().at(0)->addButton()->click();
        QCOMPARE(sheet->rows().size(), 2);
        const int step = sheet->height() - oneRow;
        QVERIFY(step >= sheet->rows().at(0)->height());
        QVERIFY(!sheet->bitwiseOpPopup()->isHidden());
        QVERIFY(sheet->findChild<QLabel *>(QStringLiteral("findSingular"))->isHidden());
        QCOMPARE(sheet->focusWidget(), sheet->rows().at(1)->stringField());

        // A row added from the first goes right below it.
        SearchCriterionView *second = sheet->rows().at(1);
        sheet->rows().at(0)->addButton()->click();
        QCOMPARE(sheet->rows().at(2), second);
        for (int rows = 3; rows < 10; ++rows)
            sheet->rows().constLast()->addButton()->click();
        QCOMPARE(sheet->rows().size(), 10);
        QCOMPARE(sheet->height(), oneRow + 9 * step);
        for (SearchCriterionView *row : sheet->rows()) {
            QVERIFY(!row->addButton()->isEnabled());
            QVERIFY(row->removeButton()->isEnabled());
        }
        sheet->add(sheet->rows().at(0)); // refused at ten
        QCOMPARE(sheet->rows().size(), 10);

        sheet->rows().at(4)->removeButton()->click();
        QCOMPARE(sheet->height(), oneRow + 8 * step);
        QVERIFY(sheet->rows().at(0)->addButton()->isEnabled());
        while (sheet->rows().size() > 1)
            sheet->rows().constLast()->removeButton()->click();
        QCOMPARE(sheet->height(), oneRow);
        QVERIFY(!sheet->rows().at(0)->removeButton()->isEnabled());
        QVERIFY(sheet->bitwiseOpPopup()->isHidden());
        sheet->cancel();
    }

    void valueControlsFollowTheField()
    {
        MyDocument *document = openSample();
        SearchDialogController *sheet = showSheet(document);
        SearchCriterionView *row = sheet->rows().at(0);
        setRow(row, SearchCriterion::Status, SearchCriterion::ChoiceIs);
        QVERIFY(row->stringField()->isHidden());
        QCOMPARE(row->itemPopup()->count(), 4);
        QCOMPARE(row->operationPopup()->count(), 2);
        setRow(row, SearchCriterion::CreatedOn, SearchCriterion::IsBefore);
        QVERIFY(!row->dateField()->isHidden());
        QCOMPARE(row->dateField()->date(), Clock::today());
        QCOMPARE(sheet->focusWidget(), row->dateField());
        // Three categories: General, a separator, Birds, Fish.
        setRow(row, SearchCriterion::CategoryObject, SearchCriterion::ChoiceIs);
        QCOMPARE(row->itemPopup()->count(), 4);
        row->itemPopup()->setCurrentIndex(3);
        sheet->confirm();
        QVERIFY(!sheet->isVisible());
        QCOMPARE(selectedTitle(document), QStringLiteral("Carp"));
        const QList<SearchCriterion> kept = *document->commandArea<SearchCommands>()->searchCriteria();
        QCOMPARE(kept.at(0).intValue(), 2);

        // Return in a date field finds as well.
        sheet = showSheet(document);
        QCOMPARE(sheet->rows().at(0)->itemPopup()->currentIndex(), 3);
        setRow(sheet->rows().at(0), SearchCriterion::CreatedOn, SearchCriterion::IsAfter);
        sheet->rows().at(0)->dateField()->setDate(QDate(2000, 1, 1));
        QTest::keyClick(sheet->rows().at(0)->dateField(), Qt::Key_Return);
        QVERIFY(!sheet->isVisible());
        QVERIFY(document->selectedLink());
    }

    void conflictsAreRefusedUnderAllAndAcceptedUnderAny()
    {
        MyDocument *document = openSample();
        SearchDialogController *sheet = showSheet(document);
        sheet->rows().at(0)->addButton()->click();
        setRow(sheet->rows().at(0), SearchCriterion::Title, SearchCriterion::Contains, QStringLiteral("a"));
        setRow(sheet->rows().at(1), SearchCriterion::Title, SearchCriterion::DoesNotContain,
               QStringLiteral("a"));
        sheet->findButton()->click();
        QVERIFY(sheet->isVisible());
        QCOMPARE(MessageBox::shownAlerts().size(), 1);
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("One or more conditions are empty or conflict with each other."));
        QCOMPARE(sheet->focusWidget(), sheet->rows().at(1)->stringField());
        QVERIFY(!document->menus()->findNextLink->isEnabled());

        // Under any, the same pair matches every link: the first in the list's order.
        sheet->bitwiseOpPopup()->setCurrentIndex(1);
        sheet->findButton()->click();
        QVERIFY(!sheet->isVisible());
        QCOMPARE(MessageBox::shownAlerts().size(), 1);
        QCOMPARE(document->linkListController()->linkNodeAtRow(0), document->selectedLinkNode());
        QVERIFY(document->menus()->findNextLink->isEnabled());

        // The last conditions come back with the sheet; a cancelled sheet keeps them.
        sheet = showSheet(document);
        QCOMPARE(sheet->rows().size(), 2);
        QVERIFY(sheet->any());
        QCOMPARE(sheet->rows().at(1)->stringField()->text(), QStringLiteral("a"));
        QCOMPARE(sheet->rows().at(1)->operationPopup()->currentData().toInt(),
                 int(SearchCriterion::DoesNotContain));
        sheet->reset();
        QCOMPARE(sheet->rows().size(), 1);
        QTest::keyClick(sheet, Qt::Key_Escape);
        QVERIFY(!sheet->isVisible());
        QCOMPARE(document->commandArea<SearchCommands>()->searchCriteria()->size(), 2);
    }

    void findFollowsTheListOrderAndWraps()
    {
        MyDocument *document = openSample();
        document->linkListController()->sortLinksByColumn(LinkListController::NameColumn);
        SearchDialogController *sheet = showSheet(document);
        setRow(sheet->rows().at(0), SearchCriterion::Title, SearchCriterion::Contains, QStringLiteral("a"));
        // Return in the value field finds.
        QTest::keyClick(sheet->rows().at(0)->stringField(), Qt::Key_Return);
        QVERIFY(!sheet->isVisible());
        QCOMPARE(selectedTitle(document), QStringLiteral("Apple"));

        QAction *findNext = document->menus()->findNextLink;
        QVERIFY(findNext->shortcuts().contains(QKeySequence(Qt::Key_F3)));
        findNext->trigger();
        QCOMPARE(selectedTitle(document), QStringLiteral("Mango"));
        findNext->trigger();
        QCOMPARE(selectedTitle(document), QStringLiteral("Zebra"));
        findNext->trigger(); // the next category
        QCOMPARE(selectedTitle(document), QStringLiteral("Carp"));
        SearchCommands *search = document->commandArea<SearchCommands>();
        QCOMPARE(search->lastPositionText(), QStringLiteral("4 of 4"));
        findNext->trigger(); // past the last match: the first again, and the status line says so
        QCOMPARE(selectedTitle(document), QStringLiteral("Apple"));
        QCOMPARE(search->lastPositionText(),
                 QStringLiteral("Search started again from the top \u2014 1 of 4"));
        QCOMPARE(document->statusBar()->currentMessage(), search->lastPositionText());
        QVERIFY(MessageBox::shownAlerts().isEmpty());

        // A second click on the header sorts descending; Find Next follows that order.
        DocumentFixture::selectCategory(document, QStringLiteral("Birds"));
        QHeaderView *header = document->linksTable()->horizontalHeader();
        emit header->sectionClicked(LinkListController::NameColumn);
        QVERIFY(document->linkListController()->sortDescending());
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(document->linkListController()->linkNodeAtRow(0)->link()->title(), QStringLiteral("Zebra"));
        document->selectLinksWithIDs({document->linkListController()->linkIDAtRow(0)});
        findNext->trigger();
        QCOMPARE(selectedTitle(document), QStringLiteral("Mango"));
        QCOMPARE(search->lastPositionText(), QStringLiteral("2 of 4"));
    }

    void aSingleMatchIsFoundAgainAndFindNextNeverAlerts()
    {
        MyDocument *document = openSample();
        SearchDialogController *sheet = showSheet(document);
        setRow(sheet->rows().at(0), SearchCriterion::Title, SearchCriterion::TextIs, QStringLiteral("mango"));
        sheet->confirm();
        QCOMPARE(selectedTitle(document), QStringLiteral("Mango"));
        document->menus()->findNextLink->trigger();
        QCOMPARE(selectedTitle(document), QStringLiteral("Mango"));
        QCOMPARE(document->numberOfSelectedLinks(), 1);

        // Gone from the database: Find Next finds nothing and says nothing.
        document->collectionManager().deleteLinkNodesWithIDs(document->selectedLinkIDs());
        document->refreshUI();
        document->menus()->findNextLink->trigger();
        QVERIFY(MessageBox::shownAlerts().isEmpty());

        // A new search that finds nothing says so and keeps the sheet open with its conditions;
        // the selection stays where it was.
        document->selectLinksWithIDs({document->linkListController()->linkIDAtRow(1)});
        const QStringList before = document->selectedLinkIDs();
        sheet = showSheet(document);
        sheet->confirm();
        QCOMPARE(MessageBox::shownAlerts().size(), 1);
        QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("No links were found."));
        QCOMPARE(MessageBox::shownAlerts().last().message,
                 QStringLiteral("None of the links match the specified search conditions."));
        QVERIFY(sheet->isVisible());
        QCOMPARE(document->selectedLinkIDs(), before);
        // Changed to match, the same sheet finds.
        setRow(sheet->rows().at(0), SearchCriterion::Title, SearchCriterion::TextIs, QStringLiteral("carp"));
        sheet->confirm();
        QVERIFY(!sheet->isVisible());
        QCOMPARE(selectedTitle(document), QStringLiteral("Carp"));
        QCOMPARE(document->commandArea<SearchCommands>()->lastPositionText(), QStringLiteral("1 of 1"));
    }

    void theFlashLeavesTheEventLoopRunning()
    {
        MyDocument *document = openSample();
        SearchCommands *search = document->commandArea<SearchCommands>();
        search->setSearchCriteria(
            {SearchCriterion(SearchCriterion::Title, SearchCriterion::Contains, QStringLiteral("a"))}, false);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(search->doFindWithAlert(true, true));
        QVERIFY(clock.elapsed() < 100);
        const QString found = document->selectedLinkIDs().value(0);
        // Dimmed, then selected again, while the event loop runs.
        QVERIFY(QTest::qWaitFor([&] { return document->numberOfSelectedLinks() == 0; }, 2000));
        QVERIFY(QTest::qWaitFor([&] { return document->selectedLinkIDs() == QStringList{found}; }, 2000));

        // Find Next pressed again during a flash: only the new match stays selected.
        document->menus()->findNextLink->trigger();
        QTest::qWait(60);
        document->menus()->findNextLink->trigger();
        const QString last = document->selectedLinkIDs().value(0);
        QTest::qWait(500);
        QTRY_COMPARE_WITH_TIMEOUT(document->selectedLinkIDs(), QStringList{last}, 2000);
        QTest::qWait(300);
        QCOMPARE(document->selectedLinkIDs(), QStringList{last});

        // A refresh during a flash keeps the found link selected.
        document->menus()->findNextLink->trigger();
        const QString again = document->selectedLinkIDs().value(0);
        QVERIFY(QTest::qWaitFor([&] { return document->numberOfSelectedLinks() == 0; }, 2000));
        document->refreshUI();
        QTest::qWait(400);
        QCOMPARE(document->selectedLinkIDs(), QStringList{again});
    }

    void tabFollowsTheScreen()
    {
        MyDocument *document = openSample();
        SearchDialogController *sheet = showSheet(document);
        sheet->rows().at(0)->addButton()->click();
        // Where Tab goes from a widget: the next one that is shown, enabled and takes Tab.
        auto next = [](QWidget *from) {
            QWidget *widget = from->nextInFocusChain();
            while (widget != from &&
                   !(widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) &&
                     widget->window() == from->window()))
                widget = widget->nextInFocusChain();
            return widget;
        };
        const SearchCriterionView *first = sheet->rows().at(0);
        const SearchCriterionView *second = sheet->rows().at(1);
        QCOMPARE(next(sheet->bitwiseOpPopup()), first->objectPopup());
        QCOMPARE(next(first->stringField()), first->removeButton());
        QCOMPARE(next(first->addButton()), second->objectPopup());
        // After the rows the buttons as they stand: Reset at the left, Help at the right.
        QWidget *button = next(second->addButton());
        QCOMPARE(button, sheet->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Reset));
        for (int i = 0; i < 3; ++i)
            button = next(button);
        QCOMPARE(button, sheet->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Help));
        sheet->cancel();
    }

    void everyInputOfTheSheetHasAName()
    {
        MyDocument *document = openSample();
        SearchDialogController *sheet = showSheet(document);
        sheet->rows().at(0)->addButton()->click();
        sheet->rows().at(1)->addButton()->click();
        setRow(sheet->rows().at(2), SearchCriterion::Status, SearchCriterion::ChoiceIs);
        QCOMPARE(AccessibilityCheck::unnamedInputs(sheet).join(QLatin1Char(',')), QString());
        QCOMPARE(AccessibilityCheck::mnemonicClashes(sheet).join(QLatin1Char('\n')), QString());
        QCOMPARE(AccessibilityCheck::accessibleName(sheet->rows().at(1)->stringField()),
                 QStringLiteral("Value of condition 2"));
        // A pop-up reads out its current item; its name is given all the same.
        QCOMPARE(sheet->rows().at(2)->itemPopup()->accessibleName(), QStringLiteral("Value of condition 3"));
        sheet->cancel();
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestSearchSheet)
#include "tst_searchsheet.moc"
