#include "DocumentFixture.h"
#include "document/DetailsView.h"
#include "document/StatusBarController.h"
#include "gui/FittedLabel.h"
#include "workflow/DetailsTexts.h"
#include "workflow/LinkListOrder.h"

#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>

// The category and link lists in the window: the selection kept across a re-sort, the keys and
// clicks of the tables, dropping links on a category, the count line and the details pane.
class TestLists : public QObject
{
    Q_OBJECT

private:
    void activate(MyDocument *document)
    {
        document->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(document));
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void headerClickKeepsTheSelectedLink()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("Zeta"), LinkStatusNew)
            .link(QStringLiteral("Alpha"), LinkStatusBlocked)
            .link(QStringLiteral("Mu"), LinkStatusApproved);
        MyDocument *document = m_fixture->open(db);
        // At first sorted by status.
        QCOMPARE(DocumentFixture::shownTitles(document),
                 (QStringList{QStringLiteral("Zeta"), QStringLiteral("Mu"), QStringLiteral("Alpha")}));
        DocumentFixture::selectLinks(document, {QStringLiteral("Mu")});
        const Link *mu = document->selectedLink();
        emit document->linksTable()->horizontalHeader()->sectionClicked(LinkListController::NameColumn);
        QCOMPARE(DocumentFixture::shownTitles(document),
                 (QStringList{QStringLiteral("Alpha"), QStringLiteral("Mu"), QStringLiteral("Zeta")}));
        QCOMPARE(document->selectedLink(), mu);
        QCOMPARE(document->linksTable()->selectionModel()->selectedRows().first().row(), 1);
        QCOMPARE(document->linksTable()->horizontalHeader()->sortIndicatorSection(),
                 int(LinkListController::NameColumn));
        QVERIFY(!document->isEdited());
    }

    void selectedLinksFollowEveryWayOfSelecting()
    {
        DatabaseBuilder db;
        for (int i = 0; i < 8; ++i)
            db.link(QStringLiteral("Link %1").arg(i));
        MyDocument *document = m_fixture->open(db);
        const LinkListController *list = document->linkListController();
        QItemSelectionModel *selection = document->linksTable()->selectionModel();
        auto rowsAsQtReadsThem = [&] {
            QList<int> rows;
            for (const QModelIndex &index : selection->selectedRows())
                rows.append(index.row());
            std::sort(rows.begin(), rows.end());
            return rows;
        };
        auto row = [&](int r) { return document->linksTable()->model()->index(r, 0); };
        const auto rowsFlags = QItemSelectionModel::Rows;
        // Select all, take two rows out (splitting the range), then add overlapping ranges back.
        document->linksTable()->selectAll();
        QCOMPARE(list->numberOfSelectedLinks(), 8);
        selection->select(row(2), QItemSelectionModel::Deselect | rowsFlags);
        selection->select(row(5), QItemSelectionModel::Toggle | rowsFlags);
        QCOMPARE(list->selectedRows(), QList<int>({0, 1, 3, 4, 6, 7}));
        QCOMPARE(list->selectedRows(), rowsAsQtReadsThem());
        selection->select(QItemSelection(row(1), row(5)), QItemSelectionModel::Select | rowsFlags);
        QCOMPARE(list->selectedRows(), rowsAsQtReadsThem());
        QCOMPARE(list->selectedLinkIDs().size(), 8);
        QVERIFY(!list->selectedLinkNode());
        selection->select(row(6), QItemSelectionModel::ClearAndSelect | rowsFlags);
        QCOMPARE(list->selectedLinkNode(), list->linkNodeAtRow(6));
        QCOMPARE(list->selectedLinkIDs(), QStringList({list->linkIDAtRow(6)}));
    }

    void linksDroppedOnACategoryMoveThere()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("One")).link(QStringLiteral("Two")).link(QStringLiteral("Three"));
        db.category(QStringLiteral("Target"), QStringLiteral("target"));
        db.category(QStringLiteral("Empty"), QStringLiteral("empty"));
        MyDocument *document = m_fixture->open(db, QStringLiteral("first.site"));
        DatabaseBuilder otherDb;
        MyDocument *other = m_fixture->open(otherDb, QStringLiteral("second.site"));
        // Each window drags links of its own type, which no other window's categories take.
        QVERIFY(document->linkPboardType() != other->linkPboardType());
        RightClickTableView *links = document->linksTable();
        QCOMPARE(links->dragDropMode(), QAbstractItemView::DragOnly);
        QCOMPARE(document->categoriesTable()->dragDropMode(), QAbstractItemView::DropOnly);

        DocumentFixture::selectLinks(document, {QStringLiteral("One"), QStringLiteral("Two")});
        std::unique_ptr<QMimeData> data(links->model()->mimeData(links->selectionModel()->selectedIndexes()));
        QAbstractItemModel *categories = document->categoriesTable()->model();
        CollectionManager &store = document->collectionManager();
        const QModelIndex target = categories->index(
            store.indexOfCategoryWithID(store.categoryWithName(QStringLiteral("Target"))->attachmentID()), 0);
        QVERIFY(categories->dropMimeData(data.get(), Qt::MoveAction, -1, 0, target));
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{QStringLiteral("Three")});
        QCOMPARE(categories->data(target, Qt::DisplayRole).toString(), QStringLiteral("Target (2)"));
        QVERIFY(document->isEdited());
        QVERIFY(!other->isEdited());

        // An empty category: no rows, no selection, an empty details pane.
        DocumentFixture::selectCategory(document, QStringLiteral("Empty"));
        QCOMPARE(links->model()->rowCount(), 0);
        QCOMPARE(document->numberOfSelectedLinks(), 0);
        QVERIFY(document->detailsView()->titleField()->fullText().isEmpty());
        QVERIFY(!document->detailsView()->testMainPageURLButton()->isEnabled());
    }

    void keysOfTheTables()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("One")).link(QStringLiteral("Two"));
        MyDocument *document = m_fixture->open(db);
        activate(document);
        RightClickTableView *links = document->linksTable();
        RightClickTableView *categories = document->categoriesTable();

        // Focusing the link list selects its first row when nothing is selected.
        document->selectLinksWithIDs({});
        categories->setFocus();
        QTest::keyClick(categories, Qt::Key_Right);
        QCOMPARE(document->focusWidget(), links);
        QCOMPARE(document->numberOfSelectedLinks(), 1);
        QTest::keyClick(links, Qt::Key_Left);
        QCOMPARE(document->focusWidget(), categories);
        QTest::keyClick(categories, Qt::Key_Left);
        QCOMPARE(document->focusWidget(), links);

        // Delete asks about the link; with Shift or Ctrl it is not the delete command.
        MessageBox::clearShownAlerts();
        QTest::keyClick(links, Qt::Key_Delete, Qt::ShiftModifier);
        QTest::keyClick(links, Qt::Key_Delete, Qt::ControlModifier);
        QTest::keyClick(links, Qt::Key_Backspace, Qt::ShiftModifier);
        QVERIFY(MessageBox::shownAlerts().isEmpty());
        MessageBox::setNextAnswer(1);
        QTest::keyClick(links, Qt::Key_Backspace);
        QCOMPARE(MessageBox::shownAlerts().size(), 1);
        QVERIFY(MessageBox::shownAlerts().first().title.startsWith(
            QLatin1String("Are you sure you want to delete the link")));

        // In the category list, Return edits and Delete deletes the category: here the default one.
        categories->setFocus();
        QTest::keyClick(categories, Qt::Key_Return);
        QTest::keyClick(categories, Qt::Key_Delete);
        QCOMPARE(MessageBox::shownAlerts().at(1).title, QStringLiteral("This category cannot be edited."));
        QCOMPARE(MessageBox::shownAlerts().at(2).title, QStringLiteral("This category cannot be deleted."));
        QCOMPARE(document->collectionManager().numberOfLinks(), 2);
        QVERIFY(!document->isEdited());
    }

    void rightClickSelectsTheRowFirst()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("A")).link(QStringLiteral("B")).link(QStringLiteral("C"));
        MyDocument *document = m_fixture->open(db);
        RightClickTableView *links = document->linksTable();
        links->setContextMenu(nullptr); // no menu pops up during the test
        const QPoint rowTwo = links->visualRect(links->model()->index(2, 2)).center();
        DocumentFixture::selectLinks(document, {QStringLiteral("A")});
        QTest::mousePress(links->viewport(), Qt::RightButton, {}, rowTwo);
        QCOMPARE(document->selectedLinkIDs(), QStringList{document->linkListController()->linkIDAtRow(2)});

        // A right click on a row of a multiple selection keeps the selection.
        DocumentFixture::selectLinks(document, {QStringLiteral("A"), QStringLiteral("C")});
        QTest::mousePress(links->viewport(), Qt::RightButton, {}, rowTwo);
        QCOMPARE(document->numberOfSelectedLinks(), 2);
    }

    void countLine()
    {
        CollectionManager store;
        QLabel field;
        StatusBarController controller(&store, &field);
        controller.refresh();
        QCOMPARE(field.text(), QStringLiteral("0 links in database"));
        LinkFields fields;
        fields.title = QStringLiteral("Solo");
        fields.categoryID = NoneCategoryID;
        store.addLinkFromFields(fields);
        controller.refresh();
        QCOMPARE(field.text(), QStringLiteral("1 link in database"));
        store.addCategoryWithName(QStringLiteral("Other"), QStringLiteral("other"));
        fields.categoryID = store.categoryWithName(QStringLiteral("Other"))->attachmentID();
        store.addLinkFromFields(fields);
        controller.setCategory(store.defaultCategoryNode());
        QCOMPARE(field.text(), QStringLiteral("2 links in database")); // the whole database, not the category
    }

    void contactLine_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("line");
        QTest::newRow("all") << QString("Ann") << QString("Lee") << QString("ann@x.example")
                             << QString("Ann Lee (ann@x.example)");
        QTest::newRow("last and mail")
            << QString("") << QString("Lee") << QString("ann@x.example") << QString("Lee (ann@x.example)");
        QTest::newRow("mail only") << QString("") << QString("") << QString("ann@x.example")
                                   << QString("ann@x.example");
        QTest::newRow("names only") << QString("Ann") << QString("Lee") << QString("") << QString("Ann Lee");
        QTest::newRow("first only") << QString("Ann") << QString("") << QString("") << QString("Ann");
        QTest::newRow("nothing") << QString("") << QString("") << QString("") << QString("");
    }

    void contactLine()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, email);
        QFETCH(QString, line);
        Link link;
        LinkFields fields;
        fields.contactFirstName = first;
        fields.contactLastName = last;
        fields.contactEmail = email;
        link.setTitle(fields);
        QCOMPARE(DetailsTexts::contactLine(link), line);
    }

    void detailsPaneShowsOneLinkOnly()
    {
        DatabaseBuilder db;
        LinkFields fields;
        fields.title = QStringLiteral("Long");
        fields.URL = QStringLiteral("http://www.example.com/") + QString(240, QLatin1Char('x'));
        fields.description = QString(300, QLatin1Char('d'));
        fields.contactFirstName = QStringLiteral("Ann");
        fields.contactEmail = QStringLiteral("ann@x.example");
        fields.status = LinkStatusApproved;
        fields.keywords = QStringLiteral("ponds, frogs");
        fields.counterpartURL = QStringLiteral("http://"); // how an empty links page is stored
        LinkFields odd;
        odd.title = QStringLiteral("Odd");
        odd.URL = QStringLiteral("http://odd.example/");
        odd.counterpartURL = QStringLiteral("http://odd.example/links.html");
        odd.status = '7'; // a byte the file may hold
        db.link(fields).link(QStringLiteral("Other")).link(odd);
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectLinks(document, {QStringLiteral("Long")});
        DetailsView *details = document->detailsView();
        QCOMPARE(details->titleField()->fullText(), QStringLiteral("Long"));
        QCOMPARE(details->statusField()->fullText(), QStringLiteral("Approved"));
        QCOMPARE(details->contactField()->fullText(), QStringLiteral("Ann (ann@x.example)"));
        QCOMPARE(details->descriptionField()->text(), fields.description); // wraps, never cut
        QVERIFY(details->mainPageURLField()->text().endsWith(QLatin1String("...")));
        QVERIFY(details->mainPageURLField()->text().size() < fields.URL.size());
        QCOMPARE(details->mainPageURLField()->toolTip(), document->selectedLink()->URL());
        QVERIFY(details->testMainPageURLButton()->isEnabled());
        QVERIFY(!details->statusImage()->pixmap().isNull() ||
                QIcon(QStringLiteral(":/images/verified.svg")).isNull());
        QCOMPARE(details->keywordsField()->fullText(), QStringLiteral("ponds, frogs"));
        QCOMPARE(details->linksPageURLField()->fullText(), QStringLiteral("Not given"));
        QVERIFY(details->testLinksPageURLButton()->isHidden());

        // An unknown status reads as New, with New's picture; a links page can be visited.
        DocumentFixture::selectLinks(document, {QStringLiteral("Odd")});
        QCOMPARE(details->statusField()->fullText(), QStringLiteral("New"));
        QVERIFY(!details->statusImage()->pixmap().isNull() ||
                QIcon(QStringLiteral(":/images/new.svg")).isNull());
        QCOMPARE(details->linksPageURLField()->fullText(), QStringLiteral("http://odd.example/links.html"));
        QVERIFY(!details->testLinksPageURLButton()->isHidden());
        QVERIFY(details->keywordsField()->fullText().isEmpty());

        // Two links: the pane is empty and its buttons are off, as with none.
        DocumentFixture::selectLinks(document, {QStringLiteral("Long"), QStringLiteral("Other")});
        QVERIFY(details->titleField()->fullText().isEmpty());
        QVERIFY(details->contactField()->fullText().isEmpty());
        QVERIFY(!details->testMainPageURLButton()->isEnabled());
        QVERIFY(!details->sendMessagePopup()->isEnabled());
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
