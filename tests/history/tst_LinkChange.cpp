#include "history/LinkChange.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<LinkChange::Kind>)

namespace {

const QDateTime Start = QDateTime(QDate(2026, 3, 1), QTime(6, 0));

// One check per word: its outcome by letter, on the day after the one before unless "@DAYS" says
// when (days after the start, fractions allowed). L linked and followed, l linked not followed,
// N not linked on a second look too, n not linked once, M gone but found elsewhere, U unreachable,
// B blocked, - no links page address.
QList<CheckRecord> checks(const QString &sequence)
{
    QList<CheckRecord> result;
    double day = -1;
    for (const QString &word : sequence.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype at = word.indexOf(u'@');
        day = at >= 0 ? word.mid(at + 1).toDouble() : day + 1;
        CheckRecord check;
        check.linkID = QStringLiteral("LNK1");
        check.checkedOn = Start.addSecs(qint64(day * 86400));
        switch (word.at(0).toLatin1()) {
        case 'L':
        case 'l':
            check.outcome = CheckOutcome::Linked;
            check.result = VerificationSucceeded;
            check.followed = word.at(0) == u'L';
            break;
        case 'N':
        case 'n':
        case 'M':
            check.outcome = CheckOutcome::NotLinked;
            check.result = VerificationLinkNotFound;
            check.confirmed = word.at(0) != u'n';
            if (word.at(0) == u'M')
                check.movedTo = QStringLiteral("http://partner.example/page2.html");
            break;
        case 'U':
            check.outcome = CheckOutcome::Unreachable;
            check.result = VerificationLinksPageNotLoaded;
            break;
        case 'B':
            check.outcome = CheckOutcome::Blocked;
            check.result = VerificationLinksPageNotLoaded;
            break;
        default:
            check.outcome = CheckOutcome::None;
            check.result = VerificationNoLinksPageURL;
        }
        result.append(check);
    }
    return result;
}

} // namespace

// What a link's recorded checks say happened to it: the rule behind the changes list, the Lost Links
// window, the notifications and --fail-on-loss.
class TestLinkChange : public QObject
{
    Q_OBJECT

private slots:
    void sequencesOfChecks_data()
    {
        QTest::addColumn<QString>("sequence");
        QTest::addColumn<int>("days");
        QTest::addColumn<std::optional<LinkChange::Kind>>("standing"); // what the trail stands in
        QTest::addColumn<std::optional<LinkChange::Kind>>("raised");   // what its last check brought up
        const std::optional<LinkChange::Kind> none;
        const auto row = [](const char *name, const char *sequence, std::optional<LinkChange::Kind> standing,
                            std::optional<LinkChange::Kind> raised, int days = 7) {
            QTest::newRow(name) << QString::fromLatin1(sequence) << days << standing << raised;
        };
        row("first check", "L", none, none);
        row("found twice", "L L", none, none);
        row("missing twice", "L N", LinkChange::Lost, LinkChange::Lost);
        row("missing once only is no loss", "L n", none, none);
        row("found elsewhere", "L M", LinkChange::Moved, LinkChange::Moved);
        row("back", "N L", LinkChange::Recovered, LinkChange::Recovered);
        row("back after a single miss", "n L", LinkChange::Recovered, LinkChange::Recovered);
        row("no longer followed", "L l", LinkChange::Unfollowed, LinkChange::Unfollowed);
        row("followed again", "l L", none, none);
        row("still missing", "L N N", none, none);

        // A server in trouble or a wall says nothing about the link.
        row("503 after a found link", "L U", none, none);
        row("bot wall after a found link", "L B", none, none);
        row("back after a 503", "L U L", none, none);
        row("a loss stands through an outage", "L N U", LinkChange::Lost, none);
        row("recovered across an outage", "L N U L", LinkChange::Recovered, LinkChange::Recovered);
        row("lost across an outage", "L U U N", LinkChange::Lost, LinkChange::Lost);

        // Unreachable for days: every check of the period, at least two, after a found link; raised once.
        row("a week of outages", "L U U U U U U U", LinkChange::Unreachable, LinkChange::Unreachable);
        row("raised once", "L U U U U U U U U", LinkChange::Unreachable, none);
        row("outages and walls alike", "L U B U B U B U", LinkChange::Unreachable, LinkChange::Unreachable);
        row("six days only", "L U U U U U U", none, none);
        row("two checks after a long silence", "L U@6 U@7", LinkChange::Unreachable, LinkChange::Unreachable);
        row("one check is not enough", "L U@7", none, none);
        row("the found link within the period", "L@0 U@1 U@2", none, none);
        row("a shorter period", "L@0 U@2 U@2.5", LinkChange::Unreachable, LinkChange::Unreachable, 1);
        row("back after a week", "L U U U U U U U L", none, none);
        row("after a loss it stays a loss", "L N U U U U U U U U", LinkChange::Lost, none);
        row("after no address", "L - U U U U U U U U", none, none);
        row("never found", "N U U U U U U U U", none, none);
        row("down again after it was back", "L U U U U U U U L U@21 U@27", LinkChange::Unreachable,
            LinkChange::Unreachable);
    }

    void sequencesOfChecks()
    {
        QFETCH(QString, sequence);
        QFETCH(int, days);
        QFETCH(std::optional<LinkChange::Kind>, standing);
        QFETCH(std::optional<LinkChange::Kind>, raised);
        const QList<CheckRecord> all = checks(sequence);
        const LinkTrail trail = LinkTrail::of(all);
        const std::optional<LinkChange> now = LinkChange::of(trail, days);
        QCOMPARE(now ? std::optional(now->kind) : std::nullopt, standing);
        const std::optional<LinkChange> last =
            LinkChange::raisedBy(LinkTrail::of(all.mid(0, all.size() - 1)), all.last(), days);
        QCOMPARE(last ? std::optional(last->kind) : std::nullopt, raised);
        if (now && now->kind == LinkChange::Moved)
            QCOMPARE(now->movedTo, QStringLiteral("http://partner.example/page2.html"));
        // An outage is dated from its first check, other changes from the check that made them.
        if (now && now->kind == LinkChange::Unreachable)
            QVERIFY(now->since < all.last().checkedOn);
        else if (now && raised)
            QCOMPARE(now->since, all.last().checkedOn);
    }
};

QTEST_GUILESS_MAIN(TestLinkChange)
#include "tst_LinkChange.moc"
