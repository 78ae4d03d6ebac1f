#include "model/Clock.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"
#include "support/DatabaseBuilder.h"

#include <QtTest>

namespace {

LinkFields fieldsWith(LinkStatus status, QDate statusChanged, QDate verified = QDate(),
                      VerificationResult result = VerificationNotVerified)
{
    LinkFields f;
    f.title = QStringLiteral("Partner");
    f.URL = QStringLiteral("http://partner.example/");
    f.status = status;
    f.lastStatusChangedOn = statusChanged;
    f.lastVerifiedOn = verified;
    f.lastVerificationResult = result;
    return f;
}

NotificationSettings allOn(int32_t days = 3)
{
    NotificationSettings s;
    s.notifyNegotiationNotStarted = true;
    s.negotiationStartTimeout = days;
    s.lastingNegotiationTimeout = days;
    s.linkVerificationTimeout = days;
    s.linksInCategoryNumber = 100;
    return s;
}

struct Seen
{
    QList<int> types;
    QList<QDate> dates;
    QStringList texts;
};

Seen seen(const TreeNode *linkNode)
{
    Seen s;
    for (const Notification *n : NotificationComputer::notificationsOfLinkNode(linkNode)) {
        s.types.append(n->type());
        s.dates.append(n->date());
        s.texts.append(n->text());
    }
    return s;
}

Seen computeOne(const LinkFields &fields, const QDate &today, const NotificationSettings &settings = allOn())
{
    DatabaseBuilder db;
    db.store().setNotificationSettings(settings);
    db.link(fields);
    NotificationComputer::computeNotifications(db.store(), today);
    return seen(db.store().linkNodeWithID(db.lastLink()->ID()));
}

} // namespace

class TestNotifications : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private slots:
    void dueFromTheDayAfterTheThreshold()
    {
        const QDate march1(2005, 3, 1);
        const LinkFields link = fieldsWith(LinkStatusNew, march1);
        QVERIFY(computeOne(link, QDate(2005, 3, 4)).types.isEmpty());
        const Seen due = computeOne(link, QDate(2005, 3, 5));
        QCOMPARE(due.types, QList<int>{NotificationComputer::NegotiationNotStarted});
        QCOMPARE(due.dates.first(), QDate(2005, 3, 4));
        QCOMPARE(due.texts.first(), QStringLiteral("Negotiation not started after 3 days."));

        // N = 0: nothing on the day itself, a reminder from the next day on.
        const QDate today(2024, 2, 28);
        QVERIFY(computeOne(fieldsWith(LinkStatusNegotiating, today), today, allOn(0)).types.isEmpty());
        const Seen tomorrow =
            computeOne(fieldsWith(LinkStatusNegotiating, today), today.addDays(1), allOn(0));
        QCOMPARE(tomorrow.types, QList<int>{NotificationComputer::LastingNegotiation});
        QCOMPARE(tomorrow.texts.first(), QStringLiteral("Negotiation lasting more than 0 days."));

        // Calendar days across a leap day.
        const Seen leap =
            computeOne(fieldsWith(LinkStatusNegotiating, QDate(2024, 2, 27)), QDate(2024, 3, 2));
        QCOMPARE(leap.dates, QList<QDate>{QDate(2024, 3, 1)});
    }

    void verificationReminders()
    {
        const QDate today(2024, 6, 30);
        // Never verified: neither "due" nor "unsuccessful", whatever N is.
        QVERIFY(
            computeOne(fieldsWith(LinkStatusApproved, QDate(2020, 1, 1), QDate(), VerificationLinkNotFound),
                       today, allOn(0))
                .types.isEmpty());

        // Overdue and failed: both, "due" first, each with its own date.
        const QDate verified(2024, 6, 1);
        const Seen both = computeOne(
            fieldsWith(LinkStatusApproved, QDate(2020, 1, 1), verified, VerificationNoResponse), today);
        QCOMPARE(both.types, (QList<int>{NotificationComputer::VerificationDue,
                                         NotificationComputer::VerificationUnsuccessful}));
        QCOMPARE(both.dates, (QList<QDate>{QDate(2024, 6, 4), verified}));
        QCOMPARE(both.texts, (QStringList{QStringLiteral("Link verified more than 3 days ago."),
                                          QStringLiteral("Partner site does not respond.")}));

        const QStringList failureTexts{QStringLiteral("Links page cannot be loaded."),
                                       QStringLiteral("Reciprocal link cannot be found.")};
        const VerificationResult failures[] = {VerificationLinksPageNotLoaded, VerificationLinkNotFound};
        for (int i = 0; i < 2; ++i) {
            const Seen s = computeOne(fieldsWith(LinkStatusApproved, today, today, failures[i]), today);
            QCOMPARE(s.texts, QStringList{failureTexts[i]});
        }
        for (const VerificationResult ok : {VerificationSucceeded, VerificationMarkedVerified,
                                            VerificationNoLinksPageURL, VerificationNotVerified})
            QVERIFY(computeOne(fieldsWith(LinkStatusApproved, today, today, ok), today).types.isEmpty());

        // The failure only counts for approved links.
        QVERIFY(computeOne(fieldsWith(LinkStatusNegotiating, today, verified, VerificationNoResponse), today)
                    .types.isEmpty());
    }

    void categorySizeRule()
    {
        const QDate today(2024, 6, 30);
        DatabaseBuilder db;
        db.store().setNotificationSettings(allOn());
        db.category(QStringLiteral("Big"));
        for (int i = 0; i < 100; ++i)
            db.link(fieldsWith(LinkStatusApproved, today, today, VerificationSucceeded));
        db.link(fieldsWith(LinkStatusBlocked, today)); // never publishable, so never counted
        TreeNode *category = db.currentCategory();
        CollectionManager &store = db.store();

        NotificationComputer::computeNotifications(store, today);
        QVERIFY(!NotificationComputer::categoryHasNotifications(category));
        // The editor's view of a link of that category counts it as one more: 100 is already too many.
        Link edited;
        edited.setTitle(fieldsWith(LinkStatusBlocked, today));
        edited.setCategoryID(category->attachmentID());
        auto container = NotificationComputer::computeNotificationsForLink(store, &edited, nullptr, today);
        QCOMPARE(container->numberOfChildren(), 1);
        // With the category node given, the count is taken as it stands.
        QCOMPARE(NotificationComputer::computeNotificationsForLink(store, &edited, category, today)
                     ->numberOfChildren(),
                 0);
        // An unknown category gives no size reminder; no link gives an empty container.
        edited.setCategoryID(QStringLiteral("CAT1"));
        QCOMPARE(NotificationComputer::computeNotificationsForLink(store, &edited, nullptr, today)
                     ->numberOfChildren(),
                 0);
        QCOMPARE(NotificationComputer::computeNotificationsForLink(store, nullptr, category, today)
                     ->numberOfChildren(),
                 0);

        db.link(fieldsWith(LinkStatusNew, today)); // 101 publishable
        NotificationComputer::computeNotifications(store, today);
        for (const TreeNode *node : category->children()) {
            const Seen s = seen(node);
            QCOMPARE(s.types, QList<int>{NotificationComputer::CategoryTooLarge});
            QCOMPARE(s.dates.first(), today);
            QCOMPARE(s.texts.first(), QStringLiteral("Category contains more than 100 links."));
        }
        QVERIFY(!NotificationComputer::categoryHasNotifications(store.defaultCategoryNode()));
        // A later run dates them with its own day.
        NotificationComputer::computeNotifications(store, today.addDays(1));
        QCOMPARE(seen(category->children().front()).dates, QList<QDate>{today.addDays(1)});

        // New links stop counting when they are not published.
        store.setExportNewLinks(false, true);
        NotificationComputer::computeNotifications(store, today);
        QVERIFY(!NotificationComputer::categoryHasNotifications(category));
    }

    void recomputationReplacesTheContainer()
    {
        const QDate today(2024, 6, 30);
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        store.setNotificationSettings(allOn());
        db.link(fieldsWith(LinkStatusNew, QDate(2024, 1, 1)));
        TreeNode *node = store.linkNodeWithID(db.lastLink()->ID());
        QVERIFY(!NotificationComputer::linkHasNotifications(node)); // never computed

        NotificationComputer::computeNotifications(store, today);
        NotificationComputer::computeNotifications(store, today);
        QCOMPARE(node->numberOfChildren(), 1);
        QVERIFY(!node->firstChild()->attachment());
        QVERIFY(NotificationComputer::linkHasNotifications(node));
        QVERIFY(NotificationComputer::categoryHasNotifications(store.defaultCategoryNode()));

        // A switch turned off removes its type at the next recomputation.
        NotificationSettings off = allOn();
        off.notifyNegotiationNotStarted = false;
        store.setNotificationSettings(off);
        NotificationComputer::computeNotifications(store, today);
        QCOMPARE(node->numberOfChildren(), 1);
        QVERIFY(!NotificationComputer::linkHasNotifications(node));
    }

    void storeOperationsRecompute()
    {
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        NotificationSettings s = allOn();
        s.linkVerificationTimeout = -1; // due the day before today's verification
        store.setNotificationSettings(s);
        db.link(fieldsWith(LinkStatusApproved, Clock::today()));
        TreeNode *node = store.linkNodeWithID(db.lastLink()->ID());

        QVERIFY(store.setVerificationResult(VerificationLinkNotFound, {db.lastLink()->ID()}));
        QCOMPARE(seen(node).types, (QList<int>{NotificationComputer::VerificationDue,
                                               NotificationComputer::VerificationUnsuccessful}));
        QVERIFY(store.setStatus(LinkStatusBlocked, {db.lastLink()->ID()}));
        QVERIFY(seen(node).types.isEmpty());
    }

    void extremeThresholds()
    {
        const QDate today(2024, 6, 30);
        QVERIFY(
            computeOne(fieldsWith(LinkStatusNew, today), today, allOn(std::numeric_limits<int32_t>::max()))
                .types.isEmpty());
        NotificationSettings s = allOn(std::numeric_limits<int32_t>::min());
        s.linksInCategoryNumber = std::numeric_limits<int32_t>::min();
        const Seen seenMin = computeOne(fieldsWith(LinkStatusNew, today), today, s);
        QCOMPARE(seenMin.types, (QList<int>{NotificationComputer::NegotiationNotStarted,
                                            NotificationComputer::CategoryTooLarge}));
    }
};

QTEST_GUILESS_MAIN(TestNotifications)
#include "tst_notifications.moc"
