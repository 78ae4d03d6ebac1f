#include "verify/LocalNetwork.h"
#include "verify/PageAnalyzer.h"
#include "verify/PageDecoder.h"
#include "verify/PageDocument.h"
#include "verify/ReciprocalLinkMatcher.h"
#include "verify/RefreshDirective.h"
#include "verify/RetryPolicy.h"

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
    void decodesAsABrowserDoes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<QString>("text");
        const QString mine = QStringLiteral("\u041c\u043e\u0439 \u0441\u0430\u0439\u0442"); // "My site"
        const QString link = QStringLiteral("<a href=\"http://www.mysite.example/\">%1</a>").arg(mine);
        const QByteArray cp1251 = QStringEncoder("windows-1251").encode(link);
        const QString japanese = QStringLiteral("<p>\u30ea\u30f3\u30af</p>"); // "link"
        const QByteArray shiftJis = QStringEncoder("Shift_JIS").encode(japanese);
        const auto row = [](const char *name, const QByteArray &bytes, const char *contentType,
                            const char *encoding, const QString &text) {
            QTest::newRow(name) << bytes << QByteArray(contentType) << QByteArray(encoding) << text;
        };
        const QString html = QStringLiteral("<p>x</p>");
        row("UTF-16LE named by the header", QStringEncoder(QStringConverter::Utf16LE).encode(link),
            "text/html; charset=utf-16le", "UTF-16LE", link);
        row("windows-1251 named by the header", cp1251, "text/html;charset=\"Windows-1251\"", "windows-1251",
            link);
        row("Shift_JIS named by http-equiv",
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">" + shiftJis,
            "text/html", "Shift_JIS",
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">" + japanese);
        row("meta charset after other tags",
            "<!DOCTYPE html><html lang=ru><head><meta charset='cp1251'>" + cp1251, "", "windows-1251",
            "<!DOCTYPE html><html lang=ru><head><meta charset='cp1251'>" + link);
        row("BOM overrides the header", "\xFE\xFF" + QStringEncoder(QStringConverter::Utf16BE).encode(link),
            "text/html; charset=windows-1251", "UTF-16BE", link);
        row("UTF-8 BOM overrides a meta", "\xEF\xBB\xBF<meta charset=koi8-r>" + link.toUtf8(), "", "UTF-8",
            "<meta charset=koi8-r>" + link);
        row("header overrides a meta", "<meta charset=koi8-r>" + cp1251, "text/html; charset=cp1251",
            "windows-1251", "<meta charset=koi8-r>" + link);
        row("latin1 means windows-1252", "\x80 caf\xE9", "text/html; charset=ISO-8859-1", "windows-1252",
            QStringLiteral("\u20ac caf\u00e9"));
        row("a meta naming UTF-16 means UTF-8", "<meta charset=utf-16>" + link.toUtf8(), "", "UTF-8",
            "<meta charset=utf-16>" + link);
        row("a label browsers do not know is passed over", "<meta charset=cp1251>" + cp1251,
            "text/html; charset=utf-7", "windows-1251", "<meta charset=cp1251>" + link);
        row("encodings that hide markup read as one replacement", "<a href=x>",
            "text/html; charset=iso-2022-kr", "replacement", QStringLiteral("\ufffd"));
        // What the scan must not take for a declaration.
        row("content without http-equiv", "<meta content=\"text/html; charset=koi8-r\">\xE9!", "",
            "windows-1252", QStringLiteral("<meta content=\"text/html; charset=koi8-r\">\u00e9!"));
        row("meta in a comment", "<!-- <meta charset=koi8-r> -->\xE9!", "", "windows-1252",
            QStringLiteral("<!-- <meta charset=koi8-r> -->\u00e9!"));
        row("meta in another tag's attribute", "<div title=\"<meta charset=koi8-r>\">\xE9!", "",
            "windows-1252", QStringLiteral("<div title=\"<meta charset=koi8-r>\">\u00e9!"));
        const QByteArray late = QByteArray(1024, ' ') + "<meta charset=koi8-r>\xE9!";
        row("meta past the first 1,024 bytes", late, "", "windows-1252", QString::fromLatin1(late));
        // Nothing declared: valid UTF-8 is UTF-8 (also when cut inside a character), else windows-1252.
        row("undeclared UTF-8", link.toUtf8(), "text/html", "UTF-8", link);
        row("undeclared UTF-8 cut short", QStringLiteral("caf\u00e9").toUtf8().chopped(1), "", "UTF-8",
            QStringLiteral("caf"));
        row("undeclared, not UTF-8", cp1251, "", "windows-1252", QString::fromLatin1(cp1251));
    }

    void decodesAsABrowserDoes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, encoding);
        QFETCH(QString, text);
        QCOMPARE(PageDecoder::encodingOf(bytes, contentType), encoding);
        QCOMPARE(PageDecoder::decode(bytes, contentType), text);
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

    void pagesThatMoveByARefresh()
    {
        // The directive as browsers read it; nullopt: not a refresh at all.
        const struct
        {
            const char *value;
            std::optional<std::pair<int, const char *>> read;
        } directives[] = {
            {"0; url=/new.html", {{0, "/new.html"}}},
            {" 5 ,URL = 'next page.html' trailing", {{5, "next page.html"}}},
            {"3.9;\"http://p.example/x\"", {{3, "http://p.example/x"}}},
            {"1; url=\"unclosed", {{1, "unclosed"}}},
            {".5 ; /plain", {{0, "/plain"}}},
            {"7", {{7, ""}}},
            {"10;", {{10, ""}}},
            {"2 urlx", {{2, "urlx"}}},
            {"soon; url=/x", std::nullopt},
            {"", std::nullopt},
            {"5x; url=/x", std::nullopt},
        };
        for (const auto &directive : directives) {
            const auto read = RefreshDirective::parse(QString::fromUtf8(directive.value));
            QVERIFY2(read.has_value() == directive.read.has_value(), directive.value);
            if (read) {
                QCOMPARE(read->delaySeconds, directive.read->first);
                QCOMPARE(read->url, QString::fromUtf8(directive.read->second));
            }
        }

        // Where the page sends its visitors within ten seconds; "" when it does not move.
        const struct
        {
            const char *html;
            const char *target;
        } pages[] = {
            {"<meta http-equiv=Refresh content=\"0; url=../new/\">", "http://partner.example/new/"},
            {"<base href=\"http://other.example/b/\"><meta http-equiv=refresh content=\"10;url=c\">",
             "http://other.example/b/c"},
            {"<meta http-equiv=refresh content=\"1;url=/first\"><meta http-equiv=refresh "
             "content=\"0;url=/second\">",
             "http://partner.example/first"},
            {"<body><p>moved</p><meta http-equiv=refresh content=\"2;url=/late\"></body>",
             "http://partner.example/late"},
            {"<meta http-equiv=refresh content=\"11;url=/slow\">", ""},
            {"<meta http-equiv=refresh content=\"5\">", ""}, // reloads itself
            {"<meta http-equiv=refresh content=\"0;url=page.html#top\">", ""},
            {"<noscript><meta http-equiv=refresh content=\"0;url=/nojs\"></noscript>", ""},
            {"<template><meta http-equiv=refresh content=\"0;url=/t\"></template>", ""},
            {"<meta name=refresh content=\"0;url=/name\">", ""},
        };
        for (const auto &page : pages)
            QCOMPARE(analyze(QString::fromUtf8(page.html)).refreshTarget.toString(),
                     QString::fromUtf8(page.target));
    }

    void redirectsIntoTheLocalNetwork()
    {
        const struct
        {
            const char *address;
            bool local;
        } addresses[] = {
            {"127.0.0.1", true},
            {"127.255.0.9", true},
            {"10.20.30.40", true},
            {"172.16.0.1", true},
            {"172.31.255.255", true},
            {"172.32.0.1", false},
            {"172.15.255.255", false},
            {"192.168.1.1", true},
            {"192.169.0.1", false},
            {"169.254.169.254", true},
            {"0.0.0.0", true},
            {"8.8.8.8", false},
            {"203.0.113.7", false},
            {"::1", true},
            {"::", true},
            {"fc00::1", true},
            {"fdff:ffff::1", true},
            {"fe80::1", true},
            {"febf::1", true},
            {"fec0::1", false},
            {"2001:db8::1", false},
            {"::ffff:10.0.0.1", true},
            {"::ffff:8.8.4.4", false},
        };
        for (const auto &address : addresses)
            QVERIFY2(LocalNetwork::contains(QHostAddress(QString::fromLatin1(address.address))) ==
                         address.local,
                     address.address);

        const QList<QHostAddress> internet{QHostAddress(QStringLiteral("93.184.216.34"))};
        const QList<QHostAddress> intranet{QHostAddress(QStringLiteral("10.0.0.5"))};
        const QList<QHostAddress> mixed{QHostAddress(QStringLiteral("198.51.100.1")),
                                        QHostAddress::LocalHost};
        QVERIFY(!LocalNetwork::allowsRedirect(internet, intranet));
        QVERIFY(!LocalNetwork::allowsRedirect(internet, mixed)); // one local address is enough to refuse
        QVERIFY(!LocalNetwork::allowsRedirect({}, intranet));    // nowhere known to begin from
        QVERIFY(LocalNetwork::allowsRedirect(intranet, {QHostAddress::LocalHost}));
        QVERIFY(LocalNetwork::allowsRedirect(internet, internet));
        QVERIFY(LocalNetwork::allowsRedirect(intranet, internet));
        QVERIFY(LocalNetwork::allowsRedirect(internet, {})); // a name that is not known fails on its own
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
