#include "DocumentFixture.h"
#include "document/DocumentMenus.h"
#include "document/PublishCommands.h"
#include "model/Clock.h"
#include "publish/ExportTexts.h"
#include "publish/HTMLBuilder.h"
#include "publish/LinksPageExporter.h"
#include "publish/LinksPageStyle.h"
#include "publish/SpreadsheetBuilder.h"
#include "publish/Themes.h"
#include "publish/ui/HTMLSetupDialogController.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>

// The publishing commands of a document window: the links page setup sheet, the copies of the
// page and of the spreadsheet, and their exports through the save panel.
class TestPublishCommands : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private:
    // The None category with a published link, a category with two, one whose only link is New
    // (not published: the profile leaves New links out) and one whose only link is Blocked.
    MyDocument *openSample()
    {
        DatabaseBuilder db;
        db.store().setExportNewLinks(false, true);
        db.store().setString("Unrelated", "kept");
        db.defaultCategory().link("Alder");
        db.category("Birds", "birds").link("Kestrel").link("Heron", LinkStatusNegotiating);
        db.category("Ferns", "ferns").link("Bracken", LinkStatusNew);
        db.category("Quarantine", "quarantine").link("Spam", LinkStatusBlocked);
        return m_fixture->open(db);
    }

    static PublishCommands *area(MyDocument *document) { return document->commandArea<PublishCommands>(); }

    HTMLSetupDialogController *openSetupSheet(MyDocument *document)
    {
        document->menus()->HTMLSetup->trigger();
        HTMLSetupDialogController *sheet = area(document)->HTMLSetupDialog();
        return sheet && sheet->isVisible() ? sheet : nullptr;
    }

    static QString lastTitle() { return MessageBox::shownAlerts().constLast().title; }
    static QString lastMessage() { return MessageBox::shownAlerts().constLast().message; }

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Every file of two folders, by name, with their bytes.
    static QMap<QString, QByteArray> folderContents(const QString &folder)
    {
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(folder).entryList(QDir::Files))
            files.insert(name, contents(QDir(folder).filePath(name)));
        return files;
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<DocumentFixture>();
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }
    void cleanup() { m_fixture.reset(); }

    void setupSheetKeepsEditsAndWritesThemOnConfirm()
    {
        MyDocument *document = openSample();
        CollectionManager &store = document->collectionManager();
        HTMLSetupDialogController *sheet = openSetupSheet(document);
        QVERIFY(sheet);
        QCOMPARE(sheet->tabView()->currentIndex(), int(HTMLSetupDialogController::ContentTab));
        QCOMPARE(sheet->selectedStyle(), 1);
        QCOMPARE(sheet->styleTextView()->toPlainText(),
                 LinksPageStyle::defaultTextForKey("SectionTitleStyle"));

        // An edit survives a switch to another style and back, flattened to one line.
        sheet->selectStyle(3);
        sheet->styleTextView()->setPlainText("color: red;\n\tfont-size: 9px;");
        sheet->selectStyle(5);
        QCOMPARE(sheet->styleTextView()->toPlainText(), LinksPageStyle::defaultTextForKey("LinkStyle"));
        sheet->selectStyle(3);
        QCOMPARE(sheet->styleTextView()->toPlainText(), QString("color: red;  font-size: 9px;"));
        // The style on screen when confirming is kept too.
        sheet->selectStyle(8);
        sheet->styleTextView()->setPlainText("margin: 0;");

        sheet->findChild<QRadioButton *>("perCategoryButton")->setChecked(true);
        sheet->findChild<QRadioButton *>("sameWindowButton")->setChecked(true);
        sheet->findChild<QCheckBox *>("newCheckbox")->setChecked(true);
        sheet->findChild<QCheckBox *>("negotiatingCheckbox")->setChecked(false);
        // Nothing reaches the database while the sheet is open.
        QVERIFY(store.stringForName("TextStyle").isNull());
        QVERIFY(!document->isEdited());

        sheet->confirm();
        QVERIFY(!sheet->isVisible());
        QCOMPARE(store.stringForName("TextStyle"), QString("color: red;  font-size: 9px;"));
        QCOMPARE(store.stringForName("ULStyle"), QString("margin: 0;"));
        for (const LinksPageStyle::Style &style : LinksPageStyle::styles())
            QVERIFY2(!store.stringForName(style.key).isNull(), qPrintable(style.key));
        QCOMPARE(store.stringForName("TargetNew"), QString("NO"));
        QCOMPARE(store.stringForName("kept"), QString("Unrelated"));
        QCOMPARE(store.selfInfo().renderMode(), 2);
        QVERIFY(store.selfInfo().exportNewLinks());
        QVERIFY(!store.selfInfo().exportNegotiatingLinks());
        QVERIFY(document->isEdited());

        // Opening again shows what the database now holds.
        sheet = openSetupSheet(document);
        QVERIFY(sheet->findChild<QRadioButton *>("sameWindowButton")->isChecked());
        QVERIFY(sheet->findChild<QRadioButton *>("perCategoryButton")->isChecked());
        sheet->selectStyle(3);
        QCOMPARE(sheet->styleTextView()->toPlainText(), QString("color: red;  font-size: 9px;"));
        sheet->cancel();
    }

    void cancellingChangesNothingEvenAfterATheme()
    {
        MyDocument *document = openSample();
        CollectionManager &store = document->collectionManager();
        const QList<NamedString> before = store.namedStrings();
        HTMLSetupDialogController *sheet = openSetupSheet(document);

        // The theme question: Cancel keeps the styles, Load Theme replaces all eight.
        sheet->styleTextView()->setPlainText("color: blue;");
        MessageBox::setNextAnswer(1);
        QVERIFY(!sheet->loadPreset(Themes::Candy));
        QCOMPARE(lastTitle(), QString("Are you sure you want to load the theme \"%1\"?")
                                  .arg(Themes::nameOfTheme(Themes::Candy)));
        QCOMPARE(lastMessage(),
                 QString("This will replace all styles with those defined in the selected theme."));
        QCOMPARE(MessageBox::shownAlerts().constLast().buttons, QStringList({"Load Theme", "Cancel"}));
        QCOMPARE(sheet->styleTextView()->toPlainText(), QString("color: blue;"));
        QVERIFY(sheet->stringForName("TextStyle") == LinksPageStyle::defaultTextForKey("TextStyle"));

        MessageBox::setNextAnswer(0);
        sheet->themeButton(Themes::Candy)->click();
        for (const NamedString &style : Themes::stylesOfTheme(Themes::Candy))
            QCOMPARE(sheet->stringForName(style.name()), style.value());
        // The unsaved edit of the style on screen went with the rest.
        QCOMPARE(sheet->styleTextView()->toPlainText(), sheet->stringForName("SectionTitleStyle"));

        sheet->findChild<QRadioButton *>("sameWindowButton")->setChecked(true);
        QTest::keyClick(sheet, Qt::Key_Escape);
        QVERIFY(!sheet->isVisible());
        QCOMPARE(store.namedStrings(), before);
        QVERIFY(!document->isEdited());

        // The next opening starts from the database, not from the dropped edits.
        sheet = openSetupSheet(document);
        QVERIFY(sheet->findChild<QRadioButton *>("newWindowButton")->isChecked());
        QCOMPARE(sheet->stringForName("TextStyle"), LinksPageStyle::defaultTextForKey("TextStyle"));
        sheet->cancel();
    }

    void previewShowsTheWorkingStylesInTheBrowser()
    {
        MyDocument *document = openSample();
        HTMLSetupDialogController *sheet = openSetupSheet(document);
        sheet->selectStyle(2);
        sheet->styleTextView()->setPlainText("background-color: #123456;");
        QVERIFY(sheet->preview());
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        const QString path = m_fixture->opener().urls().constLast().toLocalFile();
        QCOMPARE(QFileInfo(path).fileName(), QString("preview.html"));
        QVERIFY(contents(path).contains("background-color: #123456;"));
        QVERIFY(!contents(path).contains("#SeparatorStyle#"));

        // A browser that does not start is reported, not ignored.
        m_fixture->opener().setAnswer(false);
        QVERIFY(!sheet->preview());
        QCOMPARE(lastTitle(), QString("The preview could not be shown."));
        sheet->cancel();
        QVERIFY(!document->isEdited());
    }

    void copiesEqualTheBuildersTexts()
    {
        MyDocument *document = openSample();
        const CollectionManager &store = document->collectionManager();
        const DocumentMenus &m = *document->menus();
        const QClipboard *clipboard = QGuiApplication::clipboard();

        m.copyHTML->trigger();
        const QString page = HTMLBuilder(store).clipboardString();
        QCOMPARE(clipboard->mimeData()->text(), page);
        QCOMPARE(clipboard->mimeData()->html(), page);
        QVERIFY(clipboard->mimeData()->hasFormat("text/rtf"));

        DocumentFixture::selectCategory(document, "Birds");
        m.copyCategoryHTML->trigger();
        QCOMPARE(clipboard->mimeData()->text(),
                 HTMLBuilder(store).clipboardStringForCategory(store.categoryWithName("Birds")));
        QVERIFY(clipboard->mimeData()->text().contains("Kestrel"));

        m.copyHTMLStyles->trigger();
        QCOMPARE(clipboard->mimeData()->text(), HTMLBuilder(store).stylesClipboardString());

        m.copySpreadsheet->trigger();
        QCOMPARE(clipboard->mimeData()->text(), SpreadsheetBuilder(store).clipboardString());
        QVERIFY(clipboard->mimeData()->hasFormat("text/rtf"));
        QVERIFY(MessageBox::shownAlerts().isEmpty());
        QVERIFY(!document->isEdited());
    }

    void refusalsComeBeforeAnyPanel()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        const QString noExportable =
            "There are no exportable links in the selected category. Export options can be "
            "set by choosing the Links Page Setup command under the Tools menu.";
        // A category whose only link is New while New links are not published.
        DocumentFixture::selectCategory(document, "Ferns");
        m.copyCategoryHTML->trigger();
        QCOMPARE(lastTitle(), QString("This category cannot be copied to the clipboard."));
        QCOMPARE(lastMessage(), noExportable);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));

        // A database without any publishable link.
        DatabaseBuilder blocked;
        blocked.link("Spam", LinkStatusBlocked);
        MyDocument *empty = m_fixture->open(blocked, "blocked.site");
        const DocumentMenus &e = *empty->menus();
        const QString noLinks =
            "There are no exportable links in this database. Export options can be set by "
            "choosing the Links Page Setup command under the Tools menu.";
        e.copyHTML->trigger();
        QCOMPARE(lastTitle(), QString("The links page cannot be copied to the clipboard."));
        QCOMPARE(lastMessage(), noLinks);
        e.exportLinksToHTML->trigger();
        QCOMPARE(lastTitle(), QString("The links page cannot be exported."));
        QCOMPARE(lastMessage(), noLinks);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));

        // Without any link the spreadsheet refuses too; the styles can always be copied.
        DatabaseBuilder none;
        MyDocument *nothing = m_fixture->open(none, "none.site");
        nothing->menus()->copySpreadsheet->trigger();
        QCOMPARE(lastTitle(), QString("This database cannot be copied to the clipboard."));
        QCOMPARE(lastMessage(), QString("There are no links in this database."));
        nothing->menus()->exportLinksToSpreadsheet->trigger();
        QCOMPARE(lastTitle(), QString("This database cannot be exported."));
        QCOMPARE(lastMessage(), QString("There are no links in this database."));
        QVERIFY(FilePanel::shownPanels().isEmpty());
        nothing->menus()->copyHTMLStyles->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().startsWith("<STYLE"));
    }

    void pageExportWritesTheBuildersFiles()
    {
        MyDocument *document = openSample();
        CollectionManager &store = document->collectionManager();
        store.setPublishingSettings(RenderModePagePerCategory, false, true);
        QDir(m_fixture->path(QString())).mkpath("site");
        QDir(m_fixture->path(QString())).mkpath("expected");

        // Typed without its extension: ".html" is added.
        FilePanel::setNextAnswer(m_fixture->path("site/links"));
        MessageBox::setNextAnswer(1); // Open Page
        document->menus()->exportLinksToHTML->trigger();
        const FilePanel::Shown panel = FilePanel::shownPanels().constLast();
        QCOMPARE(panel.kind, FilePanel::Save);
        QCOMPARE(panel.title, QString("Export"));
        QCOMPARE(QFileInfo(panel.proposedPath).fileName(), QString("index.html"));
        QCOMPARE(QFileInfo(panel.proposedPath).absolutePath(),
                 QFileInfo(document->filePath()).absolutePath());

        QVERIFY(LinksPageExporter::exportHTMLWithCollectionManager(store,
                                                                   m_fixture->path("expected/links.html")));
        const QMap<QString, QByteArray> written = folderContents(m_fixture->path("site"));
        QCOMPARE(written.keys(), QStringList({"birds.html", "links.html"}));
        QCOMPARE(written, folderContents(m_fixture->path("expected")));
        QCOMPARE(lastTitle(), QString("The links were exported successfully."));
        QCOMPARE(lastMessage(), QString("2 files were created."));
        QCOMPARE(MessageBox::shownAlerts().constLast().buttons, QStringList({"OK", "Open Page"}));
        QCOMPARE(m_fixture->opener().urls(),
                 QList<QUrl>{QUrl::fromLocalFile(m_fixture->path("site/links.html"))});
        QVERIFY(!document->isEdited());

        // One page: the singular message, and OK opens nothing.
        store.setPublishingSettings(RenderModeSinglePage, false, true);
        FilePanel::setNextAnswer(m_fixture->path("single.html"));
        document->menus()->exportLinksToHTML->trigger();
        QCOMPARE(lastMessage(), QString("1 file was created."));
        QCOMPARE(contents(m_fixture->path("single.html")), HTMLBuilder(store).HTMLForSinglePage().toUtf8());
        QCOMPARE(m_fixture->opener().urls().size(), 1);

        // A cancelled panel writes nothing and says nothing.
        const qsizetype alerts = MessageBox::shownAlerts().size();
        document->menus()->exportLinksToHTML->trigger();
        QCOMPARE(MessageBox::shownAlerts().size(), alerts);
    }

    void failedWritesAreReportedAsCritical()
    {
        MyDocument *document = openSample();
        FilePanel::setNextAnswer(m_fixture->path("missing/index.html"));
        document->menus()->exportLinksToHTML->trigger();
        QCOMPARE(lastTitle(), QString("The links could not be exported."));
        QVERIFY(lastMessage().startsWith("An error occured while saving the files."));
        QVERIFY(lastMessage().contains("index.html"));

        FilePanel::setNextAnswer(m_fixture->path("missing/links.txt"));
        document->menus()->exportLinksToSpreadsheet->trigger();
        QCOMPARE(lastTitle(), QString("The links could not be exported."));
        QVERIFY(lastMessage().startsWith("An error occured while saving the file."));
        QVERIFY(lastMessage().contains("links.txt"));
        QVERIFY(!document->isEdited());
    }

    void completedNamesAskBeforeReplacingAFile()
    {
        MyDocument *document = openSample();
        QFile existing(m_fixture->path("links.html"));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("mine");
        existing.close();

        FilePanel::setNextAnswer(m_fixture->path("links"));
        MessageBox::setNextAnswer(0); // Cancel
        document->menus()->exportLinksToHTML->trigger();
        QCOMPARE(lastTitle(), QString("\"links.html\" already exists. Do you want to replace it?"));
        QCOMPARE(contents(m_fixture->path("links.html")), QByteArray("mine"));

        FilePanel::setNextAnswer(m_fixture->path("links"));
        MessageBox::setNextAnswer(1); // Replace
        document->menus()->exportLinksToHTML->trigger();
        QCOMPARE(lastTitle(), QString("The links were exported successfully."));
        QVERIFY(contents(m_fixture->path("links.html")).startsWith("<!DOCTYPE HTML"));
    }

    void spreadsheetExportProposesTodaysNameAndCountsLinks()
    {
        DatabaseBuilder db;
        db.category("Only").link("Single \u00e9t\u00e9", LinkStatusBlocked);
        MyDocument *document = m_fixture->open(db);
        FilePanel::setNextAnswer(m_fixture->path("sheet"));
        document->menus()->exportLinksToSpreadsheet->trigger();
        const FilePanel::Shown panel = FilePanel::shownPanels().constLast();
        QCOMPARE(QFileInfo(panel.proposedPath).fileName(),
                 ExportTexts::proposedSpreadsheetName(Clock::today()) + ".txt");
        const CollectionManager &store = document->collectionManager();
        const SpreadsheetBuilder builder(store);
        QCOMPARE(contents(m_fixture->path("sheet.txt")),
                 builder.data(SpreadsheetBuilder::encodingForPreference(
                     Preferences::intValue(Preferences::FileExportEncoding))));
        QCOMPARE(lastTitle(), QString("The links were exported successfully."));
        QCOMPARE(lastMessage(), QString("1 link was exported."));
        QVERIFY(!document->isEdited());
    }

    // A character the preferred encoding lacks is said before writing: UTF-8 instead, as asked,
    // or cancel.
    void spreadsheetExportAsksBeforeLosingCharacters()
    {
        Preferences::setValue(Preferences::FileExportEncoding, 1); // Mac OS Roman, chosen earlier
        DatabaseBuilder db;
        db.category("Only").link(QStringLiteral("Caf\u00e9 \u00d8rn\u00f8 \u9ce5\u306e\u4f1a \U0001F426"));
        MyDocument *document = m_fixture->open(db);
        const SpreadsheetBuilder builder(document->collectionManager());
        const QString path = m_fixture->path("sheet.txt");

        FilePanel::setNextAnswer(path);
        MessageBox::setNextAnswer(2); // Cancel
        document->menus()->exportLinksToSpreadsheet->trigger();
        QCOMPARE(lastTitle(), QString("Some characters cannot be exported."));
        // The title's four characters, wherever the row repeats them.
        QCOMPARE(lastMessage(),
                 QString("8 characters cannot be written in Mac OS Roman and would become '?'."));
        QCOMPARE(MessageBox::shownAlerts().constLast().buttons,
                 QStringList({"Export in UTF-8", "Export Anyway", "Cancel"}));
        QVERIFY(!QFile::exists(path));

        FilePanel::setNextAnswer(path);
        MessageBox::setNextAnswer(0); // Export in UTF-8
        document->menus()->exportLinksToSpreadsheet->trigger();
        QCOMPARE(contents(path), builder.data(TextEncoding::UTF8));
        QCOMPARE(lastTitle(), QString("The links were exported successfully."));
        QCOMPARE(Preferences::intValue(Preferences::FileExportEncoding), 1); // this export only

        FilePanel::setNextAnswer(path);
        MessageBox::setNextAnswer(1); // Export Anyway
        document->menus()->exportLinksToSpreadsheet->trigger();
        QCOMPARE(contents(path), builder.data(TextEncoding::MacOSRoman));
        Preferences::remove(Preferences::FileExportEncoding);
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestPublishCommands)
#include "tst_publishcommands.moc"
