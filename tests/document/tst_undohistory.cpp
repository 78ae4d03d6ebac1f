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
#include "publish/Themes.h"
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
#include <QSpinBox>
#include <QTimer>
#include <QUndoStack>
#include <functional>

// A long random history of the window's commands, given as the user gives them, on a generated
// database: every command that changes the database is one step; undoing everything passes through
// each earlier state back to the opened bytes, and redoing everything comes back to the last ones.
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
    QString unique(const char *stem)
    {
        return QStringLiteral("%1 %2").arg(QLatin1String(stem)).arg(++m_counter);
    }

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
        if (node)
            m_document->showAndSelectLinkNode(node);
        return node != nullptr;
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

    void verify()
    {
        if (!selectSomeLinks(3))
            return;
        menus().verifyLink->trigger();
        VerificationDialogController *sheet =
            m_document->commandArea<VerificationCommands>()->verificationDialog();
        FetchSettings settings;
        settings.timeoutMs = 3000;
        settings.retryDelayMs = 20;
        sheet->scheduler()->setFetchSettings(settings);
        // Blocked links are not verified, and links marked as verified start unticked.
        if (sheet->rows()->selectedCount() == 0) {
            sheet->cancel();
            return;
        }
        sheet->verifyButton()->click();
        QVERIFY(QTest::qWaitFor([&] { return sheet->scheduler()->hasEnded(); }, 20000));
        sheet->verifyButton()->click(); // Save Result
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
        switch (below(4)) {
        case 0:
            sheet->selectStyle(1 + below(8));
            sheet->styleTextView()->setPlainText(QStringLiteral("color: #%1;").arg(below(1000)));
            break;
        case 1:
            MessageBox::setNextAnswer(0);
            sheet->themeButton(1 + below(5))->click();
            break;
        case 2: {
            auto *perCategory = sheet->findChild<QRadioButton *>(QStringLiteral("perCategoryButton"));
            auto *single = sheet->findChild<QRadioButton *>(QStringLiteral("singlePageButton"));
            (perCategory->isChecked() ? single : perCategory)->setChecked(true);
            auto *newLinks = sheet->findChild<QCheckBox *>(QStringLiteral("newCheckbox"));
            newLinks->setChecked(!newLinks->isChecked());
            break;
        }
        default: {
            auto *same = sheet->findChild<QRadioButton *>(QStringLiteral("sameWindowButton"));
            auto *fresh = sheet->findChild<QRadioButton *>(QStringLiteral("newWindowButton"));
            (same->isChecked() ? fresh : same)->setChecked(true);
            break;
        }
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

    void undoAFew()
    {
        for (int i = 0, n = 1 + below(3); i < n && menus().undo->isEnabled(); ++i)
            menus().undo->trigger();
    }

    void runOneCommand(int which)
    {
        switch (which) {
        case 0:
            newLink();
            break;
        case 1:
            editLink();
            break;
        case 2:
            instantLink();
            break;
        case 3:
            setStatus();
            break;
        case 4:
            markAsVerified();
            break;
        case 5:
            sendMessage();
            break;
        case 6:
            deleteLinks();
            break;
        case 7:
            dragLinks();
            break;
        case 8:
            newCategory();
            break;
        case 9:
            renameCategory();
            break;
        case 10:
            deleteCategory();
            break;
        case 11:
            notificationSettings();
            break;
        case 12:
            verify();
            break;
        case 13:
            changeTemplates();
            break;
        case 14:
            importTemplates();
            break;
        case 15:
            importLinks();
            break;
        case 16:
            linksPageSetup();
            break;
        default:
            editSiteInfo();
            break;
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen());
        using R = HttpTestServer::Response;
        m_server.setResponse(QStringLiteral("/site"), R::page("<p>welcome</p>"));
        m_server.setResponse(QStringLiteral("/links"),
                             R::page("<a href=\"http://www.mysite.example/\">me</a>"));
        m_server.setResponse(QStringLiteral("/without"), R::page("<a href=\"http://other.example/\">x</a>"));
    }

    void randomHistoryUnwindsAndReplays()
    {
        const quint32 seed = qEnvironmentVariableIsSet("QM_UNDO_SEED")
                                 ? qgetenv("QM_UNDO_SEED").toUInt()
                                 : QRandomGenerator::global()->generate();
        m_random.seed(seed);
        const QByteArray where = QByteArray("seed ") + QByteArray::number(seed);
        m_fixture = std::make_unique<DocumentFixture>();
        openGeneratedDatabase();
        QUndoStack *stack = m_document->undo()->stack();
        stack->setUndoLimit(0); // the whole history, to walk back to the opened file

        // states[i]: the bytes with the first i steps of the stack done.
        QList<QByteArray> states{content()};
        QList<QString> names;
        for (int i = 0; i < Commands; ++i) {
            MessageBox::clearShownAlerts();
            const int which = below(18);
            const int steps = stack->index();
            runOneCommand(which);
            if (QTest::currentTestFailed())
                QFAIL(where.constData());
            QVERIFY2(!m_document->hasAttachedSheet(), where.constData());
            QVERIFY2(!store().journal().hasOpenEntry(), where.constData());
            const QByteArray now = content();
            // A command that changed the database is exactly one step. One that did not may still be
            // one (a status set again, a drop on the links' own category): the user gave it.
            if (now != states.last()) {
                QVERIFY2(stack->index() == steps + 1 && stack->index() == stack->count(),
                         qPrintable(QStringLiteral("%1, command %2 of kind %3 made %4 steps")
                                        .arg(seed)
                                        .arg(i)
                                        .arg(which)
                                        .arg(stack->index() - steps)));
                states.append(now);
                names.append(stack->text(stack->index() - 1));
            } else {
                QVERIFY2(stack->index() <= steps + 1, where.constData());
                if (stack->index() == steps + 1) {
                    states.append(now);
                    names.append(stack->text(stack->index() - 1));
                }
            }
            // Now and then the user undoes a few steps and goes on from there.
            if (chance(15)) {
                undoAFew();
                QVERIFY2(content() == states.at(stack->index()), where.constData());
                states.resize(stack->index() + 1);
                names.resize(stack->index());
            }
        }
        // Steps undone at the end and not replaced since are left out.
        const int done = stack->index();
        QCOMPARE(states.size(), done + 1);
        const QByteArray final = content();
        qInfo("%s: %d commands, %d steps", where.constData(), Commands, done);

        for (int step = done; step > 0; --step) {
            QCOMPARE(menus().undo->text(), QStringLiteral("&Undo ") + names.at(step - 1));
            menus().undo->trigger();
            QVERIFY2(
                content() == states.at(step - 1),
                qPrintable(
                    QStringLiteral("%1, undoing step %2 (%3)").arg(seed).arg(step).arg(names.at(step - 1))));
        }
        QVERIFY(!menus().undo->isEnabled());
        for (int step = 1; step <= done; ++step) {
            menus().redo->trigger();
            QVERIFY2(
                content() == states.at(step),
                qPrintable(
                    QStringLiteral("%1, redoing step %2 (%3)").arg(seed).arg(step).arg(names.at(step - 1))));
        }
        QCOMPARE(content(), final);
        m_fixture.reset();
    }
};

QTEST_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
