#include "DocumentFixture.h"
#include "document/DetailsView.h"
#include "document/StatusBarController.h"
#include "gui/FittedLabel.h"
#include "model/LinkDragPayload.h"
#include "workflow/DetailsTexts.h"
#include "workflow/LinkListOrder.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QToolButton>

// The category and link lists: their models, the sort order, the selection kept across a re-sort,
// the keys and clicks of the tables, dragging links, the count line and the details pane.
class TestLists : public QObject
{
    Q_OBJECT

private:
    // The order the link list must show: each link inserted before the first shown link it
    // sorts before, so equal links keep their tree order.
    static QStringList straightforwardOrder(const TreeNode *category, int column)
    {
        std::vector<const TreeNode *> shown;
        for (const TreeNode *node : category->children()) {
            auto at = shown.begin();
            while (at != shown.end() && LinkListOrder::compareLink(node, *at, column) >= 0)
                ++at;
            shown.insert(at, node);
        }
        QStringList ids;
        for (const TreeNode *node : shown)
            ids.append(node->attachmentID());
        return ids;
    }

    static QStringList shownIDs(MyDocument *document)
    {
        QStringList ids;
        for (int row = 0; row < document->linkListController()->rowCount(); ++row)
            ids.append(document->linkListController()->linkIDAtRow(row));
        return ids;
    }

    void activate(MyDocument *document)
    {
        document->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(document));
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void modelsStayConsistent()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("General one"));
        db.category(QStringLiteral("Books"), QStringLiteral("books"))
            .link(QStringLiteral("B1"))
            .link(QStringLiteral("B2"));
        db.category(QStringLiteral("Empty"), QStringLiteral("empty"));
        MyDocument *document = m_fixture->open(db);
        QAbstractItemModelTester categories(document->categoryListController(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester links(document->linkListController(),
                                       QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(document->categoryListController()->rowCount(), 3);
        QCOMPARE(document->categoryListController()
                     ->data(document->categoryListController()->index(1), Qt::DisplayRole)
                     .toString(),
                 QStringLiteral("Books (2)"));
        DocumentFixture::selectCategory(document, QStringLiteral("Books"));
        QCOMPARE(DocumentFixture::shownTitles(document),
                 (QStringList{QStringLiteral("B1"), QStringLiteral("B2")}));
        emit document->linksTable()->horizontalHeader()->sectionClicked(LinkListController::NameColumn);
        document->refreshUI();

        // An empty category: no rows, no selection, an empty details pane.
        DocumentFixture::selectCategory(document, QStringLiteral("Empty"));
        QCOMPARE(document->linkListController()->rowCount(), 0);
        QCOMPARE(document->numberOfSelectedLinks(), 0);
        QVERIFY(document->detailsView()->titleField()->fullText().isEmpty());
        QVERIFY(!document->detailsView()->testMainPageURLButton()->isEnabled());
    }

    void sortingMatchesTheStraightforwardOrder()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Mixed"), QStringLiteral("mixed"));
        QRandomGenerator random(42);
        const LinkStatus statuses[] = {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved,
                                       LinkStatusBlocked};
        for (int i = 0; i < 300; ++i) {
            LinkFields fields;
            // Few distinct values, so that many links compare equal.
            fields.title = QStringLiteral("Site %1").arg(random.bounded(12));
            fields.description =
                random.bounded(3) == 0 ? QString() : QStringLiteral("d%1").arg(random.bounded(5));
            fields.status = statuses[random.bounded(4)];
            fields.URL = QStringLiteral("http://s%1.example/").arg(i);
            db.link(fields);
        }
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Mixed"));
        const TreeNode *category = document->linkListController()->category();
        QCOMPARE(shownIDs(document), straightforwardOrder(category, -1));
        for (int column = 0; column < LinkListController::ColumnCount; ++column) {
            emit document->linksTable()->horizontalHeader()->sectionClicked(column);
            QCOMPARE(document->linkListController()->sortCriterion(), column);
            QCOMPARE(shownIDs(document), straightforwardOrder(category, column));
        }
    }

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

    void dragPayloadRoundTrip()
    {
        const QStringList ids{QStringLiteral("LNK1"), QStringLiteral("LNK1234567890")};
        const QByteArray payload = LinkDragPayload::encode(ids);
        QCOMPARE(payload.size(), 4 + 2 * 50);
        QCOMPARE(LinkDragPayload::decode(payload), std::optional<QStringList>(ids));
        QVERIFY(!LinkDragPayload::decode(payload.left(53)));
        QVERIFY(!LinkDragPayload::decode(QByteArray("\xff\xff\xff\x7f", 4)));
        QCOMPARE(LinkDragPayload::decode(LinkDragPayload::encode({})),
                 std::optional<QStringList>(QStringList()));
    }

    void linksDropOnlyIntoTheirOwnWindow()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("One")).link(QStringLiteral("Two")).link(QStringLiteral("Three"));
        db.category(QStringLiteral("Target"), QStringLiteral("target"));
        MyDocument *document = m_fixture->open(db, QStringLiteral("first.site"));
        DatabaseBuilder otherDb;
        otherDb.category(QStringLiteral("Elsewhere"), QStringLiteral("elsewhere"));
        MyDocument *other = m_fixture->open(otherDb, QStringLiteral("second.site"));

        LinkListController *links = document->linkListController();
        QModelIndexList dragged;
        for (int row = 0; row < links->rowCount(); ++row) {
            if (links->linkNodeAtRow(row)->link()->title() != QLatin1String("Three"))
                dragged << links->index(row, 0) << links->index(row, 2);
        }
        std::unique_ptr<QMimeData> data(links->mimeData(dragged));
        QVERIFY(data);
        QCOMPARE(LinkDragPayload::decode(data->data(document->linkPboardType()))->size(), 2);

        // Another window's categories refuse them, and so does the link list itself.
        CategoryListController *foreign = other->categoryListController();
        QVERIFY(!foreign->canDropMimeData(data.get(), Qt::MoveAction, -1, 0, foreign->index(0)));
        QVERIFY(!foreign->dropMimeData(data.get(), Qt::MoveAction, -1, 0, foreign->index(0)));
        QCOMPARE(links->supportedDropActions(), Qt::IgnoreAction);
        QVERIFY(!other->isEdited());

        CategoryListController *own = document->categoryListController();
        const int target = document->collectionManager().indexOfCategoryWithID(
            document->collectionManager().categoryWithName(QStringLiteral("Target"))->attachmentID());
        // Below the last row: refused.
        QVERIFY(!own->canDropMimeData(data.get(), Qt::MoveAction, own->rowCount(), 0, QModelIndex()));
        // Between rows counts as onto the row below.
        QVERIFY(own->canDropMimeData(data.get(), Qt::MoveAction, target, 0, QModelIndex()));
        QVERIFY(own->dropMimeData(data.get(), Qt::MoveAction, -1, 0, own->index(target)));
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{QStringLiteral("Three")});
        QCOMPARE(document->collectionManager().categoryWithName(QStringLiteral("Target"))->numberOfChildren(),
                 2);
        QCOMPARE(own->data(own->index(target), Qt::DisplayRole).toString(), QStringLiteral("Target (2)"));
        QVERIFY(document->isEdited());
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
        const QPoint rowTwo = links->visualRect(document->linkListController()->index(2, 2)).center();
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
