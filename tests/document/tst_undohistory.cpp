#include "DocumentFixture.h"
#include "HttpTestServer.h"
#include "document/AskStringDialogController.h"
#include "document/CategoryCommands.h"
#include "document/CategoryListController.h"
#include "document/CategoryListModel.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/FileCommands.h"
#include "document/LinkCommands.h"
#include "document/LinkDeleteCommands.h"
#include "document/LinkMoveCommands.h"
#include "document/MailClientCommands.h"
#include "document/PublishCommands.h"
#include "document/SiteInfoCommands.h"
#include "document/TemplateCommands.h"
#include "document/VerificationCommands.h"
#include "publish/LinksPageSetup.h"
#include "publish/ui/HTMLSetupDialogController.h"
#include "publish/ui/SiteInfoDialogController.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"
#include "verify/ui/VerificationDialogController.h"
#include "workflow/EmailTemplateFile.h"
#include "workflow/ui/EmailTemplateDialogController.h"
#include "workflow/ui/EmailTemplateListDialogController.h"
#include "workflow/ui/InstantLinkDialogController.h"
#include "workflow/ui/LinkDialogController.h"
#include "workflow/ui/MoveToCategoryDialog.h"
#include "workflow/ui/NotificationDialogController.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>
#include <QUndoStack>
#include <functional>

// Edit > Undo and Redo in a document window. A random history of the window's commands, given as the
// user gives them: each change is one step named after its command, the rest leave none; undoing all
// passes through every earlier state to the opened bytes, redoing all comes back to the last ones.
class TestUndoHistory : public QObject
{
    Q_OBJECT

private:
    static constexpr int Commands = 200;

    QRandomGenerator m_random;
    int m_counter = 0; // for unique titles, addresses and names
    HttpTestServer m_server;
    std::unique_ptr<DocumentFixture> m_fixture;
    MyDocument *m_document = nullptr;

    int below(int bound) { return int(m_random.bounded(quint32(bound))); }
    bool chance(int inN) { return below(inN) == 0; }
    QString unique(const char *stem) { return QString::fromLatin1(stem) + QString::number(++m_counter); }

    CollectionManager &store() { return m_document->collectionManager(); }
    const DocumentMenus &menus() { return *m_document->menus(); }
    LinkCommands *linkCommands() { return m_document->commandArea<LinkCommands>(); }
    CategoryCommands *categoryCommands() { return m_document->commandArea<CategoryCommands>(); }

    // The database's bytes with the window state (column widths follow the scroll bar) held still:
    // it travels in the file but is never undone.
    QByteArray content()
    {
        CollectionManager copy;
        copy.loadDataRepresentation(store().dataRepresentation());
        copy.setWindowFrame(QRectF());
        copy.setSplitterPosition(0);
        copy.setDetailsCollapsed(false);
        copy.setColumnWidths(QList<double>{100, 100});
        return copy.dataRepresentation();
    }

    LinkFields partner(const QString &title)
    {
        LinkFields fields;
        fields.title = title;
        fields.URL = m_server.url("/site");
        fields.counterpartURL = m_server.url(chance(3) ? "/without" : "/links");
        fields.contactEmail = QStringLiteral("webmaster%1@partner.example").arg(m_counter);
        fields.status = LinkStatus('1' + below(4));
        fields.lastStatusChangedOn = QDate(2023, 1 + below(12), 1 + below(28));
        return fields;
    }

    void openGeneratedDatabase()
    {
        DatabaseBuilder db;
        for (int c = 0; c < 4; ++c) {
            db.category(QStringLiteral("Category %1").arg(c), QStringLiteral("c%1").arg(c));
            for (int i = 0; i < 10; ++i)
                db.link(partner(unique("Partner")));
        }
        db.defaultCategory().link(partner(unique("Loose")));
        db.emailTemplate("Welcome", "Hello #TITLE#", "Dear").emailTemplate("Reminder", "Still there?", "Hi");
        SiteProfileTexts texts;
        texts.title = "My site";
        texts.URL = "http://www.mysite.example/";
        db.store().setSiteProfile(texts);
        LinksPageSetup setup;
        setup.initializeFromCollectionManager(db.store());
        setup.applyTo(db.store());
        m_document = m_fixture->open(db);
    }

    TreeNode *anyCategory()
    {
        return store().categoryRoot()->childAtIndex(below(store().numberOfCategories()));
    }

    TreeNode *anyLinkNode()
    {
        const std::vector<TreeNode *> nodes = store().allLinkNodes();
        return nodes.empty() ? nullptr : nodes[size_t(below(int(nodes.size())))];
    }

    // Shows a category holding links, or now and then All Links, and selects a few of them; false when
    // no category holds one.
    bool selectSomeLinks(int most)
    {
        const TreeNode *link = anyLinkNode();
        if (!link)
            return false;
        const bool allLinks = chance(3);
        if (allLinks)
            m_document->showAllLinks();
        else
            m_document->showAndSelectCategoryNode(link->parent());
        QStringList ids;
        for (const TreeNode *node : allLinks ? store().allLinkNodes() : link->parent()->children()) {
            if (node->link() && ids.size() < most && chance(2))
                ids.append(node->attachmentID());
        }
        m_document->selectLinksWithIDs(ids.isEmpty() ? QStringList{link->attachmentID()} : ids);
        return true;
    }

    int templateCount() { return int(store().emailTemplates().size()); }

    // Selects a few links of one category and gives the command, answering its question.
    void onSomeLinks(int most, QAction *command, int answer = -1)
    {
        if (!selectSomeLinks(most))
            return;
        if (answer >= 0)
            MessageBox::setNextAnswer(answer);
        command->trigger();
    }

    void typeInEditor(LinkForm::Field field, const QString &text)
    {
        qobject_cast<QLineEdit *>(linkCommands()->linkDialog()->fieldWidget(field))->setText(text);
    }

    // Verifies a few links; with the partners hanging, stops before any result and saves nothing.
    void verify(bool hanging)
    {
        if (!selectSomeLinks(3))
            return;
        serve(hanging);
        menus().action(ActionId::VerifyLink)->trigger();
        VerificationDialogController *sheet =
            m_document->commandArea<VerificationCommands>()->verificationDialog();
        VerificationScheduler *run = sheet->scheduler();
        FetchSettings settings;
        settings.timeoutMs = 3000;
        settings.retryDelayMs = 20;
        run->setFetchSettings(settings);
        // Blocked links are not verified, and links marked as verified start unticked.
        if (sheet->rows()->selectedCount() > 0) {
            sheet->verifyButton()->click();
            if (hanging) {
                QVERIFY(QTest::qWaitFor([&] { return run->checksUnderWay() > 0; }, 10000));
                sheet->cancel(); // Stop
            }
            QVERIFY(QTest::qWaitFor([&] { return run->hasEnded(); }, 20000));
            sheet->verifyButton()->click(); // Save Result
        }
        if (sheet->isVisible())
            sheet->cancel();
        serve(false);
    }

    void serve(bool hanging)
    {
        using R = HttpTestServer::Response;
        const R never = R::behaving(R::Mode::NeverAnswer);
        m_server.setResponse("/site", R::page("<p>welcome</p>"));
        m_server.setResponse("/links",
                             hanging ? never : R::page("<a href=\"http://www.mysite.example/\">me</a>"));
        m_server.setResponse("/without",
                             hanging ? never : R::page("<a href=\"http://other.example/\">x</a>"));
    }

    EmailTemplateListDialogController *templateList()
    {
        menus().action(ActionId::ShowEmailTemplates)->trigger();
        return m_document->commandArea<TemplateCommands>()->emailTemplateListDialog();
    }

    void whenTemplateEditorRuns(const std::function<void(EmailTemplateDialogController *)> &work)
    {
        EmailTemplateDialogController *editor =
            m_document->commandArea<TemplateCommands>()->emailTemplateDialog();
        QTimer::singleShot(0, editor, [editor, work] {
            work(editor);
            if (editor->isVisible())
                editor->cancel();
        });
    }

    NotificationDialogController *notificationSheet()
    {
        menus().action(ActionId::NotificationSetup)->trigger();
        return linkCommands()->notificationDialog();
    }

    HTMLSetupDialogController *linksPageSheet()
    {
        menus().action(ActionId::HTMLSetup)->trigger();
        return m_document->commandArea<PublishCommands>()->HTMLSetupDialog();
    }

    // A file holding the database's templates, one of them changed, and a new one.
    QString templatesToImport()
    {
        CollectionManager copy;
        copy.loadDataRepresentation(store().dataRepresentation());
        EmailTemplate *first = copy.emailTemplates().front().get();
        EmailTemplate changed = *first;
        changed.setName(first->name(), unique("Imported subject"), first->body());
        copy.emailTemplateList().editEmailTemplate(first, changed);
        EmailTemplate added;
        added.setName(unique("Imported"), "S", "B");
        copy.emailTemplateList().addEmailTemplateFromEmailTemplate(added);
        const QString path = m_fixture->path("templates.emlt");
        return EmailTemplateFile::exportEmailTemplatesToFileAtPath(copy, path) ? path : QString();
    }

    // A database file holding this one's links, a few of them changed, and a new one.
    QString linksToImport()
    {
        CollectionManager copy;
        copy.loadDataRepresentation(store().dataRepresentation());
        for (int i = 0; i < 3; ++i) {
            if (TreeNode *node =
                    copy.linkNodeWithID(anyLinkNode() ? anyLinkNode()->attachmentID() : QString())) {
                LinkFields fields = node->link()->fields();
                fields.notes = unique("Imported note");
                copy.editLinkNode(node, fields);
            }
        }
        LinkFields fresh = partner(unique("Imported"));
        fresh.categoryID = chance(2) ? copy.addCategoryWithName(unique("Imported shelf"),
                                                                QStringLiteral("imp%1").arg(m_counter))
                                           ->attachmentID()
                                     : NoneCategoryID;
        copy.addLinkFromFields(fresh);
        const QString path = m_fixture->path("import.site");
        return DatabaseFile::write(copy, path) ? path : QString();
    }

    void dragSelectedLinks()
    {
        LinkListController *links = m_document->linkListController();
        QModelIndexList dragged;
        const QStringList ids = m_document->selectedLinkIDs();
        for (int row = 0; row < links->rowCount(); ++row) {
            if (ids.contains(links->linkIDAtRow(row)))
                dragged << links->model()->index(row, 0);
        }
        std::unique_ptr<QMimeData> data(links->model()->mimeData(dragged));
        CategoryListModel *categories = m_document->categoryListController()->model();
        categories->dropMimeData(
            data.get(), Qt::MoveAction, -1, 0,
            categories->index(categories->rowOfCategoryIndex(below(store().numberOfCategories()))));
    }

    // Each kind of command, and what Edit > Undo calls the step it makes (none: it leaves no step).
    struct Kind
    {
        const char *step;
        std::function<void()> run;
    };

    QList<Kind> kinds()
    {
        return {
            {"Add Link",
             [this] {
                 m_document->showAndSelectCategoryNode(anyCategory());
                 menus().action(ActionId::NewLink)->trigger();
                 typeInEditor(LinkForm::Title, unique("New"));
                 typeInEditor(LinkForm::MainPageURL, QStringLiteral("new%1.example").arg(m_counter));
                 linkCommands()->linkDialog()->confirm();
             }},
            {"Edit Link",
             [this] {
                 if (!selectSomeLinks(1))
                     return;
                 menus().action(ActionId::EditLink)->trigger();
                 LinkDialogController *dialog = linkCommands()->linkDialog();
                 typeInEditor(LinkForm::Title, unique("Edited"));
                 if (chance(2))
                     dialog->selectCategoryAtIndex(below(store().numberOfCategories()));
                 if (chance(3)) {
                     if (templateCount() > 0 && chance(2))
                         dialog->selectEmailTemplate(below(templateCount()));
                     else
                         dialog->sendCustomEmail();
                 }
                 if (chance(6))
                     dialog->cancel();
                 else
                     dialog->confirm();
             }},
            {"Instant Link",
             [this] {
                 m_document->showAndSelectCategoryNode(anyCategory());
                 const int message = chance(3)                          ? -1
                                     : templateCount() > 0 && chance(2) ? 2 + below(templateCount())
                                                                        : 0;
                 QTimer::singleShot(0, this, [this, message] {
                     InstantLinkDialogController *dialog = linkCommands()->instantLinkDialog();
                     LinkForm::Texts texts = dialog->texts();
                     texts.title = unique("Instant");
                     texts.URL = QStringLiteral("instant%1.example").arg(m_counter);
                     dialog->setTexts(texts);
                     dialog->sendMessageCheckbox()->setChecked(message >= 0);
                     if (message >= 0)
                         dialog->messagePopup()->setCurrentIndex(message);
                     dialog->confirm();
                     if (dialog->isVisible())
                         dialog->cancel();
                 });
                 menus().action(ActionId::InstantLink)->trigger();
             }},
            {"Set Status( of \\d+ Links)?",
             [this] {
                 const DocumentMenus &m = menus();
                 const QList<QAction *> items{
                     m.action(ActionId::SetStatusNew), m.action(ActionId::SetStatusNegotiating),
                     m.action(ActionId::SetStatusApproved), m.action(ActionId::SetStatusBlocked)};
                 onSomeLinks(4, items.at(below(4)));
             }},
            {"Mark( \\d+ Links)? as Verified",
             [this] { onSomeLinks(3, menus().action(ActionId::MarkAsVerified)); }},
            {"Set Status", // a message sent
             [this] {
                 if (!selectSomeLinks(1))
                     return;
                 if (templateCount() > 0 && chance(2))
                     m_document->commandArea<MailClientCommands>()->sendTemplateEmailWithIndex(
                         below(templateCount()));
                 else
                     menus().action(ActionId::NewCustomEmail)->trigger();
             }},
            {"Delete (Link|\\d+ Links)", [this] { onSomeLinks(3, menus().action(ActionId::DeleteLink), 0); }},
            {"Move (Link|\\d+ Links to .+)",
             [this] {
                 if (selectSomeLinks(5))
                     dragSelectedLinks();
             }},
            {"Move (Link|\\d+ Links to .+)",
             [this] {
                 if (!selectSomeLinks(5))
                     return;
                 menus().action(ActionId::MoveToCategory)->trigger();
                 MoveToCategoryDialog *sheet =
                     m_document->commandArea<LinkMoveCommands>()->moveToCategoryDialog();
                 sheet->chooseIndex(below(store().numberOfCategories()));
                 sheet->confirm();
                 if (sheet->isVisible()) // the links' own category cannot be chosen
                     sheet->reject();
             }},
            {"New Category",
             [this] {
                 categoryCommands()->newCategory();
                 m_document->commandArea<CategoryCommands>()->askStringDialog()->categoryNameField()->setText(
                     unique("Shelf"));
                 m_document->commandArea<CategoryCommands>()->askStringDialog()->anchorNameField()->setText(
                     QStringLiteral("shelf%1").arg(m_counter));
                 m_document->commandArea<CategoryCommands>()->askStringDialog()->confirm();
             }},
            {"Edit Category",
             [this] {
                 TreeNode *category = anyCategory();
                 if (category->category()->isNone())
                     return;
                 m_document->showAndSelectCategoryNode(category);
                 categoryCommands()->renameCategory();
                 m_document->commandArea<CategoryCommands>()->askStringDialog()->categoryNameField()->setText(
                     unique("Renamed"));
                 m_document->commandArea<CategoryCommands>()->askStringDialog()->confirm();
             }},
            {"Delete Category",
             [this] {
                 TreeNode *category = anyCategory();
                 if (category->category()->isNone() || store().numberOfCategories() < 4)
                     return;
                 m_document->showAndSelectCategoryNode(category);
                 MessageBox::setNextAnswer(0);
                 categoryCommands()->deleteCategory();
             }},
            {"Notification Settings",
             [this] {
                 NotificationDialogController *dialog = notificationSheet();
                 dialog->switchButton(NotificationDialogController::LastingNegotiation)->toggle();
                 dialog->numberField(NotificationSettingsForm::LinkVerificationTimeout)
                     ->setValue(10 + below(50));
                 dialog->confirm();
             }},
            {"Save Verification Results", [this] { verify(false); }},
            {"(Add|Edit|Duplicate|Delete) E-mail Template",
             [this] {
                 EmailTemplateListDialogController *sheet = templateList();
                 const int count = sheet->listView()->count();
                 const int kind = count == 0 ? 0 : below(4);
                 if (count > 0)
                     sheet->selectRow(below(count));
                 if (kind < 2) {
                     whenTemplateEditorRuns([this](EmailTemplateDialogController *e) {
                         e->nameField()->setText(unique("Template"));
                         e->subjectField()->setText(QStringLiteral("Subject %1").arg(m_counter));
                         e->bodyView()->setPlainText("Body #TITLE#");
                         e->confirm();
                     });
                     (kind == 0 ? sheet->newButton() : sheet->editButton())->click();
                 } else if (kind == 2) {
                     sheet->duplicateButton()->click();
                 } else {
                     MessageBox::setNextAnswer(0);
                     sheet->deleteButton()->click();
                 }
                 sheet->reject();
             }},
            {"Import E-mail Templates",
             [this] {
                 if (templateCount() == 0)
                     return;
                 const QString path = templatesToImport();
                 QVERIFY(!path.isEmpty());
                 FilePanel::setNextAnswer(path);
                 MessageBox::setNextAnswer(below(2)); // Keep or Replace
                 EmailTemplateListDialogController *sheet = templateList();
                 sheet->importButton()->click();
                 sheet->reject();
             }},
            {"Import Links",
             [this] {
                 MessageBox::setNextAnswer(below(2)); // Keep or Replace
                 QVERIFY(m_document->commandArea<FileCommands>()->importLinksFromFile(linksToImport()));
             }},
            {"Links Page Setup",
             [this] {
                 HTMLSetupDialogController *sheet = linksPageSheet();
                 if (chance(3)) {
                     sheet->selectStyle(1 + below(8));
                     sheet->styleTextView()->setPlainText(QStringLiteral("color: #%1;").arg(below(1000)));
                 } else if (chance(2)) {
                     MessageBox::setNextAnswer(0);
                     sheet->themeButton(1 + below(5))->click();
                 } else {
                     for (const char *name :
                          {"perCategoryButton", "singlePageButton", "sameWindowButton", "newWindowButton"}) {
                         if (auto *button = sheet->findChild<QRadioButton *>(QLatin1String(name)); chance(2))
                             button->setChecked(true);
                     }
                     sheet->findChild<QCheckBox *>("newCheckbox")->toggle();
                 }
                 sheet->confirm();
             }},
            {"Edit Site Info",
             [this] {
                 m_document->commandArea<SiteInfoCommands>()->editSiteInfo();
                 SiteInfoDialogController *sheet =
                     m_document->commandArea<SiteInfoCommands>()->siteInfoDialog();
                 qobject_cast<QLineEdit *>(sheet->fieldWidget(SiteProfileForm::Title))
                     ->setText(unique("Site"));
                 sheet->confirm();
             }},
            // Sheets cancelled or confirmed unchanged, and commands that only read the database.
            {nullptr,
             [this] {
                 NotificationDialogController *dialog = notificationSheet();
                 dialog->switchButton(NotificationDialogController::LastingNegotiation)->toggle();
                 dialog->cancel();
                 notificationSheet()->confirm();
             }},
            {nullptr,
             [this] {
                 HTMLSetupDialogController *sheet = linksPageSheet();
                 MessageBox::setNextAnswer(0);
                 sheet->themeButton(1 + below(5))->click();
                 sheet->cancel();
                 linksPageSheet()->confirm();
             }},
            {nullptr, [this] { verify(true); }},
            {nullptr,
             [this] {
                 EmailTemplateListDialogController *sheet = templateList();
                 if (sheet->listView()->count() > 0) {
                     sheet->selectRow(0);
                     whenTemplateEditorRuns([](EmailTemplateDialogController *e) { e->confirm(); });
                     sheet->editButton()->click();
                     MessageBox::setNextAnswer(1); // Cancel
                     sheet->deleteButton()->click();
                 }
                 sheet->reject();
             }},
            {nullptr,
             [this] {
                 const DocumentMenus &m = menus();
                 for (QAction *copy :
                      {m.action(ActionId::CopyHTML), m.action(ActionId::CopyCategoryHTML),
                       m.action(ActionId::CopyHTMLStyles), m.action(ActionId::CopySpreadsheet)})
                     copy->trigger();
                 FilePanel::setNextAnswer(m_fixture->path("page.html"));
                 m.action(ActionId::ExportLinksToHTML)->trigger();
                 FilePanel::setNextAnswer(m_fixture->path("links.txt"));
                 m.action(ActionId::ExportLinksToSpreadsheet)->trigger();
             }},
        };
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen());
        serve(false);
    }
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup()
    {
        m_fixture.reset();
        m_document = nullptr;
    }

    void randomHistoryUnwindsAndReplays()
    {
        const quint32 seed = qEnvironmentVariableIsSet("QM_UNDO_SEED")
                                 ? qgetenv("QM_UNDO_SEED").toUInt()
                                 : QRandomGenerator::global()->generate();
        m_random.seed(seed);
        const QByteArray where = QByteArray("seed ") + QByteArray::number(seed);
        openGeneratedDatabase();
        const QList<Kind> kinds = this->kinds();
        QUndoStack *stack = m_document->undo()->stack();
        stack->setUndoLimit(0); // the whole history, to walk back to the opened file

        // states[i]: the bytes with the first i steps of the stack done.
        QList<QByteArray> states{content()};
        QList<QString> names;
        for (int i = 0; i < Commands; ++i) {
            MessageBox::clearShownAlerts();
            const Kind &kind = kinds.at(below(int(kinds.size())));
            const int steps = stack->index();
            // Saved first, so that a command leaving the database alone must leave the mark off too.
            if (!kind.step)
                QVERIFY2(m_document->commandArea<FileCommands>()->save(), where.constData());
            kind.run();
            if (QTest::currentTestFailed())
                QFAIL(where.constData());
            QVERIFY2(!m_document->hasAttachedSheet(), where.constData());
            QVERIFY2(!store().journal().hasOpenEntry(), where.constData());
            const QByteArray now = content();
            const int made = stack->index() - steps;
            const QString at = QString("%1, command %2 (%3) made %4 steps, the last %5")
                                   .arg(QLatin1String(where), QString::number(i),
                                        QLatin1String(kind.step ? kind.step : "none"), QString::number(made),
                                        stack->text(stack->index() - 1));
            // A command that changed the database is exactly one step. One that did not may still be
            // one (a status set again): the user gave it.
            const bool oneStep = kind.step ? (now != states.last() ? made == 1 : made == 0 || made == 1)
                                           : made == 0 && now == states.last() && !m_document->isEdited();
            QVERIFY2(oneStep && (made == 0 || stack->index() == stack->count()), qPrintable(at));
            if (made == 1) {
                states.append(now);
                names.append(stack->text(stack->index() - 1));
                const QString step = QRegularExpression::anchoredPattern(QLatin1String(kind.step));
                QVERIFY2(QRegularExpression(step).match(names.last()).hasMatch(), qPrintable(at));
            }
            // Now and then the user undoes a few steps and goes on from there.
            if (chance(15)) {
                for (int n = 1 + below(3); n > 0 && menus().action(ActionId::Undo)->isEnabled(); --n)
                    menus().action(ActionId::Undo)->trigger();
                QVERIFY2(content() == states.at(stack->index()), where.constData());
                states.resize(stack->index() + 1);
                names.resize(stack->index());
            }
        }
        // Steps undone at the end and not replaced since are left out.
        const int done = stack->index();
        for (int step = done; step > 0; --step) {
            QCOMPARE(menus().action(ActionId::Undo)->text(), "&Undo " + names.at(step - 1));
            menus().action(ActionId::Undo)->trigger();
            QVERIFY2(content() == states.at(step - 1),
                     qPrintable(QStringLiteral("%1, undoing %2").arg(seed).arg(step)));
        }
        QVERIFY(!menus().action(ActionId::Undo)->isEnabled());
        for (int step = 1; step <= done; ++step) {
            QCOMPARE(menus().action(ActionId::Redo)->text(), "&Redo " + names.at(step - 1));
            menus().action(ActionId::Redo)->trigger();
            QVERIFY2(content() == states.at(step),
                     qPrintable(QStringLiteral("%1, redoing %2").arg(seed).arg(step)));
        }
    }

    // In All Links, each command on links spread over categories is one step named with the count;
    // undone, every link is as it was, redone as the command left it.
    void bulkActionsAreOneStepEach()
    {
        DatabaseBuilder db;
        db.category("Partners", "partners")
            .link("Alpha", LinkStatusNew)
            .link("Beta", LinkStatusNegotiating)
            .link("Gamma", LinkStatusBlocked);
        db.category("Friends", "friends").link("Delta", LinkStatusNew);
        m_document = m_fixture->open(db);
        const DocumentMenus &m = menus();
        const QStringList all{"Alpha", "Beta", "Gamma", "Delta"};
        const struct
        {
            const char *step;
            std::function<void()> run;
        } commands[] = {
            {"Set Status of 4 Links", [&] { m.action(ActionId::SetStatusApproved)->trigger(); }},
            {"Mark 4 Links as Verified", [&] { m.action(ActionId::MarkAsVerified)->trigger(); }},
            // Each partner gets a message from the mail client; the New ones become Negotiating.
            {"Set Status of 4 Links",
             [&] {
                 MessageBox::setNextAnswer(0);
                 m.action(ActionId::NewCustomEmail)->trigger();
             }},
            // Delta is in Friends already: three links move.
            {"Move 3 Links to Friends",
             [&] {
                 m.action(ActionId::MoveToCategory)->trigger();
                 MoveToCategoryDialog *sheet =
                     m_document->commandArea<LinkMoveCommands>()->moveToCategoryDialog();
                 sheet->chooseIndex(
                     store().categoryRoot()->indexOfChild(store().categoryWithName("Friends")));
                 sheet->confirm();
             }},
            {"Delete 4 Links",
             [&] {
                 MessageBox::setNextAnswer(0);
                 m.action(ActionId::DeleteLink)->trigger();
             }},
        };
        for (const auto &command : commands) {
            m_document->showAllLinks();
            DocumentFixture::selectLinks(m_document, all);
            QCOMPARE(m_document->numberOfSelectedLinks(), 4);
            const QByteArray before = content();
            command.run();
            const QByteArray after = content();
            QVERIFY2(after != before, command.step);
            QCOMPARE(m.action(ActionId::Undo)->text(),
                     QStringLiteral("&Undo ") + QLatin1String(command.step));
            m.action(ActionId::Undo)->trigger();
            QCOMPARE(content(), before);
            // The links it changed come back selected, in All Links still.
            QVERIFY2(m_document->isAllLinksSelected() && m_document->numberOfSelectedLinks() > 0,
                     command.step);
            m.action(ActionId::Redo)->trigger();
            QCOMPARE(content(), after);
            m.action(ActionId::Undo)->trigger();
        }
        QCOMPARE(m_fixture->opener().urls().size(), 4); // the messages, one each
    }

    // In one window: the Edit menu's keys, the edited mark following the saved state, the records a
    // step touched selected again, a template made from the link editor, the step limit and Revert.
    void editMenuAndSavedState()
    {
        DatabaseBuilder db;
        db.category("Partners", "partners")
            .link("Alpha", LinkStatusNew)
            .link("Beta", LinkStatusNegotiating)
            .link("Gamma", LinkStatusBlocked);
        db.category("Friends", "friends").link("Delta");
        m_document = m_fixture->open(db);
        const DocumentMenus &m = menus();
        QUndoStack *stack = m_document->undo()->stack();
        m_document->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_document));
        DocumentFixture::selectCategory(m_document, "Partners");
        DocumentFixture::selectLinks(m_document, {"Beta"});
        const Link *beta = m_document->selectedLink();
        QTest::keyClick(m_document->linksTable(), Qt::Key_4, Qt::ControlModifier); // Blocked
        QTest::keyClick(m_document->linksTable(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(beta->status(), LinkStatusNegotiating);
        QTest::keyClick(m_document->linksTable(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(beta->status(), LinkStatusBlocked);

        // Saving marks the state; undoing past it and redoing back to it moves the mark.
        QVERIFY(m_document->commandArea<FileCommands>()->save());
        QVERIFY(!m_document->isEdited() && !m.action(ActionId::RevertDocument)->isEnabled());
        m.action(ActionId::Undo)->trigger();
        QVERIFY(m_document->isEdited() && m.action(ActionId::RevertDocument)->isEnabled());
        m.action(ActionId::Redo)->trigger();
        QVERIFY(!m_document->isEdited());

        // Undone, deleted links come back selected in their category; redone, the category stays.
        DocumentFixture::selectLinks(m_document, {"Alpha", "Gamma"});
        QStringList deleted = m_document->selectedLinkIDs();
        MessageBox::setNextAnswer(0);
        m_document->commandArea<LinkDeleteCommands>()->deleteLink();
        DocumentFixture::selectCategory(m_document, "Friends");
        m.action(ActionId::Undo)->trigger();
        QCOMPARE(m_document->selectedCategoryNode()->category()->name(), "Partners");
        QStringList selected = m_document->selectedLinkIDs();
        selected.sort();
        deleted.sort();
        QCOMPARE(selected, deleted);
        DocumentFixture::selectCategory(m_document, "Friends");
        m.action(ActionId::Redo)->trigger();
        QCOMPARE(m_document->selectedCategoryNode()->category()->name(), "Partners");
        QCOMPARE(m_document->numberOfSelectedLinks(), 0);

        // A deleted category comes back in its place, selected, with its links and its count.
        DocumentFixture::selectCategory(m_document, "Friends");
        MessageBox::setNextAnswer(0);
        categoryCommands()->deleteCategory();
        m.action(ActionId::Undo)->trigger();
        QCOMPARE(m_document->selectedCategoryNode(), store().categoryRoot()->childAtIndex(1));
        QCOMPARE(DocumentFixture::shownTitles(m_document), QStringList{"Delta"});

        // A template made from the link editor is a step of its own, before the edit's.
        const QByteArray before = content();
        DocumentFixture::selectLinks(m_document, {"Delta"});
        m.action(ActionId::EditLink)->trigger();
        whenTemplateEditorRuns([](EmailTemplateDialogController *e) {
            e->nameField()->setText("Follow-up");
            e->subjectField()->setText("About our link");
            e->bodyView()->setPlainText("Hi");
            e->confirm();
        });
        linkCommands()->linkDialog()->newEmailTemplate();
        typeInEditor(LinkForm::Title, "Delta Max");
        linkCommands()->linkDialog()->confirm();
        QCOMPARE(m.action(ActionId::Undo)->text(), "&Undo Edit Link");
        m.action(ActionId::Undo)->trigger();
        QCOMPARE(m.action(ActionId::Undo)->text(), "&Undo Add E-mail Template");
        m.action(ActionId::Undo)->trigger();
        QCOMPARE(content(), before);

        // The stack keeps the last hundred steps; the state before them is then out of reach.
        QByteArray fifth;
        for (int i = 1; i < DocumentUndo::StepLimit + 5; ++i) {
            (i % 2 ? m.action(ActionId::SetStatusNew) : m.action(ActionId::SetStatusBlocked))->trigger();
            if (i == 4)
                fifth = content();
        }
        QCOMPARE(stack->count(), DocumentUndo::StepLimit);
        while (stack->canUndo())
            m.action(ActionId::Undo)->trigger();
        QCOMPARE(content(), fifth);
        QVERIFY(m_document->isEdited());

        // Revert starts afresh.
        MessageBox::setNextAnswer(0);
        m_document->commandArea<FileCommands>()->revertToSaved();
        QVERIFY(!m_document->isEdited() && !m.action(ActionId::Undo)->isEnabled());
    }
};

QTEST_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
