#include "DatabaseBuilder.h"
#include "document/CategoryListModel.h"
#include "document/LinkListModel.h"
#include "model/Link.h"
#include "model/LinkDragPayload.h"
#include "workflow/LinkListOrder.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QMimeData>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// The link and category lists' models without any window: rows as the store holds them through
// adding, editing, deleting, sorting and a reload of the whole file, and links dragged between them.
class TestListModels : public QObject
{
    Q_OBJECT

private:
    static constexpr auto Fatal = QAbstractItemModelTester::FailureReportingMode::QtTest;
    const QString m_dragType = LinkDragPayload::typeForDocument(QStringLiteral("doc"));

    static QStringList column(const QAbstractItemModel &model, int column, int role = Qt::DisplayRole)
    {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts.append(model.data(model.index(row, column), role).toString());
        return texts;
    }

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

private slots:
    void linkRowsFollowTheStore()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Ponds"))
            .link(QStringLiteral("Zeta"), LinkStatusNew)
            .link(QStringLiteral("Alpha"), LinkStatusBlocked)
            .link(QStringLiteral("Mu"), LinkStatusApproved);
        CollectionManager &store = db.store();
        TreeNode *ponds = db.currentCategory();
        LinkListModel model(&store, m_dragType);
        QAbstractItemModelTester tester(&model, Fatal);
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.linkNodeAtRow(0));

        // At first by status, then by the column asked for, either way round.
        model.setCategory(ponds);
        QCOMPARE(column(model, LinkListModel::NameColumn), QStringList({"Zeta", "Mu", "Alpha"}));
        QCOMPARE(column(model, LinkListModel::StatusColumn, Qt::ToolTipRole),
                 QStringList({"New", "Approved", "Blocked"}));
        model.sort(LinkListModel::NameColumn, Qt::AscendingOrder);
        QCOMPARE(column(model, LinkListModel::NameColumn), QStringList({"Alpha", "Mu", "Zeta"}));
        model.sort(LinkListModel::NameColumn, Qt::DescendingOrder);
        QCOMPARE(column(model, LinkListModel::NameColumn), QStringList({"Zeta", "Mu", "Alpha"}));
        QVERIFY(!model.setSortOrder(LinkListModel::ColumnCount, false)); // from another version
        QVERIFY(!model.setSortOrder(-1, false));
        QCOMPARE(model.sortColumn(), int(LinkListModel::NameColumn));
        QVERIFY(model.sortDescending());

        // Added, renamed and deleted links show after a reload, in their sorted place.
        LinkFields fields;
        fields.title = QStringLiteral("Omega");
        fields.categoryID = ponds->attachmentID();
        const QString omega = store.addLinkFromFields(fields)->attachmentID();
        model.reload();
        QCOMPARE(column(model, LinkListModel::NameColumn), QStringList({"Zeta", "Omega", "Mu", "Alpha"}));
        QCOMPARE(column(model, LinkListModel::DescriptionColumn, Qt::ToolTipRole),
                 QStringList({"About Zeta", "", "About Mu", "About Alpha"}));
        QCOMPARE(model.rowOfLinkID(omega), 1);
        TreeNode *mu = model.linkNodeAtRow(2);
        fields = mu->link()->fields();
        fields.title = QStringLiteral("Beta");
        store.editLinkNode(mu, fields);
        store.deleteLinkNodesWithIDs({omega});
        // Until the reload the rows keep their links by ID: the deleted one shows nothing.
        QVERIFY(!model.linkNodeAtRow(1));
        QVERIFY(!model.data(model.index(1, LinkListModel::NameColumn), Qt::DisplayRole).isValid());
        QCOMPARE(model.data(model.index(2, LinkListModel::NameColumn), Qt::DisplayRole).toString(),
                 QStringLiteral("Beta"));
        model.reload();
        QCOMPARE(column(model, LinkListModel::NameColumn), QStringList({"Zeta", "Beta", "Alpha"}));
        QCOMPARE(model.rowOfLinkID(omega), -1);
        QCOMPARE(model.rowOfLinkID(QString()), -1);

        // The whole file read again: the model lets go of the old nodes first.
        const QByteArray saved = store.dataRepresentation();
        model.setCategory(nullptr);
        QVERIFY(store.loadDataRepresentation(saved));
        model.setCategory(store.categoryWithName(QStringLiteral("Ponds")));
        QCOMPARE(column(model, LinkListModel::NameColumn), QStringList({"Zeta", "Beta", "Alpha"}));
        QCOMPARE(model.headerData(LinkListModel::NameColumn, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Name"));
    }

    void sortingMatchesTheStraightforwardOrder()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Mixed"));
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
        LinkListModel model(&db.store(), m_dragType);
        model.setCategory(db.currentCategory());
        auto shownIDs = [&] {
            QStringList ids;
            for (int row = 0; row < model.rowCount(); ++row)
                ids.append(model.linkIDAtRow(row));
            return ids;
        };
        QCOMPARE(shownIDs(), straightforwardOrder(db.currentCategory(), -1));
        for (int column = 0; column < LinkListModel::ColumnCount; ++column) {
            model.sort(column, Qt::AscendingOrder);
            QCOMPARE(shownIDs(), straightforwardOrder(db.currentCategory(), column));
        }
    }

    void categoryRowsFollowTheStore()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("General one"));
        db.category(QStringLiteral("Books")).link(QStringLiteral("B1")).link(QStringLiteral("B2"));
        CollectionManager &store = db.store();
        CategoryListModel model(&store, m_dragType);
        QAbstractItemModelTester tester(&model, Fatal);
        model.reload();
        QCOMPARE(column(model, 0), QStringList({"General (1)", "Books (2)"}));
        QVERIFY(!model.data(model.index(1), Qt::DecorationRole).isNull());

        // The rows change only with a reload, whatever the store did meanwhile.
        TreeNode *empty = store.addCategoryWithName(QStringLiteral("Empty"), QStringLiteral("empty"));
        QCOMPARE(model.rowCount(), 2);
        model.reload();
        QCOMPARE(column(model, 0), QStringList({"General (1)", "Books (2)", "Empty"}));
        store.renameCategory(empty, QStringLiteral("Attic"), QStringLiteral("attic"));
        store.deleteCategoryNode(store.categoryWithName(QStringLiteral("Books")));
        model.reload();
        QCOMPARE(column(model, 0), QStringList({"General (1)", "Attic"}));

        // Cleared before the store replaces its tree, the model holds no node at all.
        const QByteArray saved = store.dataRepresentation();
        model.clear();
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(model.isCleared());
        QVERIFY(!model.categoryNodeAtRow(0));
        QVERIFY(store.loadDataRepresentation(saved));
        model.reload();
        QCOMPARE(model.categoryNodeAtRow(1), store.categoryWithName(QStringLiteral("Attic")));
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Categories"));
    }

    void linksDragOntoCategoriesOfTheirOwnDocument()
    {
        const QStringList ids{QStringLiteral("LNK1"), QStringLiteral("LNK1234567890")};
        const QByteArray payload = LinkDragPayload::encode(ids);
        QCOMPARE(payload.size(), 4 + 2 * 50);
        QCOMPARE(LinkDragPayload::decode(payload), std::optional<QStringList>(ids));
        QVERIFY(!LinkDragPayload::decode(payload.left(53)));
        QVERIFY(!LinkDragPayload::decode(QByteArray("\xff\xff\xff\x7f", 4)));
        QCOMPARE(LinkDragPayload::decode(LinkDragPayload::encode({})),
                 std::optional<QStringList>(QStringList()));

        DatabaseBuilder db;
        db.link(QStringLiteral("One")).link(QStringLiteral("Two")).link(QStringLiteral("Three"));
        db.category(QStringLiteral("Target"));
        CollectionManager &store = db.store();
        LinkListModel links(&store, m_dragType);
        links.sort(LinkListModel::NameColumn, Qt::AscendingOrder);
        links.setCategory(store.defaultCategoryNode());
        CategoryListModel categories(&store, m_dragType);
        categories.reload();
        QSignalSpy dropped(&categories, &CategoryListModel::linksDropped);
        QCOMPARE(links.supportedDropActions(), Qt::IgnoreAction);
        QVERIFY(!links.mimeData({}));

        // Two rows, each named by two cells: each link once, in row order.
        std::unique_ptr<QMimeData> data(
            links.mimeData({links.index(2, 2), links.index(1, 0), links.index(2, 0), links.index(1, 3)}));
        const QStringList dragged{links.linkIDAtRow(1), links.linkIDAtRow(2)};
        QCOMPARE(LinkDragPayload::decode(data->data(m_dragType)), std::optional<QStringList>(dragged));

        // Another document's categories refuse them; below the last row is nowhere.
        CategoryListModel foreign(&store, LinkDragPayload::typeForDocument(QStringLiteral("other")));
        foreign.reload();
        QVERIFY(!foreign.dropMimeData(data.get(), Qt::MoveAction, -1, 0, foreign.index(1)));
        QVERIFY(!categories.canDropMimeData(data.get(), Qt::MoveAction, 2, 0, QModelIndex()));
        QVERIFY(!categories.canDropMimeData(nullptr, Qt::MoveAction, -1, 0, categories.index(1)));
        // A payload cut short moves nothing.
        QMimeData broken;
        broken.setData(m_dragType, data->data(m_dragType).left(60));
        QVERIFY(!categories.dropMimeData(&broken, Qt::MoveAction, -1, 0, categories.index(1)));
        QCOMPARE(store.categoryWithName(QStringLiteral("Target"))->numberOfChildren(), 0);
        QCOMPARE(dropped.size(), 0);

        // Between rows counts as onto the row below.
        QVERIFY(categories.canDropMimeData(data.get(), Qt::MoveAction, 1, 0, QModelIndex()));
        QVERIFY(categories.dropMimeData(data.get(), Qt::MoveAction, -1, 0, categories.index(1)));
        QCOMPARE(store.categoryWithName(QStringLiteral("Target"))->numberOfChildren(), 2);
        QCOMPARE(dropped.size(), 1);
        QCOMPARE(dropped.first().first().toStringList(), dragged);
    }
};

QTEST_MAIN(TestListModels)
#include "tst_listmodels.moc"
