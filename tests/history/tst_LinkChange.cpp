#include "history/LinkChange.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<LinkChange::Kind>)

// What a link's last two checks say happened to it: the rule behind the changes list, the history
// window and --fail-on-loss.
class TestLinkChange : public QObject
{
    Q_OBJECT

private slots:
    void betweenTwoChecks_data()
    {
        QTest::addColumn<char>("before");
        QTest::addColumn<bool>("followedBefore");
        QTest::addColumn<char>("after");
        QTest::addColumn<bool>("followedAfter");
        QTest::addColumn<std::optional<LinkChange::Kind>>("change");
        const auto row = [](const char *name, char before, bool followedBefore, char after,
                            bool followedAfter, std::optional<LinkChange::Kind> change) {
            QTest::newRow(name) << before << followedBefore << after << followedAfter << change;
        };
        const std::optional<LinkChange::Kind> none;
        const char found = VerificationSucceeded, notFound = VerificationLinkNotFound;
        row("found, then not found", found, true, notFound, true, LinkChange::Lost);
        row("found, then no answer", found, true, VerificationNoResponse, false, LinkChange::Lost);
        row("not loaded, then not found", VerificationLinksPageNotLoaded, false, notFound, false, none);
        row("not found, then found", notFound, false, found, false, LinkChange::Recovered);
        row("never checked, then found", VerificationNotVerified, false, found, true, LinkChange::Recovered);
        row("followed, then nofollow", found, true, found, false, LinkChange::Unfollowed);
        row("nofollow, then followed", found, false, found, true, none);
        row("found twice", found, true, found, true, none);
    }

    void betweenTwoChecks()
    {
        QFETCH(char, before);
        QFETCH(bool, followedBefore);
        QFETCH(char, after);
        QFETCH(bool, followedAfter);
        QFETCH(std::optional<LinkChange::Kind>, change);
        CheckRecord first, second;
        first.result = before;
        first.followed = followedBefore;
        second.result = after;
        second.followed = followedAfter;
        QCOMPARE(LinkChange::between(first, second), change);
        QCOMPARE(LinkChange::of(first, second).has_value(), change.has_value());
    }
};

QTEST_GUILESS_MAIN(TestLinkChange)
#include "tst_LinkChange.moc"
