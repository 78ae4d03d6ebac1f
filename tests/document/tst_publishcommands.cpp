#include "DocumentFixture.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/PublishCommands.h"
#include "model/Clock.h"
#include "publish/HTMLBuilder.h"
#include "publish/LinksPageExporter.h"
#include "publish/LinksPageStyle.h"
#include "publish/SpreadsheetBuilder.h"
#include "publish/Themes.h"
#include "publish/ui/HTMLSetupDialogController.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QUndoStack>

// The publishing commands of a document window: what the links page setup sheet keeps, and how the
// copies and exports hand the builders' texts (tested in tests/publish) to the clipboard and files.
class TestPublishCommands : public QObject
{
    Q_OBJECT
    // The proposed spreadsheet name holds today's date: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

    // The None category with a published link, a category with two, one whose only link is New
    // (not published: the profile leaves New links out) and one whose only link is Blocked.
    MyDocument *openSample()
    {
        DatabaseBuilder db;
        db.store().setExportNewLinks(false, true);
        db.defaultCategory().link("Alder");
        db.category("Birds", "birds").link("Kestrel").link("Heron", LinkStatusNegotiating);
        db.category("Ferns", "ferns").link("Bracken", LinkStatusNew);
        db.category("Quarantine", "quarantine").link("Spam", LinkStatusBlocked);
        return m_fixture->open(db);
    }

    static HTMLSetupDialogController *openSetupSheet(MyDocument *document)
    {
        document->menus()->HTMLSetup->trigger();
        HTMLSetupDialogController *sheet = document->commandArea<PublishCommands>()->HTMLSetupDialog();
        return sheet && sheet->isVisible() ? sheet : nullptr;
    }

    static QString lastTitle() { return MessageBox::shownAlerts().constLast().title; }
    static QString lastMessage() { return MessageBox::shownAlerts().constLast().message; }

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Answers the save panel (an empty path cancels it) and, when given, the alert that follows.
    static void exportTo(QAction *command, const QString &path, int answer = -1)
    {
        FilePanel::setNextAnswer(path);
        if (answer >= 0)
            MessageBox::setNextAnswer(answer);
        command->trigger();
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void setupSheetKeepsItsEditsOnlyWhenConfirmed()
    {
        MyDocument *document = openSample();
        CollectionManager &store = document->collectionManager();
        const QList<NamedString> before = store.namedStrings();
        HTMLSetupDialogController *sheet = openSetupSheet(document);
        QVERIFY(sheet);

        // The preview shows the working styles; a browser that does not start is reported.
        sheet->styleTextView()->setPlainText("color: blue;");
        QVERIFY(sheet->preview());
        QVERIFY(contents(m_fixture->opener().urls().constLast().toLocalFile()).contains("color: blue;"));
        m_fixture->opener().setAnswer(false);
        QVERIFY(!sheet->preview());
        QCOMPARE(lastTitle(), QString("The preview could not be shown."));

        // Asked about a theme, Cancel keeps the styles; Load Theme replaces them, the one on screen too.
        MessageBox::setNextAnswer(1);
        QVERIFY(!sheet->loadPreset(Themes::Candy));
        QCOMPARE(lastTitle(), QString("Are you sure you want to load the theme \"Candy\"?"));
        QCOMPARE(sheet->styleTextView()->toPlainText(), QString("color: blue;"));
        MessageBox::setNextAnswer(0);
        sheet->themeButton(Themes::Candy)->click();
        QCOMPARE(sheet->styleTextView()->toPlainText(), Themes::stylesOfTheme(Themes::Candy).at(4).value());
        sheet->findChild<QRadioButton *>("sameWindowButton")->setChecked(true);
        QTest::keyClick(sheet, Qt::Key_Escape);
        QCOMPARE(store.namedStrings(), before);
        QVERIFY(!document->isEdited());

        // The next opening starts from the database; an edit survives a switch to another style.
        sheet = openSetupSheet(document);
        QVERIFY(sheet->findChild<QRadioButton *>("newWindowButton")->isChecked());
        QCOMPARE(sheet->styleTextView()->toPlainText(),
                 LinksPageStyle::defaultTextForKey("SectionTitleStyle"));
        sheet->selectStyle(3);
        sheet->styleTextView()->setPlainText("color: red;\n\tfont-size: 9px;");
        sheet->selectStyle(5);
        sheet->selectStyle(3);
        QCOMPARE(sheet->styleTextView()->toPlainText(), QString("color: red;  font-size: 9px;"));
        sheet->selectStyle(8);
        sheet->styleTextView()->setPlainText("margin: 0;"); // on screen when confirming
        sheet->findChild<QRadioButton *>("perCategoryButton")->setChecked(true);
        sheet->findChild<QRadioButton *>("sameWindowButton")->setChecked(true);
        sheet->findChild<QCheckBox *>("newCheckbox")->setChecked(true);
        sheet->findChild<QCheckBox *>("negotiatingCheckbox")->setChecked(false);
        sheet->confirm();
        QCOMPARE(store.stringForName("TextStyle"), QString("color: red;  font-size: 9px;"));
        QCOMPARE(store.stringForName("ULStyle"), QString("margin: 0;"));
        QCOMPARE(store.stringForName("TargetNew"), QString("NO"));
        QCOMPARE(store.selfInfo().renderMode(), 2);
        QVERIFY(store.selfInfo().exportNewLinks() && !store.selfInfo().exportNegotiatingLinks());
        QCOMPARE(document->undo()->stack()->count(), 1);

        // Opened on what the database now holds and confirmed unchanged: no undo step.
        sheet = openSetupSheet(document);
        QVERIFY(sheet->findChild<QRadioButton *>("perCategoryButton")->isChecked());
        sheet->confirm();
        QCOMPARE(document->undo()->stack()->count(), 1);
    }

    void copiesCarryTheBuildersTextsOrAreRefused()
    {
        MyDocument *document = openSample();
        const CollectionManager &store = document->collectionManager();
        const DocumentMenus &m = *document->menus();
        auto copied = [] { return QGuiApplication::clipboard()->mimeData(); };
        m.copyHTML->trigger();
        QCOMPARE(copied()->text(), HTMLBuilder(store).clipboardString());
        DocumentFixture::selectCategory(document, "Birds");
        m.copyCategoryHTML->trigger();
        QCOMPARE(copied()->text(),
                 HTMLBuilder(store).clipboardStringForCategory(store.categoryWithName("Birds")));
        m.copyHTMLStyles->trigger();
        QCOMPARE(copied()->text(), HTMLBuilder(store).stylesClipboardString());
        m.copySpreadsheet->trigger();
        QCOMPARE(copied()->text(), SpreadsheetBuilder(store).clipboardString());
        QVERIFY(copied()->hasFormat("text/rtf"));
        QVERIFY(MessageBox::shownAlerts().isEmpty());

        // Refusals come before any panel and leave the clipboard alone.
        QGuiApplication::clipboard()->setText("before");
        DocumentFixture::selectCategory(document, "Ferns");
        m.copyCategoryHTML->trigger();
        QCOMPARE(lastTitle(), QString("This category cannot be copied to the clipboard."));
        QVERIFY(lastMessage().startsWith("There are no exportable links in the selected category."));
        DatabaseBuilder none;
        const DocumentMenus &n = *m_fixture->open(none, "none.site")->menus();
        n.copyHTML->trigger();
        QCOMPARE(lastTitle(), QString("The links page cannot be copied to the clipboard."));
        QVERIFY(lastMessage().startsWith("There are no exportable links in this database."));
        n.exportLinksToHTML->trigger();
        QCOMPARE(lastTitle(), QString("The links page cannot be exported."));
        n.copySpreadsheet->trigger();
        QCOMPARE(lastTitle(), QString("This database cannot be copied to the clipboard."));
        QCOMPARE(lastMessage(), QString("There are no links in this database."));
        n.exportLinksToSpreadsheet->trigger();
        QCOMPARE(lastTitle(), QString("This database cannot be exported."));
        QVERIFY(FilePanel::shownPanels().isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
        QVERIFY(!document->isEdited());
    }

    void pageExportWritesTheBuildersFilesAndReportsFailures()
    {
        MyDocument *document = openSample();
        CollectionManager &store = document->collectionManager();
        QAction *exportPage = document->menus()->exportLinksToHTML;
        store.setPublishingSettings(RenderModePagePerCategory, false, true);
        const QString site = m_fixture->path("site/"), expected = m_fixture->path("expected/");
        QVERIFY(QDir().mkpath(site) && QDir().mkpath(expected));

        // Typed without its extension: ".html" is added. Open Page opens it.
        exportTo(exportPage, site + "links", 1);
        QCOMPARE(FilePanel::shownPanels().constLast().proposedPath, m_fixture->path("index.html"));
        QVERIFY(LinksPageExporter::exportHTMLWithCollectionManager(store, expected + "links.html"));
        QCOMPARE(QDir(site).entryList(QDir::Files), QStringList({"birds.html", "links.html"}));
        for (const char *name : {"birds.html", "links.html"})
            QCOMPARE(contents(site + name), contents(expected + name));
        QCOMPARE(lastTitle(), QString("The links were exported successfully."));
        QCOMPARE(lastMessage(), QString("2 files were created."));
        QCOMPARE(m_fixture->opener().urls(), QList<QUrl>{QUrl::fromLocalFile(site + "links.html")});

        // A cancelled panel says nothing; a completed name that exists is replaced only when asked.
        const qsizetype alerts = MessageBox::shownAlerts().size();
        exportTo(exportPage, QString());
        QCOMPARE(MessageBox::shownAlerts().size(), alerts);
        exportTo(exportPage, site + "links", 0); // Cancel
        QCOMPARE(lastTitle(), QString("\"links.html\" already exists. Do you want to replace it?"));
        QCOMPARE(contents(site + "links.html"), contents(expected + "links.html"));
        store.setPublishingSettings(RenderModeSinglePage, false, true);
        exportTo(exportPage, site + "links", 1); // Replace
        QCOMPARE(lastMessage(), QString("1 file was created."));
        QCOMPARE(contents(site + "links.html"), HTMLBuilder(store).HTMLForSinglePage().toUtf8());

        // Failed writes are reported, not passed over.
        exportTo(exportPage, m_fixture->path("missing/index.html"));
        QCOMPARE(lastTitle(), QString("The links could not be exported."));
        QVERIFY(lastMessage().startsWith("An error occured while saving the files."));
        QVERIFY(lastMessage().contains("index.html"));
        exportTo(document->menus()->exportLinksToSpreadsheet, m_fixture->path("missing/links.txt"));
        QCOMPARE(lastTitle(), QString("The links could not be exported."));
        QVERIFY(lastMessage().contains("links.txt"));
        QVERIFY(!document->isEdited());
    }

    // A character the preferred encoding lacks is said before writing: UTF-8 instead, as asked,
    // or cancel.
    void spreadsheetExportProposesTodaysNameAndAsksBeforeLosingCharacters()
    {
        Preferences::setValue(Preferences::FileExportEncoding, 1); // Mac OS Roman, chosen earlier
        DatabaseBuilder db;
        db.category("Only").link("Caf\u00e9 \u00d8rn\u00f8 \u9ce5\u306e\u4f1a \U0001F426");
        MyDocument *document = m_fixture->open(db);
        QAction *exportSheet = document->menus()->exportLinksToSpreadsheet;
        const SpreadsheetBuilder builder(document->collectionManager());
        const QString path = m_fixture->path("sheet.txt");

        exportTo(exportSheet, m_fixture->path("sheet"), 2); // Cancel
        QCOMPARE(FilePanel::shownPanels().constLast().proposedPath,
                 m_fixture->path("Links Database 03-14-2026.txt"));
        QCOMPARE(lastTitle(), QString("Some characters cannot be exported."));
        // The title's four characters, wherever the row repeats them.
        QCOMPARE(lastMessage(),
                 QString("8 characters cannot be written in Mac OS Roman and would become '?'."));
        QCOMPARE(MessageBox::shownAlerts().constLast().buttons,
                 QStringList({"Export in UTF-8", "Export Anyway", "Cancel"}));
        QVERIFY(!QFile::exists(path));

        exportTo(exportSheet, path, 0); // Export in UTF-8
        QCOMPARE(contents(path), builder.data(TextEncoding::UTF8));
        QCOMPARE(lastTitle(), QString("The links were exported successfully."));
        QCOMPARE(lastMessage(), QString("1 link was exported."));
        QCOMPARE(Preferences::intValue(Preferences::FileExportEncoding), 1); // this export only
        exportTo(exportSheet, path, 1);                                      // Export Anyway
        QCOMPARE(contents(path), builder.data(TextEncoding::MacOSRoman));
        QVERIFY(!document->isEdited());
        Preferences::remove(Preferences::FileExportEncoding);
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestPublishCommands)
#include "tst_publishcommands.moc"
