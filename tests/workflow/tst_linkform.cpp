#include "model/Notification.h"
#include "publish/LinkCount.h"
#include "support/DatabaseBuilder.h"
#include "workflow/LinkForm.h"
#include "workflow/NotificationSettingsForm.h"
#include "workflow/NotificationSort.h"

#include <QtTest>

using namespace LinkForm;

// The rules behind the link editor, the instant-link window, the link count and the notification
// settings, checked without a window.
class TestLinkForm : public QObject
{
    Q_OBJECT

private:
    static Texts filled()
    {
        Texts texts;
        texts.title = QStringLiteral("Ponds");
        texts.URL = QStringLiteral("www.ponds.example");
        return texts;
    }

    // A trim question that records what it was asked and answers from a queue (true = Trim).
    struct Questions
    {
        QList<Field> asked;
        QList<bool> answers;
        TrimQuestion question()
        {
            return [this](Field field) {
                asked.append(field);
                return answers.isEmpty() ? false : answers.takeFirst();
            };
        }
    };

private slots:
    void requiredFieldsComeFirst()
    {
        const std::tuple<QString, QString, Field> cases[] = {
            {QString(), QStringLiteral("a.example"), Title},
            {QStringLiteral("A"), QString(), MainPageURL},
            {QStringLiteral("A"), QStringLiteral("http://"), MainPageURL}};
        for (const auto &[title, url, field] : cases) {
            Texts texts;
            texts.title = title;
            texts.URL = url;
            texts.notes = QString(600, QLatin1Char('n')); // never asked about: the required check stops first
            for (const bool instant : {false, true}) {
                Questions questions;
                Texts checked = texts;
                const CheckResult result = instant ? checkInstantLink(checked, questions.question())
                                                   : checkLinkEditor(checked, questions.question());
                QVERIFY(!result.passed);
                QCOMPARE(result.field, field);
                QCOMPARE(tabOfField(result.field), SiteTab);
                QCOMPARE(result.title, QStringLiteral("Some required fields are missing."));
                QCOMPARE(result.message,
                         QStringLiteral("All required fields must be specified. Required fields "
                                        "are marked with an asterisk."));
                QVERIFY(questions.asked.isEmpty());
            }
        }
    }

    void lengthsAreCheckedInFormOrderAndTrimmedAndAddressesCompleted()
    {
        Texts texts = filled();
        texts.description = QString(400, QLatin1Char('d'));
        texts.keywords = QString(250, QLatin1Char('k'));
        texts.contactEmail = QString(100, QLatin1Char('e'));
        texts.notes = QString(500, QLatin1Char('n'));
        texts.linksPageURL = QStringLiteral("https://ponds.example/links");

        // OK at the first question stops there, nothing cut.
        Questions stop;
        Texts kept = texts;
        CheckResult result = checkLinkEditor(kept, stop.question());
        QVERIFY(!result.passed);
        QCOMPARE(result.field, Description);
        QVERIFY(result.title.isEmpty());
        QCOMPARE(stop.asked, QList<Field>{Description});
        QCOMPARE(kept.description.size(), 400);

        // Trim each: asked in the order of the form, each cut to its limit.
        Questions trim{{}, {true, true, true, true}};
        result = checkLinkEditor(texts, trim.question());
        QVERIFY(result.passed);
        QCOMPARE(trim.asked, (QList<Field>{Description, Keywords, ContactEmail, Notes}));
        QCOMPARE(texts.description, QString(399, QLatin1Char('d')));
        // The main address is completed; a full links page address is left as typed.
        QCOMPARE(texts.URL, QStringLiteral("http://www.ponds.example"));
        QCOMPARE(texts.linksPageURL, QStringLiteral("https://ponds.example/links"));
        QCOMPARE((QList<qsizetype>{texts.keywords.size(), texts.contactEmail.size(), texts.notes.size()}),
                 (QList<qsizetype>{249, 99, 499}));

        // The instant-link window has no names or notes to ask about.
        Texts instant = filled();
        instant.contactFirstName = QString(60, QLatin1Char('f'));
        instant.notes = QString(600, QLatin1Char('n'));
        instant.myCategory = QString(200, QLatin1Char('c'));
        Questions asked{{}, {true}};
        QVERIFY(checkInstantLink(instant, asked.question()).passed);
        QCOMPARE(asked.asked, QList<Field>{MyCategory});

        // A cut never splits a surrogate pair.
        Texts emoji = filled();
        emoji.title = QString(98, QLatin1Char('t')) + QString::fromUtf8("\xF0\x9F\x90\xB8");
        Questions cut{{}, {true}};
        QVERIFY(checkLinkEditor(emoji, cut.question()).passed);
        QCOMPARE(emoji.title, QString(98, QLatin1Char('t')));
    }

    void editedLinksKeepTheirKeywordsAndNewOnesHaveNone()
    {
        Choices choices;
        choices.categoryID = QStringLiteral("CAT1");
        choices.type = LinkTypeSent;
        choices.status = LinkStatusBlocked;
        Texts withKeywords = filled();
        withKeywords.keywords = QStringLiteral("ponds, frogs");
        const LinkFields edited = linkFields(withKeywords, choices);
        QCOMPARE(edited.keywords, QStringLiteral("ponds, frogs"));
        QCOMPARE(edited.categoryID, QStringLiteral("CAT1"));
        QCOMPARE(edited.type, LinkTypeSent);
        QCOMPARE(edited.status, LinkStatusBlocked);
        QCOMPARE(edited.draft, DraftMarkerFinal);
        // The extracted link completes the addresses itself too (the verify button skips the checks).
        QCOMPARE(edited.URL, QStringLiteral("http://www.ponds.example"));
        QCOMPARE(edited.counterpartURL, QStringLiteral("http://"));

        Texts texts = withKeywords;
        texts.contactFirstName = QStringLiteral("Ann");
        texts.notes = QStringLiteral("met at a fair");
        texts.contactEmail = QStringLiteral("ann@ponds.example");
        const QDate today(2024, 5, 6);
        const LinkFields instant = instantLinkFields(texts, QStringLiteral("CAT2"), LinkTypeReceived, today);
        QCOMPARE(instant.keywords + instant.contactFirstName + instant.notes, QString()); // none of them
        QCOMPARE(instant.contactEmail, QStringLiteral("ann@ponds.example"));
        QCOMPARE(instant.status, LinkStatusNew);
        QCOMPARE(instant.lastStatusChangedOn, today);
        QVERIFY(instant.lastVerifiedOn.isNull());
        QCOMPARE(instant.lastVerificationResult, VerificationNotVerified);
        QCOMPARE(instant.counterpartURL, QStringLiteral("http://"));
    }

    void popupsStatusesAndAddresses()
    {
        QCOMPARE(popupIndexOfStatus(LinkStatusApproved), 2);
        QCOMPARE(popupIndexOfStatus('9'), 0); // an unknown code shows as New
        QCOMPARE(statusOfPopupIndex(3), LinkStatusBlocked);
        QCOMPARE(typeOfColumn(1), LinkTypeSent);
        QCOMPARE(columnOfType('X'), 1);

        // Message pop-up with two templates: blank, separator, template 0, template 1.
        QCOMPARE(messagePopupIndex(-1, 4), 0);
        QCOMPARE(messagePopupIndex(1, 4), 3);
        QCOMPARE(messagePopupIndex(2, 4), 0); // deleted since
        QCOMPARE(messagePopupIndex(0, 1), 0); // no templates left at all
        QCOMPARE(templateIndexOfMessagePopupIndex(0), -1);
        QCOMPARE(templateIndexOfMessagePopupIndex(3), 1);

        // Choosing a status dates it; Approved marks the link verified.
        const QDate today(2024, 3, 5);
        const StatusStamp approved = stampForStatus(LinkStatusApproved, today);
        QCOMPARE(approved.lastStatusChangedOn, today);
        QCOMPARE(approved.lastVerifiedOn, today);
        QCOMPARE(approved.lastVerificationResult, VerificationMarkedVerified);
        const StatusStamp blocked = stampForStatus(LinkStatusBlocked, today);
        QCOMPARE(blocked.lastStatusChangedOn, today);
        QVERIFY(blocked.lastVerifiedOn.isNull());
        QCOMPARE(blocked.lastVerificationResult, VerificationNotVerified);

        // Only web addresses are visited.
        QCOMPARE(webAddress(QStringLiteral("www.ponds.example/links")),
                 QUrl(QStringLiteral("http://www.ponds.example/links")));
        QCOMPARE(webAddress(QStringLiteral("HTTPS://ponds.example")).host(), QStringLiteral("ponds.example"));
        for (const char *bad : {"file:///etc/passwd", "javascript:alert(1)", "http://", "smb://server/share"})
            QVERIFY2(!webAddress(QString::fromLatin1(bad)).isValid(), bad);
    }

    void notificationsSortWithTheOtherKeyOnTiesAndSettingsAreChecked()
    {
        const Notification late(2, QDate(2024, 2, 1), QStringLiteral("b late"));
        const Notification early(1, QDate(2024, 1, 1), QStringLiteral("z early"));
        const Notification sameDayLower(3, QDate(2024, 2, 1), QStringLiteral("a same day"));
        const Notification sameDayUpper(4, QDate(2024, 2, 1), QStringLiteral("A same day"));
        const QList<const Notification *> container{&late, &early, &sameDayUpper, &sameDayLower};

        // By date (also with no column chosen): same dates ordered by text, case ignored, equal
        // texts in container order.
        const QList<const Notification *> byDate{&early, &sameDayUpper, &sameDayLower, &late};
        QCOMPARE(NotificationSort::sortedNotifications(container, NotificationSort::DateColumn), byDate);
        QCOMPARE(NotificationSort::sortedNotifications(container, -1), byDate);
        // By text: ties by date.
        const Notification sameTextEarlier(5, QDate(2023, 1, 1), QStringLiteral("B LATE"));
        QCOMPARE(NotificationSort::sortedNotifications({&late, &early, &sameTextEarlier},
                                                       NotificationSort::TextColumn),
                 (QList<const Notification *>{&sameTextEarlier, &late, &early}));

        QCOMPARE(NotificationSort::countText(1), QStringLiteral("1 notification"));
        QCOMPARE(NotificationSort::countText(0), QStringLiteral("0 notifications"));

        // Settings are checked before they are kept.
        using namespace NotificationSettingsForm;
        NotificationSettings switches;
        switches.notifyLastingNegotiation = false;
        const NotificationSettingsForm::CheckResult good = check(switches, {0, 10, 9999, 250});
        QVERIFY(good.passed);
        QVERIFY(good.settings == (NotificationSettings{.negotiationStartTimeout = 0,
                                                       .notifyLastingNegotiation = false,
                                                       .lastingNegotiationTimeout = 10,
                                                       .linkVerificationTimeout = 9999,
                                                       .linksInCategoryNumber = 250}));
        // An empty field, a negative number and one out of range are refused, the first one first.
        const NotificationSettingsForm::CheckResult empty = check(switches, {3, std::nullopt, -1, 250});
        QVERIFY(!empty.passed);
        QCOMPARE(empty.number, LastingNegotiationTimeout);
        QCOMPARE(empty.title,
                 QStringLiteral("The Lasting Negotiation field does not contain a valid number."));
        QCOMPARE(empty.message, QStringLiteral("Enter a whole number from 0 to 9999."));
        QCOMPARE(check(switches, {3, 4, -1, 250}).number, LinkVerificationTimeout);
        QCOMPARE(check(switches, {3, 4, 5, maximum(LinksInCategoryNumber) + 1}).number,
                 LinksInCategoryNumber);
    }

    void countsForACategoryAndTheDatabase()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Ponds"))
            .link(QStringLiteral("A"), LinkStatusNew)
            .link(QStringLiteral("B"), LinkStatusApproved)
            .link(QStringLiteral("C"), LinkStatusApproved)
            .link(QStringLiteral("D"), '7'); // an unknown status counts as New
        TreeNode *ponds = db.currentCategory();
        db.defaultCategory()
            .link(QStringLiteral("E"), LinkStatusBlocked)
            .link(QStringLiteral("F"), LinkStatusNegotiating);

        auto counts = [](const LinkCount &c) {
            return QList<int>{c.newLinks, c.negotiating, c.approved, c.blocked, c.total()};
        };
        QCOMPARE(counts(LinkCount::countInCategory(ponds)), (QList<int>{2, 0, 2, 0, 4}));
        QCOMPARE(counts(LinkCount::countInDatabase(db.store())), (QList<int>{2, 1, 2, 1, 6}));
        QCOMPARE(LinkCount::prompt(ponds), QStringLiteral("This shows the number of links in the database as "
                                                          "well as in the category \"Ponds\"."));
        QCOMPARE(LinkCount::countInCategory(nullptr).total(), 0);
        QVERIFY(LinkCount::prompt(nullptr).isEmpty());
    }
};

QTEST_MAIN(TestLinkForm)
#include "tst_linkform.moc"
