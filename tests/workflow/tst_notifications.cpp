#include "model/Clock.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"
#include "model/UiLanguage.h"
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

// A notification as "type date text".
QString note(int type, QDate date, const QString &text)
{
    return QStringLiteral("%1 %2 %3").arg(type).arg(date.toString(Qt::ISODate), text);
}

QStringList seen(const TreeNode *linkNode)
{
    QStringList notes;
    for (const Notification *n : NotificationComputer::notificationsOfLinkNode(linkNode))
        notes.append(note(n->type(), n->date(), n->text()));
    return notes;
}

} // namespace

class TestNotifications : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private slots:
    void initTestCase() { UiLanguage::installEnglishPlurals(); }
    void oneLink()
    {
        using N = NotificationComputer;
        struct Case
        {
            LinkFields fields;
            QDate today;
            QStringList expected; // only the types when the texts are left out
            NotificationSettings settings = allOn();
        };
        const QDate march1(2005, 3, 1), leapDay(2024, 2, 29);
        const QDate today(2024, 6, 30), verified(2024, 6, 1), old(2020, 1, 1);
        NotificationSettings lowest = allOn(std::numeric_limits<int32_t>::min());
        lowest.linksInCategoryNumber = std::numeric_limits<int32_t>::min();
        QList<Case> cases{
            {fieldsWith(LinkStatusNew, march1), QDate(2005, 3, 4), {}}, // not started, on the last day
            {fieldsWith(LinkStatusNew, march1),
             QDate(2005, 3, 5),
             {note(N::NegotiationNotStarted, QDate(2005, 3, 4), "Negotiation not started after 3 days.")}},
            // N = 0: nothing on the day itself, a reminder from the next day on.
            {fieldsWith(LinkStatusNegotiating, leapDay), leapDay, {}, allOn(0)},
            {fieldsWith(LinkStatusNegotiating, leapDay),
             leapDay.addDays(1),
             {note(N::LastingNegotiation, leapDay, "Negotiation lasting more than 0 days.")},
             allOn(0)},
            // Calendar days across a leap day.
            {fieldsWith(LinkStatusNegotiating, QDate(2024, 2, 27)),
             QDate(2024, 3, 2),
             {note(N::LastingNegotiation, QDate(2024, 3, 1), "Negotiation lasting more than 3 days.")}},
            // One day is a day.
            {fieldsWith(LinkStatusNew, march1),
             QDate(2005, 3, 3),
             {note(N::NegotiationNotStarted, QDate(2005, 3, 2), "Negotiation not started after 1 day.")},
             allOn(1)},
            // Never verified: neither "due" nor "unsuccessful", whatever N is.
            {fieldsWith(LinkStatusApproved, old, QDate(), VerificationLinkNotFound), today, {}, allOn(0)},
            // Overdue and failed: due first.
            {fieldsWith(LinkStatusApproved, old, verified, VerificationNoResponse),
             today,
             {note(N::VerificationDue, QDate(2024, 6, 4), "Link verified more than 3 days ago."),
              note(N::VerificationUnsuccessful, verified, "Partner site does not respond.")}},
            {fieldsWith(LinkStatusApproved, today, today, VerificationLinksPageNotLoaded),
             today,
             {note(N::VerificationUnsuccessful, today, "Links page cannot be loaded.")}},
            {fieldsWith(LinkStatusApproved, today, today, VerificationLinkNotFound),
             today,
             {note(N::VerificationUnsuccessful, today, "Reciprocal link cannot be found.")}},
            // Failures count for approved links only.
            {fieldsWith(LinkStatusNegotiating, today, verified, VerificationNoResponse), today, {}},
            // Thresholds no form allows, from a hostile file: no overflow, reminders as far as the types.
            {fieldsWith(LinkStatusNew, today), today, {}, allOn(std::numeric_limits<int32_t>::max())},
            {fieldsWith(LinkStatusNew, today),
             today,
             {QString::number(N::NegotiationNotStarted), QString::number(N::CategoryTooLarge)},
             lowest}};
        for (const VerificationResult ok : {VerificationSucceeded, VerificationMarkedVerified,
                                            VerificationNoLinksPageURL, VerificationNotVerified})
            cases.append({fieldsWith(LinkStatusApproved, today, today, ok), today, {}});

        for (const Case &c : cases) {
            DatabaseBuilder db;
            db.store().setNotificationSettings(c.settings);
            db.link(c.fields);
            NotificationComputer::computeNotifications(db.store(), c.today);
            QStringList actual = seen(db.store().linkNodeWithID(db.lastLink()->ID()));
            if (!c.expected.isEmpty() && !c.expected.first().contains(u' ')) {
                for (QString &typeOnly : actual)
                    typeOnly = typeOnly.section(u' ', 0, 0);
            }
            QCOMPARE(actual, c.expected);
        }
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
        // With the category node given, the count is taken as it stands. An unknown category gives no
        // size reminder; no link gives an empty container.
        Link edited;
        edited.setTitle(fieldsWith(LinkStatusBlocked, today));
        edited.setCategoryID(category->attachmentID());
        auto count = [&](const Link *link, TreeNode *categoryNode) {
            return NotificationComputer::computeNotificationsForLink(store, link, categoryNode, today)
                ->numberOfChildren();
        };
        QCOMPARE(count(&edited, nullptr), 1);
        QCOMPARE(count(&edited, category), 0);
        QCOMPARE(count(nullptr, category), 0);
        edited.setCategoryID(QStringLiteral("CAT1"));
        QCOMPARE(count(&edited, nullptr), 0);

        db.link(fieldsWith(LinkStatusNew, today)); // 101 publishable
        NotificationComputer::computeNotifications(store, today);
        for (const TreeNode *node : category->children())
            QCOMPARE(seen(node), QStringList{note(NotificationComputer::CategoryTooLarge, today,
                                                  "Category contains more than 100 links.")});
        // A later run dates them with its own day.
        NotificationComputer::computeNotifications(store, today.addDays(1));
        QCOMPARE(seen(category->children().front()).value(0).section(u' ', 1, 1),
                 today.addDays(1).toString(Qt::ISODate));

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
        QVERIFY(NotificationComputer::categoryHasNotifications(store.defaultCategoryNode()));

        // A switch turned off removes its type at the next recomputation.
        NotificationSettings s = allOn();
        s.notifyNegotiationNotStarted = false;
        store.setNotificationSettings(s);
        NotificationComputer::computeNotifications(store, today);
        QCOMPARE(node->numberOfChildren(), 1);
        QVERIFY(!NotificationComputer::linkHasNotifications(node));

        // The store's operations recompute with the clock's today.
        s.linkVerificationTimeout = -1; // due the day before today's verification
        store.setNotificationSettings(s);
        QVERIFY(store.setStatus(LinkStatusApproved, {db.lastLink()->ID()}));
        QVERIFY(store.setVerificationResult(VerificationLinkNotFound, {db.lastLink()->ID()}));
        QCOMPARE(seen(node).size(), 2);
        QVERIFY(store.setStatus(LinkStatusBlocked, {db.lastLink()->ID()}));
        QVERIFY(seen(node).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestNotifications)
#include "tst_notifications.moc"
