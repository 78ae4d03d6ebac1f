#include "verify/PageAnalyzer.h"
#include "verify/PageDecoder.h"
#include "verify/PageDocument.h"
#include "verify/ReciprocalLinkMatcher.h"
#include "verify/RetryPolicy.h"
#include "verify/VerificationManager.h"

#include <QStringEncoder>
#include <QTest>

namespace {

const QString OwnURL = QStringLiteral("http://www.mysite.example/");
const QUrl PageURL(QStringLiteral("http://partner.example/links/page.html"));

PageAnalysis analyze(const QString &html, const QByteArray &robotsHeader = QByteArray(),
                     const QString &own = OwnURL)
{
    return PageAnalyzer(own).analyze(html, PageURL, robotsHeader);
}

QStringList hrefs(const PageAnalysis &analysis)
{
    QStringList result;
    for (const OwnSiteLink &link : analysis.links)
        result << link.href;
    return result;
}

} // namespace

// Everything of a check that needs no network: decoding, the address search, the links page as a
// browser reads it, the limits on hostile pages and the retry decisions.
class TestPageAnalyzer : public QObject
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
        const auto second = matcher.find(QStringLiteral("xx http://mysite.example/other"));
        QCOMPARE(second.searchString, QStringLiteral("http://mysite.example"));
        QCOMPARE(second.position, 3);
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
        const FetchSettings settings{.retryDelayMs = 100};
        const RetryPolicy policy(settings, RetryPolicy::transientStatuses());
        FetchOutcome busy{.kind = FetchOutcome::Kind::Loaded, .httpStatus = 503};
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

        QVERIFY(
            !policy.delayBeforeRetry(FetchOutcome{.kind = FetchOutcome::Kind::Loaded, .httpStatus = 404}, 1));
        FetchOutcome dropped{.transientFailure = true};
        QCOMPARE(policy.delayBeforeRetry(dropped, 1), 100);
        dropped.timedOut = true;
        QVERIFY(!policy.delayBeforeRetry(dropped, 1));        // a time-out is never retried
        QVERIFY(!policy.delayBeforeRetry(FetchOutcome(), 1)); // refused
        // Without retry statuses (the partner's site) any answer is final.
        QVERIFY(!RetryPolicy(settings, {}).delayBeforeRetry(busy, 1));
    }

    void onlyRealLinksToTheOwnHostCount_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("visibleLink");
        QTest::addColumn<bool>("addressFound");
        const auto row = [](const char *name, const char *html, bool link, bool found) {
            QTest::newRow(name) << QString::fromUtf8(html) << link << found;
        };
        row("plain", "<a href=\"http://www.mysite.example/\">Mine</a>", true, true);
        row("https and upper case", "<A HREF='HTTPS://WWW.MYSITE.EXAMPLE/'>x</A>", true, false);
        row("without www, any path and port", "<a href=http://mysite.example:8080/deep/page?x>x</a>", true,
            true);
        row("area", "<map><area href=\"http://www.mysite.example/\" alt=Mine></map>", true, true);
        row("look-alike suffix", "<a href=\"http://www.mysite.example.evil.example/\">x</a>", false, true);
        row("look-alike ending", "<a href=\"http://www.mysite.examplefoo/\">x</a>", false, true);
        row("own address in the query",
            "<a href=\"http://evil.example/go?u=http://www.mysite.example/\">x</a>", false, true);
        row("in a comment", "<!-- <a href=\"http://www.mysite.example/\">x</a> -->", false, true);
        row("in a script string", "<script>var u = '<a href=\"http://www.mysite.example/\">';</script>",
            false, true);
        row("in text only", "<p>Visit http://www.mysite.example/ today</p>", false, true);
        row("in another attribute", "<a title=\"http://www.mysite.example/\" href=/x>x</a>", false, true);
        row("link element", "<link rel=me href=\"http://www.mysite.example/\">", false, true);
        row("other scheme", "<a href=\"ftp://www.mysite.example/\">x</a>", false, false);
        row("no href", "<a name=\"http://www.mysite.example/\">x</a>", false, true);
        row("> inside a quoted attribute", "<a title=\"a > b\" href=\"http://www.mysite.example/\">x</a>",
            true, true);
        row("entities in href", "<a href=\"http&#58;//www&period;mysite.example/?a=1&amp;b=2\">x</a>", true,
            false);
        row("unclosed", "<p><a href=\"http://www.mysite.example/\">Mine", true, true);
    }

    void onlyRealLinksToTheOwnHostCount()
    {
        QFETCH(QString, html);
        QFETCH(bool, visibleLink);
        QFETCH(bool, addressFound);
        const PageAnalysis analysis = analyze(html);
        QCOMPARE(analysis.linkVisible(), visibleLink);
        QCOMPARE(analysis.inAnchor(), visibleLink);
        QCOMPARE(analysis.addressFound, addressFound);
    }

    void linksAsABrowserReadsThem()
    {
        // Relative and protocol-relative links resolve against <base href>, wherever it stands, or
        // else against the page's final address.
        const QString based =
            QStringLiteral("<a href=\"//mysite.example/a\">1</a><a href=\"/b\">2</a>"
                           "<a href=\"c\">3</a><base href=\"http://www.mysite.example/x/\">");
        QCOMPARE(hrefs(analyze(based)), QStringList({"//mysite.example/a", "/b", "c"}));
        QCOMPARE(hrefs(analyze(QStringLiteral("<a href=\"/b\">2</a><a href=\"//www.mysite.example\">1</a>"))),
                 QStringList({"//www.mysite.example"}));
        // The attribute as written, entities decoded; blanks and line breaks of the address are ignored.
        QCOMPARE(
            hrefs(analyze(QStringLiteral("<a href=\" http://www.mysite.example/?a=1&amp;b=2\n\">x</a>"))),
            QStringList({" http://www.mysite.example/?a=1&b=2\n"}));
        // An own address without scheme or www still names the host.
        QCOMPARE(PageAnalyzer(QStringLiteral("MySite.example/links")).ownHost(),
                 QStringLiteral("mysite.example"));
        QVERIFY(PageAnalyzer(QStringLiteral("http://")).ownHost().isEmpty());
        QVERIFY(
            !analyze(QStringLiteral("<a href=\"http:///\">x</a>"), {}, QStringLiteral("http://")).inAnchor());

        PageAnalysis analysis =
            analyze(QStringLiteral("<body><noscript><a href=\"http://www.mysite.example/1\">1</a></noscript>"
                                   "<template><a href=\"http://www.mysite.example/2\">2</a></template>"
                                   "<div hidden><span style=\"display:none\"><a "
                                   "href=\"http://www.mysite.example/3\">3</a></span></div>"
                                   "<div style=\"color: red; Visibility : HIDDEN !important\"><p>"
                                   "<a href=\"http://www.mysite.example/4\">4</a></div>"
                                   "<div style=\"display: block\"><a href=\"http://www.mysite.example/5\" "
                                   "rel=nofollow>5</a></div>"));
        QStringList reasons;
        for (const OwnSiteLink &link : analysis.links)
            reasons << link.hidden;
        // The nearest reason wins.
        QCOMPARE(reasons, QStringList({"noscript", "template", "style", "style", ""}));
        QVERIFY(analysis.linkVisible());
        QVERIFY(!analysis.followed);
        QCOMPARE(analysis.anchorText, QStringLiteral("5"));

        const PageAnalysis onlyHidden =
            analyze(QStringLiteral("<section hidden><a href=\"http://mysite.example/\">x</a></section>"));
        QVERIFY(onlyHidden.inAnchor());
        QVERIFY(!onlyHidden.linkVisible());
        QCOMPARE(onlyHidden.anchorText, QStringLiteral("x"));

        // A followed link next to a nofollow one: each is read from its own element.
        analysis = analyze(QStringLiteral(
            "<a rel=\"UGC  Nofollow external\" href=\"http://www.mysite.example/\">First\n  one</a>"
            "<a href=\"http://www.mysite.example/\"><img src=x.png alt=\" My   Site \"></a>"));
        QCOMPARE(analysis.links.size(), 2);
        QCOMPARE(analysis.links[0].rel, QStringList({"nofollow", "ugc"}));
        QCOMPARE(analysis.links[0].text, QStringLiteral("First one"));
        QCOMPARE(analysis.links[1].text, QStringLiteral("My Site"));
        QVERIFY(analysis.followed);
        QCOMPARE(analysis.anchorText, QStringLiteral("My Site"));
        QVERIFY(analysis.rel.isEmpty());

        const PageAnalysis sponsored =
            analyze(QStringLiteral("<a rel=sponsored href=\"http://www.mysite.example/\">S</a>"));
        QVERIFY(!sponsored.followed);
        QCOMPARE(sponsored.rel, QStringList({"sponsored"}));
    }

    void robotsAndCanonical()
    {
        const QString link = QStringLiteral("<a href=\"http://www.mysite.example/\">x</a>");
        PageAnalysis analysis =
            analyze(QStringLiteral("<meta name=\" GoogleBot \" content=\"NONE\">") + link);
        QVERIFY(analysis.noindex && analysis.nofollowPage && !analysis.followed);
        analysis = analyze(QStringLiteral("<meta name=robots content=\"index, nofollow\">") + link);
        QVERIFY(!analysis.noindex && analysis.nofollowPage);
        // A meta tag in a comment, a script or a template is no directive; others' names are not ours.
        analysis =
            analyze(QStringLiteral("<!-- <meta name=robots content=noindex> -->"
                                   "<script>document.write('<meta name=robots content=noindex>')</script>"
                                   "<template><meta name=robots content=nofollow></template>"
                                   "<meta name=description content=\"noindex, nofollow\">") +
                    link);
        QVERIFY(!analysis.noindex && !analysis.nofollowPage && analysis.followed);
        // The header; only ASCII blanks and punctuation separate its directives.
        QVERIFY(analyze(link, "googlebot: noindex, nofollow").nofollowPage);
        QVERIFY(!analyze(link, "unavailable_after: 25 Jun 2030 15:00:00 PST").noindex);
        QVERIFY(!analyze(link, "noindex\x85").noindex);

        analysis = analyze(QStringLiteral("<link rel=\"Canonical\" href=\"../other.html#top\">"
                                          "<link rel=canonical href=\"/second\">") +
                           link);
        QCOMPARE(analysis.canonical, QStringLiteral("http://partner.example/other.html#top"));
        QVERIFY(analyze(link).canonical.isEmpty());
    }

    void hostilePagesAreGivenUpOn()
    {
        // Deep nesting costs the tree builder quadratic time: 300,000 levels would take hours.
        const QString deep =
            QStringLiteral("<div>").repeated(300000) + QStringLiteral("<a href=http://mysite.example>");
        QElapsedTimer clock;
        clock.start();
        const PageAnalysis analysis = PageAnalyzer(OwnURL, 300).analyze(deep, PageURL, {});
        // Processor time is limited; on a busy machine the wall clock runs longer, but not for hours.
        QVERIFY2(clock.elapsed() < 30000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!analysis.parsed);
        QVERIFY(!analysis.linkVisible());

        // Memory is bounded too; a page within the limits parses.
        QVERIFY(PageDocument::memoryLimit(10 * 1024 * 1024) < qint64(1024) * 1024 * 1024);
        QVERIFY(PageDocument(QByteArray("<p>x")).isParsed());
        QVERIFY(PageDocument(QByteArray()).isParsed());
    }
};

QTEST_GUILESS_MAIN(TestPageAnalyzer)
#include "tst_PageAnalyzer.moc"
