#include "verify/PageDecoder.h"
#include "verify/ReciprocalLinkMatcher.h"
#include "verify/RetryPolicy.h"
#include "verify/VerificationManager.h"

#include <QStringEncoder>
#include <QTest>

// Decoding, the address search and the retry decisions: everything
// of a check that needs no network.
class TestPageText : public QObject
{
    Q_OBJECT
private slots:
    void decodesByByteOrderMarkThenUtf8ThenLatin1()
    {
        const QString text =
            QStringLiteral("<a href=\"http://www.m\u00fcller.example/\">M\u00fcller \u20ac</a>");
        QStringEncoder le(QStringConverter::Utf16LE), be(QStringConverter::Utf16BE);
        QCOMPARE(PageDecoder::decode(QByteArray("\xFF\xFE") + le(text)), text);
        QCOMPARE(PageDecoder::decode(QByteArray("\xFE\xFF") + be(text)), text);
        QCOMPARE(PageDecoder::decode(text.toUtf8()), text);
        QCOMPARE(PageDecoder::decode("\xEF\xBB\xBF" + text.toUtf8()), text);

        // Invalid UTF-8 falls back to Latin-1: every ASCII address survives, and Latin-1 text reads right.
        const QByteArray latin1 = "caf\xE9 <a href=\"http://www.mysite.example/\">";
        QCOMPARE(PageDecoder::decode(latin1), QString::fromLatin1(latin1));
        QVERIFY(VerificationManager::data(latin1, QStringLiteral("http://www.mysite.example/")));
        // A page cut inside a multi-byte character is still UTF-8.
        const QByteArray cut = QStringLiteral("http://a.example \u00fc").toUtf8().chopped(1);
        QVERIFY(PageDecoder::decode(cut).startsWith(QStringLiteral("http://a.example ")));
        QVERIFY(!PageDecoder::decode(cut).contains(QChar(0xFC)));
        QVERIFY(!VerificationManager::data(QByteArray(), QStringLiteral("x")));
    }

    void searchStrings_data()
    {
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        const auto row = [](const char *name, const char *own, const char *first, const char *second) {
            QTest::newRow(name) << QString(own) << QString(first) << QString(second);
        };
        row("trailing slash dropped, www less first label", "http://www.mysite.example/links/",
            "http://www.mysite.example/links", "http://mysite.example");
        row("only one slash dropped", "http://www.mysite.example//", "http://www.mysite.example/",
            "http://mysite.example");
        row("two labels get www", "http://mysite.example", "http://mysite.example",
            "http://www.mysite.example");
        row("three labels lose the first", "https://shop.mysite.example/", "https://shop.mysite.example",
            "http://mysite.example");
        row("no dot", "http://localhost:8080/", "http://localhost:8080", "http://www.localhost:8080");
        row("no double slash: searched once", "www.mysite.example", "www.mysite.example", nullptr);
        row("no host: only the address", "file:///home/me/site/", "file:///home/me/site", nullptr);
        row("bare scheme finds nothing", "http://", nullptr, nullptr);
        row("bare scheme with slash finds nothing", "http:///", nullptr, nullptr);
        row("empty finds nothing", "", nullptr, nullptr);
    }

    void searchStrings()
    {
        QFETCH(QString, own);
        QFETCH(QString, first);
        QFETCH(QString, second);
        const ReciprocalLinkMatcher matcher(own);
        QCOMPARE(matcher.firstSearchString(), first);
        QCOMPARE(matcher.secondSearchString(), second);
    }

    void matchingIsLiteral()
    {
        const ReciprocalLinkMatcher matcher(QStringLiteral("http://www.mysite.example/a?x=1&y=2/"));
        QVERIFY(matcher.find(QStringLiteral("<a href='http://www.mysite.example/a?x=1&y=2'>")).found);
        QCOMPARE(matcher.find(QStringLiteral("xx http://mysite.example/other")).searchString,
                 QStringLiteral("http://mysite.example"));
        QCOMPARE(matcher.find(QStringLiteral("xx http://mysite.example/other")).position, 3);
        // Other letter case, entities and escapes are not the address.
        QVERIFY(
            !matcher.find(QStringLiteral("HTTP://WWW.MYSITE.EXAMPLE/a?x=1&y=2 http://MySite.example")).found);
        QVERIFY(
            !matcher.find(QStringLiteral("http://www.mysite.example/a?x=1&amp;y=2 https://mysite.example"))
                 .found);
        QVERIFY(!ReciprocalLinkMatcher(QString()).find(QStringLiteral("anything")).found);
        QVERIFY(!ReciprocalLinkMatcher(QStringLiteral("http://"))
                     .find(QStringLiteral("http://www.x.example"))
                     .found);
    }

    void retryDecisions()
    {
        FetchSettings settings;
        settings.retryDelayMs = 100;
        const RetryPolicy policy(settings, RetryPolicy::transientStatuses());
        FetchOutcome busy;
        busy.kind = FetchOutcome::Kind::Loaded;
        busy.httpStatus = 503;
        QCOMPARE(policy.delayBeforeRetry(busy, 1), 100);
        QCOMPARE(policy.delayBeforeRetry(busy, 2), 200); // growing
        QVERIFY(!policy.delayBeforeRetry(busy, 3));      // two retries at most

        busy.retryAfter = "2";
        QCOMPARE(policy.delayBeforeRetry(busy, 1), 2000); // the server's short wait is honoured
        busy.retryAfter = "3600";
        QVERIFY(!policy.delayBeforeRetry(busy, 1)); // a long one is not waited for
        const QDateTime now(QDate(2030, 1, 1), QTime(12, 0), Qt::UTC);
        busy.retryAfter = "Tue, 01 Jan 2030 12:00:03 GMT";
        QCOMPARE(policy.delayBeforeRetry(busy, 1, now), 3000);

        FetchOutcome ok;
        ok.kind = FetchOutcome::Kind::Loaded;
        ok.httpStatus = 404;
        QVERIFY(!policy.delayBeforeRetry(ok, 1));
        FetchOutcome dropped;
        dropped.transientFailure = true;
        QCOMPARE(policy.delayBeforeRetry(dropped, 1), 100);
        dropped.timedOut = true;
        QVERIFY(!policy.delayBeforeRetry(dropped, 1)); // a time-out is never retried
        FetchOutcome refused;
        QVERIFY(!policy.delayBeforeRetry(refused, 1));
        // Without retry statuses (the partner's site) any answer is final.
        QVERIFY(!RetryPolicy(settings, {}).delayBeforeRetry(busy, 1));
    }
};

QTEST_GUILESS_MAIN(TestPageText)
#include "tst_PageText.moc"
