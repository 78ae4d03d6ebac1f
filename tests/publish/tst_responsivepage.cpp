// The responsive links page: what it carries and leaves out, the styles it takes over, that tidy
// finds no fault in it, and what a reader sees in a real browser at a phone's and a desktop's width.
#include "DatabaseBuilder.h"
#include "TestData.h"

#include "model/CollectionManager.h"
#include "publish/LinksPageExporter.h"
#include "publish/LinksPageSetup.h"
#include "publish/LinksPageStyle.h"
#include "publish/ResponsivePageBuilder.h"
#include "publish/ResponsiveStyleSheet.h"
#include "publish/Themes.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

LinkFields partner(const QString &title, const QString &url, const QString &description,
                   LinkStatus status = LinkStatusApproved)
{
    LinkFields f;
    f.title = title;
    f.URL = url;
    f.description = description;
    f.status = status;
    return f;
}

// A database with what needs care: markup in texts, an address with "&" and one that is not a web
// address, categories that get no section, anchors that are not ids or clash.
void build(DatabaseBuilder &db)
{
    SiteProfileTexts profile;
    profile.title = QStringLiteral("Marsh & Meadow <Garden>");
    profile.URL = QStringLiteral("https://marsh-meadow.example/");
    profile.description = QStringLiteral("Wild gardens \"for\" small plots");
    db.store().setSiteProfile(profile);
    db.store().setExportNewLinks(false, true);
    db.defaultCategory()
        .link(partner("Alder Nursery", "http://alder.example/?a=1&b=2", "Trees & shrubs <wholesale>"))
        .link(partner("Bramble Blocked", "http://bramble.example/", "", LinkStatusBlocked))
        .link(partner("Script Kiddie", "javascript:alert(1)", "Never a link"));
    db.category("Birds & Bees", "birds")
        .link(partner("Kestrel Watch", "http://kestrel.example/", ""))
        .link(partner("Heron Hall", "http://heron.example/", "New, not published", LinkStatusNew));
    db.category("Ferns", "a b").link(partner("Bracken Books", "http://bracken.example/", "Field guides"));
    db.category("Clash", "qm-contents").link(partner("Duckweed", "http://duckweed.example/", ""));
    db.category("Quarantine", "quarantine")
        .link(partner("Spam", "http://spam.example/", "", LinkStatusBlocked));
    db.store().setString(LinksPageStyle::ResponsiveLayout, LinksPageStyle::PageLayoutKey);
}

QString python()
{
    // The system's interpreter, which has the Debian package of Selenium.
    const QString system = QStandardPaths::findExecutable("python3", {"/usr/bin"});
    return system.isEmpty() ? QStringLiteral("python3") : system;
}

} // namespace

class TestResponsivePage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void carriesEveryPublishableLinkUnderItsCategory()
    {
        DatabaseBuilder db;
        build(db);
        const ResponsivePageBuilder builder(db.store());
        const QString page = builder.page();
        QVERIFY(page.startsWith("<!DOCTYPE html>\n"));
        QVERIFY(page.contains("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"));
        QVERIFY(page.contains("<h1>Marsh &amp; Meadow &lt;Garden&gt;</h1>"));
        QVERIFY(page.contains("<p class=\"qm_text\">Wild gardens \"for\" small plots</p>"));
        QVERIFY(page.contains("content=\"Wild gardens &quot;for&quot; small plots\""));

        // The default category has its heading and its index entry; sections and entries follow the
        // categories with something to publish, nothing else.
        QVERIFY(page.contains("<h3 id=\"CAT0000000000\" class=\"qm_emphasized_text\">General</h3>"));
        QVERIFY(page.contains("href=\"#CAT0000000000\">General</a>"));
        QVERIFY(page.contains("href=\"#birds\">Birds &amp; Bees</a>"));
        for (const char *absent : {"Bramble", "Heron", "Quarantine", "Spam", "javascript:"})
            QVERIFY2(!page.contains(absent), absent);
        QVERIFY(
            page.contains("<a class=\"qm_link\" href=\"http://alder.example/?a=1&amp;b=2\">Alder Nursery</a>"
                          "<span class=\"qm_text\"> - Trees &amp; shrubs &lt;wholesale&gt;</span>"));
        QVERIFY(page.contains("<span class=\"qm_link\">Script Kiddie</span>"));

        // Ids are valid and unique: an anchor with a space is mended, one that clashes is replaced.
        const QString ferns = builder.sectionId(db.store().categoryWithAnchor("a b")->category());
        QCOMPARE(ferns, QString("a-b"));
        QStringList ids;
        for (const QRegularExpressionMatch &match : QRegularExpression(" id=\"([^\"]*)\"").globalMatch(page))
            ids << match.captured(1);
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
        for (const QString &id : ids)
            QVERIFY2(!id.isEmpty() && !id.contains(' '), qPrintable(id));
        const QString clash = builder.sectionId(db.store().categoryWithAnchor("qm-contents")->category());
        QVERIFY(clash.startsWith("category-"));
        QVERIFY(page.contains("href=\"#" + clash + "\">Clash</a>"));

        // Only "YES" opens partners in a new window, as the setup sheet shows it.
        QVERIFY(!page.contains("target="));
        db.store().setTargetNew(1);
        QVERIFY(
            ResponsivePageBuilder(db.store())
                .page()
                .contains(
                    "href=\"http://kestrel.example/\" target=\"_blank\" rel=\"noopener\">Kestrel Watch</a>"));

        // The code to copy is shown as text, so its markup is escaped once more.
        QCOMPARE(builder.linkToUsCode(),
                 QString("<a href=\"https://marsh-meadow.example/\">Marsh &amp; Meadow "
                         "&lt;Garden&gt;</a> - Wild gardens \"for\" small plots"));
        QVERIFY(
            page.contains("readonly>&lt;a href=\"https://marsh-meadow.example/\"&gt;Marsh &amp;amp; Meadow"));
        SiteProfileTexts noSite;
        db.store().setSiteProfile(noSite);
        QVERIFY(ResponsivePageBuilder(db.store()).linkToUsCode().isEmpty());
        QVERIFY(!ResponsivePageBuilder(db.store()).page().contains("textarea"));
    }

    void exportWritesOnePageWhateverTheProfileLayout()
    {
        DatabaseBuilder db;
        build(db);
        db.store().setRenderMode(RenderModePagePerCategory);
        QCOMPARE(LinksPageExporter::numberOfHTMLFilesForCollectionManager(db.store()), 1);
        QVERIFY(LinksPageExporter::exportHTMLWithCollectionManager(db.store(), m_dir.filePath("links.html")));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList({"links.html"}));
        QFile file(m_dir.filePath("links.html"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), ResponsivePageBuilder(db.store()).page());
        // Any other value keeps the table layouts.
        db.store().setString(LinksPageStyle::TableLayout, LinksPageStyle::PageLayoutKey);
        QVERIFY(!ResponsivePageBuilder::isChosen(db.store()));
        QCOMPARE(LinksPageExporter::numberOfHTMLFilesForCollectionManager(db.store()), 4);
    }

    void stylesKeepTheirLookButNotSmallTextOrWaysOutOfTheSheet()
    {
        const QList<QPair<const char *, const char *>> cases{
            {"font-family: Arial,sans-serif; font-size: 12px; font-weight: bold;", "font-weight: bold;"},
            {"color: #E40079; font-size: 18px", "color: #E40079; font-size: 18px;"},
            {"font-size: 12pt; font-size: 11pt", "font-size: 12pt;"}, // 16 px and 14.7 px
            {"font-size: 0.9em; font-size: 1.2rem; font-size: 100%", "font-size: 1.2rem; font-size: 100%;"},
            {"font-size: small; font-size: large; font-size: calc(1px)", "font-size: large;"},
            {"font: 10px Verdana; FONT-SIZE: 9PX; Color: red", "Color: red;"},
            {"color: red } body { display: none", ""},
            {"color: red; background: url(x) </style><script>", "color: red;"},
            {"margin: 0 /* note; color: blue */", ""},
            {"content: \"unclosed; color: red", "color: red;"},
            {"", ""},
            {"  ;; nonsense ; list-style-type:circle ", "list-style-type:circle;"},
        };
        for (const auto &[text, adapted] : cases)
            QCOMPARE(ResponsiveStyleSheet::adaptedDeclarations(text), QString(adapted));

        // Every theme still reaches its classes, in the order of the style keys.
        DatabaseBuilder db;
        LinksPageSetup setup;
        setup.initializeFromCollectionManager(db.store());
        setup.loadTheme(Themes::Candy);
        setup.applyTo(db.store());
        const QString sheet = ResponsiveStyleSheet::styleSheet(db.store());
        QVERIFY(sheet.contains("\t.qm_link { color: #E40079; }\n"));
        QVERIFY(sheet.contains("\thr.qm_separator { background-color: #E40079; }\n"));
        QVERIFY(sheet.contains("\t.qm_li { margin-top: 0px; margin-bottom: 2px; list-style-type:circle; "
                               "color: #09A49F; }\n"));
        QVERIFY(sheet.indexOf(".qm_text {") < sheet.indexOf(".qm_ul {"));
        QVERIFY(sheet.contains("@media (prefers-color-scheme: dark)"));
    }

    // Tidy and the browser read what a file holds; every theme's page is written, the smallest type
    // (Classic, 10 px) and the oddest (Oblique) with long unbreakable words among them.
    void validAndReadableAtPhoneAndDesktopWidths()
    {
        DatabaseBuilder db;
        build(db);
        db.category("Long words", "long")
            .link(partner(QString("Pneumonoultramicroscopicsilicovolcanoconiosis").repeated(3),
                          "http://long.example/" + QString("x").repeated(200), QString("y").repeated(120)));
        QStringList pages;
        for (int theme = Themes::FirstTheme; theme <= Themes::LastTheme; ++theme) {
            LinksPageSetup setup;
            setup.initializeFromCollectionManager(db.store());
            setup.loadTheme(theme);
            setup.setTargetNew(theme % 2 ? 1 : 2);
            setup.applyTo(db.store());
            const QString path = m_dir.filePath(QStringLiteral("theme%1.html").arg(theme));
            QVERIFY(LinksPageExporter::exportHTMLWithCollectionManager(db.store(), path));
            pages << path;

            QProcess tidy;
            tidy.start("tidy", {"-e", "-q", path});
            QVERIFY2(tidy.waitForFinished(30000), "tidy did not run (Debian package tidy)");
            const QByteArray report = tidy.readAllStandardError();
            QVERIFY2(tidy.exitCode() == 0 && report.isEmpty(), report.constData());
        }

        for (const QString &page : {pages.at(Themes::Classic - 1), pages.at(Themes::Oblique - 1)}) {
            QProcess browser;
            browser.start(python(),
                          {QStringLiteral(QM_SOURCE_DIR "/tests/support/page_metrics.py"), page, "360,1280"});
            QVERIFY2(browser.waitForFinished(120000), "headless Chromium did not finish");
            const QByteArray output = browser.readAllStandardOutput();
            QVERIFY2(browser.exitCode() == 0, browser.readAllStandardError().constData());
            const QJsonObject widths = QJsonDocument::fromJson(output).object();
            QCOMPARE(widths.keys(), QStringList({"1280", "360"}));
            for (const QString &width : widths.keys()) {
                const QJsonObject seen = widths.value(width).toObject();
                const QByteArray what = page.toUtf8() + " at " + width.toUtf8() + ": " + output;
                QVERIFY2(seen.value("scrollWidth").toInt() <= seen.value("clientWidth").toInt(), what);
                QVERIFY2(seen.value("smallestText").toDouble() >= 16, what);
                QVERIFY2(seen.value("lowestLink").toDouble() >= 24, what);
                QVERIFY2(seen.value("links").toInt() >= 8, what);
            }
        }
    }
};

QTEST_MAIN(TestResponsivePage)
#include "tst_responsivepage.moc"
