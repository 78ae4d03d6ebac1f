// The exports: the links page (byte for byte, what it refuses to write, styles, themes, preview),
// the spreadsheet in each encoding, the export panels' names and messages, and the command line.
#include "DatabaseBuilder.h"
#include "TestData.h"
#include "support/CliProcess.h"

#include "model/AddressTexts.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/DatabaseJson.h"
#include "model/Preferences.h"
#include "model/PublishingRules.h"
#include "model/TemporaryFolder.h"
#include "model/TextUtils.h"
#include "model/UiLanguage.h"
#include "model/UrlOpener.h"
#include "publish/ClipboardWriter.h"
#include "publish/CsvSpreadsheetBuilder.h"
#include "publish/ExportTexts.h"
#include "publish/HTMLBuilder.h"
#include "publish/LinksPageExporter.h"
#include "publish/LinksPageSetup.h"
#include "publish/LinksPageStyle.h"
#include "publish/PreviewPage.h"
#include "publish/SiteProfileForm.h"
#include "publish/SpreadsheetBuilder.h"
#include "publish/Themes.h"
#include "workflow/LinkForm.h"
#include "workflow/LinkImporter.h"
#include "workflow/TableRowConverter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>

namespace {

// The database behind the publishing golden files: the None category with a published and a
// blocked link, three categories with published links (one of them also holding a New and a
// Negotiating link), one whose links are all blocked, and an empty one.
LinkFields fields(const QString &title, LinkStatus status, const QString &url, const QString &description)
{
    LinkFields f;
    f.title = title;
    f.URL = url;
    f.description = description;
    f.status = status;
    f.type = LinkTypeSent;
    f.lastStatusChangedOn = QDate(2004, 3, 5);
    return f;
}

void build(DatabaseBuilder &db)
{
    SiteProfileTexts profile;
    profile.title = QStringLiteral("Marsh & Meadow <Garden>");
    profile.URL = QStringLiteral("http://www.marsh-meadow.example/");
    db.store().setSiteProfile(profile);
    db.store().setExportNewLinks(true, false);

    db.defaultCategory()
        .link(fields("Alder Nursery", LinkStatusApproved, "http://alder.example/",
                     "Trees & shrubs <wholesale>"))
        .link(fields("Bramble Blocked", LinkStatusBlocked, "http://bramble.example/", "Never shown"));
    db.category("Birds & Bees", "birds")
        .link(fields("Kestrel Watch", LinkStatusApproved, "http://kestrel.example/?a=1&b=2", "Falcons"))
        .link(fields("Heron Hall", LinkStatusNew, "http://heron.example/", ""))
        .link(fields("Nightjar Notes", LinkStatusNegotiating, "http://nightjar.example/", "Not yet agreed"));
    db.category("Ferns", "ferns")
        .link(fields("Bracken Books", LinkStatusApproved, "http://bracken.example/", "Field guides"));
    db.category("Ponds", "ponds")
        .link(fields("Duckweed Daily", LinkStatusApproved, "http://duckweed.example/", "Water \"gardens\""));
    db.category("Quarantine", "quarantine")
        .link(fields("Spam Farm", LinkStatusBlocked, "http://spam.example/", "Blocked"));
    db.category("Empty Shelf", "empty");
}

// Compares bytes with a golden file; QM_UPDATE_GOLDEN=1 rewrites the file instead.
bool matchesGolden(const QByteArray &actual, const QString &name)
{
    QFile file(QStringLiteral(QM_TEST_DATA_DIR "/publish/") + name);
    if (qEnvironmentVariableIntValue("QM_UPDATE_GOLDEN") == 1)
        return file.open(QIODevice::WriteOnly) && file.write(actual) == actual.size();
    return file.open(QIODevice::ReadOnly) && file.readAll() == actual;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// Links covering the cells that need care: accents, characters an 8-bit encoding lacks, notes
// with line breaks and tabs, never-verified links, every status and both request types.
void buildSheet(DatabaseBuilder &db)
{
    LinkFields f;
    f.title = QStringLiteral("Café Ł½—");
    f.URL = QStringLiteral("http://cafe.example/");
    f.description = QStringLiteral("Tab\there");
    f.counterpartURL = QStringLiteral("http://cafe.example/links.html");
    f.counterpartCategoryName = QStringLiteral("Friends");
    f.contactFirstName = QStringLiteral("Zoë");
    f.contactLastName = QStringLiteral("Brontë");
    f.contactEmail = QStringLiteral("zoe@cafe.example");
    f.type = LinkTypeReceived;
    f.status = LinkStatusApproved;
    f.lastStatusChangedOn = QDate(2004, 3, 5);
    f.lastVerifiedOn = QDate(2004, 12, 31);
    f.lastVerificationResult = VerificationSucceeded;
    f.notes = QStringLiteral("First line\r\nSecond line\rThird\nFourth\tend");
    db.defaultCategory().link(f);

    LinkFields g;
    g.title = QStringLiteral("Never Checked");
    g.URL = QStringLiteral("http://never.example/");
    g.type = LinkTypeSent;
    g.status = LinkStatusBlocked;
    g.lastStatusChangedOn = QDate(2010, 11, 9);
    db.category(QStringLiteral("Tea\tRooms"), "tea").link(g);
    g.title = QStringLiteral("Fresh");
    g.status = LinkStatusNew;
    db.link(g);
    g.title = QStringLiteral("Talking");
    g.status = LinkStatusNegotiating;
    db.link(g);
}

} // namespace

class TestExports : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_site; // the sample, one page per category

private slots:
    void initTestCase()
    {
        UiLanguage::installEnglishPlurals();
        Preferences::useSettingsFile(m_dir.filePath("settings.ini"));
        DatabaseBuilder db;
        build(db);
        db.store().setRenderMode(RenderModePagePerCategory);
        m_site = m_dir.filePath("sample.site");
        QVERIFY(DatabaseFile::write(db.store(), m_site));
    }

    void exportedPagesMatchGoldenAndCopiesCarryRichText()
    {
        DatabaseBuilder single;
        build(single);
        single.store().setRenderMode(RenderModeSinglePage);
        single.store().setTargetNew(1);
        QTemporaryDir singleDir;
        QVERIFY(LinksPageExporter::exportHTMLWithCollectionManager(single.store(),
                                                                   singleDir.filePath("links.html")));
        QCOMPARE(filesIn(singleDir.path()), QStringList({"links.html"}));
        QCOMPARE(LinksPageExporter::numberOfHTMLFilesForCollectionManager(single.store()), 1);
        QVERIFY(matchesGolden(fileContents(singleDir.filePath("links.html")), "single-page.html"));

        DatabaseBuilder db;
        build(db);
        // A copy is the page's body, as plain text and as rich text.
        const QString body = HTMLBuilder(db.store()).clipboardString();
        QVERIFY(body.startsWith("<TABLE border=\"0\""));
        QVERIFY(!body.contains("<HTML>") && !body.contains("\t\t<TABLE"));
        std::unique_ptr<QMimeData> text(ClipboardWriter::mimeDataForText(body));
        QVERIFY(text->text() == body && !text->hasHtml());
        std::unique_ptr<QMimeData> page(ClipboardWriter::mimeDataForPage(body));
        QCOMPARE(page->text(), body);
        QCOMPARE(page->html(), body);
        QVERIFY(page->data("text/rtf").startsWith("{\\rtf1"));
        db.store().setRenderMode(RenderModePagePerCategory);
        QTemporaryDir dir;
        QVERIFY(LinksPageExporter::exportHTMLWithCollectionManager(db.store(), dir.filePath("index.html")));
        // The all-blocked and the empty category get no page, and they are not counted.
        QCOMPARE(filesIn(dir.path()), QStringList({"birds.html", "ferns.html", "index.html", "ponds.html"}));
        QCOMPARE(LinksPageExporter::numberOfHTMLFilesForCollectionManager(db.store()), 4);
        for (const QString &name : filesIn(dir.path()))
            QVERIFY2(matchesGolden(fileContents(dir.filePath(name)), "per-category-" + name),
                     qPrintable(name));
        // The pages' Top link follows the exported name; a copy made before any export has the proposed one.
        const TreeNode *birds = db.store().categoryWithAnchor("birds");
        QVERIFY(HTMLBuilder(db.store())
                    .clipboardStringForCategory(birds)
                    .contains("<A href=\"index.html\" class"));
        QVERIFY(LinksPageExporter::exportHTMLWithCollectionManager(db.store(), dir.filePath("start.html")));
        QVERIFY(fileContents(dir.filePath("birds.html"))
                    .contains("<A href=\"start.html\" class=\"qm_link\">Top"));
    }

    void oneLinkWithoutCategoryGivesNoContentsAndATargetOnlyForYes()
    {
        DatabaseBuilder db;
        db.link("Alone").category("Unused", "unused");
        HTMLBuilder builder(db.store());
        QVERIFY(builder.HTMLForTableOfContentsWithSinglePage(true, true, true).isEmpty());
        QVERIFY(!builder.HTMLForSinglePage().contains("Categories"));
        QVERIFY(!builder.HTMLForCategoryPageWithCategory(db.store().defaultCategoryNode())
                     .contains("Categories"));

        const Link &link = *db.store().defaultCategoryNode()->firstChild()->link();
        QVERIFY(!builder.HTMLForLink(link, false).contains("target"));
        db.store().setString("yes", "TargetNew");
        QVERIFY(!HTMLBuilder(db.store()).HTMLForLink(link, false).contains("target"));
        db.store().setTargetNew(1);
        QVERIFY(HTMLBuilder(db.store())
                    .HTMLForLink(link, false)
                    .contains("\" target=\"_new\" class=\"qm_link\">"));
    }

    void addressesCannotLeaveTheirAttribute()
    {
        DatabaseBuilder db;
        db.link(fields("A < B & C > D", LinkStatusApproved,
                       "http://evil.example/?q=1&r=\"><SCRIPT>alert(1)</SCRIPT>", ""));
        db.category("Odd", "x\"y");
        db.link(fields("Plain", LinkStatusApproved, "http://plain.example/", "d"));
        HTMLBuilder builder(db.store());
        const QString entry =
            builder.HTMLForLink(*db.store().defaultCategoryNode()->firstChild()->link(), false);
        QCOMPARE(
            entry,
            QString("\t\t\t\t<LI class=\"qm_li\"><A href=\"http://evil.example/?q=1&r=&quot;&gt;&lt;SCRIPT"
                    "&gt;alert(1)&lt;/SCRIPT&gt;\" class=\"qm_link\">A &lt; B &amp; C &gt; D</A>"
                    "<FONT class=\"qm_text\"></FONT></LI>\n"));
        const QString page = builder.HTMLForSinglePage();
        QVERIFY(page.contains("<A href=\"#x&quot;y\""));
        QVERIFY(page.contains("<A name=\"x&quot;y\"></A>"));
        QVERIFY(!page.contains("<SCRIPT>"));
        QCOMPARE(HTMLBuilder::attributeString("a&b\"<>"), QString("a&b&quot;&lt;&gt;"));
    }

    // Hostile addresses: every way in refuses them, naming the link or field, and the links page
    // never carries one, whatever the store holds (a file of an older version may). Hostile styles
    // and anchors cannot leave their place in the page.
    void hostileInputsNeverReachThePage()
    {
        const QStringList hostile = {
            "javascript:alert(1)",      "JavaScript://%0Aalert(1)",
            "vbscript:msgbox(1)",       "data:text/html;base64,PHNjcmlwdD5hbGVydCgxKTwvc2NyaXB0Pg==",
            " \tjava\nscript:alert(1)", "\x01javascript:alert(1)",
            "mailto:a@b.example",       "file:///etc/passwd",
            "ftp://files.example/"};
        // What the editors complete into a web address and keep as they did.
        for (const char *typed : {"example.com", "example.com:8080/links", "HTTPS://Example.com/", "http://"})
            QVERIFY2(!AddressTexts::isRefusedAddress(QString::fromLatin1(typed)), typed);

        const QList<TableField> columns{TableField::Title, TableField::URL, TableField::LinksPageURL};
        const TableRowConverter table(columns, QDate(2024, 6, 1));
        for (const QString &address : hostile) {
            const QByteArray name = address.toUtf8();
            // The link editor and the site profile stop at the field and name the address.
            for (const LinkForm::Field field : {LinkForm::MainPageURL, LinkForm::LinksPageURL}) {
                LinkForm::Texts texts{.title = "T", .URL = "http://ok.example/"};
                LinkForm::text(texts, field) = address;
                const LinkForm::CheckResult check = LinkForm::checkLinkEditor(texts, {});
                QVERIFY2(!check.passed && check.field == field && check.message.contains(address), name);
            }
            SiteProfileTexts profile{.title = "Mine", .URL = "http://mine.example/", .linksURL = address};
            const SiteProfileForm::CheckResult check = SiteProfileForm::checkSiteInfo(profile, {});
            QVERIFY2(!check.passed && check.field == SiteProfileForm::LinksPageURL, name);

            // A table's row is skipped for its address; its links page is left out with a note.
            QVERIFY2(!table.newLink({"T", address}).usable, name);
            const TableRowConverter::Result row = table.newLink({"T", "http://ok.example/", address});
            QVERIFY2(row.usable && row.fields.counterpartURL.isEmpty(), name);
            QVERIFY2(row.notes.join(' ').contains(address.trimmed()), name);

            // The store holds one, as a file of an older version may.
            DatabaseBuilder db;
            db.link(fields("Evil Partner", LinkStatusApproved, address, ""));
            db.link(fields("Good Partner", LinkStatusApproved, "http://good.example/", ""));
            db.category("Trap", "javascript:void(0)")
                .link(fields("Trapped", LinkStatusApproved, "http://trap.example/", ""));
            db.category("Encoded", "javascript&#58;void(0)")
                .link(fields("Encoded", LinkStatusApproved, "http://encoded.example/", ""));
            db.store().setRenderMode(RenderModeSinglePage);
            const HTMLBuilder builder(db.store());
            for (const QString &page : {builder.HTMLForSinglePage(), builder.clipboardString(),
                                        builder.HTMLForTableOfContentsWithSinglePage(false, false, false)}) {
                QVERIFY2(!page.contains("Evil Partner") && !page.contains(address.trimmed()), name);
                QVERIFY(!page.contains("href=\"javascript", Qt::CaseInsensitive));
            }
            QVERIFY(builder.HTMLForSinglePage().contains("Good Partner"));
            const QString contents = builder.HTMLForTableOfContentsWithSinglePage(false, false, false);
            QVERIFY(contents.contains("href=\"./javascript:void(0).html\""));
            QVERIFY(contents.contains("href=\"./javascript&#58;void(0).html\""));
            QCOMPARE(PublishingRules::numberOfPublishableLinks(db.store()), 3);
            QVERIFY2(
                LinksPageExporter::leftOutLinkSentences(db.store()).join(' ').contains("\"Evil Partner\""),
                name);

            // load refuses the JSON and names the link; import-links leaves the link out and says so.
            FileError error;
            CollectionManager loaded;
            QVERIFY2(!DatabaseJson::fromJson(DatabaseJson::toJson(db.store()), loaded, &error), name);
            QVERIFY2(error.text().contains("\"Evil Partner\""), qPrintable(error.text()));
            const QString other = m_dir.filePath("hostile.site");
            QVERIFY(DatabaseFile::write(db.store(), other));
            DatabaseBuilder target;
            ImportSummary summary;
            QVERIFY(LinkImporter::importLinksFromFileAtPath(target.store(), other, {}, &summary));
            QCOMPARE(target.store().numberOfLinks(), 3);
            QVERIFY2(LinkImporter::summaryText(summary).contains("\"Evil Partner\""), name);
        }

        // A style cannot end the STYLE element, in the page or in the preview.
        const QString style = "color: red; }</STYLE ><SCRIPT>alert(1)</SCRIPT><STYLE>.x {";
        DatabaseBuilder styled;
        styled.link("Plain");
        styled.store().setString(style, "TextStyle");
        LinksPageSetup setup;
        setup.initializeFromCollectionManager(styled.store());
        for (const QString &page : {HTMLBuilder(styled.store()).HTMLForSinglePage(),
                                    setup.previewHTML("<STYLE>.qm_text { #TextStyle# }</STYLE>")}) {
            QCOMPARE(page.count(QRegularExpression("</style", QRegularExpression::CaseInsensitiveOption)), 1);
            QVERIFY(page.contains("color: red; }<\\/STYLE ><SCRIPT>"));
        }
    }

    void unsafePageNamesAndFailedWritesAreReported()
    {
        // The anchors of two categories, and what the error names.
        const QList<std::tuple<const char *, const char *, QStringList>> cases{
            {"alpha", "../../x", {"\"Second\""}},
            {"alpha", "/etc/x", {"\"Second\""}},
            {"alpha", "", {"\"Second\""}},
            {"alpha", "a.b", {"\"Second\""}},
            {"alpha", "a b", {"\"Second\""}},
            {"alpha", "index", {"\"Second\"", "index.html"}}, // the index page's name
            {"news", "NEWS", {"\"First\"", "\"Second\""}}};   // one file on a case-insensitive disk
        for (const auto &[first, second, named] : cases) {
            DatabaseBuilder db;
            db.link("Home").category("First", first).link("One").category("Second", second).link("Two");
            db.store().setRenderMode(RenderModePagePerCategory);
            QTemporaryDir dir;
            FileError error;
            QVERIFY(!LinksPageExporter::exportHTMLWithCollectionManager(db.store(),
                                                                        dir.filePath("index.html"), &error));
            QCOMPARE(error.kind(), FileError::Kind::NotMade);
            for (const QString &name : named)
                QVERIFY2(error.message().contains(name), qPrintable(error.message()));
            QVERIFY(filesIn(dir.path()).isEmpty());
            QVERIFY(!QFileInfo::exists(dir.filePath("../x.html")));
            // The single page needs no file names: it is written.
            db.store().setRenderMode(RenderModeSinglePage);
            QVERIFY(
                LinksPageExporter::exportHTMLWithCollectionManager(db.store(), dir.filePath("index.html")));
        }
        // A write that fails names the file, in the command-line tool's words and in the window's.
        DatabaseBuilder db;
        buildSheet(db);
        const QString path = m_dir.filePath("missing-folder/index.html");
        FileError error;
        QString failedPath;
        QVERIFY(!LinksPageExporter::exportHTMLWithCollectionManager(db.store(), path, &error, &failedPath));
        QCOMPARE(failedPath, path);
        QCOMPARE(error.kind(), FileError::Kind::CannotWrite);
        QCOMPARE(ExportTexts::failureText(path, error),
                 QStringLiteral("The file \"%1\" could not be written (%2).")
                     .arg(QDir::toNativeSeparators(path), error.detail()));
        QVERIFY(ExportTexts::failureMessage(path, error).contains(QDir::toNativeSeparators(path)));
        error = FileError();
        QVERIFY(!SpreadsheetBuilder(db.store()).exportSiteAtPath(path, TextEncoding::UTF16, &error));
        QCOMPARE(error.kind(), FileError::Kind::CannotWrite);
    }

    void themesAndStylesMakeTheRules()
    {
        const QStringList keys = {
            "TextStyle",         "EmphasizedTextStyle", "LinkStyle", "EmphasizedLinkStyle",
            "SectionTitleStyle", "SeparatorStyle",      "LIStyle",   "ULStyle"};
        for (int theme = Themes::FirstTheme; theme <= Themes::LastTheme; ++theme) {
            const QList<NamedString> styles = Themes::stylesOfTheme(theme);
            QCOMPARE(styles.size(), keys.size());
            for (int i = 0; i < keys.size(); ++i)
                QCOMPARE(styles.at(i).name(), keys.at(i));
            QCOMPARE(styles.constLast().value(), QString("margin-top: 0px; margin-bottom: 10px;"));
        }
        QVERIFY(Themes::stylesOfTheme(0).isEmpty() && Themes::stylesOfTheme(6).isEmpty());
        QCOMPARE(Themes::nameOfTheme(9), QString("Default"));

        // Loading one sets all eight texts, an emptied one as empty; one outside the list changes nothing.
        DatabaseBuilder db;
        LinksPageSetup setup;
        setup.initializeFromCollectionManager(db.store());
        QVERIFY(setup.loadTheme(Themes::Plain));
        QVERIFY(!setup.loadTheme(6));
        setup.applyTo(db.store());
        QCOMPARE(db.store().stringForName("TextStyle"), QString(""));
        QCOMPARE(db.store().stringForName("SeparatorStyle"), QString("background-color: #000;"));
        QVERIFY(setup.loadTheme(Themes::Classic));
        QCOMPARE(setup.styleTextForTag(2), QString("background-color: #933;"));
        // The Default theme is the generator's defaults.
        QVERIFY(setup.loadTheme(Themes::Default));
        for (const LinksPageStyle::Style &style : LinksPageStyle::styles())
            QCOMPARE(setup.stringForName(style.key), style.defaultText);

        // The builder takes the stored texts, an empty one as an empty rule, and the defaults.
        DatabaseBuilder stored;
        stored.store().setString("", "TextStyle");
        stored.store().setString("color: red;", "ULStyle");
        HTMLBuilder builder(stored.store());
        const QString styles = builder.HTMLStylesWithIndent(true);
        QVERIFY(styles.startsWith("\t\t<STYLE type=\"text/css\">\n\t\t\t.qm_text {  }\n"));
        QVERIFY(styles.contains("\t\t\t.qm_emphasized_text { font-family: Arial,sans-serif; font-size: 12px; "
                                "font-weight: bold; }\n"));
        QVERIFY(styles.endsWith("\t\t\t.qm_ul { color: red; }\n\t\t</STYLE>\n"));
        QCOMPARE(builder.stylesClipboardString().count('\n'), 10);
        QVERIFY(builder.stylesClipboardString().startsWith("<STYLE type=\"text/css\">\n\t.qm_text {  }\n"));
    }

    void workingCopyStartsFromTheDefaultsAndKeepsEditsOnOneLine()
    {
        LinksPageSetup setup;
        setup.initializeFields(
            2, 2, {NamedString("LinkStyle", "color: red;"), NamedString("TargetNew", "NO")}, false, true);
        QCOMPARE(setup.namedStrings().size(), 9);
        QCOMPARE(setup.stringForName("LinkStyle"), QString("color: red;"));
        QCOMPARE(setup.stringForName("TextStyle"), LinksPageStyle::defaultTextForKey("TextStyle"));
        QCOMPARE(setup.stringForName("TargetNew"), QString("NO"));
        QVERIFY(setup.layout() == 2 && setup.targetNew() == 2);
        QVERIFY(!setup.exportNewLinks() && setup.exportNegotiatingLinks());

        // Opening again forgets the previous working copy.
        setup.initializeFields(1, 1, {}, true, true);
        QCOMPARE(setup.stringForName("LinkStyle"), LinksPageStyle::defaultTextForKey("LinkStyle"));
        QVERIFY(setup.stringForName("TargetNew").isNull());

        setup.saveStyleText(3, "color: blue;\nfont-size: 9px;\r\n\tmargin: 0;");
        QCOMPARE(setup.styleTextForTag(3), QString("color: blue; font-size: 9px;   margin: 0;"));
        // The edited key moves to the end of the list, as a new entry.
        QCOMPARE(setup.namedStrings().constLast().name(), QString("TextStyle"));
        const QList<NamedString> before = setup.namedStrings();
        setup.saveStyleText(0, "x");
        setup.saveStyleText(9, "x");
        setup.setString(QString(), "TextStyle");
        setup.setString("v", QString());
        QCOMPARE(setup.namedStrings(), before);
        QVERIFY(setup.styleTextForTag(0).isNull());
        setup.saveStyleText(8, QString());
        QCOMPARE(setup.stringForName("ULStyle"), QString(""));
        QVERIFY(!setup.stringForName("ULStyle").isNull());
    }

    void confirmingMergesIntoTheDatabaseWhenSomethingDiffers()
    {
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        store.setString("kept", "SomethingElse");
        LinksPageSetup setup;
        setup.initializeFromCollectionManager(store);
        QCOMPARE(setup.targetNew(), 2); // never set up: the page opens partners in the same window
        QVERIFY(setup.changes(store));  // never set up: confirming writes the defaults and "TargetNew"
        setup.setLayout(1);
        setup.setTargetNew(2);
        setup.setExportNewLinks(false);
        setup.saveStyleText(1, "color: green;");
        setup.applyTo(store);
        QVERIFY(!setup.changes(store));
        QCOMPARE(store.stringForName("SectionTitleStyle"), QString("color: green;"));
        QCOMPARE(store.stringForName("SomethingElse"), QString("kept"));
        QCOMPARE(store.stringForName("TargetNew"), QString("NO"));
        QCOMPARE(store.stringForName("LIStyle"), LinksPageStyle::defaultTextForKey("LIStyle"));
        QCOMPARE(store.selfInfo().renderMode(), 1);
        QVERIFY(!store.selfInfo().exportNewLinks() && store.selfInfo().exportNegotiatingLinks());

        // "NO" survives a second opening; the order the store keeps its strings in does not count.
        LinksPageSetup again;
        again.initializeFromCollectionManager(store);
        QCOMPARE(again.targetNew(), 2);
        QVERIFY(!again.changes(store));
        QList<NamedString> reversed = store.namedStrings();
        std::reverse(reversed.begin(), reversed.end());
        LinksPageSetup reordered;
        reordered.initializeFields(setup.layout(), setup.targetNew(), reversed, setup.exportNewLinks(),
                                   setup.exportNegotiatingLinks());
        QVERIFY(!reordered.changes(store));
        for (const auto &edit : std::initializer_list<std::function<void(LinksPageSetup &)>>{
                 [](LinksPageSetup &s) { s.saveStyleText(4, QString()); }, // emptied, not missing
                 [](LinksPageSetup &s) { s.setTargetNew(s.targetNew() == 2 ? 1 : 2); },
                 [](LinksPageSetup &s) { s.setLayout(s.layout() == 2 ? 1 : 2); },
                 [](LinksPageSetup &s) { s.setExportNewLinks(!s.exportNewLinks()); },
                 [](LinksPageSetup &s) { s.setExportNegotiatingLinks(!s.exportNegotiatingLinks()); }}) {
            LinksPageSetup edited = setup;
            edit(edited);
            QVERIFY(edited.changes(store));
        }
        // An emptied style is a change against a missing one too.
        LinksPageSetup emptied = setup;
        emptied.saveStyleText(1, QString());
        QList<NamedString> others = emptied.namedStrings();
        others.removeIf([](const NamedString &entry) { return entry.name() == "SectionTitleStyle"; });
        CollectionManager partial;
        partial.setNamedStrings(others);
        partial.setPublishingSettings(emptied.layout(), emptied.exportNewLinks(),
                                      emptied.exportNegotiatingLinks());
        partial.setTargetNew(emptied.targetNew());
        QVERIFY(partial.stringForName("SectionTitleStyle").isNull());
        QVERIFY(emptied.changes(partial));
    }

    // What the sheet shows is what the page gets: the target choice for every stored value, and the
    // layout, the responsive one kept as a named string that a database never given it does not get.
    void setupChoicesAreThePagesChoices()
    {
        const QList<QPair<const char *, int>> targets{{nullptr, 2}, {"YES", 1}, {"NO", 2}, {"yes", 2}};
        for (const auto &[stored, shown] : targets) {
            DatabaseBuilder db;
            db.link("Alder");
            if (stored)
                db.store().setString(stored, "TargetNew");
            LinksPageSetup setup;
            setup.initializeFromCollectionManager(db.store());
            QCOMPARE(setup.targetNew(), shown);
            const Link &link = *db.store().defaultCategoryNode()->firstChild()->link();
            QCOMPARE(HTMLBuilder(db.store()).HTMLForLink(link, false).contains("target="), shown == 1);
        }

        DatabaseBuilder db;
        db.link("Alder");
        LinksPageSetup setup;
        setup.initializeFromCollectionManager(db.store());
        setup.setLayout(2);
        setup.applyTo(db.store());
        QVERIFY(db.store().stringForName("PageLayout").isNull());
        setup.setLayout(LinksPageSetup::ResponsiveLayout);
        QVERIFY(setup.changes(db.store()));
        setup.applyTo(db.store());
        QCOMPARE(db.store().stringForName("PageLayout"), QString("responsive"));
        QCOMPARE(db.store().selfInfo().renderMode(), 1);
        LinksPageSetup reopened;
        reopened.initializeFromCollectionManager(db.store());
        QCOMPARE(reopened.layout(), LinksPageSetup::ResponsiveLayout);
        QVERIFY(!reopened.changes(db.store()));
        reopened.setLayout(2);
        reopened.applyTo(db.store());
        QCOMPARE(db.store().stringForName("PageLayout"), QString("table"));
        QCOMPARE(db.store().selfInfo().renderMode(), 2);
    }

    void previewFillsEveryPlaceholderAndIsWrittenPrivately()
    {
        const QString sample = TextUtils::stringWithContentsOfResource("preview", "html");
        QVERIFY(!sample.isNull());
        for (const LinksPageStyle::Style &style : LinksPageStyle::styles())
            QVERIFY2(sample.contains("#" + style.key + "#"), qPrintable(style.key));
        LinksPageSetup setup;
        setup.initializeFields(1, 1, {}, true, true);
        setup.loadTheme(Themes::Oblique);
        const QString page = setup.previewHTML(sample);
        QVERIFY(!page.contains(QRegularExpression("#[A-Za-z]+Style#")));
        QVERIFY(page.contains(".qm_separator { background-color: #008C10; }"));
        QCOMPARE(
            setup.previewHTML("#TextStyle##TextStyle#"),
            QString("font-family: Verdana,sans-serif; color: #000; font-size: 12px; font-style: oblique;")
                .repeated(2));

        QStandardPaths::setTestModeEnabled(true);
        RecordingUrlOpener opener;
        UrlOpener::setInstance(&opener);
        QString error;
        QVERIFY2(PreviewPage::show(setup, &error), qPrintable(error));
        UrlOpener::setInstance(nullptr);
        const QString path = PreviewPage::tempFilePath();
        QCOMPARE(QFileInfo(path).fileName(), QString("preview.html"));
        QCOMPARE(QFileInfo(path).dir().dirName(), TemporaryFolder::FolderName); // a private folder
        QCOMPARE(opener.urls(), QList<QUrl>({QUrl::fromLocalFile(path)}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), setup.previewHTML(PreviewPage::samplePage()));
    }

    void cellTextsAndExportNames()
    {
        CollectionManager empty;
        QCOMPARE(SpreadsheetBuilder(empty).string(), SpreadsheetBuilder(empty).headerLine());
        // A line break in a cell does not start a row.
        LinkFields notes;
        notes.notes = "Two\nlines";
        DatabaseBuilder broken;
        broken.link(notes);
        QCOMPARE(SpreadsheetBuilder(broken.store()).string().count('\n'), 2);
        QCOMPARE(SpreadsheetBuilder::stringForDate(QDate(987, 12, 1)), QString("12/01/987"));
        QCOMPARE(SpreadsheetBuilder::stringForDate(QDate()), QString(""));
        QCOMPARE(SpreadsheetBuilder::stringForStatus('9'), QString(""));

        QCOMPARE(ExportTexts::proposedSpreadsheetName(QDate(2024, 12, 31)),
                 QString("Links Database 2024-12-31"));
        QCOMPARE(ExportTexts::filesCreatedMessage(1), QString("1 file was created."));
        QCOMPARE(ExportTexts::linksExportedMessage(1), QString("1 link was exported."));
        QCOMPARE(ExportTexts::linksExportedMessage(0), QString("0 links were exported."));
        QCOMPARE(ExportTexts::fileNameFromTitle("Marsh / Meadow", "Links"), QString("Marsh - Meadow"));
        QCOMPARE(ExportTexts::fileNameFromTitle("..hidden", "Links"), QString("hidden"));
        QCOMPARE(ExportTexts::fileNameFromTitle("  ", "Links"), QString("Links"));
        const QList<QPair<const char *, const char *>> paths{
            {"/out/index", "/out/index.html"},         {"/out/INDEX.HTML", "/out/INDEX.HTML"},
            {"/out/index.php", "/out/index.php.html"}, {"/out/links.", "/out/links.html"},
            {"/out.d/links", "/out.d/links.html"},     {"", ""}};
        for (const auto &[path, completed] : paths)
            QCOMPARE(ExportTexts::pathWithExtension(path, "html"), QString(completed));
        QCOMPARE(ExportTexts::pathWithExtension("/out/index.htm", "html", {"htm"}),
                 QString("/out/index.htm"));

        // The count the export asks with matches the '?' the encoder writes (the goldens hold the bytes).
        DatabaseBuilder db;
        buildSheet(db);
        const SpreadsheetBuilder builder(db.store());
        QCOMPARE(builder.unwritableCharacterCount(TextEncoding::MacOSRoman), 2); // Ł ½
        QCOMPARE(builder.unwritableCharacterCount(TextEncoding::ISOLatin1), 2);  // Ł —
        QCOMPARE(builder.unwritableCharacterCount(TextEncoding::UTF16), 0);
        // The comma-separated text dates by ISO and adds the last verification's result.
        const QStringList csv = CsvSpreadsheetBuilder(db.store()).string().split("\r\n");
        QVERIFY2(csv.at(0).endsWith(",Last Verified On,Last Verification Result,Notes"),
                 qPrintable(csv.at(0)));
        QVERIFY2(csv.at(1).contains(",Approved,2004-03-05,2004-12-31,Verified successfully.,\"First line"),
                 qPrintable(csv.at(1)));
        QVERIFY2(csv.constLast().isEmpty() && csv.at(csv.size() - 2).endsWith(",Negotiating,2010-11-09,,,"),
                 qPrintable(csv.at(csv.size() - 2)));
    }

    void encodingsMatchGolden_data()
    {
        QTest::addColumn<int>("preference"); // -1: never chosen
        QTest::addColumn<QString>("golden");
        QTest::newRow("UTF-16") << 0 << "spreadsheet-utf16.txt";
        QTest::newRow("Mac OS Roman") << 1 << "spreadsheet-macroman.txt";
        QTest::newRow("ISO Latin 1") << 2 << "spreadsheet-latin1.txt";
        QTest::newRow("UTF-8") << 3 << "spreadsheet-utf8.txt";
        QTest::newRow("unknown value") << 7 << "spreadsheet-macroman.txt";
        QTest::newRow("never chosen: no character lost") << -1 << "spreadsheet-utf8.txt";
    }

    void encodingsMatchGolden()
    {
        QFETCH(int, preference);
        QFETCH(QString, golden);
        DatabaseBuilder db;
        buildSheet(db);
        if (preference < 0)
            Preferences::remove(Preferences::FileExportEncoding);
        else
            Preferences::setValue(Preferences::FileExportEncoding, preference);
        const QString path = m_dir.filePath("sheet.txt");
        FileError error;
        QVERIFY2(SpreadsheetBuilder::exportSpreadsheetWithCollectionManager(db.store(), path, &error),
                 qPrintable(error.text()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(matchesGolden(file.readAll(), golden));
    }

    // The rules are the builders'; here the tool passes its arguments through and says what it did.
    void exportsSayWhatTheyWrote()
    {
        QVERIFY(QDir(m_dir.path()).mkdir("html"));
        const CliRun html = runCli({"export-html", m_site, m_dir.filePath("html/index.html")});
        QCOMPARE(html.status, 0);
        QCOMPARE(html.out, QByteArray("4 files were created.\n"));

        const QString path = m_dir.filePath("sheet.txt");
        const CliRun tsv = runCli({"export-tsv", m_site, path, "--encoding", "utf16"});
        QCOMPARE(tsv.status, 0);
        QCOMPARE(tsv.out, QByteArray("8 links were exported.\n"));
        QVERIFY(fileContents(path).startsWith(QByteArray("\xFF\xFEL\0i\0n\0k\0", 10)));
        // The title's characters Mac OS Roman lacks, wherever the row repeats them.
        DatabaseBuilder db;
        db.defaultCategory().link(QStringLiteral("Caf\u00e9 \u00d8rn\u00f8 \u9ce5\u306e\u4f1a \U0001F426"));
        const QString birds = m_dir.filePath("birds.site");
        QVERIFY(DatabaseFile::write(db.store(), birds));
        const CliRun roman = runCli({"export-tsv", birds, path, "--encoding", "macroman"});
        QCOMPARE(roman.status, 0);
        QVERIFY2(
            roman.err.startsWith(path.toUtf8() +
                                 ": 8 characters cannot be written in Mac OS Roman and would become '?'."),
            roman.err.constData());
        QVERIFY(runCli({"export-tsv", birds, path, "--encoding", "utf8"}).err.isEmpty());

        QCOMPARE(runCli({"chart", m_site, "--view", "1", m_dir.filePath("chart.pdf")}).status, 0);
        QVERIFY(fileContents(m_dir.filePath("chart.pdf")).startsWith("%PDF"));
        QCOMPARE(runCli({"chart", m_site, "--view", "2", m_dir.filePath("chart.png")}).status, 0);
        QCOMPARE(QImage(m_dir.filePath("chart.png")).size(), QSize(1120, 600));
        const CliRun print = runCli({"print", m_site, m_dir.filePath("list.pdf")});
        QCOMPARE(print.status, 0);
        QCOMPARE(print.out, QByteArray("1 page was printed.\n"));
    }

    void badInputsAreReported()
    {
        const QList<QStringList> wrongArguments{
            {"export-html", m_site},
            {"print", m_site},
            {"export-tsv", m_site, m_dir.filePath("x.txt"), "--encoding", "ebcdic"},
            {"chart", m_site, "--view", "3", m_dir.filePath("x.pdf")},
            {"chart", m_site, "--view", "0", m_dir.filePath("x.gif")}};
        for (const QStringList &arguments : wrongArguments)
            QVERIFY2(runCli(arguments).status == 1, qPrintable(arguments.join(' ')));

        // Nothing publishable: nothing is written.
        const QString site = m_dir.filePath("blocked.site");
        CollectionManager blocked;
        QVERIFY(DatabaseFile::write(blocked, site));
        QCOMPARE(runCli({"export-html", site, m_dir.filePath("nothing.html")}).status, 2);
        QVERIFY(!QFile::exists(m_dir.filePath("nothing.html")));
    }
};

QTEST_MAIN(TestExports)
#include "tst_exports.moc"
