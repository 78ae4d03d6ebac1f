#include "DocumentFixture.h"
#include "document/DetailsView.h"
#include "document/Document.h"
#include "document/DocumentMenus.h"
#include "document/DocumentWindowState.h"
#include "document/FileCommands.h"
#include "document/LinkListModel.h"
#include "gui/FittedLabel.h"
#include "gui/WindowPlacement.h"
#include "model/Link.h"
#include "model/LinkDragPayload.h"
#include "workflow/DetailsTexts.h"
#include "workflow/LinkListOrder.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QToolButton>
#include <QWindow>

// The document window: its lists' models without a window (rows through edits, sorts and reloads,
// links dragged between them); its tables, keys, clicks, count line and details pane, and how they
// share the window; where it opens, its title and the window state it keeps in its file.
class TestDocumentWindow : public QObject
{
    Q_OBJECT

    static constexpr auto Fatal = QAbstractItemModelTester::FailureReportingMode::QtTest;
    const QString m_dragType = LinkDragPayload::typeForDocument(QStringLiteral("doc"));

    static QStringList column(const QAbstractItemModel &model, int column, int role = Qt::DisplayRole)
    {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts.append(model.data(model.index(row, column), role).toString());
        return texts;
    }

    static QRect mainScreen() { return QGuiApplication::primaryScreen()->geometry(); }
    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    using State = DocumentWindowState;

    // Waits until the window shows its stored state and records changes.
    static MyDocument *settled(MyDocument *document)
    {
        const bool ready = document && QTest::qWaitForWindowExposed(document) && QTest::qWaitFor([document] {
                               return document->documentWindowState()->isRecording();
                           });
        return ready ? document : nullptr;
    }
    MyDocument *openAndSettle(const QString &path)
    {
        return settled(m_fixture->controller().openDocument(path));
    }

    static std::unique_ptr<CollectionManager> reread(const QString &path)
    {
        auto store = std::make_unique<CollectionManager>();
        return DatabaseFile::read(path, *store) ? std::move(store) : nullptr;
    }

    // The stored state equals what the window shows.
    static bool recordsWhatItShows(MyDocument *document, const CollectionManager &store)
    {
        return store.windowFrame() ==
                   State::savedFrameFromWindowFrame(document->frameGeometry(), mainScreen()) &&
               store.splitterPosition() == document->documentWindowState()->splitterPosition() &&
               store.splitterPosition() > 0 &&
               *store.columnWidths() == document->linkListController()->columnWidths();
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void linkRowsFollowTheStore()
    {
        DatabaseBuilder db;
        db.category("Ponds").link("Zeta", LinkStatusNew).link("Alpha", LinkStatusBlocked).link("Mu");
        CollectionManager &store = db.store();
        TreeNode *ponds = db.currentCategory();
        LinkListModel model(&store, m_dragType);
        QAbstractItemModelTester tester(&model, Fatal);
        QVERIFY(model.rowCount() == 0 && !model.linkNodeAtRow(0));

        // At first by status, then by the column asked for (each way round, a stable sort, in
        // sortingMatchesTheStraightforwardOrder).
        model.setCategory(ponds);
        QCOMPARE(column(model, LinkListModel::NameColumn), QStringList({"Zeta", "Mu", "Alpha"}));
        model.sort(LinkListModel::NameColumn, Qt::DescendingOrder);
        QVERIFY(!model.setSortOrder(LinkListModel::ColumnCount, false)); // from another version
        QVERIFY(!model.setSortOrder(-1, false));
        QVERIFY(model.sortColumn() == LinkListModel::NameColumn && model.sortDescending());

        // Added, renamed and deleted links show after a reload, in their sorted place.
        LinkFields fields;
        fields.title = "Omega";
        fields.categoryID = ponds->attachmentID();
        const QString omega = store.addLinkFromFields(fields)->attachmentID();
        model.reload();
        QCOMPARE(column(model, LinkListModel::NameColumn), QStringList({"Zeta", "Omega", "Mu", "Alpha"}));
        TreeNode *mu = model.linkNodeAtRow(2);
        fields = mu->link()->fields();
        fields.title = "Beta";
        store.editLinkNode(mu, fields);
        store.deleteLinkNodesWithIDs({omega});
        // Until the reload the rows keep their links by ID: the deleted one shows nothing.
        QVERIFY(!model.linkNodeAtRow(1));
        QVERIFY(!model.index(1, LinkListModel::NameColumn).data().isValid());
        QCOMPARE(model.index(2, LinkListModel::NameColumn).data().toString(), QString("Beta"));
        model.reload();
        QCOMPARE(column(model, LinkListModel::NameColumn), QStringList({"Zeta", "Beta", "Alpha"}));
        QCOMPARE(model.rowOfLinkID(omega), -1);

        // The whole file read again: the model lets go of the old nodes first.
        const QByteArray saved = store.dataRepresentation();
        model.setCategory(nullptr);
        QVERIFY(store.loadDataRepresentation(saved));
        model.setCategory(store.categoryWithName("Ponds"));
        QCOMPARE(column(model, LinkListModel::NameColumn), QStringList({"Zeta", "Beta", "Alpha"}));
    }

    void sortingMatchesTheStraightforwardOrder()
    {
        DatabaseBuilder db;
        db.category("Mixed");
        QRandomGenerator random(42);
        const LinkStatus statuses[] = {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved,
                                       LinkStatusBlocked};
        for (int i = 0; i < 300; ++i) {
            LinkFields fields;
            // Few distinct values, so that many links compare equal.
            fields.title = QString("Site %1").arg(random.bounded(12));
            fields.description = random.bounded(3) == 0 ? QString() : QString("d%1").arg(random.bounded(5));
            fields.status = statuses[random.bounded(4)];
            fields.URL = QString("http://s%1.example/").arg(i);
            db.link(fields);
        }
        LinkListModel model(&db.store(), m_dragType);
        model.setCategory(db.currentCategory());
        for (int column = -1; column < LinkListModel::ColumnCount; ++column) {
            if (column >= 0)
                model.sort(column, Qt::AscendingOrder);
            // The straightforward order: each link inserted before the first shown link it sorts
            // before, so equal links keep their tree order.
            std::vector<const TreeNode *> expected;
            for (const TreeNode *node : db.currentCategory()->children()) {
                auto at = expected.begin();
                while (at != expected.end() && LinkListOrder::compareLink(node, *at, column) >= 0)
                    ++at;
                expected.insert(at, node);
            }
            QCOMPARE(model.rowCount(), int(expected.size()));
            for (int row = 0; row < model.rowCount(); ++row)
                QCOMPARE(model.linkIDAtRow(row), expected.at(row)->attachmentID());
        }
    }

    void listsFollowEachChangeRowByRow()
    {
        // As the window sees them, through the document: every change, undo and redo moves, inserts,
        // removes or updates rows (only those of the links it touched), never resets them, and leaves
        // them as a reload would show them; rows it did not touch keep their indexes.
        Document document;
        CollectionManager &store = document.collectionManager();
        TreeNode *ponds = nullptr;
        QStringList ids;
        auto fieldsFor = [&](const QString &title) {
            LinkFields fields;
            fields.title = title;
            fields.categoryID = ponds->attachmentID();
            fields.URL = QString("http://%1.example/").arg(title.toLower());
            return fields;
        };
        document.perform("Set Up", [&](DocumentChange &) {
            ponds = store.addCategoryWithName("Ponds", "ponds");
            for (const QString title : {"Zeta", "Alpha", "Mu", "Kappa", "Kappa"})
                ids.append(store.addLinkFromFields(fieldsFor(title))->attachmentID());
            return true;
        });
        LinkListModel links(&store, m_dragType);
        CategoryListModel categories(&store, m_dragType);
        QAbstractItemModelTester linkTester(&links, Fatal);
        QAbstractItemModelTester categoryTester(&categories, Fatal);
        links.sort(LinkListModel::NameColumn, Qt::DescendingOrder);
        links.setCategory(ponds);
        categories.reload();
        connect(&document, &Document::changed, &links, &LinkListModel::update);
        connect(&document, &Document::changed, &categories, &CategoryListModel::update);
        QSignalSpy linkResets(&links, &QAbstractItemModel::modelReset);
        QSignalSpy categoryResets(&categories, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&links, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&links, &QAbstractItemModel::rowsRemoved);
        QStringList changedIDs;
        connect(&links, &QAbstractItemModel::dataChanged, this,
                [&](const QModelIndex &from, const QModelIndex &to) {
                    for (int row = from.row(); row <= to.row(); ++row)
                        changedIDs.append(links.linkIDAtRow(row));
                });
        const QPersistentModelIndex kappa(links.index(links.rowOfLinkID(ids[3]), LinkListModel::NameColumn));

        auto perform = [&](const std::function<void()> &operation) {
            document.perform("Change", [&](DocumentChange &) {
                operation();
                return true;
            });
        };
        auto edit = [&](int link, const QString &title, const QString &description) {
            perform([&] {
                LinkFields fields = fieldsFor(title);
                fields.description = description;
                store.editLinkNode(store.linkNodeWithID(ids[link]), fields);
            });
        };
        struct Step
        {
            const char *what;
            std::function<void()> run;
            QStringList changed;
            int insertedRows, removedRows;
        };
        const QList<Step> steps{
            {"a description", [&] { edit(2, "Mu", "pond life"); }, {ids[2]}, 0, 0},
            {"a title that sorts elsewhere", [&] { edit(1, "Omega", QString()); }, {ids[1]}, 0, 0},
            {"a verification result",
             [&] {
                 perform([&] {
                     store.recordVerificationResults({{ids[0], VerificationSucceeded}}, QDate(2024, 5, 1));
                 });
             },
             {ids[0]},
             0,
             0},
            {"a new link",
             [&] {
                 perform([&] { ids.append(store.addLinkFromFields(fieldsFor("Kappa"))->attachmentID()); });
             },
             {},
             1,
             0},
            {"a deleted link", [&] { perform([&] { store.deleteLinkNodesWithIDs({ids[0]}); }); }, {}, 0, 1},
            {"undone", [&] { document.undo(); }, {}, 1, 0},
            {"undone again", [&] { document.undo(); }, {}, 0, 1},
            {"redone", [&] { document.redo(); }, {}, 1, 0},
            {"a link moved away and a category added",
             [&] {
                 perform(
                     [&] { store.moveLinksWithIDs({ids[2]}, store.addCategoryWithName("Lakes", "lakes")); });
             },
             {},
             0,
             1},
            {"undone with the category", [&] { document.undo(); }, {}, 1, 0},
            {"the category renamed first",
             [&] { perform([&] { store.renameCategory(ponds, "Aponds", "ponds"); }); },
             {},
             0,
             0},
        };
        for (const Step &step : steps) {
            changedIDs.clear();
            inserted.clear();
            removed.clear();
            step.run();
            std::vector<TreeNode *> expected;
            LinkListOrder::buildSortedLinkList(expected, ponds, LinkListModel::NameColumn, true);
            QStringList expectedIDs;
            for (const TreeNode *node : expected)
                expectedIDs.append(node->attachmentID());
            QCOMPARE(links.linkIDs(), expectedIDs);
            changedIDs.removeDuplicates();
            QCOMPARE(changedIDs, step.changed);
            QCOMPARE(inserted.size(), step.insertedRows);
            QCOMPARE(removed.size(), step.removedRows);
            QVERIFY2(kappa.isValid() && links.linkIDAtRow(kappa.row()) == ids[3], step.what);
            const std::vector<TreeNode *> &shownCategories = store.categoryRoot()->children();
            QCOMPARE(categories.rowCount(), int(shownCategories.size()));
            for (int row = 0; row < categories.rowCount(); ++row)
                QCOMPARE(categories.categoryNodeAtRow(row), shownCategories[size_t(row)]);
        }
        QCOMPARE(linkResets.size(), 0);
        QCOMPARE(categoryResets.size(), 0);
    }

    void windowKeepsSelectionAndScrollThroughChanges()
    {
        // Saved results of other links (some of which then sort elsewhere) leave the selected link, the
        // current row and the scroll position as they were; deleting the selected link takes its
        // selection along. Neither reads the list again.
        DatabaseBuilder db;
        db.category("Many");
        for (int i = 0; i < 200; ++i)
            db.link(QString("Site %1").arg(i, 3, 10, QChar('0')), i % 2 ? LinkStatusNew : LinkStatusApproved);
        MyDocument *document = settled(m_fixture->open(db));
        QVERIFY(document);
        DocumentFixture::selectCategory(document, "Many");
        LinkListController *list = document->linkListController();
        const QString selected = list->linkIDAtRow(120);
        document->selectLinksWithIDs({selected});
        document->linksTable()->scrollTo(document->linksTable()->currentIndex());
        const int scroll = document->linksTable()->verticalScrollBar()->value();
        QVERIFY(scroll > 0);
        QSignalSpy resets(list->model(), &QAbstractItemModel::modelReset);
        auto kept = [&] {
            return document->selectedLinkIDs() == QStringList{selected} &&
                   list->linkIDAtRow(document->linksTable()->currentIndex().row()) == selected &&
                   document->linksTable()->verticalScrollBar()->value() == scroll;
        };
        QList<std::pair<QString, VerificationResult>> results;
        for (const int row : {3, 60, 150, 199})
            results.append({list->linkIDAtRow(row), VerificationSucceeded});
        document->document()->perform("Save Verification Results", [&](DocumentChange &) {
            return document->collectionManager().recordVerificationResults(results, QDate(2024, 6, 1));
        });
        QVERIFY(kept());
        document->document()->perform("Delete Link", [&](DocumentChange &) {
            document->collectionManager().deleteLinkNodesWithIDs({selected});
            return true;
        });
        QVERIFY(document->selectedLinkIDs().isEmpty() && list->rowOfLinkID(selected) < 0);
        QCOMPARE(resets.size(), 0);
    }

    void categoryRowsFollowTheStoreAndTakeTheirDocumentsLinks()
    {
        const QStringList ids{"LNK1", "LNK1234567890"};
        const QByteArray payload = LinkDragPayload::encode(ids);
        QCOMPARE(payload.size(), 4 + 2 * 50);
        QCOMPARE(LinkDragPayload::decode(payload), std::optional<QStringList>(ids));
        QVERIFY(!LinkDragPayload::decode(payload.left(53)));
        QVERIFY(!LinkDragPayload::decode(QByteArray("\xff\xff\xff\x7f", 4)));
        QCOMPARE(LinkDragPayload::decode(LinkDragPayload::encode({})),
                 std::optional<QStringList>(QStringList()));

        DatabaseBuilder db;
        db.link("One").link("Two").link("Three");
        db.category("Books").link("B1").link("B2");
        CollectionManager &store = db.store();
        CategoryListModel categories(&store, m_dragType);
        QAbstractItemModelTester tester(&categories, Fatal);
        categories.reload();
        QCOMPARE(column(categories, 0), QStringList({"General (3)", "Books (2)"}));
        QVERIFY(!categories.index(1).data(Qt::DecorationRole).isNull());

        // The rows change only with a reload, whatever the store did meanwhile.
        TreeNode *empty = store.addCategoryWithName("Empty", "empty");
        QCOMPARE(categories.rowCount(), 2);
        categories.reload();
        QCOMPARE(column(categories, 0), QStringList({"General (3)", "Books (2)", "Empty"}));
        store.renameCategory(empty, "Target", "target");
        store.deleteCategoryNode(store.categoryWithName("Books"));
        categories.reload();
        QCOMPARE(column(categories, 0), QStringList({"General (3)", "Target"}));

        // Cleared before the store replaces its tree, the model holds no node at all.
        const QByteArray saved = store.dataRepresentation();
        categories.clear();
        QVERIFY(categories.isCleared() && categories.rowCount() == 0 && !categories.categoryNodeAtRow(0));
        QVERIFY(store.loadDataRepresentation(saved));
        categories.reload();
        QCOMPARE(categories.categoryNodeAtRow(1), store.categoryWithName("Target"));

        // Two rows dragged, each named by two cells: each link once, in row order.
        LinkListModel links(&store, m_dragType);
        links.sort(LinkListModel::NameColumn, Qt::AscendingOrder);
        links.setCategory(store.defaultCategoryNode());
        QSignalSpy dropped(&categories, &CategoryListModel::linksDropped);
        QCOMPARE(links.supportedDropActions(), Qt::IgnoreAction);
        QVERIFY(!links.mimeData({}));
        std::unique_ptr<QMimeData> data(
            links.mimeData({links.index(2, 2), links.index(1, 0), links.index(2, 0), links.index(1, 3)}));
        const QStringList dragged{links.linkIDAtRow(1), links.linkIDAtRow(2)};
        QCOMPARE(LinkDragPayload::decode(data->data(m_dragType)), std::optional<QStringList>(dragged));

        // Another document's categories refuse them; below the last row is nowhere.
        CategoryListModel foreign(&store, LinkDragPayload::typeForDocument("other"));
        foreign.reload();
        QVERIFY(!foreign.dropMimeData(data.get(), Qt::MoveAction, -1, 0, foreign.index(1)));
        QVERIFY(!categories.canDropMimeData(data.get(), Qt::MoveAction, 2, 0, QModelIndex()));
        QVERIFY(!categories.canDropMimeData(nullptr, Qt::MoveAction, -1, 0, categories.index(1)));
        // A payload cut short moves nothing.
        QMimeData broken;
        broken.setData(m_dragType, data->data(m_dragType).left(60));
        QVERIFY(!categories.dropMimeData(&broken, Qt::MoveAction, -1, 0, categories.index(1)));
        QCOMPARE(store.categoryWithName("Target")->numberOfChildren(), 0);
        QCOMPARE(dropped.size(), 0);

        // Between rows counts as onto the row below.
        QVERIFY(categories.canDropMimeData(data.get(), Qt::MoveAction, 1, 0, QModelIndex()));
        QVERIFY(categories.dropMimeData(data.get(), Qt::MoveAction, -1, 0, categories.index(1)));
        QCOMPARE(store.categoryWithName("Target")->numberOfChildren(), 2);
        QCOMPARE(dropped.size(), 1);
        QCOMPARE(dropped.first().first().toStringList(), dragged);
        // Dropped again on the category they are in: no move, so no undo step and no edited mark.
        QVERIFY(!categories.dropMimeData(data.get(), Qt::MoveAction, -1, 0, categories.index(1)));
        QCOMPARE(dropped.size(), 1);
    }

    void windowTablesAndPanes()
    {
        DatabaseBuilder db;
        db.link("Zeta", LinkStatusNew).link("Alpha", LinkStatusBlocked).link("Mu");
        for (int i = 0; i < 5; ++i)
            db.link(QString("Link %1").arg(i));
        LinkFields fields;
        fields.title = "Long";
        fields.URL = "http://www.example.com/" + QString(240, 'x');
        fields.description = QString(300, 'd');
        fields.contactFirstName = "Ann";
        fields.contactEmail = "ann@x.example";
        fields.status = LinkStatusApproved;
        fields.keywords = "ponds, frogs";
        fields.counterpartURL = "http://"; // how an empty links page is stored
        LinkFields odd;
        odd.title = "Odd";
        odd.URL = "http://odd.example/";
        odd.counterpartURL = "http://odd.example/links.html";
        odd.status = '7'; // a byte the file may hold
        db.category("Details", "details").link(fields).link("Other").link(odd);
        MyDocument *document = m_fixture->open(db);
        RightClickTableView *links = document->linksTable();
        RightClickTableView *categories = document->categoriesTable();
        const LinkListController *list = document->linkListController();

        // A click on a header re-sorts and keeps the selected link.
        DocumentFixture::selectLinks(document, {"Mu"});
        const Link *mu = document->selectedLink();
        emit links->horizontalHeader()->sectionClicked(LinkListController::NameColumn);
        QCOMPARE(document->selectedLink(), mu);
        QCOMPARE(links->selectionModel()->selectedRows().first().row(), 6);

        // The selected rows follow every way of selecting: a range split by taking rows out, and
        // overlapping ranges added back.
        QItemSelectionModel *selection = links->selectionModel();
        auto row = [links](int r) { return links->model()->index(r, 0); };
        const auto wholeRows = QItemSelectionModel::Rows;
        links->selectAll();
        selection->select(row(2), QItemSelectionModel::Deselect | wholeRows);
        selection->select(row(5), QItemSelectionModel::Toggle | wholeRows);
        QCOMPARE(list->selectedRows(), QList<int>({0, 1, 3, 4, 6, 7}));
        selection->select(QItemSelection(row(1), row(5)), QItemSelectionModel::Select | wholeRows);
        QCOMPARE(list->selectedRows(), QList<int>({0, 1, 2, 3, 4, 5, 6, 7}));
        QVERIFY(!list->selectedLinkNode());

        // A right click selects the row under it, unless that row is part of a multiple selection.
        links->setContextMenu(nullptr); // no menu pops up during the test
        auto rowTwo = [links] { return links->visualRect(links->model()->index(2, 2)).center(); };
        DocumentFixture::selectLinks(document, {"Alpha"});
        QTest::mousePress(links->viewport(), Qt::RightButton, {}, rowTwo());
        QCOMPARE(document->selectedLinkIDs(), QStringList{list->linkIDAtRow(2)});
        DocumentFixture::selectLinks(document, {"Alpha", "Link 1"});
        QTest::mousePress(links->viewport(), Qt::RightButton, {}, rowTwo());
        QCOMPARE(document->numberOfSelectedLinks(), 2);

        // Right and Left move between the tables; entering the link list selects its first row.
        document->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(document));
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
        QVERIFY(
            MessageBox::shownAlerts().first().title.startsWith("Are you sure you want to delete the link"));
        // In the category list, Return edits and Delete deletes the category: here the default one.
        categories->setFocus();
        QTest::keyClick(categories, Qt::Key_Return);
        QTest::keyClick(categories, Qt::Key_Delete);
        QCOMPARE(MessageBox::shownAlerts().at(1).title, QString("This category cannot be edited."));
        QCOMPARE(MessageBox::shownAlerts().at(2).title, QString("This category cannot be deleted."));
        QVERIFY(!document->isEdited());

        // Links are dragged from the link list onto the category list, each window's of its own type.
        QCOMPARE(links->dragDropMode(), QAbstractItemView::DragOnly);
        QCOMPARE(categories->dragDropMode(), QAbstractItemView::DropOnly);
        DatabaseBuilder none;
        MyDocument *other = m_fixture->open(none, "second.site");
        QVERIFY(document->linkPboardType() != other->linkPboardType());
        // The count line counts the whole database, whichever category is shown.
        QCOMPARE(other->countField()->text(), QString("0 links in database"));

        // The details pane shows one link: a long address cut, a description wrapped, never cut.
        DocumentFixture::selectCategory(document, "Details");
        QCOMPARE(document->countField()->text(), QString("11 links in database"));
        DocumentFixture::selectLinks(document, {"Long"});
        DetailsView *details = document->detailsView();
        QCOMPARE(details->titleField()->fullText(), QString("Long"));
        QCOMPARE(details->statusField()->fullText(), QString("Approved"));
        QCOMPARE(details->contactField()->fullText(), QString("Ann (ann@x.example)"));
        QCOMPARE(details->descriptionField()->text(), fields.description);
        QVERIFY(details->mainPageURLField()->text().endsWith("..."));
        QCOMPARE(details->mainPageURLField()->toolTip(), document->selectedLink()->URL());
        QVERIFY(details->testMainPageURLButton()->isEnabled());
        QCOMPARE(details->keywordsField()->fullText(), QString("ponds, frogs"));
        QCOMPARE(details->linksPageURLField()->fullText(), QString("Not given"));
        QVERIFY(details->testLinksPageURLButton()->isHidden());
        // What the link leaves empty is not shown, caption and all; the buttons stay.
        for (QWidget *empty : QList<QWidget *>{details->myCategoryField(), details->notesField()})
            QVERIFY(empty->isHidden() && details->caption(empty)->isHidden());
        QVERIFY(!details->keywordsField()->isHidden() &&
                !details->caption(details->keywordsField())->isHidden());
        QVERIFY(!details->showAllNotesButton()->isHidden());
        // An unknown status reads as New, with New's picture; a links page can be visited.
        DocumentFixture::selectLinks(document, {"Odd"});
        QCOMPARE(details->statusField()->fullText(), QString("New"));
        QVERIFY(!details->statusImage()->pixmap().isNull() || QIcon(":/images/new.svg").isNull());
        QCOMPARE(details->linksPageURLField()->fullText(), QString("http://odd.example/links.html"));
        QVERIFY(!details->testLinksPageURLButton()->isHidden());
        QVERIFY(details->keywordsField()->isHidden() &&
                details->caption(details->keywordsField())->isHidden());
        // Two links: the pane is empty and its buttons are off, as with none.
        DocumentFixture::selectLinks(document, {"Long", "Other"});
        QVERIFY(details->titleField()->fullText().isEmpty());
        QVERIFY(!details->testMainPageURLButton()->isEnabled());
        QVERIFY(!details->sendMessagePopup()->isEnabled());
        // The contact line from first name, last name and address.
        const QList<QStringList> cases{{"Ann", "Lee", "ann@x.example", "Ann Lee (ann@x.example)"},
                                       {"", "Lee", "ann@x.example", "Lee (ann@x.example)"},
                                       {"", "", "ann@x.example", "ann@x.example"},
                                       {"Ann", "Lee", "", "Ann Lee"},
                                       {"Ann", "", "", "Ann"},
                                       {"", "", "", ""}};
        for (const QStringList &c : cases) {
            LinkFields fields;
            fields.contactFirstName = c.at(0);
            fields.contactLastName = c.at(1);
            fields.contactEmail = c.at(2);
            Link link;
            link.setTitle(fields);
            QCOMPARE(DetailsTexts::contactLine(link), c.at(3));
        }

        // Maximised on a wide screen, and back, the category list keeps its share of the width, and
        // never less than its minimum, nor the link side less than its.
        QSplitter *split = document->splitView();
        document->resize(700, 900);
        document->documentWindowState()->setSplitterPosition(200);
        const double share = double(split->sizes().at(0)) / split->width();
        document->resize(1600, 900);
        QVERIFY(qAbs(double(split->sizes().at(0)) / split->width() - share) < 0.01);
        document->resize(700, 900);
        QVERIFY(qAbs(split->sizes().at(0) - 200) <= 2);
        document->resize(document->minimumWidth(), 900);
        QVERIFY(split->sizes().at(0) >= MyDocument::CategoryListMinimumWidth);
        QVERIFY(split->sizes().at(1) >= MyDocument::LinkSideMinimumWidth);
        // Short of height the link list keeps five rows and the details pane yields, down to its
        // minimum; with room again it takes its height back.
        QSplitter *secondary = document->secondarySplitView();
        QCOMPARE(secondary->sizes().last(), int(DetailsView::PaneHeight));
        document->resize(800, document->minimumHeight());
        const int rows = links->viewport()->height() / links->verticalHeader()->defaultSectionSize();
        QVERIFY2(rows >= MyDocument::LinkListMinimumRows, qPrintable(QString::number(rows)));
        const int paneHeight = secondary->sizes().last();
        QVERIFY2(paneHeight < DetailsView::PaneHeight && paneHeight >= DetailsView::MinimumPaneHeight,
                 qPrintable(QString::number(paneHeight)));
        document->resize(800, 900);
        QCOMPARE(secondary->sizes().last(), int(DetailsView::PaneHeight));
        QVERIFY(!document->isEdited());

        // The pane's picture (reeds) is drawn once, in the bottom right corner, under a link's fields:
        // the darkest pixel of a spot of nine by nine pixels along the bottom edge tells where it is.
        DetailsView pane;
        pane.resize(1500, DetailsView::PaneHeight);
        const Link link;
        pane.showLink(&link, QString());
        const QImage image = pane.grab().toImage();
        auto darkest = [&image](int x) {
            int value = 255;
            for (int spot = 0; spot < 81; ++spot)
                value = qMin(value, qGray(image.pixel(x + spot % 9 - 4, image.height() - 10 + spot / 9)));
            return value;
        };
        QVERIFY(darkest(1458) < darkest(750) - 4);
        QCOMPARE(darkest(438), darkest(750));
        QCOMPARE(darkest(918), darkest(750));
    }

    void newWindowsOpenLargeAndCascade()
    {
        // With a screen above the main one, a stored frame's y is kept from the main screen's top
        // edge, and comes back at that distance from the top of a screen of another height.
        const QRectF saved =
            State::savedFrameFromWindowFrame(QRect(10, 150, 800, 600), QRect(0, 100, 1920, 1080));
        QCOMPARE(saved, QRectF(10, 50, 800, 600));
        QCOMPARE(State::windowFrameFromSavedFrame(saved, QRect(0, 0, 1280, 720)), QRect(10, 50, 800, 600));
        QVERIFY(State::windowFrameFromSavedFrame(QRectF(), mainScreen()).isNull());
        QVERIFY(State::savedFrameFromWindowFrame(QRect(), mainScreen()).isNull());

        const QPoint step(State::CascadeStep, State::CascadeStep);
        QList<QPoint> corners;
        for (int i = 0; i < 3; ++i) {
            MyDocument *document = settled(m_fixture->controller().newDocument());
            QVERIFY(document);
            QVERIFY(available().contains(document->frameGeometry()));
            corners.append(document->frameGeometry().topLeft());
            if (i > 0) {
                QCOMPARE(corners.at(i), corners.at(i - 1) + step);
                continue;
            }
            const QSize minimum =
                document->minimumSize().grownBy(WindowPlacement::decorationMargins(document));
            QCOMPARE(document->frameGeometry(), WindowPlacement::defaultDocumentFrame(available(), minimum));
            // Not "0,0,0,0" any more: the next save writes the window as it is.
            QVERIFY(recordsWhatItShows(document, document->collectionManager()));
        }
    }

    void openedWindowIsNamedKeptOnTheScreenAndShowsAndRecordsItsStoredState()
    {
        // A stored frame larger than the screen is clamped to it.
        DatabaseBuilder db;
        db.store().setWindowFrame(QRectF(-100, -50, 3000, 2000));
        MyDocument *document = openAndSettle(m_fixture->write(db, "sample.site"));
        QVERIFY(document);
        QCOMPARE(document->frameGeometry(), available());
        document->document()->commit(QString());
        QCOMPARE(document->windowHandle()->title(), QString::fromUtf8("sample.site* \u2014 Quillmarsh"));
        // A frame off every screen keeps the default; a name holding the mark's placeholder shows it.
        db.store().setWindowFrame(QRectF(-50000, 40000, 700, 500));
        MyDocument *odd = openAndSettle(m_fixture->write(db, "odd[*].site"));
        QVERIFY(odd && available().intersects(odd->geometry()));
        QVERIFY(odd->size() != QSize(700, 500));
        QCOMPARE(odd->windowHandle()->title(), QString::fromUtf8("odd[*].site \u2014 Quillmarsh"));

        // Reopened ten times, the window keeps its frame and the rest of its stored state. The test
        // platform decorates windows with two-pixel borders, so restoring the inner size as the outer
        // one (or the reverse) would grow or shrink it at every turn.
        db.store().setWindowFrame(QRectF(60, 50, 640, 520));
        db.store().setSplitterPosition(170);
        db.store().setColumnWidths(QList<double>{320, 200});
        db.store().setDetailsCollapsed(true);
        db.store().setLinkSort(LinkListController::DescriptionColumn, true);
        // The four columns of a narrow list, the description last.
        db.store().setLinkListColumns({"reminder", "status", "name", "description"}, {});
        db.link("One");
        const QString path = m_fixture->write(db);
        QRect expected = State::windowFrameFromSavedFrame(QRectF(60, 50, 640, 520), mainScreen());
        for (int run = 0; run < 10; ++run) {
            MyDocument *document = openAndSettle(path);
            QVERIFY(document);
            QVERIFY(document->frameGeometry() != document->geometry());
            QCOMPARE(document->frameGeometry(), expected);
            if (run % 3 == 2) {
                expected.translate(10, 7);
                document->move(expected.topLeft());
            }
            QVERIFY(document->commandArea<FileCommands>()->save());
            QVERIFY(document->close());
        }
        QCOMPARE(reread(path)->windowFrame(), State::savedFrameFromWindowFrame(expected, mainScreen()));

        // The stored state shows.
        document = openAndSettle(path);
        QVERIFY(document);
        QHeaderView *header = document->linksTable()->horizontalHeader();
        QCOMPARE(document->documentWindowState()->splitterPosition(), 170.0);
        QCOMPARE(header->sectionSize(LinkListController::NameColumn), 320);
        QVERIFY(document->documentWindowState()->isDetailsCollapsed());
        QVERIFY(!document->menus()->action(ActionId::ToggleDetails)->isChecked());
        QCOMPARE(header->sortIndicatorSection(), int(LinkListController::DescriptionColumn));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        // The list fits its view: no column pushes it past the edge.
        QVERIFY(!document->linksTable()->horizontalScrollBar()->isVisible());

        // Moving, resizing and a click on the header are recorded without marking the document
        // edited; the next save writes them.
        document->move(expected.topLeft() + QPoint(50, 40));
        const QPointF movedTo =
            State::savedFrameFromWindowFrame(expected.translated(50, 40), mainScreen()).topLeft();
        QTRY_COMPARE(document->collectionManager().windowFrame().topLeft(), movedTo);
        document->documentWindowState()->setSplitterPosition(220);
        emit document->splitView()->splitterMoved(220, 1);
        document->documentWindowState()->setDetailsCollapsed(false);
        header->resizeSection(LinkListController::NameColumn, 111);
        emit header->sectionClicked(LinkListController::NameColumn);
        QVERIFY(!document->isEdited());
        QVERIFY(document->commandArea<FileCommands>()->save());
        const std::unique_ptr<CollectionManager> moved = reread(path);
        QCOMPARE(moved->windowFrame().topLeft(), movedTo);
        QCOMPARE(moved->splitterPosition(), 220.0);
        QVERIFY(!moved->detailsCollapsed());
        QCOMPARE(moved->columnWidths()->first(), 111.0);
        QCOMPARE(moved->linkSortColumn(), int(LinkListController::NameColumn));
        QVERIFY(!moved->linkSortDescending());

        // An empty stored state ("0,0,0,0", no widths, splitter 0) is replaced by the shown one.
        DatabaseBuilder empty;
        const QString emptyPath = m_fixture->write(empty, "empty.site");
        MyDocument *fresh = openAndSettle(emptyPath);
        QVERIFY(fresh && fresh->commandArea<FileCommands>()->save());
        QVERIFY(recordsWhatItShows(fresh, *reread(emptyPath)));
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestDocumentWindow)
#include "tst_documentwindow.moc"
