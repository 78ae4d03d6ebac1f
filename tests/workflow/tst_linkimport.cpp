#include "support/DatabaseBuilder.h"
#include "workflow/LinkImporter.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QtTest>

namespace {

// The tree as text: each category with its links, in order.
QStringList tree(const CollectionManager &store)
{
    QStringList lines;
    for (TreeNode *category : store.categoryRoot()->children()) {
        lines.append(category->category()->name() + u'=' + category->attachmentID());
        for (TreeNode *link : category->children())
            lines.append(QStringLiteral("  ") + link->link()->title() + u'=' + link->attachmentID());
    }
    return lines;
}

// A question that counts how often it was asked and gives one answer.
DuplicateQuestion answering(DuplicateAnswer answer, int *asked)
{
    return [answer, asked] {
        ++*asked;
        return answer;
    };
}

LinkFields stored(const QString &title)
{
    LinkFields f;
    f.title = title;
    f.categoryID = NoneCategoryID;
    f.URL = QStringLiteral("http://%1.example/").arg(title);
    f.status = LinkStatusNegotiating;
    f.type = LinkTypeSent;
    f.lastStatusChangedOn = QDate(2021, 2, 3);
    f.lastVerifiedOn = QDate(2021, 4, 5);
    f.lastVerificationResult = VerificationLinkNotFound;
    f.notes = QStringLiteral("line one\nline two");
    return f;
}

// Offset of link record `index` in a database file with the given section counts.
qsizetype linkRecordAt(int templates, int categories, int index)
{
    return 4 + SelfInfo::RecordSize + 4 + templates * EmailTemplate::RecordSize + 4 +
           categories * Category::RecordSize + 4 + index * Link::RecordSize;
}

// The merge exactly as first described: one link at a time, deleting and inserting in place. Returns
// the counts: added, replaced, skipped, categories added.
QList<int> literalImport(CollectionManager &store, const CollectionManager &source, bool replace)
{
    int added = 0, replaced = 0, skipped = 0, categoriesAdded = 0;
    for (TreeNode *categoryNode : source.categoryRoot()->children()) {
        const Category *category = categoryNode->category();
        if (store.categoryNodeWithID(category->ID()))
            continue;
        auto copy = std::make_unique<Category>();
        copy->setName(category->name(), category->anchor());
        copy->setID(category->ID());
        auto *node = new TreeNode(std::move(copy));
        node->setTitle(category->isNone() ? QStringLiteral("General") : category->name());
        store.categoryRoot()->addOrderedChild(node);
        ++categoriesAdded;
    }
    for (TreeNode *node : source.allLinkNodes()) {
        const Link *link = node->link();
        TreeNode *target = store.categoryNodeWithID(link->categoryID());
        TreeNode *existing = store.linkNodeWithID(link->ID());
        if (!target || (existing && !replace)) {
            ++skipped;
            continue;
        }
        ++(existing ? replaced : added);
        delete existing;
        auto copy = std::make_unique<Link>();
        copy->setTitle(link->fields());
        copy->setID(link->ID());
        target->addOrderedChild(new TreeNode(std::move(copy)));
    }
    return {added, replaced, skipped, categoriesAdded};
}

} // namespace

class TestLinkImport : public QObject
{
    Q_OBJECT

private slots:
    void importIntoItselfAndTwiceInTheFile()
    {
        DatabaseBuilder db;
        db.emailTemplate("T", "S", "B"); // a template section that must be skipped
        db.link(stored("alpha")).category("Shop").link(stored("beta")).link(stored("gamma"));
        CollectionManager &store = db.store();
        const QByteArray file = store.dataRepresentation();
        const QStringList before = tree(store);
        const TreeNode *firstLink = store.allLinkNodes().front();

        for (const DuplicateAnswer choice : {DuplicateAnswer::Cancel, DuplicateAnswer::Keep}) {
            int asked = 0;
            ImportSummary summary;
            QVERIFY(LinkImporter::importLinksFromData(store, file, answering(choice, &asked), &summary));
            QCOMPARE(asked, 1);
            QVERIFY(!summary.changed());
            QCOMPARE(tree(store), before);
            QCOMPARE(store.allLinkNodes().front(), firstLink);
        }

        ImportSummary summary;
        QVERIFY(LinkImporter::importLinksFromData(
            store, file, [] { return DuplicateAnswer::Replace; }, &summary));
        QCOMPARE(summary.replaced, 3);
        QCOMPARE(store.dataRepresentation(), file); // every field comes in as stored, in place

        // Twice in the file but not in the database: no link of the database is named, so no question is
        // asked and nothing replaced; the first wins.
        CollectionManager other;
        TreeNode *first = other.addLinkFromFields(stored("first"));
        other.addLinkFromFields(stored("second"))->link()->setID(first->attachmentID());
        DatabaseBuilder fresh;
        int asked = 0;
        QVERIFY(LinkImporter::importLinksFromData(fresh.store(), other.dataRepresentation(),
                                                  answering(DuplicateAnswer::Replace, &asked)));
        QCOMPARE(asked, 0);
        QCOMPARE(fresh.store().numberOfLinks(), 1);
        QCOMPARE(fresh.store().linkWithID(first->attachmentID())->title(), QStringLiteral("first"));
    }

    // Applying each category's changes in one pass gives what one link at a time gives.
    void mergeEqualsTheLiteralDefinition()
    {
        QRandomGenerator random(11);
        const QStringList titles{"a", "A", "b", "c"};
        for (int round = 0; round < 40; ++round) {
            CollectionManager store;
            QStringList categoryIDs{NoneCategoryID};
            for (int c = 0; c < 2; ++c)
                categoryIDs.append(
                    store.addCategoryWithName(QStringLiteral("C%1").arg(c), "c")->attachmentID());
            QStringList linkIDs;
            for (int i = 0; i < 12; ++i) {
                LinkFields f = stored(titles[random.bounded(titles.size())]);
                f.categoryID = categoryIDs[random.bounded(categoryIDs.size())];
                linkIDs.append(store.addLinkFromFields(f)->attachmentID());
            }
            CollectionManager source;
            source.defaultCategoryNode()->category()->setName(QStringLiteral("General"), NoneCategoryID);
            QStringList sourceCategories{NoneCategoryID};
            sourceCategories.append(
                source.addCategoryWithName(QStringLiteral("C0"), "c")->category()->ID()); // new ID, same name
            TreeNode *shared = source.addCategoryWithName(QStringLiteral("Shared"), "s");
            shared->category()->setID(categoryIDs[2]);
            sourceCategories.append(categoryIDs[2]);
            source.addCategoryWithName(QStringLiteral("Empty"), "e"); // added all the same
            for (int i = 0; i < 14; ++i) {
                LinkFields f = stored(titles[random.bounded(titles.size())]);
                f.categoryID = sourceCategories[random.bounded(sourceCategories.size())];
                Link *link = source.addLinkFromFields(f)->link();
                const int kind = random.bounded(5);
                if (kind == 0 || kind == 1)
                    link->setID(linkIDs[random.bounded(linkIDs.size())]); // replaces an existing link
                else if (kind == 2 && i > 0)
                    link->setID(source.allLinkNodes().front()->attachmentID()); // twice in the file
                else if (kind == 3) { // its category is nowhere, whether its ID is known or not
                    link->setCategoryID(QStringLiteral("CAT9"));
                    if (i % 2)
                        link->setID(linkIDs[i % linkIDs.size()]); // no draw: the sequence stays
                }
            }
            const QByteArray file = source.dataRepresentation();
            for (const bool replace : {false, true}) {
                CollectionManager expected;
                QVERIFY(expected.loadDataRepresentation(store.dataRepresentation()));
                CollectionManager actual;
                QVERIFY(actual.loadDataRepresentation(store.dataRepresentation()));
                if (round % 2) { // a title changed in place leaves its category out of order
                    for (CollectionManager *copy : {&expected, &actual}) {
                        TreeNode *node = copy->linkNodeWithID(linkIDs.first());
                        LinkFields f = node->link()->fields();
                        f.title = QStringLiteral("zz");
                        node->link()->setTitle(f);
                        node->parent()->childOrderMayHaveChanged();
                    }
                }
                const QList<int> counts = literalImport(expected, source, replace);
                ImportSummary summary;
                QVERIFY(LinkImporter::importLinksFromData(
                    actual, file,
                    [replace] { return replace ? DuplicateAnswer::Replace : DuplicateAnswer::Keep; },
                    &summary));
                QCOMPARE(tree(actual), tree(expected));
                QCOMPARE(
                    (QList<int>{summary.added, summary.replaced, summary.skipped, summary.categoriesAdded}),
                    counts);
            }
        }
    }

    void unusableFilesChangeNothing()
    {
        DatabaseBuilder source;
        source.emailTemplate("T", "S", "B").link(stored("a")).link(stored("b"));
        const QByteArray good = source.store().dataRepresentation();
        QByteArray otherVersion = good;
        QList<QByteArray> unusable{good.left(linkRecordAt(1, 1, 1) + 100), good.left(3),
                                   otherVersion.replace(0, 4, QByteArray("0103")),
                                   good.left(linkRecordAt(1, 0, 0) - 4 - 4) +
                                       QByteArray(8, '\0'), // no category
                                   good.left(4 + SelfInfo::RecordSize) + "\xff\xff\xff\xff"};
        // Counts of 2^31 and more, read as signed by the database reader, are refused by both.
        const qsizetype signedCounts = unusable.size();
        for (const qsizetype at :
             {qsizetype(4 + SelfInfo::RecordSize), linkRecordAt(1, 0, 0) - 8, linkRecordAt(1, 1, 0) - 4}) {
            unusable.append(good);
            qToBigEndian<uint32_t>(0x80000000u, unusable.last().data() + at);
        }

        DatabaseBuilder db;
        db.link(stored("own"));
        const QStringList before = tree(db.store());
        for (qsizetype i = 0; i < unusable.size(); ++i) {
            int asked = 0;
            FileError error, readError;
            QVERIFY(!LinkImporter::importLinksFromData(
                db.store(), unusable[i], answering(DuplicateAnswer::Replace, &asked), nullptr, &error));
            QVERIFY(error.isError());
            QCOMPARE(asked, 0);
            QCOMPARE(tree(db.store()), before);
            if (i >= signedCounts) {
                QCOMPARE(error.text(), QString("not a links database (bad record count)"));
                QVERIFY(!CollectionManager().loadDataRepresentation(unusable[i], &readError));
                QCOMPARE(readError.text(), error.text());
            }
        }
        QVERIFY(LinkImporter::importLinksFromData(db.store(), good, nullptr));
        QCOMPARE(db.store().numberOfLinks(), 3);
    }

    void readsPipesAndStopsEarly()
    {
        DatabaseBuilder source;
        source.emailTemplate("T", "S", "B").link(stored("a")).link(stored("b"));
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(source.store().dataRepresentation());
        file.flush();
        QProcess pipe;
        pipe.start("cat", {file.fileName()});
        QVERIFY(pipe.waitForStarted());
        DatabaseBuilder db;
        ImportSummary summary;
        QVERIFY(LinkImporter::importLinksFromDevice(db.store(), pipe, nullptr, &summary));
        QCOMPARE(summary.added, 2);
        pipe.waitForFinished();

        // From a device without end, what its first bytes say decides.
        FileError error;
        QVERIFY(!LinkImporter::importLinksFromFileAtPath(db.store(), "/dev/zero", nullptr, nullptr, &error));
        QCOMPARE(error.kind(), FileError::Kind::NotADatabase);
        QVERIFY(!LinkImporter::importLinksFromFileAtPath(db.store(), "/nonexistent/x.site", nullptr, nullptr,
                                                         &error));
        QCOMPARE(error.kind(), FileError::Kind::CannotOpen);
    }
};

QTEST_GUILESS_MAIN(TestLinkImport)
#include "tst_linkimport.moc"
