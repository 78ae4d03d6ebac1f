#include "DocumentFixture.h"
#include "HttpTestServer.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/LinkCommands.h"
#include "document/PublishCommands.h"
#include "document/ReportCommands.h"
#include "document/SearchCommands.h"
#include "document/TemplateCommands.h"
#include "document/VerificationCommands.h"
#include "publish/LinksPageSetup.h"
#include "publish/Themes.h"
#include "publish/ui/HTMLSetupDialogController.h"
#include "publish/ui/SiteInfoDialogController.h"
#include "publish/ui/StatisticsDialogController.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"
#include "verify/ui/VerificationDialogController.h"
#include "workflow/EmailTemplateFile.h"
#include "workflow/ui/EmailTemplateDialogController.h"
#include "workflow/ui/EmailTemplateListDialogController.h"
#include "workflow/ui/InstantLinkDialogController.h"
#include "workflow/ui/LinkCountDialogController.h"
#include "workflow/ui/LinkDialogController.h"
#include "workflow/ui/NotificationDialogController.h"
#include "workflow/ui/SearchCriterionView.h"
#include "workflow/ui/SearchDialogController.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QUndoStack>
#include <functional>

// Undo and redo of the commands the window's sheets give, driven as the user drives them: each
// comes back to the database's bytes before it and goes forward to the bytes after it as one step
// named after the command, and the commands that change nothing leave no step and no edited mark.
class TestUndoDialogs : public QObject
{
    Q_OBJECT

private:
    using Command = std::function<void(MyDocument *, TestUndoDialogs &)>;
    struct Entry
    {
        QString stepName; // as Edit > Undo names it
        Command command;
    };

    LinkFields partner(const QString &title, LinkStatus status)
    {
        LinkFields fields;
        fields.title = title;
        fields.URL = m_server.url(QStringLiteral("/site"));
        fields.counterpartURL = m_server.url(QStringLiteral("/links"));
        fields.contactEmail = title.toLower() + QStringLiteral("@partner.example");
        fields.status = status;
        fields.lastStatusChangedOn = QDate(2020, 1, 1);
        return fields;
    }

    MyDocument *openSample()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Partners"), QStringLiteral("partners"))
            .link(partner(QStringLiteral("Alpha"), LinkStatusNew))
            .link(partner(QStringLiteral("Beta"), LinkStatusNegotiating))
            .link(partner(QStringLiteral("Gamma"), LinkStatusApproved));
        db.category(QStringLiteral("Friends"), QStringLiteral("friends"))
            .link(partner(QStringLiteral("Delta"), LinkStatusBlocked));
        db.emailTemplate(QStringLiteral("Welcome"), QStringLiteral("Hello"), QStringLiteral("Dear #TITLE#"))
            .emailTemplate(QStringLiteral("Reminder"), QStringLiteral("Still there?"), QStringLiteral("Hi"));
        SiteProfileTexts texts;
        texts.title = QStringLiteral("My site");
        texts.URL = QStringLiteral("http://www.mysite.example/");
        db.store().setSiteProfile(texts);
        // The links page is set up already, so that each setup below changes only its own part.
        LinksPageSetup setup;
        setup.initializeFromCollectionManager(db.store());
        setup.applyTo(db.store());
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Partners"));
        return document;
    }

    static QByteArray bytes(MyDocument *document)
    {
        return document->collectionManager().dataRepresentation();
    }

    static const Link *linkTitled(MyDocument *document, const QString &title)
    {
        for (const TreeNode *node : document->collectionManager().allLinkNodes()) {
            if (node->link()->title() == title)
                return node->link();
        }
        return nullptr;
    }

    static LinkDialogController *linkEditor(MyDocument *document)
    {
        return document->commandArea<LinkCommands>()->linkDialog();
    }

    static void type(LinkDialogController *dialog, LinkForm::Field field, const QString &text)
    {
        qobject_cast<QLineEdit *>(dialog->fieldWidget(field))->setText(text);
    }

    static LinkDialogController *editLink(MyDocument *document, const QString &title)
    {
        DocumentFixture::selectLinks(document, {title});
        document->menus()->editLink->trigger();
        return linkEditor(document);
    }

    // Works the application-modal instant-link window once it runs.
    void instantLink(MyDocument *document, const std::function<void(InstantLinkDialogController *)> &work)
    {
        QTimer::singleShot(0, this, [document, work] {
            InstantLinkDialogController *dialog = document->commandArea<LinkCommands>()->instantLinkDialog();
            QVERIFY(dialog && dialog->isVisible());
            work(dialog);
            if (dialog->isVisible())
                dialog->cancel();
        });
        document->menus()->instantLink->trigger();
    }

    static void addInstantLink(InstantLinkDialogController *dialog, const QString &title, int message)
    {
        LinkForm::Texts texts = dialog->texts();
        texts.title = title;
        texts.URL = title.toLower() + QStringLiteral(".example");
        texts.contactEmail = QStringLiteral("webmaster@") + texts.URL;
        dialog->setTexts(texts);
        dialog->sendMessageCheckbox()->setChecked(message >= 0);
        if (message >= 0)
            dialog->messagePopup()->setCurrentIndex(message);
        dialog->confirm();
    }

    // Works the application-modal template editor once it runs.
    static void whenTemplateEditorRuns(MyDocument *document,
                                       const std::function<void(EmailTemplateDialogController *)> &work)
    {
        EmailTemplateDialogController *editor =
            document->commandArea<TemplateCommands>()->emailTemplateDialog();
        QTimer::singleShot(0, editor, [editor, work] {
            QVERIFY(editor->isVisible());
            work(editor);
            if (editor->isVisible())
                editor->cancel();
        });
    }

    static EmailTemplateListDialogController *templateList(MyDocument *document)
    {
        document->menus()->showEmailTemplates->trigger();
        return document->commandArea<TemplateCommands>()->emailTemplateListDialog();
    }

    static int rowOfTemplate(EmailTemplateListDialogController *sheet, const QString &name)
    {
        for (int row = 0; row < sheet->listView()->count(); ++row) {
            if (sheet->listView()->item(row)->text() == name)
                return row;
        }
        return -1;
    }

    // A templates file holding a changed "Welcome" (same ID) and a new "Thanks".
    QString templatesFile(MyDocument *document)
    {
        CollectionManager copy;
        copy.loadDataRepresentation(bytes(document));
        EmailTemplate changed = *copy.emailTemplateList().emailTemplateWithName(QStringLiteral("Welcome"));
        changed.setName(QStringLiteral("Welcome"), QStringLiteral("Hello again"), QStringLiteral("Changed"));
        copy.emailTemplateList().editEmailTemplate(
            copy.emailTemplateList().emailTemplateWithName(QStringLiteral("Welcome")), changed);
        EmailTemplate thanks;
        thanks.setName(QStringLiteral("Thanks"), QStringLiteral("Thank you"), QStringLiteral("Body"));
        copy.emailTemplateList().addEmailTemplateFromEmailTemplate(thanks);
        const QString path = m_fixture->path(QStringLiteral("templates.emlt"));
        if (!EmailTemplateFile::exportEmailTemplatesToFileAtPath(copy, path))
            qWarning("cannot write the templates file");
        return path;
    }

    static HTMLSetupDialogController *linksPageSetup(MyDocument *document)
    {
        document->menus()->HTMLSetup->trigger();
        return document->commandArea<PublishCommands>()->HTMLSetupDialog();
    }

    static VerificationDialogController *verificationSheet(MyDocument *document)
    {
        VerificationDialogController *sheet =
            document->commandArea<VerificationCommands>()->verificationDialog();
        FetchSettings settings;
        settings.timeoutMs = 3000;
        settings.retryDelayMs = 20;
        sheet->scheduler()->setFetchSettings(settings);
        return sheet;
    }

    // Verifies the selected links and leaves the sheet at its Save Result state.
    static VerificationDialogController *runVerification(MyDocument *document, const QStringList &titles)
    {
        DocumentFixture::selectLinks(document, titles);
        document->menus()->verifyLink->trigger();
        VerificationDialogController *sheet = verificationSheet(document);
        sheet->verifyButton()->click();
        if (!QTest::qWaitFor([&] { return sheet->scheduler()->hasEnded(); }, 20000))
            qWarning("the verification did not end");
        return sheet;
    }

    static QMap<QString, Entry> commands()
    {
        QMap<QString, Entry> c;
        // --- The link editor
        c["Add Link"] = {"Add Link", [](MyDocument *d, TestUndoDialogs &) {
                             d->menus()->newLink->trigger();
                             type(linkEditor(d), LinkForm::Title, QStringLiteral("Epsilon"));
                             type(linkEditor(d), LinkForm::MainPageURL, QStringLiteral("epsilon.example"));
                             linkEditor(d)->confirm();
                         }};
        c["Edit Link"] = {"Edit Link", [](MyDocument *d, TestUndoDialogs &) {
                              LinkDialogController *dialog = editLink(d, QStringLiteral("Beta"));
                              type(dialog, LinkForm::Title, QStringLiteral("Beta Max"));
                              qobject_cast<QPlainTextEdit *>(dialog->fieldWidget(LinkForm::Notes))
                                  ->setPlainText(QStringLiteral("Called twice"));
                              dialog->confirm();
                          }};
        c["Edit Link (to another category)"] = {
            "Edit Link", [](MyDocument *d, TestUndoDialogs &) {
                LinkDialogController *dialog = editLink(d, QStringLiteral("Gamma"));
                const CollectionManager &store = d->collectionManager();
                dialog->selectCategoryAtIndex(store.indexOfCategoryWithID(
                    store.categoryWithName(QStringLiteral("Friends"))->attachmentID()));
                type(dialog, LinkForm::Title, QStringLiteral("Gamma Ray"));
                dialog->confirm();
                QCOMPARE(d->selectedCategoryNode()->category()->name(), QStringLiteral("Friends"));
            }};
        c["Edit Link (template message)"] = {
            "Edit Link", [](MyDocument *d, TestUndoDialogs &) {
                LinkDialogController *dialog = editLink(d, QStringLiteral("Alpha"));
                dialog->selectEmailTemplate(0);
                QCOMPARE(dialog->linkStatus(), LinkStatusNegotiating);
                dialog->confirm();
                QCOMPARE(linkTitled(d, QStringLiteral("Alpha"))->status(), LinkStatusNegotiating);
            }};
        // --- Instant link: the link arrives New and the message moves it on, one step.
        c["Instant Link (blank message)"] = {"Instant Link", [](MyDocument *d, TestUndoDialogs &t) {
                                                 t.instantLink(d, [](InstantLinkDialogController *dialog) {
                                                     addInstantLink(dialog, QStringLiteral("Zeta"), 0);
                                                 });
                                                 QCOMPARE(linkTitled(d, QStringLiteral("Zeta"))->status(),
                                                          LinkStatusNegotiating);
                                             }};
        c["Instant Link (template message)"] = {
            "Instant Link", [](MyDocument *d, TestUndoDialogs &t) {
                t.instantLink(d, [](InstantLinkDialogController *dialog) {
                    addInstantLink(dialog, QStringLiteral("Eta"), 2);
                });
                QCOMPARE(linkTitled(d, QStringLiteral("Eta"))->status(), LinkStatusNegotiating);
                QVERIFY(t.m_fixture->opener().urls().constLast().toString().contains(
                    QStringLiteral("SUBJECT=Still")));
            }};
        c["Instant Link (no message)"] = {"Instant Link", [](MyDocument *d, TestUndoDialogs &t) {
                                              t.instantLink(d, [](InstantLinkDialogController *dialog) {
                                                  addInstantLink(dialog, QStringLiteral("Theta"), -1);
                                              });
                                              QCOMPARE(linkTitled(d, QStringLiteral("Theta"))->status(),
                                                       LinkStatusNew);
                                          }};
        // --- Reminders and verification
        c["Notification Settings"] = {
            "Notification Settings", [](MyDocument *d, TestUndoDialogs &) {
                d->menus()->notificationSetup->trigger();
                NotificationDialogController *dialog = d->commandArea<LinkCommands>()->notificationDialog();
                dialog->switchButton(NotificationDialogController::LastingNegotiation)->setChecked(false);
                dialog->numberField(NotificationSettingsForm::LinkVerificationTimeout)->setValue(45);
                dialog->confirm();
            }};
        c["Save Verification Results"] = {
            "Save Verification Results", [](MyDocument *d, TestUndoDialogs &) {
                VerificationDialogController *sheet =
                    runVerification(d, {QStringLiteral("Alpha"), QStringLiteral("Beta")});
                sheet->verifyButton()->click(); // Save Result
                QVERIFY(!sheet->isVisible());
                for (const char *title : {"Alpha", "Beta"})
                    QCOMPARE(linkTitled(d, QString::fromLatin1(title))->status(), LinkStatusApproved);
            }};
        // --- E-mail templates, through the list sheet (closed before Undo, as a user would)
        c["Add E-mail Template"] = {"Add E-mail Template", [](MyDocument *d, TestUndoDialogs &) {
                                        EmailTemplateListDialogController *sheet = templateList(d);
                                        whenTemplateEditorRuns(d, [](EmailTemplateDialogController *e) {
                                            e->nameField()->setText(QStringLiteral("Thanks"));
                                            e->subjectField()->setText(QStringLiteral("Thank you"));
                                            e->bodyView()->setPlainText(QStringLiteral("Dear #TITLE#"));
                                            e->confirm();
                                        });
                                        sheet->newButton()->click();
                                        QVERIFY(rowOfTemplate(sheet, QStringLiteral("Thanks")) >= 0);
                                        sheet->reject();
                                    }};
        c["Edit E-mail Template"] = {"Edit E-mail Template", [](MyDocument *d, TestUndoDialogs &) {
                                         EmailTemplateListDialogController *sheet = templateList(d);
                                         sheet->selectRow(rowOfTemplate(sheet, QStringLiteral("Reminder")));
                                         whenTemplateEditorRuns(d, [](EmailTemplateDialogController *e) {
                                             e->nameField()->setText(QStringLiteral("Another try"));
                                             e->bodyView()->setPlainText(QStringLiteral("Hello again"));
                                             e->confirm();
                                         });
                                         sheet->editButton()->click();
                                         QCOMPARE(rowOfTemplate(sheet, QStringLiteral("Another try")), 0);
                                         sheet->reject();
                                     }};
        c["Duplicate E-mail Template"] = {
            "Duplicate E-mail Template", [](MyDocument *d, TestUndoDialogs &) {
                EmailTemplateListDialogController *sheet = templateList(d);
                sheet->selectRow(rowOfTemplate(sheet, QStringLiteral("Welcome")));
                sheet->duplicateButton()->click();
                QVERIFY(rowOfTemplate(sheet, QStringLiteral("Welcome copy")) >= 0);
                sheet->reject();
            }};
        c["Delete E-mail Template"] = {"Delete E-mail Template", [](MyDocument *d, TestUndoDialogs &) {
                                           EmailTemplateListDialogController *sheet = templateList(d);
                                           sheet->selectRow(rowOfTemplate(sheet, QStringLiteral("Welcome")));
                                           MessageBox::setNextAnswer(0);
                                           sheet->deleteButton()->click();
                                           QCOMPARE(sheet->listView()->count(), 1);
                                           sheet->reject();
                                       }};
        auto importTemplates = [](int answer) {
            return [answer](MyDocument *d, TestUndoDialogs &t) {
                const QString file = t.templatesFile(d);
                EmailTemplateListDialogController *sheet = templateList(d);
                FilePanel::setNextAnswer(file);
                MessageBox::setNextAnswer(answer);
                sheet->importButton()->click();
                QCOMPARE(sheet->listView()->count(), 3);
                sheet->reject();
            };
        };
        c["Import E-mail Templates (Keep)"] = {"Import E-mail Templates", importTemplates(0)};
        c["Import E-mail Templates (Replace)"] = {"Import E-mail Templates", importTemplates(1)};
        // --- Links page setup
        c["Links Page Setup (style)"] = {"Links Page Setup", [](MyDocument *d, TestUndoDialogs &) {
                                             HTMLSetupDialogController *sheet = linksPageSetup(d);
                                             sheet->selectStyle(3);
                                             sheet->styleTextView()->setPlainText(
                                                 QStringLiteral("color: red;"));
                                             sheet->confirm();
                                         }};
        c["Links Page Setup (theme)"] = {"Links Page Setup", [](MyDocument *d, TestUndoDialogs &) {
                                             HTMLSetupDialogController *sheet = linksPageSetup(d);
                                             MessageBox::setNextAnswer(0); // Load Theme
                                             sheet->themeButton(Themes::Candy)->click();
                                             sheet->confirm();
                                         }};
        c["Links Page Setup (layout)"] = {
            "Links Page Setup", [](MyDocument *d, TestUndoDialogs &) {
                HTMLSetupDialogController *sheet = linksPageSetup(d);
                sheet->findChild<QRadioButton *>(QStringLiteral("perCategoryButton"))->setChecked(true);
                sheet->findChild<QCheckBox *>(QStringLiteral("newCheckbox"))->setChecked(true);
                sheet->findChild<QCheckBox *>(QStringLiteral("negotiatingCheckbox"))->setChecked(false);
                sheet->confirm();
                QCOMPARE(d->collectionManager().selfInfo().renderMode(), 2);
            }};
        c["Links Page Setup (TargetNew)"] = {
            "Links Page Setup", [](MyDocument *d, TestUndoDialogs &) {
                HTMLSetupDialogController *sheet = linksPageSetup(d);
                sheet->findChild<QRadioButton *>(QStringLiteral("sameWindowButton"))->setChecked(true);
                sheet->confirm();
                QCOMPARE(d->collectionManager().targetNew(), 2);
            }};
        return c;
    }

    // Commands that only read the database, and sheets left without a change.
    static QMap<QString, Command> commandsThatChangeNothing()
    {
        QMap<QString, Command> c;
        c["copies"] = [](MyDocument *d, TestUndoDialogs &) {
            const DocumentMenus &m = *d->menus();
            for (QAction *copy : {m.copyHTML, m.copyCategoryHTML, m.copyHTMLStyles, m.copySpreadsheet})
                copy->trigger();
            DocumentFixture::selectLinks(d, {QStringLiteral("Gamma")});
            d->linksTable()->setFocus();
            m.copy->trigger();
        };
        c["exports"] = [](MyDocument *d, TestUndoDialogs &t) {
            FilePanel::setNextAnswer(t.m_fixture->path(QStringLiteral("page.html")));
            d->menus()->exportLinksToHTML->trigger();
            FilePanel::setNextAnswer(t.m_fixture->path(QStringLiteral("links.txt")));
            d->menus()->exportLinksToSpreadsheet->trigger();
            QCOMPARE(MessageBox::shownAlerts().constLast().title,
                     QStringLiteral("The links were exported successfully."));
        };
        c["statistics"] = [](MyDocument *d, TestUndoDialogs &) {
            d->menus()->showStatistics->trigger();
            d->commandArea<ReportCommands>()->statisticsDialog()->reject();
        };
        c["print"] = [](MyDocument *d, TestUndoDialogs &t) {
            PrintPanel::setNextAnswer(true, t.m_fixture->path(QStringLiteral("printed.pdf")));
            d->menus()->print->trigger();
            FilePanel::setNextAnswer(t.m_fixture->path(QStringLiteral("list.pdf")));
            d->menus()->exportAsPDF->trigger();
            QVERIFY(QFile::exists(t.m_fixture->path(QStringLiteral("list.pdf"))));
        };
        c["count"] = [](MyDocument *d, TestUndoDialogs &) {
            d->menus()->countLinks->trigger();
            d->commandArea<LinkCommands>()->linkCountDialog()->cancel();
        };
        c["find"] = [](MyDocument *d, TestUndoDialogs &) {
            d->menus()->findLink->trigger();
            SearchDialogController *sheet = d->commandArea<SearchCommands>()->searchDialog();
            sheet->rows().at(0)->stringField()->setText(QStringLiteral("a"));
            sheet->confirm();
            QVERIFY(d->selectedLink());
            d->menus()->findNextLink->trigger();
        };
        c["link editor cancelled after a message"] = [](MyDocument *d, TestUndoDialogs &) {
            LinkDialogController *dialog = editLink(d, QStringLiteral("Alpha"));
            type(dialog, LinkForm::Title, QStringLiteral("Lost"));
            dialog->sendCustomEmail();
            dialog->cancel();
            d->menus()->newLink->trigger();
            type(linkEditor(d), LinkForm::Title, QStringLiteral("Lost too"));
            linkEditor(d)->cancel();
        };
        c["link editor confirmed unchanged"] = [](MyDocument *d, TestUndoDialogs &) {
            editLink(d, QStringLiteral("Beta"))->confirm();
        };
        c["instant link cancelled"] = [](MyDocument *d, TestUndoDialogs &t) {
            t.instantLink(d, [](InstantLinkDialogController *dialog) {
                LinkForm::Texts texts = dialog->texts();
                texts.title = QStringLiteral("Lost");
                dialog->setTexts(texts);
                dialog->cancel();
            });
        };
        c["notification settings cancelled or unchanged"] = [](MyDocument *d, TestUndoDialogs &) {
            NotificationDialogController *dialog = nullptr;
            d->menus()->notificationSetup->trigger();
            dialog = d->commandArea<LinkCommands>()->notificationDialog();
            dialog->switchButton(NotificationDialogController::LastingNegotiation)->setChecked(false);
            dialog->cancel();
            d->menus()->notificationSetup->trigger();
            dialog->confirm();
        };
        c["verification cancelled, or stopped before any result and saved"] = [](MyDocument *d,
                                                                                 TestUndoDialogs &t) {
            runVerification(d, {QStringLiteral("Alpha")})->cancel();
            t.m_server.setResponse(
                QStringLiteral("/links"),
                HttpTestServer::Response::behaving(HttpTestServer::Response::Mode::NeverAnswer));
            DocumentFixture::selectLinks(d, {QStringLiteral("Alpha")});
            d->menus()->verifyLink->trigger();
            VerificationDialogController *sheet = verificationSheet(d);
            sheet->verifyButton()->click();
            QVERIFY(QTest::qWaitFor([&] { return sheet->scheduler()->checksUnderWay() == 1; }, 10000));
            sheet->cancel(); // Stop
            QVERIFY(sheet->scheduler()->hasEnded());
            sheet->verifyButton()->click(); // Save Result
            QVERIFY(!sheet->isVisible());
        };
        c["template sheets cancelled"] = [](MyDocument *d, TestUndoDialogs &t) {
            EmailTemplateListDialogController *sheet = templateList(d);
            whenTemplateEditorRuns(d, [](EmailTemplateDialogController *e) {
                e->nameField()->setText(QStringLiteral("Lost"));
                e->cancel();
            });
            sheet->newButton()->click();
            sheet->selectRow(0);
            MessageBox::setNextAnswer(1); // Cancel
            sheet->deleteButton()->click();
            FilePanel::setNextAnswer(t.templatesFile(d));
            MessageBox::setNextAnswer(2); // Cancel
            sheet->importButton()->click();
            FilePanel::setNextAnswer(t.m_fixture->path(QStringLiteral("exported.emlt")));
            sheet->exportButton()->click();
            sheet->reject();
        };
        c["links page setup cancelled"] = [](MyDocument *d, TestUndoDialogs &) {
            HTMLSetupDialogController *sheet = linksPageSetup(d);
            MessageBox::setNextAnswer(0);
            sheet->themeButton(Themes::Candy)->click();
            sheet->cancel();
        };
        c["links page setup confirmed unchanged"] = [](MyDocument *d, TestUndoDialogs &) {
            linksPageSetup(d)->confirm();
        };
        c["template editor confirmed unchanged"] = [](MyDocument *d, TestUndoDialogs &) {
            EmailTemplateListDialogController *sheet = templateList(d);
            sheet->selectRow(0);
            whenTemplateEditorRuns(d, [](EmailTemplateDialogController *e) { e->confirm(); });
            sheet->editButton()->click();
            sheet->reject();
        };
        c["site info cancelled"] = [](MyDocument *d, TestUndoDialogs &) {
            d->editSiteInfo();
            qobject_cast<QLineEdit *>(d->siteInfoDialog()->fieldWidget(SiteProfileForm::Title))
                ->setText(QStringLiteral("Lost"));
            d->siteInfoDialog()->cancel();
        };
        return c;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen());
        m_server.setResponse(QStringLiteral("/site"), HttpTestServer::Response::page("<p>welcome</p>"));
    }

    void init()
    {
        m_fixture = std::make_unique<DocumentFixture>();
        m_server.setResponse(QStringLiteral("/links"),
                             HttpTestServer::Response::page("<a href=\"http://www.mysite.example/\">me</a>"));
    }
    void cleanup() { m_fixture.reset(); }

    void everyDialogCommandComesBackAndGoesForward_data()
    {
        QTest::addColumn<QString>("command");
        for (const QString &name : commands().keys())
            QTest::newRow(qPrintable(name)) << name;
    }

    void everyDialogCommandComesBackAndGoesForward()
    {
        QFETCH(QString, command);
        const Entry entry = commands().value(command);
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        const QByteArray before = bytes(document);
        QVERIFY(!document->isEdited());

        entry.command(document, *this);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!document->hasAttachedSheet());
        QVERIFY(document->isEdited());
        const QByteArray after = bytes(document);
        QVERIFY(after != before);
        QCOMPARE(document->undo()->stack()->count(), 1); // one command, one step
        QCOMPARE(m.undo->text(), QStringLiteral("&Undo ") + entry.stepName);

        m.undo->trigger();
        QCOMPARE(bytes(document), before);
        QVERIFY(!document->isEdited());
        QCOMPARE(m.redo->text(), QStringLiteral("&Redo ") + entry.stepName);
        m.redo->trigger();
        QCOMPARE(bytes(document), after);
        QVERIFY(document->isEdited());
        // And once more, as a user going back and forth does.
        m.undo->trigger();
        QCOMPARE(bytes(document), before);
        m.redo->trigger();
        QCOMPARE(bytes(document), after);
    }

    void commandsThatChangeNothingLeaveNoStep_data()
    {
        QTest::addColumn<QString>("command");
        for (const QString &name : commandsThatChangeNothing().keys())
            QTest::newRow(qPrintable(name)) << name;
    }

    void commandsThatChangeNothingLeaveNoStep()
    {
        QFETCH(QString, command);
        MyDocument *document = openSample();
        const QByteArray before = bytes(document);
        commandsThatChangeNothing().value(command)(document, *this);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!document->hasAttachedSheet());
        QCOMPARE(bytes(document), before);
        QVERIFY(!document->isEdited());
        QVERIFY(!document->collectionManager().journal().hasOpenEntry());
        QCOMPARE(document->undo()->stack()->count(), 0);
        QVERIFY(!document->menus()->undo->isEnabled());
    }

    void aTemplateMadeFromTheLinkEditorIsAStepOfItsOwn()
    {
        MyDocument *document = openSample();
        const QByteArray before = bytes(document);
        LinkDialogController *dialog = editLink(document, QStringLiteral("Beta"));
        whenTemplateEditorRuns(document, [](EmailTemplateDialogController *e) {
            e->nameField()->setText(QStringLiteral("Follow-up"));
            e->subjectField()->setText(QStringLiteral("About our link"));
            e->bodyView()->setPlainText(QStringLiteral("Hi"));
            e->confirm();
        });
        dialog->newEmailTemplate();
        const QByteArray withTemplate = bytes(document);
        type(dialog, LinkForm::Title, QStringLiteral("Beta Max"));
        dialog->confirm();
        QUndoStack *stack = document->undo()->stack();
        QCOMPARE(stack->count(), 2);
        QCOMPARE(stack->text(0), QStringLiteral("Add E-mail Template"));
        QCOMPARE(stack->text(1), QStringLiteral("Edit Link"));
        document->menus()->undo->trigger();
        QCOMPARE(bytes(document), withTemplate);
        document->menus()->undo->trigger();
        QCOMPARE(bytes(document), before);
    }

private:
    HttpTestServer m_server;
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestUndoDialogs)
#include "tst_undodialogs.moc"
