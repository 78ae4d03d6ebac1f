#include "DocumentFixture.h"
#include "document/AskStringDialogController.h"
#include "document/CategoryCommands.h"
#include "workflow/CategoryNameForm.h"

#include <QLineEdit>

// The category name sheet: its checks in order, the trim questions, and the three category
// commands of the document around it.
class TestCategorySheet : public QObject
{
    Q_OBJECT

private:
    struct Outcome
    {
        bool accepted = false;
        QStringList alerts;
        QString name;
        QString anchor;
    };

    // Confirms the sheet with the texts typed in and the scripted answers to its questions.
    Outcome confirm(const CollectionManager &store, const QString &name, const QString &anchor,
                    const TreeNode *original = nullptr, const QList<int> &answers = {})
    {
        MessageBox::clearShownAlerts();
        for (const int answer : answers)
            MessageBox::setNextAnswer(answer);
        AskStringDialogController sheet(nullptr);
        Outcome outcome;
        sheet.initializeWithCategoryName(
            QString(), QString(),
            [&outcome](AskStringDialogController *c) { outcome.accepted = c->returnCode() == 1; }, &store,
            original);
        sheet.open();
        sheet.categoryNameField()->setText(name);
        sheet.anchorNameField()->setText(anchor);
        sheet.confirm();
        for (const MessageBox::Shown &shown : MessageBox::shownAlerts())
            outcome.alerts.append(shown.title);
        outcome.name = sheet.categoryName();
        outcome.anchor = sheet.categoryAnchor();
        if (sheet.isVisible())
            sheet.cancel();
        return outcome;
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void checksRunInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("anchor");
        QTest::addColumn<QString>("alert");
        const QString missing = QStringLiteral("Some required fields are missing.");
        const QString invalid = QStringLiteral("The Category ID field contains invalid characters.");
        QTest::newRow("no name") << QString() << QStringLiteral("x") << missing;
        QTest::newRow("neither") << QString() << QString() << missing;
        // The anchor's characters are checked before the names are compared.
        QTest::newRow("space in anchor") << QStringLiteral("Books") << QStringLiteral("a b") << invalid;
        QTest::newRow("hyphen") << QStringLiteral("Games") << QStringLiteral("board-games") << invalid;
        QTest::newRow("accent") << QStringLiteral("Games") << QStringLiteral("jeux\u00e9") << invalid;
        QTest::newRow("underscore") << QStringLiteral("Games") << QStringLiteral("a_b") << invalid;
        QTest::newRow("combining mark") << QStringLiteral("Games") << QStringLiteral("x\u0301") << invalid;
        QTest::newRow("same name") << QStringLiteral("Books") << QStringLiteral("other")
                                   << QStringLiteral("A category with the same name already exists.");
        QTest::newRow("same anchor") << QStringLiteral("Games") << QStringLiteral("books")
                                     << QStringLiteral("A category with the same ID already exists.");
        QTest::newRow("name case counts") << QStringLiteral("BOOKS") << QStringLiteral("other") << QString();
        // Two pages whose names differ only in case would be one file where case is ignored.
        QTest::newRow("anchor case ignored") << QStringLiteral("Games") << QStringLiteral("BOOKS")
                                             << QStringLiteral("A category with the same ID already exists.");
        QTest::newRow("fine") << QStringLiteral("Games") << QStringLiteral("games") << QString();
    }

    void checksRunInOrder()
    {
        QFETCH(QString, name);
        QFETCH(QString, anchor);
        QFETCH(QString, alert);
        DatabaseBuilder db;
        db.category(QStringLiteral("Books"), QStringLiteral("books"));
        const Outcome outcome = confirm(db.store(), name, anchor);
        QCOMPARE(outcome.accepted, alert.isEmpty());
        QCOMPARE(outcome.alerts, alert.isEmpty() ? QStringList() : QStringList{alert});
    }

    void renameKeepsItsOwnNameAndAnchor()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Books"), QStringLiteral("books"))
            .category(QStringLiteral("Music"), QStringLiteral("music"));
        TreeNode *books = db.store().categoryWithName(QStringLiteral("Books"));
        QVERIFY(confirm(db.store(), QStringLiteral("Books"), QStringLiteral("books"), books).accepted);
        // Its own anchor stays even when another's differs only in case (kept from older files).
        DatabaseBuilder legacy;
        legacy.category(QStringLiteral("Birds"), QStringLiteral("birds"))
            .category(QStringLiteral("Owls"), QStringLiteral("Birds"));
        QVERIFY(confirm(legacy.store(), QStringLiteral("Night Birds"), QStringLiteral("Birds"),
                        legacy.store().categoryWithName(QStringLiteral("Owls")))
                    .accepted);
        // Another category's anchor is still refused when renaming.
        const Outcome clash = confirm(db.store(), QStringLiteral("Books"), QStringLiteral("music"), books);
        QVERIFY(!clash.accepted);
        QCOMPARE(clash.alerts, QStringList{QStringLiteral("A category with the same ID already exists.")});
    }

    void proposedAnchorIsMadeFromTheName()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Books"), QStringLiteral("books"))
            .category(QStringLiteral("More Books"), QStringLiteral("BOOKS2"));
        const CollectionManager &store = db.store();
        auto proposed = [&store](const QString &name, const TreeNode *original = nullptr) {
            return CategoryNameForm::proposedAnchor(store, name, original);
        };
        QCOMPARE(proposed(QStringLiteral("Hiking Clubs & Trails 2024")),
                 QStringLiteral("hikingclubstrails2024"));
        QCOMPARE(proposed(QStringLiteral("Caf\u00e9 cr\u00e8me \ufb01ne")), QStringLiteral("cafecremefine"));
        QCOMPARE(proposed(QStringLiteral("\u65e5\u672c -- !")), QStringLiteral("category"));
        // Unique ignoring case: "books" and "BOOKS2" are taken.
        QCOMPARE(proposed(QStringLiteral("books")), QStringLiteral("books3"));
        QCOMPARE(proposed(QStringLiteral("Books"), store.categoryWithName(QStringLiteral("Books"))),
                 QStringLiteral("books"));
        // Never longer than an anchor may be, even with its number.
        const QString longName(60, QLatin1Char('b'));
        QCOMPARE(proposed(longName), QString(49, QLatin1Char('b')));
        DatabaseBuilder full;
        full.category(QStringLiteral("Long"), QString(49, QLatin1Char('b')));
        QCOMPARE(CategoryNameForm::proposedAnchor(full.store(), longName, nullptr),
                 QString(48, QLatin1Char('b')) + QLatin1Char('2'));
    }

    void anchorFollowsTheNameUntilTyped()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Books"), QStringLiteral("books"));
        MyDocument *document = m_fixture->open(db);
        document->commandArea<CategoryCommands>()->newCategory();
        AskStringDialogController *sheet = document->askStringDialog();
        QTest::keyClicks(sheet->categoryNameField(), QStringLiteral("Old Books"));
        QCOMPARE(sheet->categoryAnchor(), QStringLiteral("oldbooks"));
        // Typed by the user, the ID stays; emptied, it shows the proposal and takes it on confirming.
        sheet->anchorNameField()->selectAll();
        QTest::keyClicks(sheet->anchorNameField(), QStringLiteral("vintage"));
        QTest::keyClicks(sheet->categoryNameField(), QStringLiteral(" 2"));
        QCOMPARE(sheet->categoryAnchor(), QStringLiteral("vintage"));
        sheet->anchorNameField()->selectAll();
        QTest::keyClick(sheet->anchorNameField(), Qt::Key_Backspace);
        QCOMPARE(sheet->anchorNameField()->placeholderText(), QStringLiteral("oldbooks2"));
        sheet->confirm();
        QVERIFY(!sheet->isVisible());
        TreeNode *added = document->collectionManager().categoryWithName(QStringLiteral("Old Books 2"));
        QVERIFY(added);
        QCOMPARE(added->category()->anchor(), QStringLiteral("oldbooks2"));
    }

    void tooLongTextsAskToTrim()
    {
        DatabaseBuilder db;
        const QString longName(200, QLatin1Char('n'));
        const QString longAnchor(50, QLatin1Char('a'));

        // "OK" keeps the sheet open with the text as typed.
        Outcome kept = confirm(db.store(), longName, QStringLiteral("x"), nullptr, {0});
        QVERIFY(!kept.accepted);
        QCOMPARE(kept.alerts, QStringList{QStringLiteral("The category name is too long.")});
        QCOMPARE(kept.name, longName);

        // "Trim" cuts to 199 and goes on.
        Outcome trimmed = confirm(db.store(), longName, QStringLiteral("x"), nullptr, {1});
        QVERIFY(trimmed.accepted);
        QCOMPARE(trimmed.name, longName.left(199));

        // Both too long: the name question comes first, then the anchor's.
        Outcome both = confirm(db.store(), longName, longAnchor, nullptr, {1, 1});
        QVERIFY(both.accepted);
        QCOMPARE(both.alerts, (QStringList{QStringLiteral("The category name is too long."),
                                           QStringLiteral("The category ID is too long.")}));
        QCOMPARE(both.anchor.size(), 49);
        QCOMPARE(MessageBox::shownAlerts().at(1).message,
                 QStringLiteral("The category ID can only contain up to 49 characters."));

        // The cut never leaves half of a character outside the basic plane.
        const QString bird = QString::fromUtf8("\xF0\x9F\x90\xA6");
        Outcome pair =
            confirm(db.store(), QString(198, QLatin1Char('n')) + bird, QStringLiteral("x"), nullptr, {1});
        QVERIFY(pair.accepted);
        QCOMPARE(pair.name, QString(198, QLatin1Char('n')));
    }

    void trimmingIntoAnotherCategoryIsRefused()
    {
        DatabaseBuilder db;
        const QString existing(199, QLatin1Char('n'));
        db.category(existing, QStringLiteral("first"));
        const Outcome outcome =
            confirm(db.store(), existing + QLatin1Char('x'), QStringLiteral("second"), nullptr, {1});
        QVERIFY(!outcome.accepted);
        QCOMPARE(outcome.alerts.last(), QStringLiteral("A category with the same name already exists."));
    }

    void newCategoryIsAddedAndSelected()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Music"), QStringLiteral("music"));
        MyDocument *document = m_fixture->open(db);
        QVERIFY(document);
        document->commandArea<CategoryCommands>()->newCategory();
        AskStringDialogController *sheet = document->askStringDialog();
        QVERIFY(sheet && sheet->isVisible());
        QVERIFY(document->hasAttachedSheet());
        sheet->categoryNameField()->setText(QStringLiteral("Books"));
        sheet->anchorNameField()->setText(QStringLiteral("books"));
        sheet->confirm();
        QVERIFY(!sheet->isVisible());
        TreeNode *books = document->collectionManager().categoryWithName(QStringLiteral("Books"));
        QVERIFY(books);
        QCOMPARE(document->selectedCategoryNode(), books);
        QVERIFY(document->isEdited());

        // Cancelling the next use changes nothing, and the fields start empty again.
        document->setWindowModified(false);
        document->commandArea<CategoryCommands>()->newCategory();
        QCOMPARE(sheet->categoryName(), QString());
        sheet->cancel();
        QCOMPARE(document->collectionManager().numberOfCategories(), 3);
        QVERIFY(!document->isEdited());
    }

    void renameMovesTheCategoryAndKeepsItSelected()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Apples"), QStringLiteral("apples")).link(QStringLiteral("Orchard"));
        db.category(QStringLiteral("Music"), QStringLiteral("music"));
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Apples"));
        document->commandArea<CategoryCommands>()->renameCategory();
        AskStringDialogController *sheet = document->askStringDialog();
        QCOMPARE(sheet->categoryName(), QStringLiteral("Apples"));
        QCOMPARE(sheet->categoryAnchor(), QStringLiteral("apples"));
        sheet->categoryNameField()->setText(QStringLiteral("Zucchini"));
        sheet->confirm();
        TreeNode *renamed = document->selectedCategoryNode();
        QVERIFY(renamed && renamed->category());
        QCOMPARE(renamed->category()->name(), QStringLiteral("Zucchini"));
        QCOMPARE(document->collectionManager().categoryRoot()->indexOfChild(renamed), 2);
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{QStringLiteral("Orchard")});
        QVERIFY(document->isEdited());
    }

    void defaultCategoryCannotBeRenamedOrDeleted()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Music"), QStringLiteral("music"));
        MyDocument *document = m_fixture->open(db);
        document->showAndSelectCategoryNode(document->collectionManager().defaultCategoryNode());
        MessageBox::clearShownAlerts();
        document->commandArea<CategoryCommands>()->renameCategory();
        document->commandArea<CategoryCommands>()->deleteCategory();
        const QList<MessageBox::Shown> shown = MessageBox::shownAlerts();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).title, QStringLiteral("This category cannot be edited."));
        QCOMPARE(shown.at(0).message, QStringLiteral("The category \"General\" cannot be edited."));
        QCOMPARE(shown.at(1).title, QStringLiteral("This category cannot be deleted."));
        QCOMPARE(shown.at(1).message, QStringLiteral("The category \"General\" cannot be deleted."));
        QVERIFY(!document->askStringDialog() || !document->askStringDialog()->isVisible());
        QCOMPARE(document->collectionManager().numberOfCategories(), 2);
        QVERIFY(!document->isEdited());
    }

    void deleteAsksThenSelectsTheDefaultCategory()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Music"), QStringLiteral("music")).link(QStringLiteral("Band"));
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Music"));

        MessageBox::clearShownAlerts();
        MessageBox::setNextAnswer(1); // Cancel
        document->commandArea<CategoryCommands>()->deleteCategory();
        // The question counts the links that go with the category.
        QCOMPARE(MessageBox::shownAlerts().first().title,
                 QStringLiteral("Are you sure you want to delete the category \"Music\" and its 1 link?"));
        QCOMPARE(MessageBox::shownAlerts().first().buttons,
                 (QStringList{QStringLiteral("Delete"), QStringLiteral("Cancel")}));
        QCOMPARE(document->collectionManager().numberOfCategories(), 2);
        QVERIFY(!document->isEdited());

        MessageBox::setNextAnswer(0); // Delete
        document->commandArea<CategoryCommands>()->deleteCategory();
        QCOMPARE(document->collectionManager().numberOfCategories(), 1);
        QCOMPARE(document->selectedCategoryNode(), document->collectionManager().defaultCategoryNode());
        QCOMPARE(document->linkListController()->category(),
                 document->collectionManager().defaultCategoryNode());
        QVERIFY(document->isEdited());
        QCOMPARE(document->collectionManager().numberOfLinks(), 0);

        // Several links, and none.
        DatabaseBuilder more;
        more.category(QStringLiteral("Top %2 Films"), QStringLiteral("films"))
            .link(QStringLiteral("One"))
            .link(QStringLiteral("Two"))
            .link(QStringLiteral("Three"));
        more.category(QStringLiteral("Empty"), QStringLiteral("empty"));
        MyDocument *second = m_fixture->open(more, QStringLiteral("more.site"));
        for (const QString &name : {QStringLiteral("Top %2 Films"), QStringLiteral("Empty")}) {
            DocumentFixture::selectCategory(second, name);
            MessageBox::setNextAnswer(1);
            second->commandArea<CategoryCommands>()->deleteCategory();
        }
        const QList<MessageBox::Shown> shown = MessageBox::shownAlerts();
        QCOMPARE(
            shown.at(shown.size() - 2).title,
            QStringLiteral("Are you sure you want to delete the category \"Top %2 Films\" and its 3 links?"));
        QCOMPARE(shown.last().title,
                 QStringLiteral("Are you sure you want to delete the category \"Empty\"?"));
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestCategorySheet)
#include "tst_categorysheet.moc"
