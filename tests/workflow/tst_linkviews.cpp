#include "model/CollectionManager.h"
#include "model/Link.h"
#include "workflow/LinkFilterText.h"
#include "workflow/LinkMatcher.h"
#include "workflow/LinkView.h"
#include "workflow/SearchCriterionParser.h"

#include <QtTest>

namespace {

const QDate Today(2026, 6, 15);

// A link checked on `checkedOn` (null: never) with `result` stored.
Link checkedLink(const QDate &checkedOn, VerificationResult result)
{
    Link link;
    LinkFields fields;
    fields.title = QStringLiteral("Partner");
    fields.URL = QStringLiteral("http://partner.example/");
    link.setTitle(fields);
    link.setLastVerifiedOn(checkedOn, result);
    return link;
}

} // namespace

class TestLinkViews : public QObject
{
    Q_OBJECT

private slots:
    void viewsOfOneLink_data();
    void viewsOfOneLink();
    void viewKeywords();
    void filterText_data();
    void filterText();
    void findFields_data();
    void findFields();
};

using V = LinkView::Kind;

void TestLinkViews::viewsOfOneLink_data()
{
    QTest::addColumn<QDate>("checkedOn");
    QTest::addColumn<char>("stored");
    QTest::addColumn<int>("recorded"); // -1 none, else a LatestCheck::Finding
    QTest::addColumn<bool>("followed");
    QTest::addColumn<QDate>("reminder");
    // The views that list the link, as letters: L lost, F not followed, C not checked for 30 days,
    // N never checked, U unreachable, R reminders due.
    QTest::addColumn<QString>("views");

    const QDate recent = Today.addDays(-3);
    const QDate old = Today.addDays(-30);
    QTest::newRow("never checked") << QDate() << VerificationNotVerified << -1 << false << QDate() << "CN";
    QTest::newRow("found, no history") << recent << VerificationSucceeded << -1 << false << QDate() << "";
    QTest::newRow("found, followed") << recent << VerificationSucceeded << int(LatestCheck::Linked) << true
                                     << QDate() << "";
    QTest::newRow("found, nofollow") << recent << VerificationSucceeded << int(LatestCheck::Linked) << false
                                     << QDate() << "F";
    QTest::newRow("not found") << recent << VerificationLinkNotFound << -1 << false << QDate() << "L";
    QTest::newRow("not found, 30 days ago")
        << old << VerificationLinkNotFound << -1 << false << QDate() << "LC";
    QTest::newRow("29 days ago") << Today.addDays(-29) << VerificationSucceeded << -1 << false << QDate()
                                 << "";
    QTest::newRow("page not loaded") << recent << VerificationLinksPageNotLoaded << -1 << false << QDate()
                                     << "U";
    QTest::newRow("not responding") << recent << VerificationNoResponse << int(LatestCheck::Unreachable)
                                    << false << QDate() << "U";
    // A hand approval after a failed check: the history's check is no longer what the link stands on.
    QTest::newRow("marked after a miss")
        << recent << VerificationMarkedVerified << int(LatestCheck::NotLinked) << false << QDate() << "";
    QTest::newRow("no links page") << recent << VerificationNoLinksPageURL << -1 << false << QDate() << "";
    QTest::newRow("reminder today") << recent << VerificationSucceeded << -1 << false << Today << "R";
    QTest::newRow("reminder tomorrow")
        << recent << VerificationSucceeded << -1 << false << Today.addDays(1) << "";
}

void TestLinkViews::viewsOfOneLink()
{
    QFETCH(QDate, checkedOn);
    QFETCH(char, stored);
    QFETCH(int, recorded);
    QFETCH(bool, followed);
    QFETCH(QDate, reminder);
    QFETCH(QString, views);

    const Link link = checkedLink(checkedOn, stored);
    LinkView::LinkFacts facts;
    if (recorded >= 0)
        facts.recordedCheck = LatestCheck{LatestCheck::Finding(recorded), followed};
    facts.firstReminder = reminder;

    const QList<QPair<QChar, V>> letters{{u'L', V::Lost},        {u'F', V::NotFollowed},
                                         {u'C', V::NotChecked},  {u'N', V::NeverChecked},
                                         {u'U', V::Unreachable}, {u'R', V::RemindersDue}};
    QString listed;
    for (const auto &[letter, kind] : letters) {
        if (LinkView::matches({kind, 30}, link, facts, Today))
            listed += letter;
    }
    QCOMPARE(listed, views);
    QVERIFY(LinkView::matches({V::All}, link, facts, Today));
}

void TestLinkViews::viewKeywords()
{
    for (const V kind : LinkView::kinds()) {
        const LinkView::Choice choice{kind, 7};
        const std::optional<LinkView::Choice> back = LinkView::fromKeyword(LinkView::keyword(choice));
        QVERIFY(back);
        QCOMPARE(back->kind, kind);
    }
    QCOMPARE(LinkView::fromKeyword(QStringLiteral("not-checked"))->days, LinkView::DefaultNotCheckedDays);
    QCOMPARE(LinkView::fromKeyword(QStringLiteral("not-checked:90"))->days, 90);
    for (const char *bad : {"not-checked:0", "not-checked:x", "not-checked:", "lost:3", "Lost", "stale"})
        QVERIFY2(!LinkView::fromKeyword(QLatin1String(bad)), bad);
}

void TestLinkViews::filterText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    QTest::newRow("nothing") << "" << true;
    QTest::newRow("spaces only") << "  \t " << true;
    QTest::newRow("name, other case") << "CAFÉ" << true;
    QTest::newRow("without accents") << "cafe" << true;
    QTest::newRow("accent in the word, none in the field") << "gärden" << true;
    QTest::newRow("address") << "brew.example" << true;
    QTest::newRow("links page") << "partners.html" << true;
    QTest::newRow("description") << "roasted" << true;
    QTest::newRow("contact names and e-mail") << "jürgen müller jm@" << true;
    QTest::newRow("notes") << "invoice" << true;
    QTest::newRow("all words must match") << "cafe missing" << false;
    QTest::newRow("words in any order") << "garden cafe" << true;
    QTest::newRow("keywords are not searched") << "secret" << false;
    QTest::newRow("a word never spans two fields") << "gardenjurgen" << false;
}

void TestLinkViews::filterText()
{
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    Link link;
    LinkFields fields;
    fields.title = QStringLiteral("Café Garden");
    fields.URL = QStringLiteral("https://brew.example/");
    fields.counterpartURL = QStringLiteral("https://brew.example/partners.html");
    fields.description = QStringLiteral("Freshly roasted beans");
    fields.contactFirstName = QStringLiteral("Jürgen");
    fields.contactLastName = QStringLiteral("Muller");
    fields.contactEmail = QStringLiteral("jm@brew.example");
    fields.notes = QStringLiteral("Sent the invoice");
    fields.keywords = QStringLiteral("secret");
    link.setTitle(fields);
    QCOMPARE(LinkFilterText(typed).matches(link), matches);
    // The same from the texts prepared once for every keystroke.
    QCOMPARE(LinkFilterText(typed).matches(link, LinkFilterText::prepare(link)), matches);
}

void TestLinkViews::findFields_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QDate>("checkedOn");
    QTest::addColumn<char>("stored");
    QTest::addColumn<int>("recorded"); // -1 none: only the stored result is known
    QTest::addColumn<bool>("followed");
    QTest::addColumn<bool>("matches");

    const QDate day(2026, 5, 1);
    const int linked = LatestCheck::Linked;
    QTest::newRow("verified on") << "verified:is:2026-05-01" << day << VerificationSucceeded << -1 << false
                                 << true;
    QTest::newRow("verified before") << "verified:before:2026-05-02" << day << VerificationSucceeded << -1
                                     << false << true;
    QTest::newRow("never verified is not before")
        << "verified:before:2026-05-02" << QDate() << VerificationNotVerified << -1 << false << false;
    QTest::newRow("result verified") << "result:is:verified" << day << VerificationSucceeded << -1 << false
                                     << true;
    QTest::newRow("result marked") << "result:is:marked" << day << VerificationMarkedVerified << -1 << false
                                   << true;
    QTest::newRow("result not found")
        << "result:is:not-found" << day << VerificationLinkNotFound << -1 << false << true;
    QTest::newRow("result page not loaded")
        << "result:is:page-not-loaded" << day << VerificationLinksPageNotLoaded << -1 << false << true;
    QTest::newRow("result not responding")
        << "result:is:not-responding" << day << VerificationNoResponse << -1 << false << true;
    QTest::newRow("result no links page")
        << "result:is:no-links-page" << day << VerificationNoLinksPageURL << -1 << false << true;
    QTest::newRow("result never") << "result:is:never" << QDate() << VerificationNotVerified << -1 << false
                                  << true;
    QTest::newRow("result is not never")
        << "result:is-not:never" << day << VerificationSucceeded << -1 << false << true;
    QTest::newRow("followed, history")
        << "followed:is:yes" << day << VerificationSucceeded << linked << true << true;
    QTest::newRow("nofollow, history")
        << "followed:is:no" << day << VerificationSucceeded << linked << false << true;
    QTest::newRow("found without history counts as followed")
        << "followed:is:yes" << day << VerificationSucceeded << -1 << false << true;
    QTest::newRow("a missing link is not unfollowed") << "followed:is:no" << day << VerificationLinkNotFound
                                                      << int(LatestCheck::NotLinked) << false << false;
}

void TestLinkViews::findFields()
{
    QFETCH(QString, condition);
    QFETCH(QDate, checkedOn);
    QFETCH(char, stored);
    QFETCH(int, recorded);
    QFETCH(bool, followed);
    QFETCH(bool, matches);

    CollectionManager store;
    QString error;
    const std::optional<SearchCriterion> criterion = SearchCriterionParser::parse(condition, store, &error);
    QVERIFY2(criterion, qPrintable(error));
    QVERIFY(criterion->isValid());
    std::optional<LatestCheck> check;
    if (recorded >= 0)
        check = LatestCheck{LatestCheck::Finding(recorded), followed};
    QCOMPARE(LinkMatcher::matchesCriteria(checkedLink(checkedOn, stored), {*criterion}, false, check),
             matches);
    for (const char *bad : {"result:is:lost", "followed:is:maybe", "verified:before:yesterday"})
        QVERIFY2(!SearchCriterionParser::parse(QLatin1String(bad), store, &error), bad);
}

QTEST_GUILESS_MAIN(TestLinkViews)
#include "tst_linkviews.moc"
