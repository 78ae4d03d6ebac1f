#include "DocumentFixture.h"
#include "document/AskStringDialogController.h"
#include "document/CategoryCommands.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "model/LinkDragPayload.h"
#include "publish/ui/SiteInfoDialogController.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QUndoStack>
#include <functional>

// Edit > Undo and Redo in a document window: every command of the window comes back to the bytes
// before it and goes forward to the bytes after it, the items name the step, the keys work, the
// edited mark follows the saved state, and the touched records are selected again.
class TestUndo : public QObject
{
    Q_OBJECT

private:
    using Command = std::function<void(MyDocument *, DocumentFixture &)>;

    MyDocument *openSample(const QString &name = QStringLiteral("test.site"))
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Partners"), QStringLiteral("partners"))
            .link(QStringLiteral("Alpha"), LinkStatusNew)
            .link(QStringLiteral("alpha"), LinkStatusApproved)
            .link(QStringLiteral("Beta"), LinkStatusNegotiating)
            .link(QStringLiteral("Gamma"), LinkStatusBlocked);
        db.category(QStringLiteral("Friends"), QStringLiteral("friends")).link(QStringLiteral("Delta"));
        db.emailTemplate(QStringLiteral("Welcome"), QStringLiteral("Hello"), QStringLiteral("Body"));
        MyDocument *document = m_fixture->open(db, name);
        DocumentFixture::selectCategory(document, QStringLiteral("Partners"));
        return document;
    }

    static QString linkID(MyDocument *document, const QString &title)
    {
        for (const TreeNode *node : document->collectionManager().allLinkNodes()) {
            if (node->link()->title() == title)
                return node->attachmentID();
        }
        return QString();
    }

    static QByteArray bytes(MyDocument *document)
    {
        return document->collectionManager().dataRepresentation();
    }

    // The commands of the window, each as the user gives it.
    static QMap<QString, Command> commands()
    {
        QMap<QString, Command> c;
        c["Move 2 Links"] = [](MyDocument *d, DocumentFixture &) {
            LinkListController *links = d->linkListController();
            QModelIndexList dragged;
            for (int row = 0; row < links->rowCount(); ++row) {
                if (links->linkNodeAtRow(row)->link()->title().startsWith(QLatin1Char('A'),
                                                                          Qt::CaseInsensitive))
                    dragged << links->model()->index(row, 0);
            }
            std::unique_ptr<QMimeData> data(links->model()->mimeData(dragged));
            CategoryListModel *categories = d->categoryListController()->model();
            const int target = d->collectionManager().indexOfCategoryWithID(
                d->collectionManager().categoryWithName(QStringLiteral("Friends"))->attachmentID());
            QVERIFY(categories->dropMimeData(data.get(), Qt::MoveAction, -1, 0, categories->index(target)));
        };
        c["Delete 2 Links"] = [](MyDocument *d, DocumentFixture &) {
            DocumentFixture::selectLinks(d, {QStringLiteral("alpha"), QStringLiteral("Gamma")});
            MessageBox::setNextAnswer(0);
            d->deleteLink();
        };
        c["Set Status"] = [](MyDocument *d, DocumentFixture &) {
            DocumentFixture::selectLinks(d, {QStringLiteral("Alpha"), QStringLiteral("Beta")});
            d->menus()->setStatusBlocked->trigger();
        };
        c["Mark as Verified"] = [](MyDocument *d, DocumentFixture &) {
            DocumentFixture::selectLinks(d, {QStringLiteral("Gamma")});
            d->menus()->markAsVerified->trigger();
        };
        c["New Category"] = [](MyDocument *d, DocumentFixture &) {
            d->commandArea<CategoryCommands>()->newCategory();
            d->askStringDialog()->categoryNameField()->setText(QStringLiteral("Books"));
            d->askStringDialog()->anchorNameField()->setText(QStringLiteral("books"));
            d->askStringDialog()->confirm();
        };
        c["Edit Category"] = [](MyDocument *d, DocumentFixture &) {
            d->commandArea<CategoryCommands>()->renameCategory();
            d->askStringDialog()->categoryNameField()->setText(QStringLiteral("Zebras"));
            d->askStringDialog()->confirm();
        };
        c["Delete Category"] = [](MyDocument *d, DocumentFixture &) {
            MessageBox::setNextAnswer(0);
            d->commandArea<CategoryCommands>()->deleteCategory();
        };
        c["Edit Site Info"] = [](MyDocument *d, DocumentFixture &) {
            d->editSiteInfo();
            SiteInfoDialogController *sheet = d->siteInfoDialog();
            qobject_cast<QLineEdit *>(sheet->fieldWidget(SiteProfileForm::Title))
                ->setText(QStringLiteral("Mine"));
            qobject_cast<QLineEdit *>(sheet->fieldWidget(SiteProfileForm::MainPageURL))
                ->setText(QStringLiteral("www.mine.example"));
            sheet->confirm();
        };
        auto import = [](int answer) {
            return [answer](MyDocument *d, DocumentFixture &fixture) {
                CollectionManager copy;
                copy.loadDataRepresentation(bytes(d));
                TreeNode *node = copy.linkNodeWithID(linkID(d, QStringLiteral("Gamma")));
                LinkFields f = node->link()->fields();
                f.notes = QStringLiteral("from the other file");
                copy.editLinkNode(node, f);
                f.title = QStringLiteral("Newcomer");
                f.categoryID = copy.addCategoryWithName(QStringLiteral("Imported"), QStringLiteral("imp"))
                                   ->attachmentID();
                copy.addLinkFromFields(f);
                const QString path = fixture.path(QStringLiteral("import.site"));
                QVERIFY(DatabaseFile::write(copy, path));
                MessageBox::setNextAnswer(answer);
                QVERIFY(d->importLinksFromFile(path));
            };
        };
        c["Import Links (Keep)"] = import(0);
        c["Import Links (Replace)"] = import(1);
        c["Set Status (e-mail)"] = [](MyDocument *d, DocumentFixture &) {
            DocumentFixture::selectLinks(d, {QStringLiteral("Alpha")});
            d->newCustomEmail();
        };
        return c;
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void editMenuStartsWithUndoAndRedo()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        const QList<QAction *> edit = document->menuBar()->actions().at(1)->menu()->actions();
        QCOMPARE(edit.at(0), m.undo);
        QCOMPARE(edit.at(1), m.redo);
        QVERIFY(edit.at(2)->isSeparator());
        QCOMPARE(m.undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(m.redo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
        QCOMPARE(m.verifyLink->shortcut(), QKeySequence(QStringLiteral("Ctrl+Y")));
        QVERIFY(!m.undo->isEnabled());
        QVERIFY(!m.redo->isEnabled());
        QCOMPARE(m.undo->text(), QStringLiteral("&Undo"));
    }

    void everyCommandComesBackAndGoesForward_data()
    {
        QTest::addColumn<QString>("command");
        for (const QString &name : commands().keys())
            QTest::newRow(qPrintable(name)) << name;
    }

    void everyCommandComesBackAndGoesForward()
    {
        QFETCH(QString, command);
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        const QByteArray before = bytes(document);
        QVERIFY(!document->isEdited());

        commands().value(command)(document, *m_fixture);
        QVERIFY(!document->hasAttachedSheet());
        QVERIFY(document->isEdited());
        const QByteArray after = bytes(document);
        QVERIFY(after != before);
        const QString name = command.section(QStringLiteral(" ("), 0, 0);
        QCOMPARE(m.undo->text(), QStringLiteral("&Undo ") + name);
        QVERIFY(m.undo->isEnabled());
        QVERIFY(!m.redo->isEnabled());

        m.undo->trigger();
        QCOMPARE(bytes(document), before);
        QVERIFY(!document->isEdited()); // back where the file is
        QCOMPARE(m.redo->text(), QStringLiteral("&Redo ") + name);
        QVERIFY(!m.undo->isEnabled());
        m.redo->trigger();
        QCOMPARE(bytes(document), after);
        QVERIFY(document->isEdited());
        QCOMPARE(document->undo()->stack()->count(), 1);
    }

    void keysUndoAndRedo()
    {
        MyDocument *document = openSample();
        document->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(document));
        DocumentFixture::selectLinks(document, {QStringLiteral("Beta")});
        document->linksTable()->setFocus();
        QTest::keyClick(document->linksTable(), Qt::Key_4, Qt::ControlModifier); // Blocked
        const QString beta = linkID(document, QStringLiteral("Beta"));
        QCOMPARE(document->collectionManager().linkWithID(beta)->status(), LinkStatusBlocked);
        QTest::keyClick(document->linksTable(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(document->collectionManager().linkWithID(beta)->status(), LinkStatusNegotiating);
        QTest::keyClick(document->linksTable(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(document->collectionManager().linkWithID(beta)->status(), LinkStatusBlocked);
    }

    void editedMarkFollowsTheSavedState()
    {
        MyDocument *document = openSample();
        QUndoStack *stack = document->undo()->stack();
        const DocumentMenus &m = *document->menus();
        DocumentFixture::selectLinks(document, {QStringLiteral("Beta")});
        m.setStatusApproved->trigger();
        QVERIFY(document->isWindowModified());
        QVERIFY(document->windowTitle().contains(QLatin1String("[*]")));
        QVERIFY(m.revertDocument->isEnabled());
        QVERIFY(document->save());
        QVERIFY(!document->isEdited());
        QVERIFY(!m.revertDocument->isEnabled());
        const QByteArray saved = bytes(document);

        m.undo->trigger(); // past the save
        QVERIFY(document->isEdited());
        m.redo->trigger(); // back to it
        QVERIFY(!document->isEdited());
        QCOMPARE(bytes(document), saved);

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
        QCOMPARE(reread.dataRepresentation(), bytes(document));
    }

    void touchedRecordsAreSelectedAgain()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        const QStringList deleted{linkID(document, QStringLiteral("alpha")),
                                  linkID(document, QStringLiteral("Gamma"))};
        DocumentFixture::selectLinks(document, {QStringLiteral("alpha"), QStringLiteral("Gamma")});
        MessageBox::setNextAnswer(0);
        document->deleteLink();
        DocumentFixture::selectCategory(document, QStringLiteral("Friends"));
        m.undo->trigger();
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Partners"));
        QStringList selected = document->selectedLinkIDs();
        selected.sort();
        QStringList expected = deleted;
        expected.sort();
        QCOMPARE(selected, expected);

        // Redoing the deletion leaves their category selected, without a selected link.
        m.redo->trigger();
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Partners"));
        QCOMPARE(document->numberOfSelectedLinks(), 0);

        // A deleted category comes back selected, with its links.
        DocumentFixture::selectCategory(document, QStringLiteral("Friends"));
        MessageBox::setNextAnswer(0);
        document->commandArea<CategoryCommands>()->deleteCategory();
        QCOMPARE(document->selectedCategoryNode(), document->collectionManager().defaultCategoryNode());
        m.undo->trigger();
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Friends"));
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{QStringLiteral("Delta")});
        QCOMPARE(document->categoryListController()->model()->data(
                     document->categoryListController()->model()->index(
                         document->collectionManager().categoryRoot()->indexOfChild(
                             document->selectedCategoryNode())),
                     Qt::DisplayRole),
                 QVariant(QStringLiteral("Friends (1)")));

        // Undoing a new category that is selected moves the lists away from it.
        document->commandArea<CategoryCommands>()->newCategory();
        document->askStringDialog()->categoryNameField()->setText(QStringLiteral("Fleeting"));
        document->askStringDialog()->anchorNameField()->setText(QStringLiteral("fleeting"));
        document->askStringDialog()->confirm();
        m.undo->trigger();
        QVERIFY(!document->collectionManager().categoryWithName(QStringLiteral("Fleeting")));
        QVERIFY(document->selectedCategoryNode());
        QCOMPARE(document->linkListController()->category(), document->selectedCategoryNode());
    }

    void deleteCategoryAlertNoLongerSaysItIsFinal()
    {
        MyDocument *document = openSample();
        MessageBox::setNextAnswer(1);
        document->commandArea<CategoryCommands>()->deleteCategory();
        QCOMPARE(
            MessageBox::shownAlerts().last().title,
            QStringLiteral("Are you sure you want to delete the category \"Partners\" and its 4 links?"));
        QCOMPARE(MessageBox::shownAlerts().last().message, QString());
        QVERIFY(!document->undo()->stack()->canUndo());
    }

    void windowStateIsNeverUndone()
    {
        MyDocument *document = openSample();
        document->resize(document->width() + 40, document->height() + 30);
        document->setDetailsCollapsed(true);
        document->setSplitterPosition(180);
        document->menus()->toggleDetails->trigger();
        bytes(document); // as a save would, writes the window state into the named strings
        QVERIFY(!document->isEdited());
        QVERIFY(!document->undo()->stack()->canUndo());
        QVERIFY(!document->collectionManager().journal().hasOpenEntry());
    }

    void revertAndReopenStartAfresh()
    {
        MyDocument *document = openSample();
        DocumentFixture::selectLinks(document, {QStringLiteral("Beta")});
        document->menus()->setStatusBlocked->trigger();
        QVERIFY(document->undo()->stack()->canUndo());
        MessageBox::setNextAnswer(0);
        document->revertToSaved();
        QVERIFY(!document->isEdited());
        QVERIFY(!document->undo()->stack()->canUndo());
        QVERIFY(!document->menus()->undo->isEnabled());
        QCOMPARE(document->collectionManager().linkWithID(linkID(document, QStringLiteral("Beta")))->status(),
                 LinkStatusNegotiating);
    }

    void theStackKeepsTheLastHundredSteps()
    {
        MyDocument *document = openSample();
        DocumentFixture::selectLinks(document, {QStringLiteral("Beta")});
        const DocumentMenus &m = *document->menus();
        QByteArray fifth;
        for (int i = 0; i < DocumentUndo::StepLimit + 5; ++i) {
            (i % 2 ? m.setStatusNew : m.setStatusBlocked)->trigger();
            if (i == 4)
                fifth = bytes(document);
        }
        QUndoStack *stack = document->undo()->stack();
        QCOMPARE(stack->count(), DocumentUndo::StepLimit);
        while (stack->canUndo())
            m.undo->trigger();
        QCOMPARE(bytes(document), fifth);
        QVERIFY(document->isEdited()); // the opened state is out of reach
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
