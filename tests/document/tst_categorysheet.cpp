#include "DocumentFixture.h"
#include "document/AskStringDialogController.h"
#include "document/CategoryCommands.h"

#include <QLineEdit>

// The category name sheet in a document window: the ID following the name, the trim questions, and
// the three category commands around it. The checks themselves are the form's (tst_categorynameform).
class TestCategorySheet : public QObject
{
    Q_OBJECT

private:
    // Confirms the sheet with these texts and answers; the titles of the alerts it showed.
    static QStringList confirm(AskStringDialogController *sheet, const QString &name, const QString &anchor,
                               const QList<int> &answers = {})
    {
        MessageBox::clearShownAlerts();
        for (const int answer : answers)
            MessageBox::setNextAnswer(answer);
        sheet->categoryNameField()->setText(name);
        sheet->anchorNameField()->setText(anchor);
        sheet->confirm();
        QStringList titles;
        for (const MessageBox::Shown &shown : MessageBox::shownAlerts())
            titles.append(shown.title);
        return titles;
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void addRenameTrimAndDelete()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Apples"), QStringLiteral("apples")).link(QStringLiteral("Orchard"));
        db.category(QStringLiteral("Top %2 Films"), QStringLiteral("films"))
            .link(QStringLiteral("One"))
            .link(QStringLiteral("Two"));
        MyDocument *document = m_fixture->open(db);
        CollectionManager &store = document->collectionManager();
        CategoryCommands *commands = document->commandArea<CategoryCommands>();

        // The ID follows the name until typed; emptied, it shows the proposal and takes it.
        commands->newCategory();
        AskStringDialogController *sheet = document->askStringDialog();
        QVERIFY(sheet->isVisible() && document->hasAttachedSheet());
        QTest::keyClicks(sheet->categoryNameField(), QStringLiteral("Old Books"));
        QCOMPARE(sheet->categoryAnchor(), QStringLiteral("oldbooks"));
        sheet->anchorNameField()->selectAll();
        QTest::keyClicks(sheet->anchorNameField(), QStringLiteral("vintage"));
        QTest::keyClicks(sheet->categoryNameField(), QStringLiteral(" 2"));
        QCOMPARE(sheet->categoryAnchor(), QStringLiteral("vintage"));
        sheet->anchorNameField()->selectAll();
        QTest::keyClick(sheet->anchorNameField(), Qt::Key_Backspace);
        QCOMPARE(sheet->anchorNameField()->placeholderText(), QStringLiteral("oldbooks2"));
        sheet->confirm();
        QVERIFY(!sheet->isVisible());
        TreeNode *added = store.categoryWithName(QStringLiteral("Old Books 2"));
        QVERIFY(added);
        QCOMPARE(added->category()->anchor(), QStringLiteral("oldbooks2"));
        QCOMPARE(document->selectedCategoryNode(), added);
        QVERIFY(document->isEdited());

        // The next use starts empty; a failed check keeps the sheet open with its alert.
        document->setWindowModified(false);
        commands->newCategory();
        QCOMPARE(sheet->categoryName(), QString());
        QCOMPARE(confirm(sheet, QStringLiteral("Games"), QStringLiteral("a_b")),
                 QStringList{QStringLiteral("The Category ID field contains invalid characters.")});
        QVERIFY(sheet->isVisible());

        // Too long: OK keeps the text as typed; Trim cuts the name, then the ID is asked about.
        const QString longName(200, QLatin1Char('n'));
        const QString longAnchor(50, QLatin1Char('a'));
        QCOMPARE(confirm(sheet, longName, QStringLiteral("x"), {0}),
                 QStringList{QStringLiteral("The category name is too long.")});
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->categoryName(), longName);
        QCOMPARE(confirm(sheet, longName, longAnchor, {1, 1}),
                 (QStringList{QStringLiteral("The category name is too long."),
                              QStringLiteral("The category ID is too long.")}));
        QCOMPARE(MessageBox::shownAlerts().at(1).message,
                 QStringLiteral("The category ID can only contain up to 49 characters."));
        QVERIFY(!sheet->isVisible());
        QVERIFY(store.categoryWithName(longName.left(199)));
        QCOMPARE(store.categoryWithName(longName.left(199))->category()->anchor(), longAnchor.left(49));

        // A name trimmed into another category's is refused.
        commands->newCategory();
        QCOMPARE(confirm(sheet, longName.left(199) + QLatin1Char('x'), QStringLiteral("second"), {1}).last(),
                 QStringLiteral("A category with the same name already exists."));
        QVERIFY(sheet->isVisible());
        sheet->cancel();
        QCOMPARE(store.numberOfCategories(), 5);

        // Renamed, a category moves to its place in the list and stays selected with its links.
        DocumentFixture::selectCategory(document, QStringLiteral("Apples"));
        commands->renameCategory();
        QCOMPARE(sheet->categoryName(), QStringLiteral("Apples"));
        QCOMPARE(sheet->categoryAnchor(), QStringLiteral("apples"));
        QVERIFY(confirm(sheet, QStringLiteral("Zucchini"), QStringLiteral("apples")).isEmpty());
        TreeNode *renamed = document->selectedCategoryNode();
        QCOMPARE(renamed->category()->name(), QStringLiteral("Zucchini"));
        QCOMPARE(store.categoryRoot()->indexOfChild(renamed), store.numberOfCategories() - 1);
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{QStringLiteral("Orchard")});

        // The default category can be neither renamed nor deleted.
        document->setWindowModified(false);
        document->showAndSelectCategoryNode(store.defaultCategoryNode());
        MessageBox::clearShownAlerts();
        commands->renameCategory();
        commands->deleteCategory();
        const QList<MessageBox::Shown> refused = MessageBox::shownAlerts();
        QCOMPARE(refused.size(), 2);
        QCOMPARE(refused.at(0).title, QStringLiteral("This category cannot be edited."));
        QCOMPARE(refused.at(0).message, QStringLiteral("The category \"General\" cannot be edited."));
        QCOMPARE(refused.at(1).title, QStringLiteral("This category cannot be deleted."));
        QCOMPARE(refused.at(1).message, QStringLiteral("The category \"General\" cannot be deleted."));
        QVERIFY(!sheet->isVisible());

        // Deleting asks, counting the links that go with it; Cancel keeps everything.
        const QString ask = QStringLiteral("Are you sure you want to delete the category ");
        for (const auto &[name, question] :
             {std::pair{QStringLiteral("Top %2 Films"), QStringLiteral("\"Top %2 Films\" and its 2 links?")},
              std::pair{QStringLiteral("Old Books 2"), QStringLiteral("\"Old Books 2\"?")}}) {
            DocumentFixture::selectCategory(document, name);
            MessageBox::setNextAnswer(1); // Cancel
            commands->deleteCategory();
            QCOMPARE(MessageBox::shownAlerts().last().title, ask + question);
            QCOMPARE(MessageBox::shownAlerts().last().buttons,
                     (QStringList{QStringLiteral("Delete"), QStringLiteral("Cancel")}));
        }
        QCOMPARE(store.numberOfCategories(), 5);
        QVERIFY(!document->isEdited());

        // Deleted, the default category is shown.
        DocumentFixture::selectCategory(document, QStringLiteral("Zucchini"));
        MessageBox::setNextAnswer(0);
        commands->deleteCategory();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 ask + QStringLiteral("\"Zucchini\" and its 1 link?"));
        QCOMPARE(store.numberOfCategories(), 4);
        QCOMPARE(store.numberOfLinks(), 2);
        QCOMPARE(document->selectedCategoryNode(), store.defaultCategoryNode());
        QCOMPARE(document->linkListController()->category(), store.defaultCategoryNode());
        QVERIFY(document->isEdited());
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestCategorySheet)
#include "tst_categorysheet.moc"
