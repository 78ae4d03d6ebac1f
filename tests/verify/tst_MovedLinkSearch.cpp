#include "support/HttpTestServer.h"

#include "verify/MovedLinkSearch.h"

#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTest>

namespace {
using R = HttpTestServer::Response;
const QString OwnURL = QStringLiteral("http://www.mysite.example/");
const QByteArray WithLink = "<html><a href=\"http://www.mysite.example/\">My site</a></html>";
const QByteArray WithoutLink = "<html><p>Partners</p></html>";
} // namespace

// The search for a link that left its links page, against a local server that counts what it is
// asked: the links page's neighbours, a sitemap, a sitemap index, robots.txt and the page limit.
class TestMovedLinkSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen());
        for (const char *path : {"/n/links-2.html", "/n/z.html", "/s/resources.html", "/s/friends.html"})
            m_server.setResponse(path, R::page(WithLink));
        for (const char *path : {"/n/about.html", "/n/a.html", "/n/b.html", "/n/c.html", "/s/news.html"})
            m_server.setResponse(path, R::page(WithoutLink));
        m_server.setResponse("/maps/plain.xml",
                             R::page(sitemap({"/s/news.html", "/s/resources.html"}), "application/xml"));
        m_server.setResponse("/maps/index.xml",
                             R::page("<?xml version=\"1.0\"?><sitemapindex "
                                     "xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\"><sitemap><loc>" +
                                         m_server.url("/maps/child.xml").toUtf8() +
                                         "</loc></sitemap></sitemapindex>",
                                     "application/xml"));
        m_server.setResponse(
            "/maps/child.xml",
            R::page(sitemap({"/s/friends.html", "http://elsewhere.example/links.html"}), "application/xml"));
    }

    void searches_data()
    {
        QTest::addColumn<QStringList>("neighbours");
        QTest::addColumn<QByteArray>("robots");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("found");
        QTest::addColumn<QStringList>("neverAsked");
        QTest::addColumn<int>("searched");
        const auto row = [](const char *name, const QStringList &neighbours, const QByteArray &robots,
                            int limit, const char *found, const QStringList &neverAsked, int searched) {
            QTest::newRow(name) << neighbours << robots << limit << QString::fromLatin1(found) << neverAsked
                                << searched;
        };
        // The page whose address speaks of links goes first.
        row("a neighbour", {"/n/about.html", "/n/links-2.html"}, QByteArray(), 20, "/n/links-2.html",
            {"/n/about.html"}, 1);
        row("a sitemap of robots.txt", {}, "Sitemap: /maps/plain.xml\n", 20, "/s/resources.html", {}, 1);
        row("a sitemap index, one level down", {}, "Sitemap: /maps/index.xml\n", 20, "/s/friends.html", {},
            1);
        row("robots.txt closes the pages", {},
            "User-agent: Quillmarsh\nDisallow: /s/\nSitemap: /maps/plain.xml\n", 20, "",
            {"/s/resources.html", "/s/news.html"}, 0);
        row("closed to others only", {}, "User-agent: Googlebot\nDisallow: /s/\nSitemap: /maps/plain.xml\n",
            20, "/s/resources.html", {}, 1);
        row("the page limit", {"/n/a.html", "/n/b.html", "/n/c.html", "/n/z.html"}, QByteArray(), 2, "",
            {"/n/c.html", "/n/z.html"}, 2);
        row("no search", {"/n/links-2.html"}, QByteArray(), 0, "", {"/n/links-2.html"}, 0);
    }

    void searches()
    {
        QFETCH(QStringList, neighbours);
        QFETCH(QByteArray, robots);
        QFETCH(int, limit);
        QFETCH(QString, found);
        QFETCH(QStringList, neverAsked);
        QFETCH(int, searched);
        m_server.resetCounters();
        MovedLinkSearch::Request request;
        request.linksPage = QUrl(m_server.url("/links.html"));
        request.linksPageAsGiven = request.linksPage;
        for (const QString &path : neighbours)
            request.neighbours << m_server.url(path);
        request.robots.state = RobotsFiles::File::State::Read;
        request.robots.rules = RobotsTxt::parse(
            QByteArray(robots).replace("Sitemap: /", "Sitemap: " + m_server.url("/").toUtf8()));
        request.ownURL = OwnURL;
        request.maximumPages = limit;
        request.fetch = FetchSettings{.timeoutMs = 5000};

        QNetworkAccessManager network;
        MovedLinkSearch search(&network, nullptr);
        QSignalSpy finished(&search, &MovedLinkSearch::finished);
        search.start(request);
        QVERIFY(finished.count() == 1 || finished.wait(10000));
        QCOMPARE(finished.first().first().toUrl(), found.isEmpty() ? QUrl() : QUrl(m_server.url(found)));
        QCOMPARE(search.pagesSearched(), searched);
        for (const QString &path : neverAsked)
            QVERIFY2(m_server.requestCount(path) == 0, qPrintable(path));
        // Nothing leaves the partner's site.
        for (const HttpTestServer::Request &asked : m_server.requests())
            QVERIFY(!asked.path.contains("elsewhere"));
        QTest::qWait(50);
        QCOMPARE(finished.count(), 1);
    }

private:
    QByteArray sitemap(const QStringList &pages) const
    {
        QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">";
        for (const QString &page : pages)
            xml +=
                "<url><loc>" + (page.startsWith(u'/') ? m_server.url(page) : page).toUtf8() + "</loc></url>";
        return xml + "</urlset>";
    }

    HttpTestServer m_server;
};

QTEST_GUILESS_MAIN(TestMovedLinkSearch)
#include "tst_MovedLinkSearch.moc"
