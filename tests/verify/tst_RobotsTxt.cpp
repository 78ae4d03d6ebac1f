#include "verify/RobotsTxt.h"

#include <QTest>

namespace {

// Rules of several groups, each for several agents, as a real file mixes them.
const QByteArray Groups = "allow: /foo/bar/\n"
                          "\n"
                          "user-agent: FooBot\n"
                          "disallow: /\n"
                          "allow: /x/\n"
                          "user-agent: BarBot\n"
                          "disallow: /\n"
                          "allow: /y/\n"
                          "\n"
                          "\n"
                          "allow: /w/\n"
                          "user-agent: BazBot\n"
                          "\n"
                          "user-agent: FooBot\n"
                          "allow: /z/\n"
                          "disallow: /\n";

// The protocol's own example file.
const QByteArray Example = "User-Agent: *\n"
                           "Disallow: *.gif$\n"
                           "Disallow: /example/\n"
                           "Allow: /publications/\n"
                           "\n"
                           "User-Agent: foobot\n"
                           "Disallow:/\n"
                           "Allow:/example/page.html\n"
                           "Allow:/example/allowed.gif\n"
                           "\n"
                           "User-Agent: barbot\n"
                           "User-Agent: bazbot\n"
                           "Disallow: /example/page.html\n"
                           "\n"
                           "User-Agent: quxbot\n"
                           "\n"
                           "EOF\n";

} // namespace

// robots.txt as search engines read it: the cases of the protocol's examples and of public
// conformance suites, written down here as a table, and our own.
class TestRobotsTxt : public QObject
{
    Q_OBJECT
private slots:
    void matching_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("agent");
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("allowed");
        const auto row = [](const char *name, const QByteArray &file, const char *agent, const char *url,
                            bool allowed) {
            QTest::newRow(name) << file << QString::fromUtf8(agent) << QString::fromUtf8(url) << allowed;
        };
        const QByteArray fooAll = "user-agent: FooBot\ndisallow: /\n";
        // Files and agents that say nothing.
        row("empty file", "", "FooBot", "http://a.example/x", true);
        row("no agent asked", fooAll, "", "http://a.example/x", true);
        row("the file itself", fooAll, "FooBot", "http://a.example/robots.txt", true);
        row("no group for the agent, none for all", "user-agent: BarBot\ndisallow: /\n", "QuxBot",
            "http://a.example/x", true);

        // The protocol's example: the specific group wins over "*", empty groups allow everything.
        row("example: foobot page", Example, "foobot", "http://a.example/example/page.html", true);
        row("example: foobot gif", Example, "foobot", "http://a.example/example/allowed.gif", true);
        row("example: foobot elsewhere", Example, "foobot", "http://a.example/publications/", false);
        row("example: barbot page", Example, "barbot", "http://a.example/example/page.html", false);
        row("example: bazbot elsewhere", Example, "bazbot", "http://a.example/example/other.html", true);
        row("example: quxbot empty group", Example, "quxbot", "http://a.example/example/page.html", true);
        row("example: others, gif", Example, "otherbot", "http://a.example/images/a.gif", false);
        row("example: others, gif with query", Example, "otherbot", "http://a.example/a.gif?x", true);
        row("example: others, example", Example, "otherbot", "http://a.example/example/x", false);
        row("example: others, publications", Example, "otherbot", "http://a.example/publications/x", true);
        row("example: longest match",
            "User-Agent: foobot\nAllow: /example/page/\nDisallow: /example/page/disallowed.gif\n", "foobot",
            "http://a.example/example/page/disallowed.gif", false);

        // Groups: rules before the first agent belong to none; groups of one agent are combined; blank
        // lines do not end a group.
        row("groups: FooBot x", Groups, "FooBot", "http://foo.bar/x/b", true);
        row("groups: FooBot z, second group", Groups, "FooBot", "http://foo.bar/z/d", true);
        row("groups: FooBot y", Groups, "FooBot", "http://foo.bar/y/c", false);
        row("groups: BarBot y", Groups, "BarBot", "http://foo.bar/y/c", true);
        row("groups: BarBot w after blank lines", Groups, "BarBot", "http://foo.bar/w/a", true);
        row("groups: BarBot z", Groups, "BarBot", "http://foo.bar/z/d", false);
        row("groups: BazBot shares FooBot's group", Groups, "BazBot", "http://foo.bar/z/d", true);
        row("groups: rule before any agent", Groups, "FooBot", "http://foo.bar/foo/bar/", false);
        row("specific group overrides *", "User-agent: *\nDisallow: /x/\nUser-agent: FooBot\nDisallow: /y/\n",
            "FooBot", "http://foo.bar/x/page", true);
        row("* when nothing specific", "user-agent: *\nallow: /\nuser-agent: FooBot\ndisallow: /\n", "BarBot",
            "http://foo.bar/x/y", true);

        // Agents: names without letter case, the product token of a full user agent, up to a space.
        row("agent line upper case", "USER-AGENT: FooBot\nALLOW: /x/\nDISALLOW: /\n", "FooBot",
            "http://foo.bar/a/b", false);
        row("agent value case", "User-Agent: FOO BAR\nAllow: /x/\nDisallow: /\n", "foo", "http://foo.bar/x/y",
            true);
        row("full user agent", fooAll, "FooBot/2.1 (+http://foo.bar/bot)", "http://foo.bar/x", false);
        row("another bot of the family", fooAll, "FooBot-Image", "http://foo.bar/x", true);
        row("missing colon forgiven", "user-agent FooBot\ndisallow /\n", "FooBot", "http://foo.bar/x/y",
            false);
        row("unknown lines", "foo: FooBot\nbar: /\n", "FooBot", "http://foo.bar/x/y", true);

        // Longest match; allow wins a tie.
        row("longer disallow", "user-agent: FooBot\ndisallow: /x/page.html\nallow: /x/\n", "FooBot",
            "http://foo.bar/x/page.html", false);
        row("longer allow", "user-agent: FooBot\nallow: /x/page.html\ndisallow: /x/\n", "FooBot",
            "http://foo.bar/x/page.html", true);
        row("same pattern, allow wins", "user-agent: FooBot\ndisallow: /\nallow: /\n", "FooBot",
            "http://foo.bar/x", true);
        row("empty patterns match nothing", "user-agent: FooBot\ndisallow: \nallow: \n", "FooBot",
            "http://foo.bar/x", true);
        row("/x is not /x/", "user-agent: FooBot\ndisallow: /x\nallow: /x/\n", "FooBot", "http://foo.bar/x",
            false);
        row("wildcard counts its length", "user-agent: FooBot\nallow: /page\ndisallow: /*.html\n", "FooBot",
            "http://foo.bar/page.html", false);
        row("paths keep letter case", "user-agent: FooBot\ndisallow: /X/\n", "FooBot", "http://foo.bar/x/y",
            true);

        // "*" and "$".
        row("star inside", "User-agent: FooBot\nDisallow: /foo/bar/quz\nAllow: /foo/*/qux\n", "FooBot",
            "http://foo.bar/foo/bar/quz", false);
        row("star, other path", "User-agent: FooBot\nDisallow: /foo/bar/quz\nAllow: /foo/*/qux\n", "FooBot",
            "http://foo.bar/foo/quz", true);
        row("dollar anchors", "User-agent: FooBot\nDisallow: /foo/bar$\n", "FooBot", "http://foo.bar/foo/bar",
            false);
        row("dollar, longer path", "User-agent: FooBot\nDisallow: /foo/bar$\n", "FooBot",
            "http://foo.bar/foo/bar/", true);
        row("*.php$ with query", "user-agent: FooBot\ndisallow: /\nallow: /*.php$\n", "FooBot",
            "http://foo.bar/filename.php?parameters", false);
        row("*.php$", "user-agent: FooBot\ndisallow: /\nallow: /*.php$\n", "FooBot",
            "http://foo.bar/folder/filename.php", true);
        row("allow /$ only the root", "user-agent: FooBot\nallow: /$\ndisallow: /\n", "FooBot",
            "http://foo.bar/page.html", false);
        row("query is part of the path", "user-agent: FooBot\ndisallow: /\nallow: /fish\n", "FooBot",
            "http://foo.bar/?id=fish", false);
        row("comment ends the rule", "User-agent: FooBot\n# Disallow: /\nDisallow: /foo/quz#qux\nAllow: /\n",
            "FooBot", "http://foo.bar/foo/quz", false);

        // Percent-encoding: what lies outside US-ASCII is encoded, escapes of unreserved characters
        // decoded, the others compared in upper case.
        row("non-ASCII pattern", "User-agent: FooBot\nDisallow: /\nAllow: /foo/bar/\xE3\x83\x84\n", "FooBot",
            "http://foo.bar/foo/bar/%E3%83%84", true);
        row("non-ASCII in the address", "User-agent: FooBot\nDisallow: /\nAllow: /foo/bar/%E3%83%84\n",
            "FooBot", "http://foo.bar/foo/bar/\xE3\x83\x84", true);
        row("escaped unreserved letters", "User-agent: FooBot\nDisallow: /foo/bar/%62%61%7A\n", "FooBot",
            "http://foo.bar/foo/bar/baz", false);
        row("escape case", "User-agent: FooBot\nDisallow: /a%3cd.html\n", "FooBot",
            "http://foo.bar/a%3Cd.html", false);
        row("escaped slash stays apart", "User-agent: FooBot\nDisallow: /a%2fb.html\n", "FooBot",
            "http://foo.bar/a/b.html", true);
        row("reserved characters in the query",
            "User-agent: FooBot\nDisallow: /\nAllow: /foo/bar?qux=taz&baz=http://foo.bar?tar&par\n", "FooBot",
            "http://foo.bar/foo/bar?qux=taz&baz=http://foo.bar?tar&par", true);

        // Line ends and byte order marks.
        row("CR line ends", "User-Agent: foo\rAllow: /some/path\rUser-Agent: bar\r\r\rDisallow: /\r", "bar",
            "http://foo.bar/x", false);
        row("CRLF line ends", "User-Agent: foo\r\nAllow: /some/path\r\nUser-Agent: bar\r\n\r\nDisallow: /",
            "bar", "http://foo.bar/x", false);
        row("mixed line ends, no final one",
            "User-Agent: foo\nAllow: /some/path\r\nUser-Agent: bar\n\r\nDisallow: /", "bar",
            "http://foo.bar/x", false);
        row("byte order mark", "\xEF\xBB\xBFUser-Agent: foo\nDisallow: /\n", "foo", "http://foo.bar/x",
            false);
        row("part of a byte order mark", "\xEF\xBBUser-Agent: foo\nDisallow: /\n", "foo", "http://foo.bar/x",
            false);
        row("broken byte order mark spoils the line", "\xEF\x11\xBFUser-Agent: foo\nDisallow: /\n", "foo",
            "http://foo.bar/x", true);
    }

    void matching()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, agent);
        QFETCH(QString, url);
        QFETCH(bool, allowed);
        QCOMPARE(RobotsTxt::parse(file).allows(agent, QUrl(url)), allowed);
    }

    void sitemapsAndLimits()
    {
        const RobotsTxt robots = RobotsTxt::parse("Sitemap: http://foo.bar/first.xml\n"
                                                  "User-Agent: foo\nAllow: /some/path\n\n"
                                                  "sitemap: http://foo.bar/second.xml # news\n");
        QCOMPARE(robots.sitemaps(), (QStringList{QStringLiteral("http://foo.bar/first.xml"),
                                                 QStringLiteral("http://foo.bar/second.xml")}));
        // Only the first 500 KiB are read.
        QByteArray huge = "user-agent: *\n" + QByteArray(RobotsTxt::MaximumSize, '\n') + "disallow: /\n";
        QVERIFY(RobotsTxt::parse(huge).allows(QStringLiteral("foo"), QUrl("http://foo.bar/")));
        // Many stars cost time in the length of the path, not more.
        const QByteArray stars = "user-agent: *\ndisallow: /" + QByteArray(2000, '*') + "x$\n";
        QVERIFY(RobotsTxt::parse(stars).allows(QStringLiteral("foo"),
                                               QUrl("http://foo.bar/" + QString(4000, u'a') + "y")));
    }
};

QTEST_GUILESS_MAIN(TestRobotsTxt)
#include "tst_RobotsTxt.moc"
