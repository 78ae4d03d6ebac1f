#include "DatabaseBuilder.h"
#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/PublishingRules.h"

#include <QTest>

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
        QCOMPARE(PublishingRules::numberOfPublishableLinks(store), 3);
        QCOMPARE(store.verifiableLinks().size(), 3);
        store.setExportNewLinks(true, false);
        QCOMPARE(PublishingRules::numberOfPublishableLinks(store), 2);
        QVERIFY(!PublishingRules::publishableLink(store.selfInfo(),
                                                  *store.linkNodeWithID(db.lastLink()->ID())->link()));
        store.setExportNewLinks(false, false);
        QCOMPARE(PublishingRules::numberOfPublishableLinks(store), 1);
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

        db.store().moveLinksWithIDs({zebra->attachmentID()}, db.currentCategory());
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
        EmailTemplate *welcome = store.emailTemplateList().emailTemplateWithName("welcome");
        QCOMPARE(store.emailTemplateList().indexOfEmailTemplate(welcome), 1);
        const int copyIndex = store.emailTemplateList().duplicateEmailTemplate(welcome);
        QCOMPARE(store.emailTemplates()[copyIndex]->name(), QString("welcome copy"));
        store.emailTemplateList().duplicateEmailTemplate(welcome);
        QVERIFY(store.emailTemplateList().emailTemplateWithName("welcome copy 1"));
        QCOMPARE(store.emailTemplates()[copyIndex]->body(), QString("b"));
        EmailTemplate form;
        form.setName("Zulu", "s2", "b2");
        QCOMPARE(store.emailTemplateList().editEmailTemplate(welcome, form), 3);
        store.emailTemplateList().deleteEmailTemplateAtIndex(-1);
        store.emailTemplateList().deleteEmailTemplateAtIndex(4);
        QCOMPARE(store.emailTemplates().size(), size_t(4));
        store.emailTemplateList().deleteEmailTemplateAtIndex(0);
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
};

QTEST_GUILESS_MAIN(TestCollectionManager)
#include "tst_collectionmanager.moc"
