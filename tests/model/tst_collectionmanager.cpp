#include "DatabaseBuilder.h"
#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/LocalTime.h"
#include "model/PublishingRules.h"

#include <QTest>

namespace {

TreeNode *linkNode(const QString &title)
{
    auto link = std::make_unique<Link>();
    LinkFields f;
    f.title = title;
    link->setTitle(f);
    return new TreeNode(std::move(link));
}

} // namespace

// The records, the clock they date themselves by, the tree of nodes the store keeps them in, and the
// store's rules.
class TestCollectionManager : public QObject
{
    Q_OBJECT

private slots:
    void fixedClockStandsStillAndNests()
    {
        const QDateTime real = LocalTime::now(); // fills the cache of the current second
        const QDateTime noon(QDate(2026, 3, 14), QTime(12, 0));
        {
            const Clock::Fixed fixed(noon);
            QCOMPARE(Clock::now(), noon);
            QCOMPARE(LocalTime::now(), noon); // not the cached real second
            {
                const Clock::Fixed later(noon.addDays(1).addSecs(13 * 3600)); // past midnight
                QCOMPARE(Clock::today(), QDate(2026, 3, 16));
                QCOMPARE(LocalTime::now(), noon.addDays(1).addSecs(13 * 3600));
            }
            QCOMPARE(Clock::today(), QDate(2026, 3, 14));
            QCOMPARE(QDateTime::fromString(Clock::environmentValue(Clock::now()), Qt::ISODateWithMs), noon);
        }
        QVERIFY(qAbs(Clock::now().secsTo(QDateTime::currentDateTime())) < 60);
        QVERIFY(qAbs(LocalTime::now().secsTo(real)) < 60);
    }

    void identifiersIncreaseWithinOneSecond()
    {
        QVERIFY(Link().ID().startsWith("LNK"));
        const qint64 first = Link().ID().mid(3).toLongLong();
        for (int i = 1; i <= 10; ++i)
            QCOMPARE(Link().ID().mid(3).toLongLong(), first + i);
        // Each kind counts on its own and starts near the current time.
        QVERIFY(Category().ID().mid(3).toLongLong() >= QDateTime::currentSecsSinceEpoch() - 1);
        QVERIFY(EmailTemplate().ID().startsWith("EMT"));
    }

    void fullSetterFlattensOneLineFieldsAndDatesStatusChanges()
    {
        const Clock::Fixed clock(QDateTime(QDate(2026, 3, 14), QTime(12, 0))); // dates against today
        Link link;
        LinkFields f;
        f.title = "Line\r\nbreak\tand tab";
        f.description = "a\nb";
        f.notes = "keeps\nbreaks";
        f.categoryID = "CAT\t1";
        f.status = LinkStatusNew;
        f.lastStatusChangedOn = QDate(2024, 1, 10);
        link.setTitle(f);
        QCOMPARE(link.title(), QString("Line  break and tab"));
        QCOMPARE(link.description(), QString("a b"));
        QCOMPARE(link.notes(), QString("keeps\nbreaks"));
        QCOMPARE(link.categoryID(), QString("CAT\t1"));

        // Same status, another date: the held date stays; a different status takes the given date.
        f.lastStatusChangedOn = QDate(2024, 2, 1);
        link.setTitle(f);
        QCOMPARE(link.lastStatusChangedOn(), QDate(2024, 1, 10));
        f.status = LinkStatusApproved;
        link.setTitle(f);
        QCOMPARE(link.lastStatusChangedOn(), QDate(2024, 2, 1));
        link.setStatus(LinkStatusApproved);
        QCOMPARE(link.lastStatusChangedOn(), QDate(2024, 2, 1));
        link.setStatus(LinkStatusBlocked);
        QCOMPARE(link.lastStatusChangedOn(), Clock::today());
        // Same status but never dated: today.
        Link undated;
        undated.setStatus(0);
        QCOMPARE(undated.lastStatusChangedOn(), Clock::today());
    }

    void orderedInsertionKeepsEqualRecordsInArrivalOrder()
    {
        TreeNode category("Category");
        QList<TreeNode *> arrived;
        for (const char *title : {"b", "A", "a", "C", "a", "a", "a"})
            arrived.append(category.addOrderedChild(linkNode(title)));
        const int arrival[] = {1, 2, 4, 5, 6, 0, 3}; // "A", then the four "a" as they came, ...
        for (int i = 0; i < 7; ++i)
            QCOMPARE(category.childAtIndex(i), arrived.at(arrival[i]));

        // addChild may put children out of order; ordered insertion then walks like the plain rule.
        TreeNode parent;
        TreeNode *m = linkNode("m"), *c = linkNode("c"), *d = linkNode("d"),
                 *none = new TreeNode("no record");
        parent.addChild(m);
        parent.addChild(c);
        parent.addOrderedChild(d);
        parent.addOrderedChild(none);
        QCOMPARE(parent.children(), std::vector<TreeNode *>({d, m, c, none}));

        // Two default categories are equal too; titles are searched without case but equal with it.
        Category general, other;
        general.setNone();
        other.setNone();
        other.setName("Zulu", NoneCategoryID);
        QCOMPARE(general.compare(other), 0);
        QVERIFY(!arrived[1]->link()->equals(*arrived[2]->link()));
        QVERIFY(arrived[0]->link()->containsString("B"));
    }

    void countsAndPositions()
    {
        TreeNode root;
        auto *category = new TreeNode("Books");
        root.addChild(category);
        QCOMPARE(category->nativeTitle(), QString("Books"));
        TreeNode *a = category->addOrderedChild(linkNode("a"));
        TreeNode *b = category->addOrderedChild(linkNode("b"));
        TreeNode *c = category->addOrderedChild(linkNode("c"));
        QCOMPARE(category->nativeTitle(), QString("Books (3)"));
        QCOMPARE(root.title(), QString(" (1)"));
        QCOMPARE(category->childAtIndex(3), nullptr);
        QCOMPARE(category->childAtIndex(-1), nullptr);
        a->isolate();
        QCOMPARE(category->indexOfChild(a), -1);
        QCOMPARE(category->indexOfChild(c), 1);
        delete a;
        delete b; // a node leaves its parent when it goes
        QCOMPARE(category->nativeTitle(), QString("Books (1)"));
        QCOMPARE(category->childAtIndex(0), c);
        delete category;
        QCOMPARE(root.numberOfChildren(), 0);
    }

    void statusRulesOfManyLinks()
    {
        const Clock::Fixed clock(QDateTime(QDate(2026, 3, 14), QTime(12, 0))); // dates against today
        DatabaseBuilder db;
        QStringList ids;
        for (const LinkStatus status :
             {LinkStatusNew, LinkStatusNegotiating, LinkStatusNew, LinkStatusBlocked}) {
            db.link(QString("Link %1").arg(ids.size()), status);
            ids.append(db.lastLink()->ID());
        }
        CollectionManager &store = db.store();
        QCOMPARE(PublishingRules::numberOfPublishableLinks(store), 3);
        QCOMPARE(store.verifiableLinks().size(), 3);
        store.setExportNewLinks(false, true);
        QCOMPARE(PublishingRules::numberOfPublishableLinks(store), 1);
        store.setExportNewLinks(false, false);
        // Success approves new and negotiating links only; every link checked is dated.
        const QDate day(2024, 3, 5);
        QVERIFY(!store.recordVerificationResults({}, day));
        QVERIFY(store.recordVerificationResults({{ids[0], VerificationSucceeded},
                                                 {ids[1], VerificationSucceeded},
                                                 {ids[2], VerificationLinkNotFound},
                                                 {ids[3], VerificationSucceeded},
                                                 {"LNK0", VerificationSucceeded}},
                                                day));
        const QList<LinkStatus> statuses{LinkStatusApproved, LinkStatusApproved, LinkStatusNew,
                                         LinkStatusBlocked};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(store.linkWithID(ids[i])->status(), statuses[i]);
            QCOMPARE(store.linkWithID(ids[i])->lastVerifiedOn(), day);
        }
        QCOMPARE(store.linkWithID(ids[0])->lastStatusChangedOn(), Clock::today());
        QCOMPARE(PublishingRules::numberOfPublishableLinks(store), 2);
        QVERIFY(!store.setStatus(LinkStatusApproved, {}));
        QVERIFY(store.setStatus(LinkStatusApproved, {ids[2], "LNK0"}));
        QCOMPARE(PublishingRules::numberOfPublishableLinks(store), 3);
        QVERIFY(store.setVerificationResult(VerificationMarkedVerified, {ids[2]}));
        QCOMPARE(store.linkWithID(ids[2])->lastVerifiedOn(), Clock::today());
        QCOMPARE(store.linkWithID(ids[2])->lastVerificationResult(), VerificationMarkedVerified);
        store.deleteLinkNodesWithIDs({ids[2], "LNK0"});
        QCOMPARE(PublishingRules::numberOfPublishableLinks(store), 2);
    }

    void editingAndRenamingReorder()
    {
        DatabaseBuilder db;
        db.category("Other").link("Apple").link("Zebra", LinkStatusNew, "http://Example.com/");
        CollectionManager &store = db.store();
        TreeNode *other = db.currentCategory();
        TreeNode *zebra = store.linkNodeWithID(db.lastLink()->ID());
        QVERIFY(store.linkWithURLAlreadyExists("http://example.com"));
        QVERIFY(!store.linkWithURLAlreadyExists("http://example.com//"));
        QVERIFY(!store.linkWithURLAlreadyExists("http://example.com/", zebra->attachmentID()));
        QVERIFY(!store.linkWithURLAlreadyExists(""));
        LinkFields f = zebra->link()->fields();
        f.title = "Aardvark";
        store.editLinkNode(zebra, f);
        QCOMPARE(other->childAtIndex(0), zebra);
        f.categoryID = NoneCategoryID;
        store.editLinkNode(zebra, f);
        QCOMPARE(store.defaultCategoryNode()->childAtIndex(0), zebra);
        // An unknown category leaves the link where it is.
        f.categoryID = "CAT1";
        store.editLinkNode(zebra, f);
        QCOMPARE(zebra->parent(), store.defaultCategoryNode());
        QCOMPARE(zebra->link()->categoryID(), NoneCategoryID);
        store.moveLinksWithIDs({zebra->attachmentID()}, other);
        QCOMPARE(zebra->link()->categoryID(), other->attachmentID());
        QCOMPARE(other->childAtIndex(0), zebra);
        db.category("Beta");
        store.renameCategory(other, "Alpha", "alpha");
        QCOMPARE(store.categoryRoot()->childAtIndex(1), other);
        QCOMPARE(other->objectValue().toString(), QString("Alpha (2)"));
        QCOMPARE(store.categoryWithAnchor("alpha"), other);
        QCOMPARE(store.categoryWithName("alpha"), nullptr); // names match exactly
    }

    void templatesAndNamedStrings()
    {
        DatabaseBuilder db;
        db.emailTemplate("welcome", "s", "b").emailTemplate("Apology", "s", "b");
        EmailTemplateList &list = db.store().emailTemplateList();
        EmailTemplate *welcome = list.emailTemplateWithName("welcome");
        QCOMPARE(list.indexOfEmailTemplate(welcome), 1);
        const int copyIndex = list.duplicateEmailTemplate(welcome);
        QCOMPARE(db.store().emailTemplates()[copyIndex]->name(), QString("welcome copy"));
        QCOMPARE(db.store().emailTemplates()[copyIndex]->body(), QString("b"));
        list.duplicateEmailTemplate(welcome);
        QVERIFY(list.emailTemplateWithName("welcome copy 1"));
        EmailTemplate form;
        form.setName("Zulu", "s2", "b2");
        QCOMPARE(list.editEmailTemplate(welcome, form), 3);
        list.deleteEmailTemplateAtIndex(-1);
        list.deleteEmailTemplateAtIndex(4);
        list.deleteEmailTemplateAtIndex(0);
        QCOMPARE(db.store().emailTemplates().size(), size_t(3));
        QCOMPARE(db.store().emailTemplates().front()->name(), QString("welcome copy"));
        CollectionManager store;
        store.setString("1", "A");
        store.setString("2", "B");
        store.setString("3", "A");
        store.setString(QString(), "B"); // a null value changes nothing
        QCOMPARE(store.namedStrings(), QList<NamedString>({{"B", "2"}, {"A", "3"}}));
        QCOMPARE(store.targetNew(),
                 2); // never set: the page gets no target, partners open in the same window
        store.setTargetNew(2);
        QCOMPARE(store.stringForName("TargetNew"), QString("NO"));
        store.setTargetNew(7);
        QCOMPARE(store.targetNew(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCollectionManager)
#include "tst_collectionmanager.moc"
