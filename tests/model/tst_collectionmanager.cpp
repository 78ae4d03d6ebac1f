#include "DatabaseBuilder.h"
#include "model/Clock.h"
#include "model/CollectionManager.h"

#include <QTest>

namespace {

QStringList titlesOf(const std::vector<TreeNode *> &nodes)
{
    QStringList titles;
    for (const TreeNode *node : nodes)
        titles.append(node->link()->title());
    return titles;
}

} // namespace

class TestCollectionManager : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private slots:
    void publishingAndVerificationRules()
    {
        DatabaseBuilder db;
        db.link("New", LinkStatusNew)
            .link("Negotiating", LinkStatusNegotiating)
            .link("Approved", LinkStatusApproved)
            .link("Blocked", LinkStatusBlocked);
        CollectionManager &store = db.store();
        QCOMPARE(store.numberOfPublishableLinks(), 3);
        QCOMPARE(store.verifiableLinks().size(), 3);
        store.setExportNewLinks(true, false);
        QCOMPARE(store.numberOfPublishableLinks(), 2);
        QVERIFY(!store.publishableLink(*store.linkNodeWithID(db.lastLink()->ID())->link()));
        store.setExportNewLinks(false, false);
        QCOMPARE(store.numberOfPublishableLinks(), 1);
        QCOMPARE(store.numberOfNonEmptyCategories(), 1);
    }

    void sortColumnsChainTheirCriteria()
    {
        DatabaseBuilder db;
        LinkFields f;
        auto add = [&](const char *title, const char *description, LinkStatus status) {
            f.title = title;
            f.description = description;
            f.status = status;
            db.link(f);
        };
        add("Z", "b", LinkStatusNew);
        add("A", "a", LinkStatusBlocked);
        add("M", "c", LinkStatusNew);
        add("m", "a", LinkStatusNew);
        std::vector<TreeNode *> list;
        const TreeNode *category = db.currentCategory();
        db.store().buildSortedLinkList(list, category, 1);
        QCOMPARE(titlesOf(list), QStringList({"m", "M", "Z", "A"}));
        db.store().buildSortedLinkList(list, category, 2);
        QCOMPARE(titlesOf(list), QStringList({"A", "m", "M", "Z"}));
        db.store().buildSortedLinkList(list, category, 3);
        QCOMPARE(titlesOf(list), QStringList({"m", "A", "Z", "M"}));
        // Column 0 puts "none" first, which is always equal: the chain goes on to status.
        db.store().buildSortedLinkList(list, category, 0);
        QCOMPARE(titlesOf(list), QStringList({"m", "M", "Z", "A"}));
        db.store().buildSortedLinkList(list, category, 42);
        QCOMPARE(titlesOf(list), QStringList({"m", "M", "Z", "A"}));
    }

    void sortingIsStableForEqualLinks()
    {
        DatabaseBuilder db;
        LinkFields f;
        f.description = "same";
        for (const char *title : {"b", "B", "a"}) {
            f.title = title;
            db.link(f);
        }
        std::vector<TreeNode *> list;
        db.store().buildSortedLinkList(list, db.currentCategory(), 3);
        QCOMPARE(titlesOf(list), QStringList({"a", "b", "B"}));
    }

    void editingMovesTheLink()
    {
        DatabaseBuilder db;
        db.category("Other").link("Apple").link("Zebra");
        TreeNode *zebra = db.store().linkNodeWithID(db.lastLink()->ID());
        LinkFields f = zebra->link()->fields();
        f.title = "Aardvark";
        db.store().editLinkNode(zebra, f);
        QCOMPARE(db.currentCategory()->childAtIndex(0), zebra);
        f.categoryID = NoneCategoryID;
        db.store().editLinkNode(zebra, f);
        QCOMPARE(db.store().defaultCategoryNode()->childAtIndex(0), zebra);
        QCOMPARE(db.currentCategory()->numberOfChildren(), 1);
        // An unknown category leaves the link where it is.
        f.categoryID = "CAT1";
        db.store().editLinkNode(zebra, f);
        QCOMPARE(zebra->parent(), db.store().defaultCategoryNode());
        QCOMPARE(zebra->link()->categoryID(), NoneCategoryID);

        QVERIFY(db.store().moveLinkWithID(zebra->attachmentID(), db.currentCategory()));
        QCOMPARE(zebra->link()->categoryID(), db.currentCategory()->attachmentID());
        QCOMPARE(db.currentCategory()->childAtIndex(0), zebra);
    }

    void renamingACategoryReordersIt()
    {
        DatabaseBuilder db;
        db.category("Beta").category("Gamma");
        TreeNode *gamma = db.currentCategory();
        db.store().renameCategory(gamma, "Alpha", "alpha");
        QCOMPARE(db.store().categoryRoot()->childAtIndex(1), gamma);
        QCOMPARE(gamma->objectValue().toString(), QString("Alpha"));
        QCOMPARE(db.store().indexOfCategoryWithID(gamma->attachmentID()), 1);
        QCOMPARE(db.store().IDOfCategoryWithIndex(0), NoneCategoryID);
        QCOMPARE(db.store().categoryWithAnchor("alpha"), gamma);
        QCOMPARE(db.store().categoryWithName("alpha"), nullptr); // names match exactly
    }

    void sameURLTest()
    {
        DatabaseBuilder db;
        db.link("One", LinkStatusNew, "http://Example.com/");
        const QString id = db.lastLink()->ID();
        CollectionManager &store = db.store();
        QVERIFY(store.linkWithURLAlreadyExists("http://example.com/"));
        QVERIFY(store.linkWithURLAlreadyExists("http://example.com"));
        QVERIFY(!store.linkWithURLAlreadyExists("http://example.com//"));
        QVERIFY(!store.linkWithURLAlreadyExists("http://example.com/", id));
        QVERIFY(!store.linkWithURLAlreadyExists(""));
    }

    void statusAndVerificationOfManyLinks()
    {
        DatabaseBuilder db;
        db.link("A", LinkStatusNew).link("B", LinkStatusNew);
        CollectionManager &store = db.store();
        QVERIFY(!store.setStatus(LinkStatusApproved, {}));
        QVERIFY(store.setStatus(LinkStatusApproved, {db.lastLink()->ID(), "LNK0"}));
        QCOMPARE(db.lastLink()->status(), LinkStatusApproved);
        QVERIFY(store.setVerificationResult(VerificationMarkedVerified, {db.lastLink()->ID()}));
        QCOMPARE(db.lastLink()->lastVerifiedOn(), Clock::today());
        QCOMPARE(db.lastLink()->lastVerificationResult(), VerificationMarkedVerified);
        store.deleteLinkNodesWithIDs({db.lastLink()->ID(), "LNK0"});
        QCOMPARE(store.numberOfLinks(), 1);
    }

    void verificationResultsPromoteOnlySuccessfulNewAndNegotiatingLinks()
    {
        DatabaseBuilder db;
        db.link("New ok", LinkStatusNew);
        const QString newOk = db.lastLink()->ID();
        db.link("Talking ok", LinkStatusNegotiating);
        const QString talkingOk = db.lastLink()->ID();
        db.link("New missing", LinkStatusNew);
        const QString newMissing = db.lastLink()->ID();
        db.link("Blocked ok", LinkStatusBlocked);
        const QString blockedOk = db.lastLink()->ID();
        CollectionManager &store = db.store();
        const QDate day(2024, 3, 5);

        QVERIFY(!store.recordVerificationResults({}, day));
        QVERIFY(store.recordVerificationResults({{newOk, VerificationSucceeded},
                                                 {talkingOk, VerificationSucceeded},
                                                 {newMissing, VerificationLinkNotFound},
                                                 {blockedOk, VerificationSucceeded},
                                                 {"LNK0", VerificationSucceeded}},
                                                day));
        QCOMPARE(store.linkWithID(newOk)->status(), LinkStatusApproved);
        QCOMPARE(store.linkWithID(newOk)->lastStatusChangedOn(), Clock::today());
        QCOMPARE(store.linkWithID(talkingOk)->status(), LinkStatusApproved);
        QCOMPARE(store.linkWithID(newMissing)->status(), LinkStatusNew);
        QCOMPARE(store.linkWithID(newMissing)->lastVerificationResult(), VerificationLinkNotFound);
        QCOMPARE(store.linkWithID(blockedOk)->status(), LinkStatusBlocked);
        for (const QString &id : {newOk, talkingOk, newMissing, blockedOk})
            QCOMPARE(store.linkWithID(id)->lastVerifiedOn(), day);
    }

    void templateNamesAndOrder()
    {
        DatabaseBuilder db;
        db.emailTemplate("welcome", "s", "b").emailTemplate("Apology", "s", "b");
        CollectionManager &store = db.store();
        EmailTemplate *welcome = store.emailTemplateWithName("welcome");
        QCOMPARE(store.indexOfEmailTemplate(welcome), 1);
        const int copyIndex = store.duplicateEmailTemplate(welcome);
        QCOMPARE(store.emailTemplates()[copyIndex]->name(), QString("welcome copy"));
        store.duplicateEmailTemplate(welcome);
        QVERIFY(store.emailTemplateWithName("welcome copy 1"));
        QCOMPARE(store.emailTemplates()[copyIndex]->body(), QString("b"));
        EmailTemplate form;
        form.setName("Zulu", "s2", "b2");
        QCOMPARE(store.editEmailTemplate(welcome, form), 3);
        store.deleteEmailTemplateAtIndex(-1);
        store.deleteEmailTemplateAtIndex(4);
        QCOMPARE(store.emailTemplates().size(), size_t(4));
        store.deleteEmailTemplateAtIndex(0);
        QCOMPARE(store.emailTemplates().front()->name(), QString("welcome copy"));
    }

    void namedStrings()
    {
        CollectionManager store;
        store.setString("1", "A");
        store.setString("2", "B");
        store.setString("3", "A");
        store.setString(QString(), "C");
        QCOMPARE(store.namedStrings().size(), 2);
        QCOMPARE(store.namedStrings().last().name(), QString("A"));
        QCOMPARE(store.stringForName("A"), QString("3"));
        QVERIFY(store.stringForName("C").isNull());
        QCOMPARE(store.targetNew(), 1);
        store.setTargetNew(2);
        QCOMPARE(store.stringForName("TargetNew"), QString("NO"));
        QCOMPARE(store.targetNew(), 2);
        store.setTargetNew(7);
        QCOMPARE(store.targetNew(), 1);
    }

    void printObjectsSkipEmptyCategories()
    {
        DatabaseBuilder db;
        db.category("Empty").category("Full").link("x").link("y").defaultCategory().link("g");
        const QList<Attachment *> objects = db.store().printObjects();
        QCOMPARE(objects.size(), 5);
        QCOMPARE(objects[0]->ID(), NoneCategoryID);
        QCOMPARE(objects[2]->nodeTitle(), QString("Full"));
    }
};

QTEST_GUILESS_MAIN(TestCollectionManager)
#include "tst_collectionmanager.moc"
