// Check My Links Page: what it finds on a page (each kind of problem, partners sharing a host), the
// pages a layout makes, and the command line against a page served on 127.0.0.1, with the result
// kept beside the history.
#include "DatabaseBuilder.h"
#include "HttpTestServer.h"
#include "support/CliProcess.h"

#include "history/HistoryStore.h"
#include "history/OwnPageCheck.h"
#include "history/SiteRecords.h"
#include "model/DatabaseFile.h"
#include "publish/LinksPageStyle.h"
#include "publish/ResponsivePageBuilder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

LinkFields partner(const char *title, const char *url, LinkStatus status = LinkStatusApproved)
{
    LinkFields f;
    f.title = title;
    f.URL = url;
    f.status = status;
    return f;
}

void setLinksPage(DatabaseBuilder &db, const QString &url)
{
    SiteProfileTexts profile;
    profile.title = "Marsh";
    profile.URL = "http://marsh.example/";
    profile.linksURL = url;
    db.store().setSiteProfile(profile);
}

QStringList described(const QList<OwnPageCheck::Finding> &findings)
{
    QStringList lines;
    for (const OwnPageCheck::Finding &finding : findings)
        lines << finding.title + ' ' + OwnPageCheck::problemKey(finding.problem);
    return lines;
}

} // namespace

class TestOwnPageCheck : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void findsEachKindOfProblem()
    {
        DatabaseBuilder db;
        setLinksPage(db, "https://marsh.example/links.html");
        db.store().setExportNewLinks(false, true);
        db.defaultCategory()
            .link(partner("Present", "http://present.example/"))
            .link(partner("Absent", "http://absent.example/"))
            .link(partner("Hidden", "http://hidden.example/"))
            .link(partner("Nofollow", "http://www.nofollow.example/"))
            .link(partner("Blocked", "http://blocked.example/", LinkStatusBlocked))
            .link(partner("New", "http://new.example/", LinkStatusNew))
            .link(partner("Shared A", "http://shared.example/a"))
            .link(partner("Shared B", "http://shared.example/b/"))
            .link(partner("Unsafe", "javascript:alert(1)"));
        OwnPageCheck::Plan plan = OwnPageCheck::planFor(db.store());
        QCOMPARE(plan.pages.size(), 1);
        OwnPageCheck::Page &page = plan.pages[0];
        page.loaded = true;
        page.finalURL = QUrl("https://marsh.example/links.html");
        page.text = "<ul><li><a href='https://present.example'>Present</a>"
                    "<li><div hidden><a href='//hidden.example/'>Hidden</a></div>"
                    "<li><a rel='nofollow' href='http://nofollow.example/'>Nofollow</a>"
                    "<li><a href='http://blocked.example/'>Blocked</a>"
                    "<li><a href='http://new.example/'>New</a>"
                    "<li><a href='http://www.shared.example/b'>Shared B</a>"
                    "<li>absent.example is named, not linked</ul>";
        QCOMPARE(described(OwnPageCheck::findingsFor(plan)),
                 QStringList({"Absent missing", "Blocked unexpected", "Hidden hidden", "New unexpected",
                              "Nofollow nofollow", "Shared A missing"}));
        // A robots meta tag makes every link nofollow; a page that was not read says nothing.
        page.text = "<meta name=robots content=nofollow><a href='http://present.example/'>x</a>";
        QVERIFY(described(OwnPageCheck::findingsFor(plan)).contains("Present nofollow"));
        page.loaded = false;
        QVERIFY(OwnPageCheck::findingsFor(plan).isEmpty());
    }

    void pagesFollowTheLayout()
    {
        DatabaseBuilder db;
        db.defaultCategory().link("Alder");
        db.category("Birds", "birds").link("Kestrel");
        db.category("Blocked only", "quarantine").link("Spam", LinkStatusBlocked);
        QString error;
        QVERIFY(OwnPageCheck::planFor(db.store(), &error).pages.isEmpty());
        QVERIFY(error.contains("Edit Site Info"));
        setLinksPage(db, "http://marsh.example/links/index.html");
        db.store().setRenderMode(RenderModePagePerCategory);
        auto urls = [&db] {
            QStringList list;
            for (const OwnPageCheck::Page &page : OwnPageCheck::planFor(db.store()).pages)
                list << page.url.toString();
            return list;
        };
        QCOMPARE(urls(), QStringList({"http://marsh.example/links/index.html",
                                      "http://marsh.example/links/birds.html"}));
        db.store().setString(LinksPageStyle::ResponsiveLayout, LinksPageStyle::PageLayoutKey);
        QCOMPARE(urls(), QStringList({"http://marsh.example/links/index.html"}));
    }

    // The tool against a page served here: a partner approved after the last publish is missing;
    // the history keeps it; a page that cannot be read is said and ends with status 2.
    void commandLineFindsAPartnerMissingFromThePublishedPage()
    {
        HttpTestServer server;
        QVERIFY(server.listen());
        DatabaseBuilder db;
        setLinksPage(db, server.url("/links.html"));
        db.store().setString(LinksPageStyle::ResponsiveLayout, LinksPageStyle::PageLayoutKey);
        db.defaultCategory().link(partner("Alder", "http://alder.example/"));
        db.category("Birds", "birds").link(partner("Kestrel", "http://kestrel.example/"));
        server.setResponse("/links.html",
                           HttpTestServer::Response::page(ResponsivePageBuilder(db.store()).page().toUtf8()));
        const QString site = m_dir.filePath("marsh.site");
        QVERIFY(DatabaseFile::write(db.store(), site));
        const CliOptions options = CliOptions().at(m_dir.path()).withEventLoop();
        CliRun run = runCli({"check-own", site}, options);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QByteArray("Every partner is on the page as it should be.\n"));

        db.link(partner("Heron", "http://heron.example/"));
        QVERIFY(DatabaseFile::write(db.store(), site));
        run = runCli({"check-own", site, "--json"}, options);
        QVERIFY2(run.status == 3, run.err.constData());
        const QJsonArray findings = QJsonDocument::fromJson(run.out).array();
        QCOMPARE(findings.size(), 1);
        const QJsonObject finding = findings.at(0).toObject();
        QCOMPARE(finding.value("linkID").toString(), db.lastLink()->ID());
        QCOMPARE(finding.value("title").toString(), QString("Heron"));
        QCOMPARE(finding.value("problem").toString(), QString("missing"));
        QCOMPARE(finding.value("page").toString(), server.url("/links.html"));

        SiteRecords records(site);
        const std::optional<OwnPageCheck::Result> kept = records.latestOwnPageCheck();
        QVERIFY2(kept, qPrintable(records.errorString()));
        QCOMPARE(described(kept->findings), QStringList({"Heron missing"}));
        // The verification history still reads its own file.
        QVERIFY(HistoryStore(site).checks().has_value());

        server.setResponse("/links.html", HttpTestServer::Response::withStatus(404));
        run = runCli({"check-own", site}, options);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("links.html: cannot be read (the server answered with status 404)"),
                 run.err.constData());
        QCOMPARE(runCli({"check-own"}, options).status, 1);
    }

    void aRecordThatCannotBeKeptNamesTheHistoryOnce()
    {
        QTemporaryDir dir;
        const QString site = dir.filePath("site.site");
        QFile history(HistoryStore::pathForDatabase(site));
        QVERIFY(history.open(QIODevice::WriteOnly));
        history.write(QByteArray(4096, 'x')); // no SQLite file at all
        history.close();
        SiteRecords records(site);
        QVERIFY(!records.recordPublished("sftp://example/", "index.html", "00"));
        QCOMPARE(records.error().kind(), FileError::Kind::NotAHistory);
        const QString named = QDir::toNativeSeparators(history.fileName());
        QCOMPARE(records.errorString().count(named), 1);
        QCOMPARE(HistoryStore::errorMessage(site, records.error()).count(named), 1);
    }
};

QTEST_MAIN(TestOwnPageCheck)
#include "tst_ownpagecheck.moc"
