#include "DocumentFixture.h"
#include "HttpTestServer.h"
#include "document/AskStringDialogController.h"
#include "document/CategoryCommands.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/LinkCommands.h"
#include "document/PublishCommands.h"
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
#include "workflow/ui/LinkCountDialogController.h"
#include "workflow/ui/LinkDialogController.h"
#include "workflow/ui/NotificationDialogController.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
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
    const DocumentMenus &menus() { return *m_document->menus(); }

    LinkFields partner(const QString &title)
    {
        LinkFields fields;
        fields.title = title;
        fields.URL = m_server.url(QStringLiteral("/site"));
        fields.counterpartURL =
            m_server.url(chance(3) ? QStringLiteral("/without") : QStringLiteral("/links"));
        fields.contactEmail = QStringLiteral("webmaster%1@partner.example").arg(m_counter);
        fields.status = LinkStatus('1' + below(4));
        fields.lastStatusChangedOn = QDate(2023, 1 + below(12), 1 + below(28));
        return fields;
    }

    MyDocument *openSample()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Partners"), QStringLiteral("partners"))
            .link(QStringLiteral("Alpha"), LinkStatusNew)
            .link(QStringLiteral("alpha"), LinkStatusApproved)
            .link(QStringLiteral("Beta"), LinkStatusNegotiating)
            .link(QStringLiteral("Gamma"), LinkStatusBlocked);
        db.category(QStringLiteral("Friends"), QStringLiteral("friends")).link(QStringLiteral("Delta"));
        db.emailTemplate(QStringLiteral("Welcome"), QStringLiteral("Hello"), QStringLiteral("Body"));
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Partners"));
        return document;
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
        db.emailTemplate(QStringLiteral("Welcome"), QStringLiteral("Hello #TITLE#"), QStringLiteral("Dear"))
            .emailTemplate(QStringLiteral("Reminder"), QStringLiteral("Still there?"), QStringLiteral("Hi"));
        SiteProfileTexts texts;
        texts.title = QStringLiteral("My site");
        texts.URL = QStringLiteral("http://www.mysite.example/");
        db.store().setSiteProfile(texts);
        LinksPageSetup setup;
        setup.initializeFromCollectionManager(db.store());
        setup.applyTo(db.store());
        m_document = m_fixture->open(db);
    }

    // --- Choosing what a command works on

    TreeNode *anyCategory()
    {
        return store().categoryRoot()->childAtIndex(below(store().numberOfCategories()));
    }

    TreeNode *anyLinkNode()
    {
        const std::vector<TreeNode *> nodes = store().allLinkNodes();
        return nodes.empty() ? nullptr : nodes[size_t(below(int(nodes.size())))];
    }

    // Shows a category holding links and selects a few of them; false when no category holds one.
    bool selectSomeLinks(int most)
    {
        const TreeNode *link = anyLinkNode();
        if (!link)
            return false;
        m_document->showAndSelectCategoryNode(link->parent());
        QStringList ids;
        for (const TreeNode *node : link->parent()->children()) {
            if (node->link() && ids.size() < most && chance(2))
                ids.append(node->attachmentID());
        }
        if (ids.isEmpty())
            ids.append(link->attachmentID());
        m_document->selectLinksWithIDs(ids);
        return true;
    }

    bool selectOneLink()
    {
        TreeNode *node = anyLinkNode();
        return node && (m_document->showAndSelectLinkNode(node), true);
    }

    // --- The commands

    LinkDialogController *linkEditor() { return m_document->commandArea<LinkCommands>()->linkDialog(); }

    void typeInEditor(LinkForm::Field field, const QString &text)
    {
        qobject_cast<QLineEdit *>(linkEditor()->fieldWidget(field))->setText(text);
    }

    void newLink()
    {
        m_document->showAndSelectCategoryNode(anyCategory());
        menus().newLink->trigger();
        const QString title = unique("New");
        typeInEditor(LinkForm::Title, title);
        typeInEditor(LinkForm::MainPageURL, QStringLiteral("new%1.example").arg(m_counter));
        linkEditor()->confirm();
    }

    void editLink()
    {
        if (!selectOneLink())
            return;
        menus().editLink->trigger();
        LinkDialogController *dialog = linkEditor();
        typeInEditor(LinkForm::Title, unique("Edited"));
        if (chance(2))
            dialog->selectCategoryAtIndex(below(store().numberOfCategories()));
        if (chance(3)) {
            if (!store().emailTemplates().empty() && chance(2))
                dialog->selectEmailTemplate(below(int(store().emailTemplates().size())));
            else
                dialog->sendCustomEmail();
        }
        if (chance(6))
            dialog->cancel();
        else
            dialog->confirm();
    }

    void instantLink()
    {
        m_document->showAndSelectCategoryNode(anyCategory());
        const int templates = int(store().emailTemplates().size());
        const int message = chance(3) ? -1 : templates > 0 && chance(2) ? 2 + below(templates) : 0;
        QTimer::singleShot(0, this, [this, message] {
            InstantLinkDialogController *dialog =
                m_document->commandArea<LinkCommands>()->instantLinkDialog();
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
        menus().instantLink->trigger();
    }

    void setStatus()
    {
        if (!selectSomeLinks(4))
            return;
        const QList<QAction *> statuses{menus().setStatusNew, menus().setStatusNegotiating,
                                        menus().setStatusApproved, menus().setStatusBlocked};
        statuses.at(below(4))->trigger();
    }

    void markAsVerified()
    {
        if (selectSomeLinks(3))
            menus().markAsVerified->trigger();
    }

    void sendMessage()
    {
        if (!selectOneLink())
            return;
        if (!store().emailTemplates().empty() && chance(2))
            m_document->sendTemplateEmailWithIndex(below(int(store().emailTemplates().size())));
        else
            menus().newCustomEmail->trigger();
    }

    void deleteLinks()
    {
        if (!selectSomeLinks(3))
            return;
        MessageBox::setNextAnswer(0);
        m_document->deleteLink();
    }

    void dragLinks()
    {
        if (!selectSomeLinks(5))
            return;
        LinkListController *links = m_document->linkListController();
        QModelIndexList dragged;
        const QStringList ids = m_document->selectedLinkIDs();
        for (int row = 0; row < links->rowCount(); ++row) {
            if (ids.contains(links->linkIDAtRow(row)))
                dragged << links->model()->index(row, 0);
        }
        std::unique_ptr<QMimeData> data(links->model()->mimeData(dragged));
        CategoryListModel *categories = m_document->categoryListController()->model();
        categories->dropMimeData(data.get(), Qt::MoveAction, -1, 0,
                                 categories->index(below(store().numberOfCategories())));
    }

    void newCategory()
    {
        m_document->commandArea<CategoryCommands>()->newCategory();
        m_document->askStringDialog()->categoryNameField()->setText(unique("Shelf"));
        m_document->askStringDialog()->anchorNameField()->setText(QStringLiteral("shelf%1").arg(m_counter));
        m_document->askStringDialog()->confirm();
    }

    void renameCategory()
    {
        TreeNode *category = anyCategory();
        if (category->category()->isNone())
            return;
        m_document->showAndSelectCategoryNode(category);
        m_document->commandArea<CategoryCommands>()->renameCategory();
        m_document->askStringDialog()->categoryNameField()->setText(unique("Renamed"));
        m_document->askStringDialog()->confirm();
    }

    void deleteCategory()
    {
        TreeNode *category = anyCategory();
        if (category->category()->isNone() || store().numberOfCategories() < 4)
            return;
        m_document->showAndSelectCategoryNode(category);
        MessageBox::setNextAnswer(0);
        m_document->commandArea<CategoryCommands>()->deleteCategory();
    }

    void notificationSettings()
    {
        menus().notificationSetup->trigger();
        NotificationDialogController *dialog = m_document->commandArea<LinkCommands>()->notificationDialog();
        QCheckBox *box = dialog->switchButton(NotificationDialogController::LastingNegotiation);
        box->setChecked(!box->isChecked());
        dialog->numberField(NotificationSettingsForm::LinkVerificationTimeout)->setValue(10 + below(50));
        dialog->confirm();
    }

    // Verifies a few links; with the partners hanging, stops before any result and saves nothing.
    void verify(bool hanging)
    {
        if (!selectSomeLinks(3))
            return;
        serve(hanging);
        menus().verifyLink->trigger();
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
    void verify() { verify(false); }

    void serve(bool hanging)
    {
        using R = HttpTestServer::Response;
        m_server.setResponse(QStringLiteral("/site"), R::page("<p>welcome</p>"));
        m_server.setResponse(QStringLiteral("/links"),
                             hanging ? R::behaving(R::Mode::NeverAnswer)
                                     : R::page("<a href=\"http://www.mysite.example/\">me</a>"));
        m_server.setResponse(QStringLiteral("/without"),
                             hanging ? R::behaving(R::Mode::NeverAnswer)
                                     : R::page("<a href=\"http://other.example/\">x</a>"));
    }

    EmailTemplateListDialogController *templateList()
    {
        menus().showEmailTemplates->trigger();
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

    void changeTemplates()
    {
        EmailTemplateListDialogController *sheet = templateList();
        const int count = sheet->listView()->count();
        const int kind = count == 0 ? 0 : below(4);
        if (count > 0)
            sheet->selectRow(below(count));
        if (kind == 0 || kind == 1) {
            whenTemplateEditorRuns([this](EmailTemplateDialogController *e) {
                e->nameField()->setText(unique("Template"));
                e->subjectField()->setText(QStringLiteral("Subject %1").arg(m_counter));
                e->bodyView()->setPlainText(QStringLiteral("Body #TITLE#"));
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
    }

    void importTemplates()
    {
        if (store().emailTemplates().empty())
            return;
        // The templates as they are, one of them changed, and a new one.
        CollectionManager copy;
        copy.loadDataRepresentation(store().dataRepresentation());
        EmailTemplate *first = copy.emailTemplates().front().get();
        EmailTemplate changed = *first;
        changed.setName(first->name(), unique("Imported subject"), first->body());
        copy.emailTemplateList().editEmailTemplate(first, changed);
        EmailTemplate added;
        added.setName(unique("Imported"), QStringLiteral("S"), QStringLiteral("B"));
        copy.emailTemplateList().addEmailTemplateFromEmailTemplate(added);
        const QString path = m_fixture->path(QStringLiteral("templates.emlt"));
        QVERIFY(EmailTemplateFile::exportEmailTemplatesToFileAtPath(copy, path));
        EmailTemplateListDialogController *sheet = templateList();
        FilePanel::setNextAnswer(path);
        MessageBox::setNextAnswer(below(2)); // Keep or Replace
        sheet->importButton()->click();
        sheet->reject();
    }

    void importLinks()
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
        const QString path = m_fixture->path(QStringLiteral("import.site"));
        QVERIFY(DatabaseFile::write(copy, path));
        MessageBox::setNextAnswer(below(2)); // Keep or Replace
        QVERIFY(m_document->importLinksFromFile(path));
    }

    void linksPageSetup()
    {
        menus().HTMLSetup->trigger();
        HTMLSetupDialogController *sheet = m_document->commandArea<PublishCommands>()->HTMLSetupDialog();
        switch (below(3)) {
        case 0:
            sheet->selectStyle(1 + below(8));
            sheet->styleTextView()->setPlainText(QStringLiteral("color: #%1;").arg(below(1000)));
            break;
        case 1:
            MessageBox::setNextAnswer(0);
            sheet->themeButton(1 + below(5))->click();
            break;
        default:
            for (const char *name :
                 {"perCategoryButton", "singlePageButton", "sameWindowButton", "newWindowButton"}) {
                if (auto *button = sheet->findChild<QRadioButton *>(QLatin1String(name)); chance(2))
                    button->setChecked(true);
            }
            auto *newLinks = sheet->findChild<QCheckBox *>(QStringLiteral("newCheckbox"));
            newLinks->setChecked(!newLinks->isChecked());
            break;
        }
        sheet->confirm();
    }

    void editSiteInfo()
    {
        m_document->editSiteInfo();
        SiteInfoDialogController *sheet = m_document->siteInfoDialog();
        qobject_cast<QLineEdit *>(sheet->fieldWidget(SiteProfileForm::Title))->setText(unique("Site"));
        sheet->confirm();
    }

    // Sheets cancelled or confirmed unchanged, and commands that only read the database.
    void leaveAlone()
    {
        const DocumentMenus &m = menus();
        switch (below(5)) {
        case 1: {
            m.notificationSetup->trigger();
            NotificationDialogController *dialog =
                m_document->commandArea<LinkCommands>()->notificationDialog();
            dialog->switchButton(NotificationDialogController::LastingNegotiation)->toggle();
            dialog->cancel();
            m.notificationSetup->trigger();
            dialog->confirm();
            break;
        }
        case 2: {
            m.HTMLSetup->trigger();
            HTMLSetupDialogController *sheet = m_document->commandArea<PublishCommands>()->HTMLSetupDialog();
            MessageBox::setNextAnswer(0);
            sheet->themeButton(1 + below(5))->click();
            sheet->cancel();
            m.HTMLSetup->trigger();
            sheet->confirm();
            break;
        }
        case 3:
            verify(true);
            break;
        case 4: {
            EmailTemplateListDialogController *sheet = templateList();
            if (sheet->listView()->count() > 0) {
                sheet->selectRow(0);
                whenTemplateEditorRuns([](EmailTemplateDialogController *e) { e->confirm(); });
                sheet->editButton()->click();
                MessageBox::setNextAnswer(1); // Cancel
                sheet->deleteButton()->click();
            }
            sheet->reject();
            break;
        }
        default:
            for (QAction *copy : {m.copyHTML, m.copyCategoryHTML, m.copyHTMLStyles, m.copySpreadsheet})
                copy->trigger();
            FilePanel::setNextAnswer(m_fixture->path(QStringLiteral("page.html")));
            m.exportLinksToHTML->trigger();
            FilePanel::setNextAnswer(m_fixture->path(QStringLiteral("links.txt")));
            m.exportLinksToSpreadsheet->trigger();
            break;
        }
    }

    // Each kind of command and what Edit > Undo calls the step it makes (none: it leaves no step).
    struct Kind
    {
        void (TestUndoHistory::*run)();
        const char *step;
    };
    static constexpr Kind Kinds[] = {
        {&TestUndoHistory::newLink, "Add Link"},
        {&TestUndoHistory::editLink, "Edit Link"},
        {&TestUndoHistory::instantLink, "Instant Link"},
        {&TestUndoHistory::setStatus, "Set Status"},
        {&TestUndoHistory::markAsVerified, "Mark as Verified"},
        {&TestUndoHistory::sendMessage, "Set Status"},
        {&TestUndoHistory::deleteLinks, "Delete (Link|\\d+ Links)"},
        {&TestUndoHistory::dragLinks, "Move (Link|\\d+ Links)"},
        {&TestUndoHistory::newCategory, "New Category"},
        {&TestUndoHistory::renameCategory, "Edit Category"},
        {&TestUndoHistory::deleteCategory, "Delete Category"},
        {&TestUndoHistory::notificationSettings, "Notification Settings"},
        {&TestUndoHistory::verify, "Save Verification Results"},
        {&TestUndoHistory::changeTemplates, "(Add|Edit|Duplicate|Delete) E-mail Template"},
        {&TestUndoHistory::importTemplates, "Import E-mail Templates"},
        {&TestUndoHistory::importLinks, "Import Links"},
        {&TestUndoHistory::linksPageSetup, "Links Page Setup"},
        {&TestUndoHistory::editSiteInfo, "Edit Site Info"},
        {&TestUndoHistory::leaveAlone, nullptr},
        {&TestUndoHistory::leaveAlone, nullptr},
    };

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
        QUndoStack *stack = m_document->undo()->stack();
        stack->setUndoLimit(0); // the whole history, to walk back to the opened file

        // states[i]: the bytes with the first i steps of the stack done.
        QList<QByteArray> states{content()};
        QList<QString> names;
        for (int i = 0; i < Commands; ++i) {
            MessageBox::clearShownAlerts();
            const int which = below(int(std::size(Kinds)));
            const int steps = stack->index();
            // Saved first, so that a command leaving the database alone must leave the mark off too.
            if (!Kinds[which].step)
                QVERIFY2(m_document->save(), where.constData());
            (this->*Kinds[which].run)();
            if (QTest::currentTestFailed())
                QFAIL(where.constData());
            QVERIFY2(!m_document->hasAttachedSheet(), where.constData());
            QVERIFY2(!store().journal().hasOpenEntry(), where.constData());
            const QByteArray now = content();
            const int made = stack->index() - steps;
            const QString at = QStringLiteral("seed %1, command %2 of kind %3 made %4 steps, the last %5")
                                   .arg(seed)
                                   .arg(i)
                                   .arg(which)
                                   .arg(made)
                                   .arg(stack->text(stack->index() - 1));
            // A command that changed the database is exactly one step. One that did not may still be
            // one (a status set again, a drop on the links' own category): the user gave it.
            const bool oneStep = Kinds[which].step
                                     ? (now != states.last() ? made == 1 : made == 0 || made == 1)
                                     : made == 0 && now == states.last() && !m_document->isEdited();
            QVERIFY2(oneStep && (made == 0 || stack->index() == stack->count()), qPrintable(at));
            if (made == 1) {
                states.append(now);
                names.append(stack->text(stack->index() - 1));
                const QString step = QRegularExpression::anchoredPattern(QLatin1String(Kinds[which].step));
                QVERIFY2(QRegularExpression(step).match(names.last()).hasMatch(), qPrintable(at));
            }
            // Now and then the user undoes a few steps and goes on from there.
            if (chance(15)) {
                for (int n = 1 + below(3); n > 0 && menus().undo->isEnabled(); --n)
                    menus().undo->trigger();
                QVERIFY2(content() == states.at(stack->index()), where.constData());
                states.resize(stack->index() + 1);
                names.resize(stack->index());
            }
        }
        // Steps undone at the end and not replaced since are left out.
        const int done = stack->index();
        QCOMPARE(states.size(), done + 1);
        const QByteArray final = content();

        for (int step = done; step > 0; --step) {
            QCOMPARE(menus().undo->text(), QStringLiteral("&Undo ") + names.at(step - 1));
            menus().undo->trigger();
            QVERIFY2(content() == states.at(step - 1),
                     qPrintable(QStringLiteral("%1, undoing %2").arg(seed).arg(step)));
        }
        QVERIFY(!menus().undo->isEnabled());
        for (int step = 1; step <= done; ++step) {
            QCOMPARE(menus().redo->text(), QStringLiteral("&Redo ") + names.at(step - 1));
            menus().redo->trigger();
            QVERIFY2(content() == states.at(step),
                     qPrintable(QStringLiteral("%1, redoing %2").arg(seed).arg(step)));
        }
        QCOMPARE(content(), final);
    }

    void editMenuKeysAndLimit()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        const QList<QAction *> edit = document->menuBar()->actions().at(1)->menu()->actions();
        QCOMPARE(edit.at(0), m.undo);
        QCOMPARE(edit.at(1), m.redo);
        QVERIFY(edit.at(2)->isSeparator());
        QVERIFY(!m.undo->isEnabled() && !m.redo->isEnabled());
        QCOMPARE(m.undo->text(), QStringLiteral("&Undo"));

        document->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(document));
        DocumentFixture::selectLinks(document, {QStringLiteral("Beta")});
        document->linksTable()->setFocus();
        const Link *beta = document->selectedLink();
        QTest::keyClick(document->linksTable(), Qt::Key_4, Qt::ControlModifier); // Blocked
        QCOMPARE(beta->status(), LinkStatusBlocked);
        QTest::keyClick(document->linksTable(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(beta->status(), LinkStatusNegotiating);
        QTest::keyClick(document->linksTable(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(beta->status(), LinkStatusBlocked);

        // The stack keeps the last hundred steps; the opened state is then out of reach.
        QByteArray fifth;
        for (int i = 1; i < DocumentUndo::StepLimit + 5; ++i) {
            (i % 2 ? m.setStatusNew : m.setStatusBlocked)->trigger();
            if (i == 4)
                fifth = document->collectionManager().dataRepresentation();
        }
        QCOMPARE(document->undo()->stack()->count(), DocumentUndo::StepLimit);
        while (document->undo()->stack()->canUndo())
            m.undo->trigger();
        QCOMPARE(document->collectionManager().dataRepresentation(), fifth);
        QVERIFY(document->isEdited());
    }

    void editedMarkFollowsTheSavedState()
    {
        MyDocument *document = openSample();
        QUndoStack *stack = document->undo()->stack();
        const DocumentMenus &m = *document->menus();
        DocumentFixture::selectLinks(document, {QStringLiteral("Beta")});
        m.setStatusApproved->trigger();
        QVERIFY(document->isWindowModified() && m.revertDocument->isEnabled());
        QVERIFY(document->save());
        QVERIFY(!document->isEdited() && !m.revertDocument->isEnabled());
        const QByteArray saved = document->collectionManager().dataRepresentation();

        m.undo->trigger(); // past the save
        QVERIFY(document->isEdited());
        m.redo->trigger(); // back to it
        QVERIFY(!document->isEdited());
        QCOMPARE(document->collectionManager().dataRepresentation(), saved);

        // Undoing past the save and going another way: the saved state is out of reach.
        m.undo->trigger();
        DocumentFixture::selectLinks(document, {QStringLiteral("Gamma")});
        m.setStatusNew->trigger();
        QVERIFY(!m.redo->isEnabled());
        m.undo->trigger();
        QVERIFY(document->isEdited());
        QCOMPARE(stack->index(), 0);

        // A change the journal did not see keeps the mark until the next save; autosave clears it.
        m.redo->trigger();
        document->updateChangeCount(QStringLiteral("Nothing"));
        QCOMPARE(stack->count(), 1);
        m.undo->trigger();
        QVERIFY(document->isEdited());
        Preferences::setValue(Preferences::AutoSaveDocuments, true);
        document->autoSaveWithTimer();
        QVERIFY(!document->isEdited());
        CollectionManager reread;
        QVERIFY(DatabaseFile::read(document->filePath(), reread));
        QCOMPARE(reread.dataRepresentation(), document->collectionManager().dataRepresentation());

        // Revert starts afresh.
        m.setStatusBlocked->trigger();
        MessageBox::setNextAnswer(0);
        document->revertToSaved();
        QVERIFY(!document->isEdited());
        QVERIFY(!stack->canUndo() && !m.undo->isEnabled());
    }

    void touchedRecordsAreSelectedAgain()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        DocumentFixture::selectLinks(document, {QStringLiteral("alpha"), QStringLiteral("Gamma")});
        QStringList deleted = document->selectedLinkIDs();
        deleted.sort();
        MessageBox::setNextAnswer(0);
        document->deleteLink();
        DocumentFixture::selectCategory(document, QStringLiteral("Friends"));
        m.undo->trigger();
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Partners"));
        QStringList selected = document->selectedLinkIDs();
        selected.sort();
        QCOMPARE(selected, deleted);

        // Redoing the deletion leaves their category selected, without a selected link.
        DocumentFixture::selectCategory(document, QStringLiteral("Friends"));
        m.redo->trigger();
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Partners"));
        QCOMPARE(document->numberOfSelectedLinks(), 0);

        // A deleted category comes back selected, with its links and its count.
        DocumentFixture::selectCategory(document, QStringLiteral("Friends"));
        MessageBox::setNextAnswer(0);
        document->commandArea<CategoryCommands>()->deleteCategory();
        QCOMPARE(MessageBox::shownAlerts().last().message, QString()); // not said to be final
        QCOMPARE(document->selectedCategoryNode(), document->collectionManager().defaultCategoryNode());
        m.undo->trigger();
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Friends"));
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{QStringLiteral("Delta")});
        CategoryListModel *categories = document->categoryListController()->model();
        QCOMPARE(
            categories->data(categories->index(document->collectionManager().categoryRoot()->indexOfChild(
                                 document->selectedCategoryNode())),
                             Qt::DisplayRole),
            QVariant(QStringLiteral("Friends (1)")));
    }

    void aTemplateMadeFromTheLinkEditorIsAStepOfItsOwn()
    {
        m_document = openSample();
        const QByteArray before = m_document->collectionManager().dataRepresentation();
        DocumentFixture::selectLinks(m_document, {QStringLiteral("Beta")});
        menus().editLink->trigger();
        whenTemplateEditorRuns([](EmailTemplateDialogController *e) {
            e->nameField()->setText(QStringLiteral("Follow-up"));
            e->subjectField()->setText(QStringLiteral("About our link"));
            e->bodyView()->setPlainText(QStringLiteral("Hi"));
            e->confirm();
        });
        linkEditor()->newEmailTemplate();
        const QByteArray withTemplate = m_document->collectionManager().dataRepresentation();
        typeInEditor(LinkForm::Title, QStringLiteral("Beta Max"));
        linkEditor()->confirm();
        QUndoStack *stack = m_document->undo()->stack();
        QCOMPARE(stack->count(), 2);
        QCOMPARE(stack->text(0), QStringLiteral("Add E-mail Template"));
        QCOMPARE(stack->text(1), QStringLiteral("Edit Link"));
        menus().undo->trigger();
        QCOMPARE(m_document->collectionManager().dataRepresentation(), withTemplate);
        menus().undo->trigger();
        QCOMPARE(m_document->collectionManager().dataRepresentation(), before);
    }
};

QTEST_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
