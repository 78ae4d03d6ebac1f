#include "PublishSample.h"

#include "model/CollectionManager.h"
#include "publish/ClipboardWriter.h"
#include "publish/HTMLBuilder.h"
#include "publish/LinksPageExporter.h"

#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestHTMLBuilder : public QObject
{
    Q_OBJECT

private slots:
    void singlePageMatchesGolden()
    {
        DatabaseBuilder db;
        PublishSample::build(db);
        CollectionManager &store = db.store();
        store.setRenderMode(RenderModeSinglePage);
        store.setTargetNew(1);
        QTemporaryDir dir;
        QString error;
        QVERIFY(
            LinksPageExporter::exportHTMLWithCollectionManager(store, dir.filePath("links.html"), &error));
        QCOMPARE(filesIn(dir.path()), QStringList({"links.html"}));
        QCOMPARE(LinksPageExporter::numberOfHTMLFilesForCollectionManager(store), 1);
        const QByteArray page = readFile(dir.filePath("links.html"));
        QVERIFY(PublishSample::matchesGolden(page, "single-page.html"));
    }

    void perCategoryPagesMatchGolden()
    {
        DatabaseBuilder db;
        PublishSample::build(db);
        CollectionManager &store = db.store();
        store.setRenderMode(RenderModePagePerCategory);
        QTemporaryDir dir;
        QString error;
        QVERIFY2(
            LinksPageExporter::exportHTMLWithCollectionManager(store, dir.filePath("index.html"), &error),
            qPrintable(error));
        // The all-blocked and the empty category get no page, and they are not counted.
        QCOMPARE(filesIn(dir.path()), QStringList({"birds.html", "ferns.html", "index.html", "ponds.html"}));
        QCOMPARE(LinksPageExporter::numberOfHTMLFilesForCollectionManager(store), 4);
        for (const QString &name : filesIn(dir.path()))
            QVERIFY2(PublishSample::matchesGolden(readFile(dir.filePath(name)), "per-category-" + name),
                     qPrintable(name));
    }

    void topLinkFollowsTheExportedFileName()
    {
        DatabaseBuilder db;
        PublishSample::build(db);
        db.store().setRenderMode(RenderModePagePerCategory);
        HTMLBuilder builder(db.store());
        const TreeNode *birds = db.store().categoryWithAnchor("birds");
        // A copy made before any export points to the name the export proposes.
        QVERIFY(builder.clipboardStringForCategory(birds).contains(
            "<A href=\"index.html\" class=\"qm_link\">Top"));
        QTemporaryDir dir;
        QVERIFY(LinksPageExporter::exportHTMLWithCollectionManager(db.store(), dir.filePath("start.html")));
        QVERIFY(
            readFile(dir.filePath("birds.html")).contains("<A href=\"start.html\" class=\"qm_link\">Top"));
    }

    void onlyNoneCategoryLinksGiveNoTableOfContents()
    {
        DatabaseBuilder db;
        db.link("Alone").category("Unused", "unused");
        HTMLBuilder builder(db.store());
        QVERIFY(builder.HTMLForTableOfContentsWithSinglePage(true, true, true).isEmpty());
        QVERIFY(!builder.HTMLForSinglePage().contains("Categories"));
        QVERIFY(!builder.HTMLForCategoryPageWithCategory(db.store().defaultCategoryNode())
                     .contains("Categories"));
    }

    void addressesCannotLeaveTheirAttribute()
    {
        DatabaseBuilder db;
        db.link(PublishSample::fields("A < B & C > D", LinkStatusApproved,
                                      "http://evil.example/?q=1&r=\"><SCRIPT>alert(1)</SCRIPT>", ""));
        db.category("Odd", "x\"y");
        db.link(PublishSample::fields("Plain", LinkStatusApproved, "http://plain.example/", "d"));
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

    void unsafeAnchorsAreRefusedBeforeAnythingIsWritten_data()
    {
        QTest::addColumn<QString>("anchor");
        QTest::newRow("parent folder") << "../../x";
        QTest::newRow("absolute") << "/etc/x";
        QTest::newRow("empty") << "";
        QTest::newRow("dot") << "a.b";
        QTest::newRow("space") << "a b";
    }

    void unsafeAnchorsAreRefusedBeforeAnythingIsWritten()
    {
        QFETCH(QString, anchor);
        DatabaseBuilder db;
        db.link("Home").category("Alpha", "alpha").link("One").category("Sneaky", anchor).link("Two");
        db.store().setRenderMode(RenderModePagePerCategory);
        QTemporaryDir dir;
        QString error;
        QVERIFY(!LinksPageExporter::exportHTMLWithCollectionManager(db.store(), dir.filePath("index.html"),
                                                                    &error));
        QVERIFY2(error.contains("\"Sneaky\""), qPrintable(error));
        QVERIFY(filesIn(dir.path()).isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath("../x.html")));
        // The single page needs no file names: it is written.
        db.store().setRenderMode(RenderModeSinglePage);
        QVERIFY(LinksPageExporter::exportHTMLWithCollectionManager(db.store(), dir.filePath("index.html"),
                                                                   &error));
    }

    void pagesThatWouldShareAFileAreRefused()
    {
        QTemporaryDir dir;
        QString error;
        {
            DatabaseBuilder db;
            db.link("Home").category("Start", "index").link("One");
            db.store().setRenderMode(RenderModePagePerCategory);
            QVERIFY(!LinksPageExporter::exportHTMLWithCollectionManager(db.store(),
                                                                        dir.filePath("index.html"), &error));
            QVERIFY2(error.contains("\"Start\"") && error.contains("index.html"), qPrintable(error));
        }
        {
            DatabaseBuilder db;
            db.link("Home").category("News", "news").link("One").category("More news", "NEWS").link("Two");
            db.store().setRenderMode(RenderModePagePerCategory);
            QVERIFY(!LinksPageExporter::exportHTMLWithCollectionManager(db.store(),
                                                                        dir.filePath("index.html"), &error));
            QVERIFY2(error.contains("\"News\"") && error.contains("\"More news\""), qPrintable(error));
        }
        QVERIFY(filesIn(dir.path()).isEmpty());
    }

    void aFailedWriteNamesTheFile()
    {
        DatabaseBuilder db;
        db.link("Home");
        QTemporaryDir dir;
        const QString path = dir.filePath("missing-folder/index.html");
        QString error;
        QVERIFY(!LinksPageExporter::exportHTMLWithCollectionManager(db.store(), path, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    }

    void stylesTakeStoredTextsAndDefaults()
    {
        DatabaseBuilder db;
        db.store().setString("", "TextStyle");
        db.store().setString("color: red;", "ULStyle");
        HTMLBuilder builder(db.store());
        const QString styles = builder.HTMLStylesWithIndent(true);
        QVERIFY(styles.startsWith("\t\t<STYLE type=\"text/css\">\n\t\t\t.qm_text {  }\n"));
        QVERIFY(styles.contains("\t\t\t.qm_emphasized_text { font-family: Arial,sans-serif; font-size: 12px; "
                                "font-weight: bold; }\n"));
        QVERIFY(styles.endsWith("\t\t\t.qm_ul { color: red; }\n\t\t</STYLE>\n"));
        QCOMPARE(builder.stylesClipboardString().count('\n'), 10);
        QVERIFY(builder.stylesClipboardString().startsWith("<STYLE type=\"text/css\">\n\t.qm_text {  }\n"));
    }

    void targetNewNeedsExactlyYes()
    {
        DatabaseBuilder db;
        db.link("Home");
        const Link &link = *db.lastLink();
        QVERIFY(!HTMLBuilder(db.store()).HTMLForLink(link, false).contains("target"));
        db.store().setString("yes", "TargetNew");
        QVERIFY(!HTMLBuilder(db.store()).HTMLForLink(link, false).contains("target"));
        db.store().setTargetNew(1);
        QVERIFY(HTMLBuilder(db.store())
                    .HTMLForLink(link, false)
                    .contains("\" target=\"_new\" class=\"qm_link\">"));
    }

    void clipboardCopiesCarryRichText()
    {
        DatabaseBuilder db;
        PublishSample::build(db);
        const QString body = HTMLBuilder(db.store()).clipboardString();
        QVERIFY(body.startsWith("<TABLE border=\"0\""));
        QVERIFY(!body.contains("<HTML>") && !body.contains("\t\t<TABLE"));
        std::unique_ptr<QMimeData> data(ClipboardWriter::mimeDataForText(body));
        QCOMPARE(data->text(), body);
        QVERIFY(data->data("text/rtf").startsWith("{\\rtf1"));
    }
};

QTEST_MAIN(TestHTMLBuilder)
#include "tst_htmlbuilder.moc"
