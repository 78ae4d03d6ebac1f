#include "document/AccessibilityCheck.h"
#include "document/DocumentFixture.h"
#include "document/DocumentMenus.h"
#include "document/TemplateCommands.h"
#include "workflow/ui/EmailTemplateDialogController.h"
#include "workflow/ui/EmailTemplateListDialogController.h"
#include "workflow/ui/TemplatePreviewDialog.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <functional>

// The template editor and the template list sheet of a document window: what each changes in the
// store, the names and order of the list, import and export through their panels, and the
// send-message menus that follow every change.
class TestTemplateSheets : public QObject
{
    Q_OBJECT

private:
    MyDocument *openSample()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("Alpha"), LinkStatusNew);
        db.emailTemplate(QStringLiteral("Welcome"), QStringLiteral("Hello"), QStringLiteral("Dear #TITLE#"))
            .emailTemplate(QStringLiteral("Reminder"), QStringLiteral("Still there?"), QStringLiteral("Hi"));
        return m_fixture->open(db);
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

    EmailTemplateListDialogController *showList(MyDocument *document)
    {
        document->menus()->showEmailTemplates->trigger();
        return document->commandArea<TemplateCommands>()->emailTemplateListDialog();
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void newTemplateFromTheMenuIsInTheStoreWhenTheCommandReturns()
    {
        MyDocument *document = openSample();
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha")});
        EmailTemplateDialogController *editor =
            document->commandArea<TemplateCommands>()->emailTemplateDialog();
        QCOMPARE(AccessibilityCheck::unnamedInputs(editor).join(QLatin1Char(',')), QString());

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
            QCOMPARE(preview->subjectField()->text(), QStringLiteral("Thank you"));
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
            QVERIFY(!preview->isVisible());
            e->bodyView()->setPlainText(QStringLiteral("Dear #CONTACT_FIRST_NAME#, thanks"));
            QTest::keyClick(e, Qt::Key_Return);
        });
        document->menus()->newEmailTemplate->trigger();

        CollectionManager &store = document->collectionManager();
        const EmailTemplate *added =
            store.emailTemplateList().emailTemplateWithName(QStringLiteral("Thanks"));
        QVERIFY(added);
        QCOMPARE(added->body(), QStringLiteral("Dear #CONTACT_FIRST_NAME#, thanks"));
        QCOMPARE(store.emailTemplates().size(), size_t(3));
        QVERIFY(document->isEdited());
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        const QString mailto = m_fixture->opener().urls().constFirst().toString();
        QVERIFY(mailto.startsWith(QStringLiteral("mailto:")));
        QCOMPARE(document->selectedLink()->status(), LinkStatusNew); // a preview writes to nobody

        // Cancelled, or refused for a taken name: nothing added.
        document->setWindowModified(false);
        whenEditorRuns(editor, [](EmailTemplateDialogController *e) {
            e->nameField()->setText(QStringLiteral("Welcome"));
            e->subjectField()->setText(QStringLiteral("s"));
            e->bodyView()->setPlainText(QStringLiteral("b"));
            e->confirm();
            QVERIFY(e->isVisible());
            QCOMPARE(MessageBox::shownAlerts().last().title,
                     QStringLiteral("An e-mail template with the same name already exists."));
            QTest::keyClick(e, Qt::Key_Escape);
        });
        document->menus()->newEmailTemplate->trigger();
        QCOMPARE(store.emailTemplates().size(), size_t(3));
        QVERIFY(!document->isEdited());
    }

    void theListStaysSortedThroughEditDuplicateAndDelete()
    {
        MyDocument *document = openSample();
        EmailTemplateListDialogController *sheet = showList(document);
        QVERIFY(sheet->isVisible());
        QCOMPARE(AccessibilityCheck::unnamedInputs(sheet).join(QLatin1Char(',')), QString());
        QCOMPARE(names(sheet), (QStringList{QStringLiteral("Reminder"), QStringLiteral("Welcome")}));
        QVERIFY(!sheet->editButton()->isEnabled());
        QVERIFY(!sheet->duplicateButton()->isEnabled());
        QVERIFY(!sheet->deleteButton()->isEnabled());
        QVERIFY(sheet->exportButton()->isEnabled());

        sheet->selectRow(0);
        QVERIFY(sheet->editButton()->isEnabled());
        sheet->duplicateButton()->click();
        QCOMPARE(names(sheet), (QStringList{QStringLiteral("Reminder"), QStringLiteral("Reminder copy"),
                                            QStringLiteral("Welcome")}));
        QCOMPARE(sheet->selectedRow(), 1);
        QVERIFY(document->isEdited());

        // Renamed from the editor (a double click), the template moves to its new place.
        EmailTemplateDialogController *editor =
            document->commandArea<TemplateCommands>()->emailTemplateDialog();
        whenEditorRuns(editor, [](EmailTemplateDialogController *e) {
            QCOMPARE(e->nameField()->text(), QStringLiteral("Reminder copy"));
            e->nameField()->setText(QStringLiteral("Zulu"));
            e->confirm();
        });
        sheet->listView()->itemDoubleClicked(sheet->listView()->item(1));
        QCOMPARE(names(sheet), (QStringList{QStringLiteral("Reminder"), QStringLiteral("Welcome"),
                                            QStringLiteral("Zulu")}));
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
        QVERIFY(!sheet->editButton()->isEnabled());
        QVERIFY(!sheet->duplicateButton()->isEnabled());
        QVERIFY(!sheet->deleteButton()->isEnabled());
        QVERIFY(!sheet->exportButton()->isEnabled());

        QTest::keyClick(sheet, Qt::Key_Escape);
        QVERIFY(!sheet->isVisible());
    }

    void importAsksKeepReplaceOrCancel()
    {
        MyDocument *document = openSample();
        CollectionManager &store = document->collectionManager();
        EmailTemplateListDialogController *sheet = showList(document);

        // Exported without the extension: it is added.
        FilePanel::setNextAnswer(m_fixture->path(QStringLiteral("mine")));
        sheet->exportButton()->click();
        QCOMPARE(FilePanel::shownPanels().last().title, QStringLiteral("Export"));
        QVERIFY(
            FilePanel::shownPanels().last().proposedPath.endsWith(QStringLiteral("Email templates.emlt")));
        const QString file = m_fixture->path(QStringLiteral("mine.emlt"));
        QVERIFY(QFile::exists(file));
        QVERIFY(!document->isEdited());

        EmailTemplate changed;
        changed.setName(QStringLiteral("Welcome"), QStringLiteral("Changed"), QStringLiteral("b"));
        store.emailTemplateList().editEmailTemplate(
            store.emailTemplateList().emailTemplateWithName(QStringLiteral("Welcome")), changed);

        auto import = [&](int answer) {
            FilePanel::setNextAnswer(file);
            MessageBox::setNextAnswer(answer);
            sheet->importButton()->click();
        };
        import(2); // Cancel
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("Some e-mail templates with the same ID already exist."));
        QCOMPARE(MessageBox::shownAlerts().last().buttons,
                 (QStringList{QStringLiteral("Keep"), QStringLiteral("Replace"), QStringLiteral("Cancel")}));
        QCOMPARE(store.emailTemplateList().emailTemplateWithName(QStringLiteral("Welcome"))->subject(),
                 QStringLiteral("Changed"));
        import(0); // Keep
        QCOMPARE(store.emailTemplateList().emailTemplateWithName(QStringLiteral("Welcome"))->subject(),
                 QStringLiteral("Changed"));
        QCOMPARE(names(sheet).size(), 2);
        QVERIFY(!document->isEdited());
        import(1); // Replace
        QCOMPARE(store.emailTemplateList().emailTemplateWithName(QStringLiteral("Welcome"))->subject(),
                 QStringLiteral("Hello"));
        QCOMPARE(names(sheet).size(), 2);
        QVERIFY(document->isEdited());

        // A file that is not a templates file changes nothing and says so.
        const QString bad = m_fixture->path(QStringLiteral("bad.emlt"));
        QFile out(bad);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("\0\0\0\5short", 9);
        out.close();
        FilePanel::setNextAnswer(bad);
        sheet->importButton()->click();
        QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("The file could not be imported."));
        QCOMPARE(MessageBox::shownAlerts().last().message,
                 QStringLiteral("An error occured while opening the file."));
        QCOMPARE(store.emailTemplates().size(), size_t(2));
        sheet->reject();
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestTemplateSheets)
#include "tst_templatesheets.moc"
