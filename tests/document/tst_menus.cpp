// The menus of a document window: which items can act, the Edit menu's clipboard commands, Open
// Recent and the name Save As proposes; the commands of the publishing menus, which hand the
// builders' texts (tested in tests/publish) to the clipboard and files; and the texts of every window
// in another language: under a pseudo-translation made from the German catalogue, and in German.
#include "AccessibilityCheck.h"
#include "DocumentFixture.h"
#include "PseudoTranslator.h"
#include "TestData.h"
#include "TsCatalogue.h"
#include "app/AboutDialogController.h"
#include "app/PreferencesDialogController.h"
#include "app/WelcomeDialogController.h"
#include "document/DocumentMenus.h"
#include "document/PublishCommands.h"
#include "model/Clock.h"
#include "model/DocumentFileNames.h"
#include "publish/HTMLBuilder.h"
#include "publish/LinksPageExporter.h"
#include "publish/LinksPageStyle.h"
#include "publish/SpreadsheetBuilder.h"
#include "publish/Themes.h"
#include "publish/ui/HTMLSetupDialogController.h"
#include "publish/ui/NewSiteCreatedDialogController.h"
#include "publish/ui/NewSiteDialogController.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <functional>

class TestMenus : public QObject
{
    Q_OBJECT
    // The proposed spreadsheet name holds today's date: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

    // The database's own texts, which are the user's and never translated.
    const QStringList m_data{"http://alpha.example/", "About Alpha", "Alpha",     "Beta", "Partners",
                             "Follow && Up",          "Follow & Up", "test.site", "test"};

    MyDocument *openSample()
    {
        DatabaseBuilder db;
        db.category("Partners", "partners").link("Alpha", LinkStatusNew, "http://alpha.example/");
        db.link("Beta", LinkStatusNegotiating, "http://beta.example/").emailTemplate("Follow & Up", "s", "b");
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, "Partners");
        DocumentFixture::selectLinks(document, {"Alpha"});
        document->activateWindow();
        QApplication::setActiveWindow(document);
        (void)QTest::qWaitForWindowActive(document);
        return document;
    }

    static void collect(QStringList &texts, const QString &where, const QString &text)
    {
        if (!text.isEmpty())
            texts.append(where + QStringLiteral(": ") + text);
    }

    // Every text a person can see or hear (tool tips, accessible names) below `root`.
    static QStringList textsOf(QWidget *root)
    {
        QStringList texts;
        const QString name = QString::fromLatin1(root->metaObject()->className());
        collect(texts, name, root->windowTitle());
        QList<QWidget *> widgets = root->findChildren<QWidget *>();
        widgets.prepend(root);
        for (QWidget *widget : widgets) {
            const QString where = name + u'/' + QString::fromLatin1(widget->metaObject()->className()) +
                                  u' ' + widget->objectName();
            // Group boxes' titles, fields' placeholders, spin boxes' units; the text of labels and buttons
            // only: a field's text is the user's.
            for (const char *property :
                 {"title", "placeholderText", "toolTip", "accessibleName", "accessibleDescription"})
                collect(texts, where, widget->property(property).toString());
            // A unit may stand on both sides of a spin box's number, as one translated text.
            collect(texts, where,
                    widget->property("prefix").toString() + widget->property("suffix").toString());
            if (qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget))
                collect(texts, where, widget->property("text").toString());
            if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
                for (int i = 0; i < tabs->count(); ++i)
                    collect(texts, where, tabs->tabText(i));
            }
            if (auto *combo = qobject_cast<QComboBox *>(widget)) {
                for (int i = 0; i < combo->count(); ++i)
                    collect(texts, where, combo->itemText(i));
            }
            if (auto *view = qobject_cast<QAbstractItemView *>(widget); view && view->model()) {
                for (int column = 0; column < view->model()->columnCount(); ++column)
                    collect(texts, where, view->model()->headerData(column, Qt::Horizontal).toString());
            }
        }
        for (QAction *action : root->findChildren<QAction *>()) {
            const QString where = name + QStringLiteral("/QAction ") + action->objectName();
            collect(texts, where, action->text());
            collect(texts, where, action->toolTip());
        }
        return texts;
    }

    QStringList escaped(const QStringList &texts) const
    {
        static const QRegularExpression tags(QStringLiteral("<[^>]*>|&[a-z]+;"));
        QStringList escaped;
        for (const QString &entry : texts) {
            QString text = entry.section(QStringLiteral(": "), 1);
            text.remove(tags);
            for (const QString &data : m_data)
                text.remove(data);
            if (PseudoTranslator::escapes(text))
                escaped.append(entry);
        }
        escaped.removeDuplicates();
        return escaped;
    }

    // Opens each of the document's sheets and dialogs through its command, as a user does, and hands
    // it to `look` before closing it; returns the commands that opened none. Application-modal
    // dialogs run their own loop, so they are looked at from a timer inside it.
    static QStringList forEachSheet(MyDocument *document, const std::function<void(QDialog *)> &look)
    {
        const DocumentMenus &m = *document->menus();
        QStringList silent;
        for (QAction *command :
             {m.action(ActionId::NewLink), m.action(ActionId::EditLink), m.action(ActionId::InstantLink),
              m.action(ActionId::NotificationSetup), m.action(ActionId::CountLinks),
              m.action(ActionId::VerifyAllLinks), m.action(ActionId::FindLink),
              m.action(ActionId::EditSiteInfo), m.action(ActionId::ShowEmailTemplates),
              m.action(ActionId::HTMLSetup), m.action(ActionId::ShowStatistics),
              m.action(ActionId::NewCategory), m.action(ActionId::PrintPreview)}) {
            DocumentFixture::selectCategory(document, "Partners");
            DocumentFixture::selectLinks(document, {"Alpha"});
            int shown = 0;
            auto harvest = [&] {
                QList<QDialog *> dialogs = document->findChildren<QDialog *>();
                if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                    modal && !dialogs.contains(modal))
                    dialogs.append(modal);
                for (QDialog *dialog : dialogs) {
                    if (!dialog->isVisible())
                        continue;
                    ++shown;
                    look(dialog);
                    dialog->reject();
                }
            };
            QTimer::singleShot(0, document, harvest);
            command->trigger();
            QCoreApplication::processEvents();
            harvest();
            if (shown == 0)
                silent.append(command->objectName());
        }
        return silent;
    }

    // "A and B" for every mnemonic that two shown items of a menu, or two titles of the menu bar, share.
    static QStringList menuClashes(MyDocument *document)
    {
        QList<QWidget *> menus{document->menuBar()};
        // The details pane's and the toolbar's menus too.
        for (QMenu *menu : document->menus()->allMenus() + document->findChildren<QMenu *>())
            menus.append(menu);
        QStringList found;
        for (const QWidget *menu : std::as_const(menus)) {
            QHash<QChar, QString> owner;
            for (const QAction *item : menu->actions()) {
                const QChar letter = AccessibilityCheck::mnemonic(item->text());
                if (item->isSeparator() || !item->isVisible() || letter.isNull())
                    continue;
                if (owner.contains(letter))
                    found.append(owner.value(letter) + " and " + item->text());
                owner.insert(letter, item->text());
            }
        }
        return found;
    }

    static QStringList states(const QMenu *menu)
    {
        QStringList found;
        for (const QAction *item : menu->actions()) {
            if (!item->isSeparator() && item->isVisible())
                found.append(item->text() + (item->isEnabled() ? " on" : " off"));
        }
        return found;
    }

    static void compareRoutes(MyDocument *document, QWidget *view)
    {
        QMenuBar *bar = document->menuBar();
        for (QAction *title : bar->actions()) {
            QMenu *menu = title->menu();
            const QChar letter = AccessibilityCheck::mnemonic(title->text());
            if (!menu || letter.isNull())
                continue;
            view->setFocus();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
            QTRY_VERIFY(menu->isVisible());
            const QStringList byMouse = states(menu);
            menu->hide();
            QTest::keyClick(bar, Qt::Key_Escape);
            view->setFocus();
            QTest::keyClick(view, letter.toLatin1(), Qt::AltModifier);
            QTRY_VERIFY2(menu->isVisible(), qPrintable(title->text()));
            QVERIFY(document->focusWidget() != view);
            QCOMPARE(states(menu), byMouse);
            menu->hide();
            QTest::keyClick(bar, Qt::Key_Escape);
        }
    }

    // The None category with a published link, a category with two, one whose only link is New
    // (not published: the profile leaves New links out) and one whose only link is Blocked.
    MyDocument *openPublishingSample()
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
        document->menus()->action(ActionId::HTMLSetup)->trigger();
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
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_catalogue.read(QStringLiteral(QM_SOURCE_DIR "/translations/quillmarsh_de.ts"), &error),
                 qPrintable(error));
    }
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup()
    {
        m_fixture.reset();
        QCoreApplication::removeTranslator(&m_german);
    }

    void everyIdentifierHasOneNamedAction()
    {
        DatabaseBuilder db;
        const DocumentMenus &m = *m_fixture->open(db)->menus();
        QSet<QString> names;
        for (int id = 0; id < ActionIdCount; ++id) {
            const QAction *action = m.action(ActionId(id));
            QVERIFY2(action, qPrintable(QString::number(id)));
            QVERIFY2(!action->objectName().isEmpty(), qPrintable(QString::number(id)));
            QVERIFY2(!names.contains(action->objectName()), qPrintable(action->objectName()));
            names.insert(action->objectName());
        }
    }

    void itemsActWhenTheirCommandCanOpenRecentListsFilesSaveAsProposesAName()
    {
        MyDocument *document = openSample();
        DocumentMenus &m = *document->menus();
        const QList<QMenu *> statusMenus{document->findChild<QMenu *>("statusMenu"),
                                         document->findChild<QMenu *>("statusContextMenu")};
        const QList<QMenu *> messageMenus{m.sendMessageMenu, m.linkSendMessageMenu};
        auto on = [](const QList<QMenu *> &menus) {
            return std::ranges::count_if(menus, [](QMenu *menu) { return menu->menuAction()->isEnabled(); });
        };
        // A submenu opens when one of its items can act: without a link the message menus still
        // offer a new template; the statuses apply to several links.
        document->selectLinksWithIDs({});
        QCOMPARE(on(statusMenus), 0);
        QCOMPARE(on(messageMenus), 2);
        DocumentFixture::selectLinks(document, {"Alpha", "Beta"});
        QCOMPARE(on(statusMenus), 2);

        // With one link every item is offered but those that wait for something else: a change to
        // undo or redo or revert, a search to continue, a text field to cut from, text to paste, a
        // file in the recent list.
        DocumentFixture::selectLinks(document, {"Alpha"});
        document->linksTable()->setFocus();
        document->validateMenuItems();
        QSet<QAction *> waiting{
            m.action(ActionId::Undo),         m.action(ActionId::Redo), m.action(ActionId::RevertDocument),
            m.action(ActionId::FindNextLink), m.action(ActionId::Cut),  m.action(ActionId::Paste)};
        waiting.insert(m.recentFilesMenu->menuAction());
        QList<QAction *> items = m.toolbar->actions();
        for (const QMenu *menu : m.allMenus())
            items += menu->actions();
        QVERIFY(items.size() > 60);
        QStringList off;
        for (QAction *item : std::as_const(items)) {
            if (!item->isSeparator() && item->isVisible() && !item->isEnabled() && !waiting.contains(item))
                off.append(item->objectName() + QLatin1Char(' ') + item->text());
        }
        QVERIFY2(off.isEmpty(), qPrintable(off.join(QLatin1String(", "))));

        // Cut, Copy, Paste and Select All act on the focused field.
        auto *field = new QLineEdit("hello world");
        document->statusBar()->addWidget(field);
        field->setFocus();
        field->setSelection(6, 5);
        emit m.editMenu->aboutToShow();
        QVERIFY(m.action(ActionId::Cut)->isEnabled() && m.action(ActionId::Copy)->isEnabled() &&
                !m.action(ActionId::Paste)->isEnabled());
        m.action(ActionId::Cut)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("world"));
        QVERIFY(!m.action(ActionId::Cut)->isEnabled() && m.action(ActionId::Paste)->isEnabled());
        m.action(ActionId::Paste)->trigger();
        QCOMPARE(field->text(), QString("hello world"));
        // Select All takes the field's text, not the links.
        m.action(ActionId::SelectAllLinks)->trigger();
        QCOMPARE(field->selectedText(), QString("hello world"));
        QCOMPARE(document->numberOfSelectedLinks(), 1);
        field->setReadOnly(true);
        emit m.editMenu->aboutToShow();
        QVERIFY(m.action(ActionId::Copy)->isEnabled() && !m.action(ActionId::Cut)->isEnabled() &&
                !m.action(ActionId::Paste)->isEnabled());

        // On the link list, Copy (menu or key) gives each selected link's title and address.
        document->linksTable()->setFocus();
        m.action(ActionId::SelectAllLinks)->trigger();
        QVERIFY(m.action(ActionId::Copy)->isEnabled() && !m.action(ActionId::Cut)->isEnabled() &&
                !m.action(ActionId::Paste)->isEnabled());
        QTest::keyClick(document->linksTable(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString("Alpha\thttp://alpha.example/\nBeta\thttp://beta.example/"));
        // Open Recent tells namesakes apart by their folders, and empties.
        m_fixture->controller().clearRecentFiles();
        const QStringList files{"/home/ada/2024/site/links.site", "/home/ada/2023/site/links.site",
                                "/x/R&D.site", "/home/x/R&D.site"};
        for (auto file = files.crbegin(); file != files.crend(); ++file)
            m_fixture->controller().noteRecentFile(*file);
        QVERIFY(m.recentFilesMenu->menuAction()->isEnabled());
        emit m.recentFilesMenu->aboutToShow();
        QStringList texts;
        for (const QAction *item : m.recentFilesMenu->actions())
            texts.append(item->text());
        QCOMPARE(texts,
                 QStringList({"&1 links.site \u2014 2024/site", "&2 links.site \u2014 2023/site",
                              "&3 R&&D.site \u2014 /x", "&4 R&&D.site \u2014 /home/x", "", "&Clear Menu"}));
        QCOMPARE(m.recentFilesMenu->actions().at(1)->toolTip(), files.at(1));
        m.recentFilesMenu->actions().last()->trigger();
        QVERIFY(m_fixture->controller().recentFiles().isEmpty());
        QVERIFY(!m.recentFilesMenu->menuAction()->isEnabled());
        // Save As proposes a name made from the title.
        using DocumentFileNames::fileNameForTitle;
        QCOMPARE(fileNameForTitle("  ../Birds: \"Herons\" | Reeds?\t\n", "Untitled"),
                 QString("Birds Herons Reeds.site"));
        QCOMPARE(fileNameForTitle("...", "Untitled 2"), QString("Untitled 2.site"));
        // Cut to 59 characters, never inside a character.
        QCOMPARE(fileNameForTitle(QString(59, 'a') + "\U0001F426", QString()), QString(59, 'a') + ".site");
        // The default category can be neither edited nor deleted; the menu bar's own menus open.
        document->showAndSelectCategoryNode(document->collectionManager().defaultCategoryNode());
        QVERIFY(!m.action(ActionId::RenameCategory)->isEnabled() &&
                !m.action(ActionId::DeleteCategory)->isEnabled());
        QVERIFY(!m.action(ActionId::EditSelectedObject)->isEnabled() &&
                !m.action(ActionId::DeleteSelectedObject)->isEnabled());
        document->categoriesTable()->setFocus();
        QVERIFY(!m.action(ActionId::Copy)->isEnabled());
        for (const QAction *title : document->menuBar()->actions())
            QVERIFY(title->isEnabled());
    }

    // Under the pseudo-translation no text may appear unmarked; under it (the English mnemonics)
    // and under the German translation no two items of a menu or of a dialog page share a mnemonic,
    // and a menu opened with its mnemonic (the menu bar takes the keyboard) offers what the same menu
    // opened with the mouse offers, whichever list had the focus.
    void windowsInEachLanguage_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("pseudo") << false;
        QTest::newRow("German") << true;
    }
    void windowsInEachLanguage()
    {
        QFETCH(bool, german);
        PseudoTranslator pseudo(m_catalogue);
        QVERIFY(!german || m_german.load(QStringLiteral(":/i18n/quillmarsh_de.qm")));
        QCoreApplication::installTranslator(german ? static_cast<QTranslator *>(&m_german) : &pseudo);
        QStringList texts, clashes;
        MyDocument *document = openSample();
        compareRoutes(document, document->linksTable());
        document->showAndSelectCategoryNode(document->collectionManager().defaultCategoryNode());
        compareRoutes(document, document->categoriesTable());
        texts += textsOf(document);
        clashes += menuClashes(document);
        auto look = [&](QWidget *dialog) {
            texts += textsOf(dialog);
            clashes += AccessibilityCheck::mnemonicClashes(dialog);
        };
        QCOMPARE(forEachSheet(document, look), QStringList());
        PreferencesDialogController preferences;
        WelcomeDialogController welcome;
        NewSiteDialogController assistant;
        NewSiteCreatedDialogController created;
        AboutDialogController about;
        for (QWidget *dialog :
             std::initializer_list<QWidget *>{&preferences, &welcome, &assistant, &created, &about})
            look(dialog);
        // A database made in English holds the default category as "General".
        const CategoryListModel *categories = document->categoryListController()->model();
        const QString general = categories->index(categories->rowOfCategoryIndex(0), 0).data().toString();
        QCoreApplication::removeTranslator(&pseudo);
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(u'\n')));
        if (german) {
            QVERIFY2(general.startsWith(QLatin1String("Allgemein")), qPrintable(general));
            return;
        }
        QVERIFY(texts.size() > 300);
        const QStringList escapedTexts = escaped(texts);
        QVERIFY2(escapedTexts.isEmpty(), qPrintable(escapedTexts.join(u'\n')));
    }

    void setupSheetKeepsItsEditsOnlyWhenConfirmed()
    {
        MyDocument *document = openPublishingSample();
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
        // A database never set up shows the same window, as its page has no target; the preview of
        // the responsive layout is that page, with the choices on screen.
        QVERIFY(sheet->findChild<QRadioButton *>("sameWindowButton")->isChecked());
        m_fixture->opener().setAnswer(true);
        sheet->findChild<QRadioButton *>("responsiveButton")->setChecked(true);
        sheet->findChild<QRadioButton *>("newWindowButton")->setChecked(true);
        QVERIFY(sheet->preview());
        const QByteArray responsive = contents(m_fixture->opener().urls().constLast().toLocalFile());
        QVERIFY(responsive.contains("name=\"viewport\"") && responsive.contains("target=\"_blank\""));
        QVERIFY(responsive.contains(".qm_section_title { color: #09A49F; font-weight: bold; }"));
        QTest::keyClick(sheet, Qt::Key_Escape);
        QCOMPARE(store.namedStrings(), before);
        QVERIFY(!document->isEdited());

        // The next opening starts from the database; an edit survives a switch to another style.
        sheet = openSetupSheet(document);
        QVERIFY(sheet->findChild<QRadioButton *>("sameWindowButton")->isChecked());
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
        sheet = openSetupSheet(document);
        sheet->findChild<QRadioButton *>("responsiveButton")->setChecked(true);
        sheet->confirm();
        QCOMPARE(store.stringForName("PageLayout"), QString("responsive"));
        QVERIFY(openSetupSheet(document)->findChild<QRadioButton *>("responsiveButton")->isChecked());
    }

    void copiesAndExportsCarryTheBuildersTextsOrAreRefused()
    {
        MyDocument *document = openPublishingSample();
        CollectionManager &store = document->collectionManager();
        const DocumentMenus &m = *document->menus();
        auto copied = [] { return QGuiApplication::clipboard()->mimeData(); };
        m.action(ActionId::CopyHTML)->trigger();
        QCOMPARE(copied()->text(), HTMLBuilder(store).clipboardString());
        DocumentFixture::selectCategory(document, "Birds");
        m.action(ActionId::CopyCategoryHTML)->trigger();
        QCOMPARE(copied()->text(),
                 HTMLBuilder(store).clipboardStringForCategory(store.categoryWithName("Birds")));
        m.action(ActionId::CopyHTMLStyles)->trigger();
        QCOMPARE(copied()->text(), HTMLBuilder(store).stylesClipboardString());
        m.action(ActionId::CopySpreadsheet)->trigger();
        QCOMPARE(copied()->text(), SpreadsheetBuilder(store).clipboardString());
        QVERIFY(copied()->hasFormat("text/rtf"));
        QVERIFY(MessageBox::shownAlerts().isEmpty());

        // Refusals come before any panel and leave the clipboard alone.
        QGuiApplication::clipboard()->setText("before");
        DocumentFixture::selectCategory(document, "Ferns");
        m.action(ActionId::CopyCategoryHTML)->trigger();
        QCOMPARE(lastTitle(), QString("This category cannot be copied to the clipboard."));
        DatabaseBuilder none;
        const DocumentMenus &n = *m_fixture->open(none, "none.site")->menus();
        n.action(ActionId::CopyHTML)->trigger();
        QCOMPARE(lastTitle(), QString("The links page cannot be copied to the clipboard."));
        n.action(ActionId::ExportLinksToHTML)->trigger();
        QCOMPARE(lastTitle(), QString("The links page cannot be exported."));
        n.action(ActionId::CopySpreadsheet)->trigger();
        QCOMPARE(lastTitle(), QString("This database cannot be copied to the clipboard."));
        n.action(ActionId::ExportLinksToSpreadsheet)->trigger();
        QCOMPARE(lastTitle(), QString("This database cannot be exported."));
        QVERIFY(FilePanel::shownPanels().isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));

        // The page export writes the builders' files and reports failures.
        QAction *exportPage = m.action(ActionId::ExportLinksToHTML);
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
        exportTo(m.action(ActionId::ExportLinksToSpreadsheet), m_fixture->path("missing/links.txt"));
        QCOMPARE(lastTitle(), QString("The links could not be exported."));
        QVERIFY(lastMessage().contains("links.txt"));
    }

    // A character the preferred encoding lacks is said before writing: UTF-8 instead, as asked,
    // or cancel.
    void spreadsheetExportProposesTodaysNameAndAsksBeforeLosingCharacters()
    {
        Preferences::setValue(Preferences::FileExportEncoding, 1); // Mac OS Roman, chosen earlier
        DatabaseBuilder db;
        db.category("Only").link("Caf\u00e9 \u00d8rn\u00f8 \u9ce5\u306e\u4f1a \U0001F426");
        MyDocument *document = m_fixture->open(db);
        QAction *exportSheet = document->menus()->action(ActionId::ExportLinksToSpreadsheet);
        const SpreadsheetBuilder builder(document->collectionManager());
        const QString path = m_fixture->path("sheet.txt");

        exportTo(exportSheet, m_fixture->path("sheet"), 2); // Cancel
        QCOMPARE(FilePanel::shownPanels().constLast().proposedPath,
                 m_fixture->path("Links Database 2026-03-14.txt"));
        QCOMPARE(lastTitle(), QString("Some characters cannot be exported."));
        // The title's four characters, wherever the row repeats them.
        QCOMPARE(lastMessage(),
                 QString("8 characters cannot be written in Mac OS Roman and would become '?'."));
        QVERIFY(!QFile::exists(path));

        exportTo(exportSheet, path, 0); // Export in UTF-8
        QCOMPARE(contents(path), builder.data(TextEncoding::UTF8));
        QCOMPARE(lastMessage(), QString("1 link was exported."));
        QCOMPARE(Preferences::intValue(Preferences::FileExportEncoding), 1); // this export only
        exportTo(exportSheet, path, 1);                                      // Export Anyway
        QCOMPARE(contents(path), builder.data(TextEncoding::MacOSRoman));
        QVERIFY(!document->isEdited());
        Preferences::remove(Preferences::FileExportEncoding);
    }

private:
    TsCatalogue m_catalogue;
    QTranslator m_german;
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
