#include "model/Clock.h"
#include "support/DatabaseBuilder.h"
#include "workflow/LinkFinder.h"
#include "workflow/LinkListOrder.h"
#include "workflow/LinkMatcher.h"

#include <QRandomGenerator>
#include <QtTest>

using S = SearchCriterion;
Q_DECLARE_METATYPE(SearchCriterion)

namespace {

LinkFields linkFields(const QString &title, LinkStatus status = LinkStatusApproved)
{
    LinkFields f;
    f.title = title;
    f.URL = QStringLiteral("http://%1.example/").arg(title.toLower());
    f.description = QStringLiteral("About ") + title;
    f.status = status;
    f.lastStatusChangedOn = QDate(2024, 5, 1);
    f.notes = QStringLiteral("");
    f.counterpartURL = QStringLiteral("http://links.example/");
    return f;
}

// The walk exactly as first described: sort every category by insertion, then scan.
TreeNode *literalFind(const CollectionManager &store, const QList<S> &criteria, bool any,
                      const TreeNode *start, int sortColumn)
{
    const QList<S> resolved = LinkFinder::resolveCategories(store, criteria);
    bool passed = false;
    for (const TreeNode *category : store.categoryRoot()->children()) {
        std::vector<TreeNode *> sorted;
        for (TreeNode *node : category->children()) {
            auto at = sorted.begin();
            while (at != sorted.end() && LinkListOrder::compareLink(node, *at, sortColumn) >= 0)
                ++at;
            sorted.insert(at, node);
        }
        for (TreeNode *node : sorted) {
            if (node == start) {
                passed = true;
                continue;
            }
            if (LinkMatcher::matchesCriteria(*node->link(), resolved, any) && (!start || passed))
                return node;
        }
    }
    return start ? literalFind(store, criteria, any, nullptr, sortColumn) : nullptr;
}

QStringList titlesOf(const std::vector<TreeNode *> &nodes)
{
    QStringList titles;
    for (const TreeNode *node : nodes)
        titles.append(node->link()->title());
    return titles;
}

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private slots:
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
        LinkListOrder::buildSortedLinkList(list, category, 1);
        QCOMPARE(titlesOf(list), QStringList({"m", "M", "Z", "A"}));
        LinkListOrder::buildSortedLinkList(list, category, 2);
        QCOMPARE(titlesOf(list), QStringList({"A", "m", "M", "Z"}));
        LinkListOrder::buildSortedLinkList(list, category, 3);
        QCOMPARE(titlesOf(list), QStringList({"m", "A", "Z", "M"}));
        // Column 0 puts "none" first, which is always equal: the chain goes on to status.
        LinkListOrder::buildSortedLinkList(list, category, 0);
        QCOMPARE(titlesOf(list), QStringList({"m", "M", "Z", "A"}));
        LinkListOrder::buildSortedLinkList(list, category, 42);
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
        LinkListOrder::buildSortedLinkList(list, db.currentCategory(), 3);
        QCOMPARE(titlesOf(list), QStringList({"a", "b", "B"}));
    }

    void validity()
    {
        QVERIFY(!S().isValid()); // title contains ""
        QVERIFY(!S(S::Notes, S::DoesNotContain, QString("")).isValid());
        QVERIFY(S(S::Notes, S::TextIs, QString("")).isValid());
        QVERIFY(S(S::Notes, S::TextIsNot, QString()).isValid());
        QVERIFY(!S(S::CreatedOn, S::IsBefore, QDate()).isValid());
        QVERIFY(S(S::CreatedOn, S::IsBefore, QDate(2024, 1, 1)).isValid());
        QVERIFY(S(S::Status, S::ChoiceIsNot, 9).isValid());
        QCOMPARE(S::typeOfObject(15), S::TextKind);
        QCOMPARE(S(S::LastStatusChangedOn, 1, QDate(2024, 1, 2)).objectValue(), QVariant(QDate(2024, 1, 2)));
    }

    void categoryPopupIndices()
    {
        QCOMPARE(S::popupIndexOfCategoryWithIndex(0, 1), 0);
        QCOMPARE(S::popupIndexOfCategoryWithIndex(0, 3), 0);
        QCOMPARE(S::popupIndexOfCategoryWithIndex(2, 3), 3);
        QCOMPARE(S::indexOfSelectedCategoryInPopup(0, 3), 0);
        QCOMPARE(S::indexOfSelectedCategoryInPopup(1, 3), -1); // the separator
        QCOMPARE(S::indexOfSelectedCategoryInPopup(3, 3), 2);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(S::indexOfSelectedCategoryInPopup(S::popupIndexOfCategoryWithIndex(i, 5), 5), i);
    }

    void conflicts_data()
    {
        QTest::addColumn<S>("a");
        QTest::addColumn<S>("b");
        QTest::addColumn<bool>("conflict");
        const QDate d(2024, 3, 1);
        QTest::newRow("contains/not contains") << S(S::Title, S::Contains, QString("foo"))
                                               << S(S::Title, S::DoesNotContain, QString("foo")) << true;
        QTest::newRow("contains twice")
            << S(S::Title, S::Contains, QString("foo")) << S(S::Title, S::Contains, QString("bar")) << false;
        QTest::newRow("is, case differs")
            << S(S::Title, S::TextIs, QString("Foo")) << S(S::Title, S::TextIs, QString("foo")) << true;
        QTest::newRow("is/is not equal")
            << S(S::URL, S::TextIs, QString("x")) << S(S::URL, S::TextIsNot, QString("x")) << true;
        QTest::newRow("is/is not differ")
            << S(S::URL, S::TextIs, QString("x")) << S(S::URL, S::TextIsNot, QString("y")) << false;
        QTest::newRow("other object")
            << S(S::Title, S::TextIs, QString("x")) << S(S::URL, S::TextIs, QString("y")) << false;
        QTest::newRow("date is twice")
            << S(S::CreatedOn, S::DateIs, d) << S(S::CreatedOn, S::DateIs, d.addDays(1)) << true;
        QTest::newRow("date is/is not")
            << S(S::CreatedOn, S::DateIs, d) << S(S::CreatedOn, S::DateIsNot, d) << true;
        QTest::newRow("date before/after")
            << S(S::CreatedOn, S::IsBefore, d) << S(S::CreatedOn, S::IsAfter, d) << false;
        QTest::newRow("status is twice")
            << S(S::Status, S::ChoiceIs, 1) << S(S::Status, S::ChoiceIs, 2) << true;
        QTest::newRow("status is/is not")
            << S(S::Status, S::ChoiceIs, 3) << S(S::Status, S::ChoiceIsNot, 3) << true;
        QTest::newRow("status is not twice")
            << S(S::Status, S::ChoiceIsNot, 3) << S(S::Status, S::ChoiceIsNot, 4) << false;
    }

    void conflicts()
    {
        QFETCH(S, a);
        QFETCH(S, b);
        QFETCH(bool, conflict);
        QCOMPARE(a.conflictsWithSearchCriterion(b), conflict);
        QCOMPARE(b.conflictsWithSearchCriterion(a), conflict);
    }

    void textRules()
    {
        Link link;
        LinkFields f = linkFields(QStringLiteral("Blue Widgets"));
        f.counterpartURL = QStringLiteral("http://");
        link.setTitle(f);
        auto matches = [&](const QList<S> &criteria, bool any) {
            return LinkMatcher::matchesCriteria(link, criteria, any);
        };
        QVERIFY(matches({S(S::Title, S::Contains, QString("WIDGET"))}, false));
        QVERIFY(matches({S(S::Title, S::TextIs, QString("blue widgets"))}, false));
        QVERIFY(!matches({S(S::Title, S::TextIsNot, QString("BLUE WIDGETS"))}, false));
        QVERIFY(!matches({}, true));
        // Opposites: any accepts every link, all none.
        const QList<S> pair{S(S::Title, S::Contains, QString("zzz")),
                            S(S::Title, S::DoesNotContain, QString("zzz"))};
        QVERIFY(matches(pair, true));
        QVERIFY(!matches(pair, false));
        // An unknown object leaves the running result alone.
        QVERIFY(
            matches({S(S::Title, S::Contains, QString("blue")), S(99, S::Contains, QString("x"))}, false));
        QVERIFY(!matches({S(99, S::Contains, QString("x"))}, true));

        // A links page address of "http://" counts as empty, but only for that field.
        QVERIFY(matches({S(S::CounterpartURL, S::TextIs, QString(""))}, false));
        QVERIFY(matches({S(S::CounterpartURL, S::Contains, QString(""))}, false));
        QVERIFY(!matches({S(S::CounterpartURL, S::TextIs, QString("x"))}, false));
        f.URL = QStringLiteral("http://");
        link.setTitle(f);
        QVERIFY(!matches({S(S::URL, S::TextIs, QString(""))}, false));

        // Empty notes against "is" with an empty value.
        QVERIFY(matches({S(S::Notes, S::TextIs, QString(""))}, false));
        QVERIFY(!LinkMatcher::matchesString(S(S::Notes, S::TextIs, QString()), link.notes()));
    }

    void dateAndChoiceRules()
    {
        Link link;
        LinkFields f = linkFields(QStringLiteral("A"), LinkStatusNegotiating);
        f.type = LinkTypeSent;
        f.categoryID = QStringLiteral("CAT5");
        link.setTitle(f);
        const QDate day = link.lastStatusChangedOn();
        QVERIFY(!LinkMatcher::matchesDate(S(S::LastStatusChangedOn, S::IsBefore, day), day));
        QVERIFY(LinkMatcher::matchesDate(S(S::LastStatusChangedOn, S::IsBefore, day.addDays(1)), day));
        QVERIFY(LinkMatcher::matchesDate(S(S::LastStatusChangedOn, S::IsAfter, day.addDays(-1)), day));
        QVERIFY(LinkMatcher::matchesDate(S(S::LastStatusChangedOn, S::DateIsNot, day.addDays(-1)), day));
        QVERIFY(!LinkMatcher::matchesDate(S(S::LastStatusChangedOn, 7, day), day));
        // An absent date never matches, not even "is not".
        QVERIFY(!LinkMatcher::matchesDate(S(S::LastStatusChangedOn, S::DateIsNot, day), QDate()));
        // The creation date is compared by its day.
        QVERIFY(LinkMatcher::matchesCriteria(link, {S(S::CreatedOn, S::DateIs, Clock::today())}, false));

        QVERIFY(LinkMatcher::matchesStatus(S(S::Status, S::ChoiceIs, S::StatusNegotiating), link.status()));
        QVERIFY(LinkMatcher::matchesStatus(S(S::Status, S::ChoiceIsNot, S::StatusNew), link.status()));
        QVERIFY(LinkMatcher::matchesStatus(S(S::Status, S::ChoiceIsNot, 0), link.status()));
        QVERIFY(!LinkMatcher::matchesStatus(S(S::Status, S::ChoiceIs, 0), link.status()));
        QVERIFY(LinkMatcher::matchesType(S(S::Type, S::ChoiceIs, S::TypeSent), link.type()));
        QVERIFY(!LinkMatcher::matchesType(S(S::Type, S::ChoiceIs, S::TypeReceived), link.type()));
        QVERIFY(LinkMatcher::matchesType(S(S::Type, S::ChoiceIsNot, 3), link.type()));

        S category(S::CategoryObject, S::ChoiceIs, 1);
        QVERIFY(!LinkMatcher::matchesCategory(S(S::CategoryObject, S::ChoiceIsNot, QString()),
                                              link.categoryID()));
        category.setStringValue(QStringLiteral("CAT5"));
        QVERIFY(LinkMatcher::matchesCategory(category, link.categoryID()));
        category.setOperation(S::ChoiceIsNot);
        QVERIFY(!LinkMatcher::matchesCategory(category, link.categoryID()));
    }

    void walkEdges()
    {
        DatabaseBuilder db;
        db.link(linkFields(QStringLiteral("Alpha"))).link(linkFields(QStringLiteral("Beta"), LinkStatusNew));
        db.category(QStringLiteral("Second")).link(linkFields(QStringLiteral("Gamma")));
        CollectionManager &store = db.store();
        auto node = [&](const QString &title) {
            for (TreeNode *n : store.allLinkNodes())
                if (n->link()->title() == title)
                    return n;
            return static_cast<TreeNode *>(nullptr);
        };
        // The order of the walk is compared with its definition below; here what that cannot show.
        const QList<S> approved{S(S::Status, S::ChoiceIs, S::StatusApproved)};
        // A start node that is not in the tree is never passed.
        TreeNode detached(std::make_unique<Link>());
        QCOMPARE(LinkFinder::findLinkWithSearchCriteria(store, approved, false, &detached, 2), node("Alpha"));
        QCOMPARE(LinkFinder::findLinkWithSearchCriteria(store, {}, false, nullptr, 2), nullptr);
        QCOMPARE(LinkFinder::findLinkWithSearchCriteria(store, {S(S::Title, S::TextIs, QString("none"))},
                                                        false, node("Alpha"), 2),
                 nullptr);

        // Category conditions hold the index, resolved anew at every search.
        const QList<S> inSecond{S(S::CategoryObject, S::ChoiceIs, 1)};
        QCOMPARE(LinkFinder::findLinkWithSearchCriteria(store, inSecond, false, nullptr, 2), node("Gamma"));
        store.addCategoryWithName(QStringLiteral("First"), QStringLiteral("first"));
        QCOMPARE(LinkFinder::findLinkWithSearchCriteria(store, inSecond, false, nullptr, 2), nullptr);
        const auto all = LinkFinder::findAllLinksWithSearchCriteria(
            store, {S(S::CategoryObject, S::ChoiceIsNot, 1)}, false, 2);
        QCOMPARE(all.size(), size_t(3));
    }

    // The linear walk gives what sorting every category and scanning gives, for every start.
    void walkEqualsTheLiteralDefinition()
    {
        DatabaseBuilder db;
        QRandomGenerator random(7);
        const QStringList titles{"a", "A", "b", "B", "c"};
        const QStringList descriptions{"x", "X", "y"};
        const LinkStatus statuses[] = {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved,
                                       LinkStatusBlocked};
        for (int c = 0; c < 4; ++c) {
            if (c > 0)
                db.category(QStringLiteral("Category %1").arg(c));
            for (int i = 0; i < 25; ++i) {
                LinkFields f = linkFields(titles[random.bounded(titles.size())], statuses[random.bounded(4)]);
                f.description = descriptions[random.bounded(descriptions.size())];
                db.link(f);
            }
        }
        const CollectionManager &store = db.store();
        const QList<QList<S>> searches{
            {S(S::Status, S::ChoiceIs, S::StatusApproved)},
            {S(S::Description, S::TextIs, QString("x")), S(S::Title, S::TextIsNot, QString("b"))},
            {S(S::Title, S::TextIs, QString("c"))},
        };
        int compared = 0;
        for (int column : {-1, 0, 1, 2, 3}) {
            for (const QList<S> &criteria : searches) {
                for (const bool any : {false, true}) {
                    QCOMPARE(LinkFinder::findLinkWithSearchCriteria(store, criteria, any, nullptr, column),
                             literalFind(store, criteria, any, nullptr, column));
                    for (TreeNode *start : store.allLinkNodes()) {
                        QCOMPARE(LinkFinder::findLinkWithSearchCriteria(store, criteria, any, start, column),
                                 literalFind(store, criteria, any, start, column));
                        ++compared;
                    }
                }
            }
        }
        QCOMPARE(compared, 5 * 3 * 2 * 100);
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
