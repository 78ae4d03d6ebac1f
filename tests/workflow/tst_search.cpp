#include "model/Clock.h"
#include "support/DatabaseBuilder.h"
#include "workflow/LinkFinder.h"
#include "workflow/LinkListOrder.h"
#include "workflow/LinkMatcher.h"
#include "workflow/SearchCriterionParser.h"
#include "workflow/SearchForm.h"

#include <QRandomGenerator>
#include <QtTest>

using S = SearchCriterion;

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

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private slots:
    // "Z" and "z" are equal in every column and keep their order.
    void sortColumnsChainTheirCriteriaStably()
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
        add("z", "b", LinkStatusNew);
        const QStringList byStatus{"m", "M", "Z", "z", "A"};
        // Column 0 puts "none" first, which is always equal: the chain goes on to status.
        const std::pair<int, QStringList> orders[] = {{1, byStatus},
                                                      {2, {"A", "m", "M", "Z", "z"}},
                                                      {3, {"m", "A", "Z", "z", "M"}},
                                                      {0, byStatus},
                                                      {42, byStatus}};
        std::vector<TreeNode *> list;
        for (const auto &[column, titles] : orders) {
            LinkListOrder::buildSortedLinkList(list, db.currentCategory(), column);
            QStringList sorted;
            for (const TreeNode *node : list)
                sorted.append(node->link()->title());
            QCOMPARE(sorted, titles);
        }

        // Keys made once a link order the links as comparing the links does, in every column, with
        // letter case and accents in the texts.
        add("Éclair", "ß", LinkStatusApproved);
        add("éclair", "SS", LinkStatusApproved);
        add("Ωmega", "", LinkStatusNegotiating);
        const std::vector<TreeNode *> nodes(db.currentCategory()->children().begin(),
                                            db.currentCategory()->children().end());
        for (const int column : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 42}) {
            for (const TreeNode *a : nodes) {
                for (const TreeNode *b : nodes) {
                    const int byLinks = LinkListOrder::compareLink(a, b, column);
                    const int byKeys = LinkListOrder::compareKeys(LinkListOrder::sortKey(a, column),
                                                                  LinkListOrder::sortKey(b, column));
                    QCOMPARE((byKeys > 0) - (byKeys < 0), (byLinks > 0) - (byLinks < 0));
                }
            }
        }
    }

    void validityAndCategoryPopup()
    {
        QVERIFY(!S().isValid()); // title contains ""
        QVERIFY(!S(S::Notes, S::DoesNotContain, QString("")).isValid());
        QVERIFY(S(S::Notes, S::TextIsNot, QString()).isValid());
        QVERIFY(S(S::CreatedOn, S::IsBefore, QDate(2024, 1, 1)).isValid());
        QVERIFY(S(S::Status, S::ChoiceIsNot, 9).isValid());

        QCOMPARE(S::popupIndexOfCategoryWithIndex(0, 1), 0);
        QCOMPARE(S::popupIndexOfCategoryWithIndex(2, 3), 3);
        QCOMPARE(S::indexOfSelectedCategoryInPopup(1, 3), -1); // the separator
        for (int i = 0; i < 5; ++i)
            QCOMPARE(S::indexOfSelectedCategoryInPopup(S::popupIndexOfCategoryWithIndex(i, 5), 5), i);
    }

    void conflicts()
    {
        const QString x("x");
        const QDate d(2024, 3, 1);
        const std::tuple<S, S, bool> pairs[] = {
            {S(S::Title, S::Contains, x), S(S::Title, S::DoesNotContain, x), true},
            {S(S::Title, S::Contains, x), S(S::Title, S::Contains, QString("y")), false},
            {S(S::Title, S::TextIs, QString("X")), S(S::Title, S::TextIs, x), true}, // case differs
            {S(S::URL, S::TextIs, x), S(S::URL, S::TextIsNot, x), true},
            {S(S::URL, S::TextIs, x), S(S::URL, S::TextIsNot, QString("y")), false},
            {S(S::Title, S::TextIs, x), S(S::URL, S::TextIs, QString("y")), false},
            {S(S::CreatedOn, S::DateIs, d), S(S::CreatedOn, S::DateIs, d.addDays(1)), true},
            {S(S::CreatedOn, S::DateIs, d), S(S::CreatedOn, S::DateIsNot, d), true},
            {S(S::CreatedOn, S::IsBefore, d), S(S::CreatedOn, S::IsAfter, d), false},
            {S(S::Status, S::ChoiceIs, 1), S(S::Status, S::ChoiceIs, 2), true},
            {S(S::Status, S::ChoiceIs, 3), S(S::Status, S::ChoiceIsNot, 3), true},
            {S(S::Status, S::ChoiceIsNot, 3), S(S::Status, S::ChoiceIsNot, 4), false}};
        for (const auto &[a, b, conflict] : pairs) {
            QCOMPARE(a.conflictsWithSearchCriterion(b), conflict);
            QCOMPARE(b.conflictsWithSearchCriterion(a), conflict);
        }
    }

    // Each condition alone, then combined, against one link: "Blue Widgets", status Negotiating since
    // 2024-05-01, sent, in CAT5, created today, empty notes, a links page of "http://", a URL of "http://".
    void conditionsAndTheirCombinations()
    {
        LinkFields f = linkFields(QStringLiteral("Blue Widgets"), LinkStatusNegotiating);
        f.URL = f.counterpartURL = QStringLiteral("http://");
        f.type = LinkTypeSent;
        f.categoryID = QStringLiteral("CAT5");
        Link link;
        link.setTitle(f);
        const QDate day(2024, 5, 1);
        const std::pair<S, bool> cases[] = {
            {S(S::Title, S::Contains, QString("WIDGET")), true}, // case ignored
            {S(S::Title, S::TextIs, QString("blue widgets")), true},
            {S(S::Title, S::TextIsNot, QString("BLUE WIDGETS")), false},
            // A links page address of "http://" counts as empty, but only for that field.
            {S(S::CounterpartURL, S::TextIs, QString("")), true},
            {S(S::CounterpartURL, S::TextIs, QString("x")), false},
            {S(S::URL, S::TextIs, QString("")), false},
            {S(S::Notes, S::TextIs, QString("")), true},
            {S(S::Notes, S::TextIs, QString()), false},
            {S(S::LastStatusChangedOn, S::IsBefore, day), false},
            {S(S::LastStatusChangedOn, S::IsBefore, day.addDays(1)), true},
            {S(S::LastStatusChangedOn, S::IsAfter, day.addDays(-1)), true},
            {S(S::LastStatusChangedOn, S::DateIsNot, day.addDays(-1)), true},
            {S(S::LastStatusChangedOn, 7, day), false},         // an unknown operation
            {S(S::CreatedOn, S::DateIs, Clock::today()), true}, // created today, by its day
            {S(S::Status, S::ChoiceIs, S::StatusNegotiating), true},
            {S(S::Status, S::ChoiceIsNot, 0), true}, // 0 is no known status
            {S(S::Status, S::ChoiceIs, 0), false},
            {S(S::Type, S::ChoiceIs, S::TypeSent), true},
            {S(S::Type, S::ChoiceIsNot, 3), true},
            {S(S::CategoryObject, S::ChoiceIsNot, QString()), false},
            {S(S::CategoryObject, S::ChoiceIs, QString("CAT5")), true},
            {S(S::CategoryObject, S::ChoiceIsNot, QString("CAT5")), false}};
        for (const auto &[criterion, matches] : cases)
            QVERIFY2(LinkMatcher::matchesCriteria(link, {criterion}, false) == matches,
                     qPrintable(QStringLiteral("object %1, operation %2")
                                    .arg(criterion.object())
                                    .arg(criterion.operation())));

        // No condition matches nothing.
        QVERIFY(!LinkMatcher::matchesCriteria(link, {}, true));
        // Opposites: any accepts every link, all none.
        const QList<S> pair{S(S::Title, S::Contains, QString("zzz")),
                            S(S::Title, S::DoesNotContain, QString("zzz"))};
        QVERIFY(LinkMatcher::matchesCriteria(link, pair, true));
        QVERIFY(!LinkMatcher::matchesCriteria(link, pair, false));
        // An unknown object leaves the running result alone.
        const S unknown(99, S::Contains, QString("x"));
        QVERIFY(
            LinkMatcher::matchesCriteria(link, {S(S::Title, S::Contains, QString("blue")), unknown}, false));
        QVERIFY(!LinkMatcher::matchesCriteria(link, {unknown}, true));
        // An absent date never matches, not even "is not".
        QVERIFY(
            !LinkMatcher::matchesDate(S(S::LastStatusChangedOn, S::DateIsNot, QDate(2024, 1, 1)), QDate()));
    }

    void categoryConditionsAreResolvedAtEverySearch()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("Alpha")).link(QStringLiteral("Beta")).category(QStringLiteral("Second"));
        db.link(QStringLiteral("Gamma"));
        CollectionManager &store = db.store();
        TreeNode *gamma = store.allLinkNodes().at(2);
        // Category conditions hold the index, resolved anew at every search; the rest of the walk is
        // compared with its definition below.
        const QList<S> inSecond{S(S::CategoryObject, S::ChoiceIs, 1)};
        QCOMPARE(LinkFinder::findLinkWithSearchCriteria(store, inSecond, false, nullptr, 2), gamma);
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
            {},
        };
        // A start node that is not in the tree is never passed.
        TreeNode detached(std::make_unique<Link>());
        std::vector<TreeNode *> starts = store.allLinkNodes();
        starts.insert(starts.end(), {nullptr, &detached});
        int compared = 0;
        for (int column : {-1, 0, 1, 2, 3}) {
            for (const QList<S> &criteria : searches) {
                for (const bool any : {false, true}) {
                    for (TreeNode *start : starts) {
                        QCOMPARE(LinkFinder::findLinkWithSearchCriteria(store, criteria, any, start, column),
                                 literalFind(store, criteria, any, start, column));
                        ++compared;
                    }
                }
            }
        }
        QCOMPARE(compared, 5 * 4 * 2 * 102);
    }

    // Which conditions the sheet refuses, under all and under any; which pairs conflict is the
    // condition's own rule above.
    void searchFormRules()
    {
        QVERIFY(!SearchForm::canRemoveRow(1) && SearchForm::canRemoveRow(2));
        QVERIFY(SearchForm::canAddRow(9) && !SearchForm::canAddRow(SearchForm::MaximumRows));
        QVERIFY(!SearchForm::showsCombination(1) && SearchForm::showsCombination(2));
        const S contains(S::Title, S::Contains, QStringLiteral("shop"));
        const S lacks(S::Title, S::DoesNotContain, QStringLiteral("shop"));
        const S notes(S::Notes, S::Contains, QStringLiteral("shop"));
        for (const QList<S> &pair : {QList<S>{contains, lacks}, QList<S>{lacks, contains}}) {
            const SearchForm::CheckResult all = SearchForm::check(pair, false);
            QVERIFY(!all.passed);
            QCOMPARE(all.row, 1); // the later row of the pair
            QCOMPARE(all.title,
                     QStringLiteral("One or more conditions are empty or conflict with each other."));
            QCOMPARE(all.message, QStringLiteral("This will result in never matching a link."));
            QVERIFY(SearchForm::check(pair, true).passed);
        }
        // A third row between them does not hide the pair; another field never conflicts.
        QCOMPARE(SearchForm::check({contains, notes, lacks}, false).row, 2);
        QVERIFY(SearchForm::check({contains, notes}, false).passed);
        // Empty conditions are refused even under any.
        QCOMPARE(SearchForm::check({notes, S(S::Notes, S::Contains, QStringLiteral(""))}, true).row, 1);
        QVERIFY(SearchForm::check({S(S::Notes, S::TextIs, QStringLiteral(""))}, false).passed);
        QVERIFY(!SearchForm::check({S(S::CreatedOn, S::DateIs, QDate())}, true).passed);

        // The pop-ups carry the stored codes.
        const QList<SearchForm::Item> objects = SearchForm::objectItems();
        QCOMPARE(objects.size(), 17);
        for (int i = 0; i < objects.size(); ++i)
            QCOMPARE(objects.at(i).tag, i + 1);
        QCOMPARE(SearchForm::operationItems(S::TextKind).at(1).title, QStringLiteral("does not contain"));
        QCOMPARE(SearchForm::operationItems(S::DateKind).at(2).title, QStringLiteral("is before"));
        QCOMPARE(SearchForm::operationItems(S::ChoiceKind).size(), 2);
        QCOMPARE(SearchForm::statusItems().at(2).image, QStringLiteral("verified"));
    }

    // The command line's "field:operation:value".
    void parser()
    {
        DatabaseBuilder db;
        db.category("Outdoor Gear", "gear");
        const std::tuple<const char *, int, int, QVariant> read[] = {
            {"url:contains:http://a.example/x:y", S::URL, S::Contains, QString("http://a.example/x:y")},
            {"notes:is:", S::Notes, S::TextIs, QString("")},
            {"Status-Changed:BEFORE:2024-05-01", S::LastStatusChangedOn, S::IsBefore, QDate(2024, 5, 1)},
            {"status:is-not:Blocked", S::Status, S::ChoiceIsNot, int(S::StatusBlocked)},
            {"type:is:sent", S::Type, S::ChoiceIs, int(S::TypeSent)},
            // Categories by name or ID (anchor), kept as the index the search resolves.
            {"category:is:Outdoor Gear", S::CategoryObject, S::ChoiceIs, 1},
            {"category:is:gear", S::CategoryObject, S::ChoiceIs, 1},
            {"category:is:General", S::CategoryObject, S::ChoiceIs, 0}};
        QString error;
        for (const auto &[text, object, operation, value] : read) {
            const auto criterion = SearchCriterionParser::parse(text, db.store(), &error);
            QVERIFY2(criterion, qPrintable(error));
            QCOMPARE(criterion->object(), object);
            QCOMPARE(criterion->operation(), operation);
            QCOMPARE(criterion->objectValue(), value);
            QVERIFY(criterion->isValid());
        }
        for (const char *refused :
             {"title", "title:foo", "colour:is:red", "title:before:x", "status:contains:new",
              "status:is:lost", "created:is:01.05.2024", "created:is:2024-02-30", "category:is:Nowhere"}) {
            error.clear();
            QVERIFY2(!SearchCriterionParser::parse(refused, db.store(), &error), refused);
            QVERIFY(!error.isEmpty());
        }
        // Read, but refused by the sheet's rules.
        QVERIFY(!SearchCriterionParser::parse("notes:contains:", db.store(), &error)->isValid());
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
