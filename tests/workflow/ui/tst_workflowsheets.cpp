#include "document/AccessibilityCheck.h"
#include "document/DocumentFixture.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/SearchCommands.h"
#include "document/TableImportCommands.h"
#include "document/TemplateCommands.h"
#include "model/Clock.h"
#include "support/CliProcess.h"
#include "workflow/TableReader.h"
#include "workflow/ui/EmailTemplateDialogController.h"
#include "workflow/ui/EmailTemplateListDialogController.h"
#include "workflow/ui/SearchCriterionView.h"
#include "workflow/ui/SearchDialogController.h"
#include "workflow/ui/TableImportDialogController.h"
#include "workflow/ui/TemplatePreviewDialog.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <functional>

// The workflow sheets of a document window, each driven as a user drives it: the search sheet and the
// Find commands, the template editor and list, and the partners import. Their rules are tested
// without windows.
class TestWorkflowSheets : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};
    std::unique_ptr<DocumentFixture> m_fixture;

    // "Birds" holds Zebra (New), Apple (Approved) and Mango (New); "Fish" holds Carp. Two templates.
    MyDocument *openSample()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Birds"))
            .link(QStringLiteral("Zebra"), LinkStatusNew)
            .link(QStringLiteral("Apple"), LinkStatusApproved)
            .link(QStringLiteral("Mango"), LinkStatusNew);
        db.category(QStringLiteral("Fish")).link(QStringLiteral("Carp"), LinkStatusApproved);
        db.emailTemplate(QStringLiteral("Welcome"), QStringLiteral("Hello"), QStringLiteral("Dear #TITLE#"))
            .emailTemplate(QStringLiteral("Reminder"), QStringLiteral("Still there?"), QStringLiteral("Hi"));
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Birds"));
        return document;
    }

    static SearchDialogController *showSheet(MyDocument *document)
    {
        document->menus()->action(ActionId::FindLink)->trigger();
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

    // Works the application-modal editor once it runs.
    static void whenEditorRuns(EmailTemplateDialogController *editor,
                               const std::function<void(EmailTemplateDialogController *)> &work)
    {
        QTimer::singleShot(0, editor, [editor, work] {
            QVERIFY(editor->isVisible());
            work(editor);
            if (editor->isVisible())
                editor->cancel();
        });
    }

    static QStringList names(const EmailTemplateListDialogController *sheet)
    {
        QStringList list;
        for (int row = 0; row < sheet->listView()->count(); ++row)
            list.append(sheet->listView()->item(row)->text());
        return list;
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void rowsControlsNamesAndTabOrder()
    {
        MyDocument *document = openSample();
        SearchDialogController *sheet = showSheet(document);
        QVERIFY(sheet);
        auto row = [sheet](int index) { return sheet->rows().at(index); };
        const int oneRow = sheet->height();
        row(0)->addButton()->click();
        const int step = sheet->height() - oneRow;
        QVERIFY(!sheet->bitwiseOpPopup()->isHidden());
        QCOMPARE(sheet->focusWidget(), row(1)->stringField());
        SearchCriterionView *second = row(1);
        row(0)->addButton()->click(); // goes right below the first
        QCOMPARE(row(2), second);

        // Every input named by its own row; Tab follows the screen, the buttons after the rows.
        setRow(row(2), SearchCriterion::Status, SearchCriterion::ChoiceIs);
        QCOMPARE(AccessibilityCheck::unnamedInputs(sheet).join(QLatin1Char(',')), QString());
        QCOMPARE(AccessibilityCheck::mnemonicClashes(sheet).join(QLatin1Char('\n')), QString());
        QCOMPARE(AccessibilityCheck::accessibleName(row(1)->stringField()),
                 QStringLiteral("Value of condition 2"));
        QCOMPARE(row(2)->itemPopup()->accessibleName(), QStringLiteral("Value of condition 3"));
        QCOMPARE(row(2)->objectPopup()->accessibleName(), QStringLiteral("Field of condition 3"));
        QCOMPARE(row(2)->operationPopup()->accessibleName(), QStringLiteral("Operation of condition 3"));
        auto next = [](QWidget *from) {
            QWidget *widget = from->nextInFocusChain();
            while (!(widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus)))
                widget = widget->nextInFocusChain();
            return widget;
        };
        QCOMPARE(next(row(0)->stringField()), row(0)->removeButton());
        QCOMPARE(next(row(0)->addButton()), row(1)->objectPopup());
        QCOMPARE(next(row(2)->addButton()),
                 sheet->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Reset));

        while (sheet->rows().size() < 10)
            sheet->rows().constLast()->addButton()->click();
        QCOMPARE(sheet->height(), oneRow + 9 * step);
        QVERIFY(!row(9)->addButton()->isEnabled());
        sheet->add(row(0)); // refused at ten
        QCOMPARE(sheet->rows().size(), 10);
        row(4)->removeButton()->click();
        QVERIFY(row(0)->addButton()->isEnabled());
        sheet->reset();
        QCOMPARE(sheet->height(), oneRow);
        QVERIFY(!row(0)->removeButton()->isEnabled());
        QVERIFY(sheet->bitwiseOpPopup()->isHidden());

        // The value controls follow the field; Return in a date field finds as well.
        setRow(row(0), SearchCriterion::Status, SearchCriterion::ChoiceIs);
        QVERIFY(row(0)->stringField()->isHidden());
        QCOMPARE(row(0)->itemPopup()->count(), 4);
        // The last check's result offers every result and "never verified".
        setRow(row(0), SearchCriterion::VerificationResultObject, SearchCriterion::ChoiceIs);
        QCOMPARE(row(0)->itemPopup()->count(), 7);
        row(0)->itemPopup()->setCurrentIndex(6);
        row(0)->updateSearchCriterion();
        QCOMPARE(row(0)->searchCriterion().intValue(), int(SearchCriterion::ResultNever));
        setRow(row(0), SearchCriterion::CreatedOn, SearchCriterion::IsAfter);
        QCOMPARE(row(0)->dateField()->date(), Clock::today());
        QCOMPARE(sheet->focusWidget(), row(0)->dateField());
        row(0)->dateField()->setDate(QDate(2000, 1, 1));
        QTest::keyClick(row(0)->dateField(), Qt::Key_Return);
        QVERIFY(!sheet->isVisible());
        QVERIFY(document->selectedLink());
        // Three categories: General, a separator, Birds, Fish.
        sheet = showSheet(document);
        setRow(row(0), SearchCriterion::CategoryObject, SearchCriterion::ChoiceIs);
        QCOMPARE(row(0)->itemPopup()->count(), 4);
        row(0)->itemPopup()->setCurrentIndex(3);
        sheet->confirm();
        QCOMPARE(selectedTitle(document), QStringLiteral("Carp"));
    }

    void refusalsAndFindNext()
    {
        MyDocument *document = openSample();
        document->linkListController()->sortLinksByColumn(LinkListController::NameColumn);
        SearchDialogController *sheet = showSheet(document);
        QAction *findNext = document->menus()->action(ActionId::FindNextLink);
        SearchCommands *search = document->commandArea<SearchCommands>();
        sheet->rows().at(0)->addButton()->click();
        setRow(sheet->rows().at(0), SearchCriterion::Title, SearchCriterion::Contains, QStringLiteral("a"));
        setRow(sheet->rows().at(1), SearchCriterion::Title, SearchCriterion::DoesNotContain,
               QStringLiteral("a"));
        sheet->findButton()->click();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("One or more conditions are empty or conflict with each other."));
        QCOMPARE(sheet->focusWidget(), sheet->rows().at(1)->stringField());
        QVERIFY(!findNext->isEnabled());
        // Under any, the same pair matches every link: the first in the list's order.
        sheet->bitwiseOpPopup()->setCurrentIndex(1);
        sheet->findButton()->click();
        QVERIFY(!sheet->isVisible());
        QCOMPARE(document->linkListController()->linkNodeAtRow(0), document->selectedLinkNode());
        QVERIFY(findNext->isEnabled());

        // The last conditions come back with the sheet; a cancelled sheet keeps them.
        sheet = showSheet(document);
        QVERIFY(sheet->any());
        QCOMPARE(sheet->rows().at(1)->operationPopup()->currentData().toInt(),
                 int(SearchCriterion::DoesNotContain));
        sheet->rows().at(1)->removeButton()->click();
        QTest::keyClick(sheet, Qt::Key_Escape);
        QCOMPARE(search->searchCriteria()->size(), 2);

        // Return in the value field finds; Find Next follows the list's order, then wraps and says so.
        sheet = showSheet(document);
        sheet->reset();
        setRow(sheet->rows().at(0), SearchCriterion::Title, SearchCriterion::Contains, QStringLiteral("a"));
        QTest::keyClick(sheet->rows().at(0)->stringField(), Qt::Key_Return);
        QCOMPARE(selectedTitle(document), QStringLiteral("Apple"));
        // Pressed again during a flash: only the new match stays selected once the flashes are over.
        findNext->trigger();
        QTest::qWait(60);
        findNext->trigger();
        const QStringList zebra = document->selectedLinkIDs();
        QCOMPARE(selectedTitle(document), QStringLiteral("Zebra"));
        QTest::qWait(500);
        QTRY_COMPARE_WITH_TIMEOUT(document->selectedLinkIDs(), zebra, 2000);
        QTest::qWait(300);
        QCOMPARE(document->selectedLinkIDs(), zebra);
        findNext->trigger();
        QCOMPARE(selectedTitle(document), QStringLiteral("Carp"));
        // The flash runs with the event loop: dimmed, then selected again, also across a refresh.
        QElapsedTimer clock;
        clock.start();
        findNext->trigger();
        QVERIFY(clock.elapsed() < 100);
        const QStringList apple = document->selectedLinkIDs();
        QCOMPARE(selectedTitle(document), QStringLiteral("Apple"));
        QCOMPARE(search->lastPositionText(),
                 QStringLiteral("Search started again from the top \u2014 1 of 4"));
        QCOMPARE(document->statusBar()->currentMessage(), search->lastPositionText());
        QVERIFY(QTest::qWaitFor([&] { return document->numberOfSelectedLinks() == 0; }, 2000));
        document->refreshUI();
        QTest::qWait(400);
        QCOMPARE(document->selectedLinkIDs(), apple);
        // A second click on the header sorts descending; Find Next follows that order.
        DocumentFixture::selectCategory(document, QStringLiteral("Birds"));
        emit document->linksTable()->horizontalHeader()->sectionClicked(LinkListController::NameColumn);
        document->selectLinksWithIDs({document->linkListController()->linkIDAtRow(0)});
        QCOMPARE(selectedTitle(document), QStringLiteral("Zebra"));
        findNext->trigger();
        QCOMPARE(selectedTitle(document), QStringLiteral("Mango"));
        QCOMPARE(search->lastPositionText(), QStringLiteral("2 of 4"));

        // Once the match is gone, Find Next finds nothing and says nothing.
        sheet = showSheet(document);
        setRow(sheet->rows().at(0), SearchCriterion::Title, SearchCriterion::TextIs, QStringLiteral("mango"));
        sheet->confirm();
        document->collectionManager().deleteLinkNodesWithIDs(document->selectedLinkIDs());
        document->refreshUI();
        const qsizetype alerts = MessageBox::shownAlerts().size();
        findNext->trigger();
        QCOMPARE(MessageBox::shownAlerts().size(), alerts);
        // A new search that finds nothing says so, keeps the sheet open and the selection as it was.
        document->selectLinksWithIDs({document->linkListController()->linkIDAtRow(1)});
        const QStringList before = document->selectedLinkIDs();
        sheet = showSheet(document);
        sheet->confirm();
        QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("No links were found."));
        QVERIFY(sheet->isVisible());
        QCOMPARE(document->selectedLinkIDs(), before);
        setRow(sheet->rows().at(0), SearchCriterion::Title, SearchCriterion::TextIs, QStringLiteral("carp"));
        sheet->confirm();
        QCOMPARE(selectedTitle(document), QStringLiteral("Carp"));
        QCOMPARE(search->lastPositionText(), QStringLiteral("1 of 1"));
    }

    void newTemplateFromTheMenuIsInTheStoreWhenTheCommandReturns()
    {
        MyDocument *document = openSample();
        DocumentFixture::selectLinks(document, {QStringLiteral("Mango")});
        EmailTemplateDialogController *editor =
            document->commandArea<TemplateCommands>()->emailTemplateDialog();

        whenEditorRuns(editor, [this](EmailTemplateDialogController *e) {
            // A placeholder typed while the name is edited is refused.
            e->nameField()->setFocus();
            QTest::keyClicks(e->nameField(), QStringLiteral("Thanks"));
            e->placeholderButton(QStringLiteral("#TITLE#"))->click();
            QCOMPARE(MessageBox::shownAlerts().last().title,
                     QStringLiteral("Placeholders cannot be inserted in the template's name."));
            QCOMPARE(e->nameField()->text(), QStringLiteral("Thanks"));
            e->subjectField()->setText(QStringLiteral("Thank you"));
            // Typed where the cursor is, and the keyboard stays in the body.
            e->bodyView()->setFocus();
            QTest::keyClicks(e->bodyView(), QStringLiteral("Dear , thanks"));
            QTextCursor cursor = e->bodyView()->textCursor();
            cursor.setPosition(5);
            e->bodyView()->setTextCursor(cursor);
            QTest::mouseClick(e->placeholderButton(QStringLiteral("#CONTACT_FIRST_NAME#")), Qt::LeftButton);
            QCOMPARE(e->bodyView()->toPlainText(), QStringLiteral("Dear #CONTACT_FIRST_NAME#, thanks"));
            QCOMPARE(e->focusWidget(), e->bodyView());
            // The preview shows the message for the selected link in the editor; a misspelt
            // placeholder is marked. The mail client gets it only when asked.
            e->bodyView()->appendPlainText(QStringLiteral("#TITEL#"));
            e->previewButton()->click();
            TemplatePreviewDialog *preview = e->previewDialog();
            QVERIFY(preview && preview->isVisible());
            QCOMPARE(preview->message().body, QStringLiteral("Dear , thanks\n#TITEL#"));
            QVERIFY(preview->unknownLabel()->text().contains(QStringLiteral("#TITEL#")));
            QVERIFY(preview->bodyView()->toHtml().contains(QStringLiteral("background-color")));
            QCOMPARE(m_fixture->opener().urls().size(), 0);
            preview->copyButton()->click();
            QVERIFY(QGuiApplication::clipboard()->text().contains(
                QStringLiteral("Subject: Thank you\n\nDear , thanks")));
            preview->mailButton()->click();
            QCOMPARE(m_fixture->opener().urls().size(), 1);
            QTest::keyClick(preview, Qt::Key_Escape);
            e->bodyView()->setPlainText(QStringLiteral("Dear #CONTACT_FIRST_NAME#, thanks"));
            QTest::keyClick(e, Qt::Key_Return);
        });
        document->menus()->action(ActionId::NewEmailTemplate)->trigger();

        CollectionManager &store = document->collectionManager();
        const EmailTemplate *added =
            store.emailTemplateList().emailTemplateWithName(QStringLiteral("Thanks"));
        QVERIFY(added);
        QCOMPARE(added->body(), QStringLiteral("Dear #CONTACT_FIRST_NAME#, thanks"));
        QVERIFY(document->isEdited());
        QVERIFY(m_fixture->opener().urls().constFirst().toString().startsWith(QStringLiteral("mailto:")));
        QCOMPARE(document->selectedLink()->status(), LinkStatusNew); // a preview writes to nobody

        // Refused for a taken name, then cancelled: nothing added.
        document->setWindowModified(false);
        whenEditorRuns(editor, [](EmailTemplateDialogController *e) {
            e->nameField()->setText(QStringLiteral("Welcome"));
            e->subjectField()->setText(QStringLiteral("s"));
            e->bodyView()->setPlainText(QStringLiteral("b"));
            e->confirm();
            QVERIFY(e->isVisible());
            QTest::keyClick(e, Qt::Key_Escape);
        });
        document->menus()->action(ActionId::NewEmailTemplate)->trigger();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("An e-mail template with the same name already exists."));
        QCOMPARE(store.emailTemplates().size(), size_t(3));
        QVERIFY(!document->isEdited());
    }

    void theListSheetImportsExportsAndStaysSorted()
    {
        MyDocument *document = openSample();
        CollectionManager &store = document->collectionManager();
        document->menus()->action(ActionId::ShowEmailTemplates)->trigger();
        EmailTemplateListDialogController *sheet =
            document->commandArea<TemplateCommands>()->emailTemplateListDialog();
        QCOMPARE(names(sheet), (QStringList{"Reminder", "Welcome"}));
        QVERIFY(!sheet->editButton()->isEnabled());

        // Exported without the extension: it is added.
        FilePanel::setNextAnswer(m_fixture->path(QStringLiteral("mine")));
        sheet->exportButton()->click();
        QVERIFY(
            FilePanel::shownPanels().last().proposedPath.endsWith(QStringLiteral("Email templates.emlt")));
        const QString file = m_fixture->path(QStringLiteral("mine.emlt"));
        QVERIFY(QFile::exists(file));
        // A failed export says why.
        FilePanel::setNextAnswer(m_fixture->path(QStringLiteral("no/such/folder/mine.emlt")));
        sheet->exportButton()->click();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The e-mail templates could not be exported."));
        QVERIFY2(
            MessageBox::shownAlerts().last().message.contains(QStringLiteral("The file cannot be written (")),
            qPrintable(MessageBox::shownAlerts().last().message));
        EmailTemplate changed;
        changed.setName(QStringLiteral("Welcome"), QStringLiteral("Changed"), QStringLiteral("b"));
        store.emailTemplateList().editEmailTemplate(
            store.emailTemplateList().emailTemplateWithName(QStringLiteral("Welcome")), changed);
        auto welcomeSubject = [&] {
            return store.emailTemplateList().emailTemplateWithName(QStringLiteral("Welcome"))->subject();
        };
        // Keep and Cancel alike change nothing here; Replace brings the exported one back.
        FilePanel::setNextAnswer(file);
        MessageBox::setNextAnswer(2); // Cancel
        sheet->importButton()->click();
        QCOMPARE(MessageBox::shownAlerts().last().buttons, (QStringList{"Keep", "Replace", "Cancel"}));
        QCOMPARE(welcomeSubject(), QStringLiteral("Changed"));
        QVERIFY(!document->isEdited());
        FilePanel::setNextAnswer(file);
        MessageBox::setNextAnswer(1); // Replace
        sheet->importButton()->click();
        QCOMPARE(welcomeSubject(), QStringLiteral("Hello"));
        QVERIFY(document->isEdited());
        // A file that is not a templates file changes nothing and says so.
        FilePanel::setNextAnswer(m_fixture->path(QStringLiteral("test.site")));
        sheet->importButton()->click();
        QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("The file could not be imported."));
        QCOMPARE(store.emailTemplates().size(), size_t(2));

        document->setWindowModified(false);
        sheet->selectRow(0);
        sheet->duplicateButton()->click();
        QCOMPARE(names(sheet), (QStringList{"Reminder", "Reminder copy", "Welcome"}));
        QCOMPARE(sheet->selectedRow(), 1);
        QVERIFY(document->isEdited());
        // Renamed from the editor (a double click), the template moves to its new place.
        whenEditorRuns(document->commandArea<TemplateCommands>()->emailTemplateDialog(),
                       [](EmailTemplateDialogController *e) {
                           QCOMPARE(e->nameField()->text(), QStringLiteral("Reminder copy"));
                           e->nameField()->setText(QStringLiteral("Zulu"));
                           e->confirm();
                       });
        sheet->listView()->itemDoubleClicked(sheet->listView()->item(1));
        QCOMPARE(names(sheet), (QStringList{"Reminder", "Welcome", "Zulu"}));
        QCOMPARE(sheet->selectedRow(), 2);

        MessageBox::setNextAnswer(1); // Cancel
        sheet->deleteButton()->click();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("Are you sure you want to delete the e-mail template \"Zulu\"?"));
        QCOMPARE(names(sheet).size(), 3);
        for (int row : {2, 1, 0}) {
            sheet->selectRow(row);
            MessageBox::setNextAnswer(0); // Delete
            sheet->deleteButton()->click();
        }
        QVERIFY(names(sheet).isEmpty());
        QVERIFY(!sheet->duplicateButton()->isEnabled());
        QVERIFY(!sheet->deleteButton()->isEnabled());
        QVERIFY(!sheet->exportButton()->isEnabled());
    }

    void importIsOneUndoStepAndExportWritesCsv()
    {
        MyDocument *document = openSample();
        // A database is not a table: refused before any sheet.
        FilePanel::setNextAnswer(m_fixture->path(QStringLiteral("test.site")));
        document->menus()->action(ActionId::ImportPartners)->trigger();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The partners could not be imported."));
        QCOMPARE(MessageBox::shownAlerts().last().message,
                 QStringLiteral("The file is not a table of comma-separated or tab-delimited text."));
        // A table past a cap is told which, not called no table.
        const QString wide = m_fixture->path(QStringLiteral("wide.csv"));
        QVERIFY(
            writeFile(wide, "URL,Title\na" + QByteArray(",x").repeated(TableReader::MaximumCells) + "\n"));
        FilePanel::setNextAnswer(wide);
        document->menus()->action(ActionId::ImportPartners)->trigger();
        QCOMPARE(MessageBox::shownAlerts().last().message,
                 QStringLiteral("Row 2 of the table has more than 1000 cells; a table may have at most 1000 "
                                "columns."));

        const QString table = m_fixture->path(QStringLiteral("partners.csv"));
        QVERIFY(writeFile(table, "Site,Web Address,Colour\n"
                                 "Alpha,http://alpha.example,red\n"
                                 "Carp,http://www.carp.example,blue\n"
                                 "Bravo,http://bravo.example,green\n"));
        FilePanel::setNextAnswer(table);
        document->menus()->action(ActionId::ImportPartners)->trigger();
        auto *sheet = document->commandArea<TableImportCommands>()->tableImportDialog();
        QVERIFY(sheet && sheet->isVisible());
        QCOMPARE(AccessibilityCheck::unnamedInputs(sheet).join(QLatin1Char(',')), QString());
        QCOMPARE(sheet->focusWidget(), sheet->columnPopup(0));

        // "Web Address" is no name the import knows: nothing can be imported until a column is the URL.
        QVERIFY(!sheet->importEnabled());
        QVERIFY(sheet->countsText().contains(QLatin1String("URL")));
        QComboBox *second = sheet->columnPopup(1);
        second->setCurrentIndex(second->findText(QStringLiteral("URL")));
        QVERIFY(sheet->importEnabled());
        QCOMPARE(sheet->countsText(),
                 QStringLiteral("The import adds 2 links, updates 0 links and skips 1 row. "
                                "Not imported: Colour."));
        sheet->setUpdate(true);
        QVERIFY(sheet->countsText().startsWith(
            QLatin1String("The import adds 2 links, updates 1 link and skips 0 rows.")));
        sheet->setUpdate(false);
        // Choosing a field that another column fills takes it from that column.
        QComboBox *third = sheet->columnPopup(2);
        third->setCurrentIndex(third->findText(QStringLiteral("Title")));
        QCOMPARE(sheet->columnPopup(0)->currentText(), QStringLiteral("Ignore"));
        third->setCurrentIndex(0);
        sheet->columnPopup(0)->setCurrentIndex(sheet->columnPopup(0)->findText(QStringLiteral("Title")));

        QTest::keyClick(sheet, Qt::Key_Return);
        QVERIFY(!sheet->isVisible());
        CollectionManager &store = document->collectionManager();
        QCOMPARE(store.numberOfLinks(), 6);
        QUndoStack *stack = document->undo()->stack();
        QCOMPARE(stack->count(), 1);
        QCOMPARE(stack->undoText(), QStringLiteral("Import Partners"));
        QVERIFY(document->isWindowModified());
        const MessageBox::Shown summary = MessageBox::shownAlerts().last();
        QCOMPARE(summary.title, QStringLiteral("The partners were imported."));
        QCOMPARE(summary.message,
                 QStringLiteral("2 links were added. 1 row was skipped.\n\n"
                                "row 3: \"http://www.carp.example\" is already in the database"));

        stack->undo();
        QCOMPARE(store.numberOfLinks(), 4);
        stack->redo();
        QCOMPARE(store.numberOfLinks(), 6);

        FilePanel::setNextAnswer(table);
        document->menus()->action(ActionId::ImportPartners)->trigger();
        QVERIFY(sheet->isVisible());
        QTest::keyClick(sheet, Qt::Key_Escape);
        QVERIFY(!sheet->isVisible());
        QCOMPARE(stack->count(), 1);

        // The export proposes a .csv name and adds the extension when left out; its rows are the
        // table writer's.
        document->setWindowModified(false);
        FilePanel::setNextAnswer(m_fixture->path(QStringLiteral("links")));
        document->menus()->action(ActionId::ExportLinksToCSV)->trigger();
        QVERIFY(FilePanel::shownPanels().last().proposedPath.endsWith(QLatin1String(".csv")));
        QVERIFY(fileContents(m_fixture->path(QStringLiteral("links.csv")))
                    .startsWith("\xEF\xBB\xBFLink,Category,"));
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The links were exported successfully."));
        QVERIFY(!document->isWindowModified());
    }
};

QTEST_MAIN(TestWorkflowSheets)
#include "tst_workflowsheets.moc"
