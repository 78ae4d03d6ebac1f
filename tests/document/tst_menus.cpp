// The menus of a document window: which items can act, the Edit menu's clipboard commands, the
// keyboard mnemonics of every menu, Open Recent and the name Save As proposes.
#include "DocumentFixture.h"
#include "document/AskStringDialogController.h"
#include "document/DetailsView.h"
#include "document/DocumentFileNames.h"
#include "document/DocumentMenus.h"
#include "document/EditCommands.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

class TestMenus : public QObject
{
    Q_OBJECT

private:
    // The letter after a single "&", lower case; null when the text has none ("&&" is a plain "&").
    static QChar mnemonic(const QString &text)
    {
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text.at(i) != u'&')
                continue;
            if (text.at(i + 1) != u'&')
                return text.at(i + 1).toLower();
            ++i;
        }
        return QChar();
    }

    // "menu: 'a' shared by X and Y" for every letter two shown items of one menu share.
    static QStringList clashes(const QString &where, const QList<QAction *> &items)
    {
        QStringList found;
        QHash<QChar, QString> owner;
        for (const QAction *item : items) {
            const QChar letter = mnemonic(item->text());
            if (item->isSeparator() || !item->isVisible() || letter.isNull())
                continue;
            if (owner.contains(letter))
                found.append(QStringLiteral("%1: '%2' shared by %3 and %4")
                                 .arg(where, letter, owner.value(letter), item->text()));
            else
                owner.insert(letter, item->text());
        }
        return found;
    }

    MyDocument *openSample()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Partners"), QStringLiteral("partners"))
            .link(QStringLiteral("Alpha"), LinkStatusNew, QStringLiteral("http://alpha.example/"))
            .link(QStringLiteral("Beta"), LinkStatusNegotiating, QStringLiteral("http://beta.example/"));
        db.emailTemplate(QStringLiteral("Follow & Up"), QStringLiteral("s"), QStringLiteral("b"))
            .emailTemplate(QStringLiteral("Request"), QStringLiteral("s"), QStringLiteral("b"));
        MyDocument *document = m_fixture->open(db);
        document->buildSendMessageMenu();
        DocumentFixture::selectCategory(document, QStringLiteral("Partners"));
        return document;
    }

    static void activate(MyDocument *document)
    {
        document->activateWindow();
        QApplication::setActiveWindow(document);
        QVERIFY(QTest::qWaitForWindowActive(document));
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup()
    {
        m_fixture.reset();
        QGuiApplication::clipboard()->clear();
    }

    void itemsThatCannotActAreDisabled()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        QMenu *status = document->findChild<QMenu *>(QStringLiteral("statusMenu"));
        QMenu *statusContext = document->findChild<QMenu *>(QStringLiteral("statusContextMenu"));
        QVERIFY(status && statusContext);
        const QList<QMenu *> oneLinkMenus{m.sendMessageMenu, m.linkSendMessageMenu};

        document->selectLinksWithIDs({});
        QVERIFY(!m.visitLinkPartnerWebsite->isEnabled());
        QVERIFY(!status->menuAction()->isEnabled());
        QVERIFY(!statusContext->menuAction()->isEnabled());
        for (QMenu *menu : oneLinkMenus)
            QVERIFY(!menu->menuAction()->isEnabled());

        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha")});
        QVERIFY(m.visitLinkPartnerWebsite->isEnabled());
        QVERIFY(status->menuAction()->isEnabled());
        QVERIFY(statusContext->menuAction()->isEnabled());
        for (QMenu *menu : oneLinkMenus)
            QVERIFY(menu->menuAction()->isEnabled());

        // Several links: the statuses apply to all, a message or a page only to one.
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha"), QStringLiteral("Beta")});
        QVERIFY(!m.visitLinkPartnerWebsite->isEnabled());
        QVERIFY(status->menuAction()->isEnabled());
        for (QMenu *menu : oneLinkMenus)
            QVERIFY(!menu->menuAction()->isEnabled());
        // The default category can be neither edited nor deleted.
        QVERIFY(m.renameCategory->isEnabled() && m.deleteCategory->isEnabled());
        document->showAndSelectCategoryNode(document->collectionManager().defaultCategoryNode());
        QVERIFY(!m.renameCategory->isEnabled() && !m.deleteCategory->isEnabled());
        QVERIFY(!m.editSelectedObject->isEnabled() && !m.deleteSelectedObject->isEnabled());
        // The menu bar's own menus always open.
        for (const QAction *title : document->menuBar()->actions())
            QVERIFY(title->isEnabled());
    }

    void openRecentListsFilesByFolderWhenNamesRepeat()
    {
        MyDocument *document = openSample(); // the fixture's test.site is now a recent file
        const DocumentMenus &m = *document->menus();
        m_fixture->controller().clearRecentFiles();
        QVERIFY(!m.recentFilesMenu->menuAction()->isEnabled());

        const QStringList files{QStringLiteral("/home/ada/2024/site/links.site"),
                                QStringLiteral("/home/ada/2023/site/links.site"),
                                QStringLiteral("/home/ada/R&D.site")};
        for (auto file = files.crbegin(); file != files.crend(); ++file)
            m_fixture->controller().noteRecentFile(*file);
        QVERIFY(m.recentFilesMenu->menuAction()->isEnabled());
        emit m.recentFilesMenu->aboutToShow();
        const QList<QAction *> items = m.recentFilesMenu->actions();
        QCOMPARE(items.size(), 5);
        QCOMPARE(items.at(0)->text(), QStringLiteral("&1 links.site \u2014 2024/site"));
        QCOMPARE(items.at(1)->text(), QStringLiteral("&2 links.site \u2014 2023/site"));
        QCOMPARE(items.at(2)->text(), QStringLiteral("&3 R&&D.site"));
        QCOMPARE(items.at(1)->toolTip(), files.at(1));
        QVERIFY(m.recentFilesMenu->toolTipsVisible());
        QVERIFY(items.at(3)->isSeparator());

        // Clear Menu empties the list, and the submenu has nothing left to offer.
        m.recentFilesMenu->actions().last()->trigger();
        QVERIFY(m_fixture->controller().recentFiles().isEmpty());
        QVERIFY(!m.recentFilesMenu->menuAction()->isEnabled());
    }

    void recentFileLabels()
    {
        using DocumentFileNames::recentFileLabels;
        QCOMPARE(recentFileLabels({QStringLiteral("/a/x.site"), QStringLiteral("/b/y.site")}),
                 (QStringList{QStringLiteral("x.site"), QStringLiteral("y.site")}));
        // As many folders as tell the namesakes apart, for them only; the whole folder starts at "/".
        QCOMPARE(recentFileLabels({QStringLiteral("/home/a/x/s.site"), QStringLiteral("/home/b/x/s.site"),
                                   QStringLiteral("/home/b/y/s.site"), QStringLiteral("/home/c/t.site")}),
                 (QStringList{QStringLiteral("s.site \u2014 a/x"), QStringLiteral("s.site \u2014 b/x"),
                              QStringLiteral("s.site \u2014 y"), QStringLiteral("t.site")}));
        QCOMPARE(recentFileLabels({QStringLiteral("/x/s.site"), QStringLiteral("/a/x/s.site")}),
                 (QStringList{QStringLiteral("s.site \u2014 /x"), QStringLiteral("s.site \u2014 /a/x")}));
    }

    void saveAsProposesTheSiteTitle()
    {
        using DocumentFileNames::fileNameForTitle;
        const QString fallback = QStringLiteral("Untitled");
        QCOMPARE(fileNameForTitle(QStringLiteral("Marsh Birds"), fallback),
                 QStringLiteral("Marsh Birds.site"));
        QCOMPARE(fileNameForTitle(QStringLiteral("  ../Birds: \"Herons\" | Reeds?\t\n"), fallback),
                 QStringLiteral("Birds Herons Reeds.site"));
        QCOMPARE(fileNameForTitle(QStringLiteral("..."), fallback), QStringLiteral("Untitled.site"));
        QCOMPARE(fileNameForTitle(QString(), fallback), QStringLiteral("Untitled.site"));
        const QString longTitle = QString(59, QLatin1Char('a')) + QString::fromUtf8("\xF0\x9F\x90\xA6");
        QCOMPARE(fileNameForTitle(longTitle, fallback),
                 QString(59, QLatin1Char('a')) + QStringLiteral(".site"));

        MyDocument *document = m_fixture->controller().newDocument();
        document->windowDidBecomeKey(); // the first activation has set up the profile
        SiteProfileTexts texts;
        texts.title = QStringLiteral("Marsh/Birds");
        texts.URL = QStringLiteral("http://marsh.example/");
        document->collectionManager().selfInfo().setTitle(texts);
        FilePanel::clearShownPanels();
        QVERIFY(!document->saveAs()); // cancelled
        QCOMPARE(QFileInfo(FilePanel::shownPanels().last().proposedPath).fileName(),
                 QStringLiteral("Marsh Birds.site"));
        document->setWindowModified(false);
    }

    void editCommandsActOnTheFocusedTextField()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        auto *field = new QLineEdit(QStringLiteral("hello world"));
        field->setAccessibleName(QStringLiteral("Test field"));
        document->statusBar()->addWidget(field);
        activate(document);
        field->setFocus();
        QGuiApplication::clipboard()->clear();
        field->setSelection(6, 5);
        emit m.editMenu->aboutToShow();
        QVERIFY(m.cut->isEnabled() && m.copy->isEnabled());
        QVERIFY(!m.paste->isEnabled()); // nothing to paste yet

        m.copy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("world"));
        QVERIFY(m.paste->isEnabled());
        m.cut->trigger();
        QCOMPARE(field->text(), QStringLiteral("hello "));
        QVERIFY(!m.cut->isEnabled()); // the selection went with the cut
        m.paste->trigger();
        QCOMPARE(field->text(), QStringLiteral("hello world"));

        // Select All takes the field's text, not the links.
        document->selectLinksWithIDs({});
        m.selectAllLinks->trigger();
        QCOMPARE(field->selectedText(), QStringLiteral("hello world"));
        QCOMPARE(document->numberOfSelectedLinks(), 0);

        // A read-only field can be copied from, not cut from nor pasted into.
        field->setReadOnly(true);
        emit m.editMenu->aboutToShow();
        QVERIFY(m.copy->isEnabled());
        QVERIFY(!m.cut->isEnabled() && !m.paste->isEnabled());

        // Without a text field, Select All selects the links.
        document->linksTable()->setFocus();
        m.selectAllLinks->trigger();
        QCOMPARE(document->numberOfSelectedLinks(), 2);
        QCOMPARE(document->focusWidget(), document->linksTable());
    }

    void copyOnTheLinkListCopiesTitlesAndAddresses()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        activate(document);
        document->linksTable()->setFocus();
        document->selectLinksWithIDs({});
        QVERIFY(!m.copy->isEnabled());
        DocumentFixture::selectLinks(document, {QStringLiteral("Beta"), QStringLiteral("Alpha")});
        QVERIFY(m.copy->isEnabled());
        QVERIFY(!m.cut->isEnabled() && !m.paste->isEnabled());
        m.copy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("Alpha\thttp://alpha.example/\nBeta\thttp://beta.example/"));
        // The key does the same as the menu.
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(document->linksTable(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("Alpha\thttp://alpha.example/\nBeta\thttp://beta.example/"));
        // In the category list it copies nothing of the links.
        document->categoriesTable()->setFocus();
        document->validateMenuItems();
        QVERIFY(!m.copy->isEnabled());
        QVERIFY(m.selectAllLinks->isEnabled());
    }

    void noTwoItemsOfAMenuShareAMnemonic()
    {
        MyDocument *document = openSample();
        DocumentMenus &m = *document->menus();
        m_fixture->controller().noteRecentFile(m_fixture->path(QStringLiteral("other.site")));
        emit m.recentFilesMenu->aboutToShow();

        QStringList found = clashes(QStringLiteral("menu bar"), document->menuBar()->actions());
        QList<QMenu *> menus = m.allMenus();
        // Menus of the window outside the menu bar: the details pane's, the toolbar's.
        for (QMenu *menu : document->findChildren<QMenu *>()) {
            if (!menus.contains(menu))
                menus.append(menu);
        }
        QVERIFY(menus.contains(m.linkContextMenu) && menus.contains(m.categoryContextMenu));
        QVERIFY(menus.contains(document->detailsView()->sendMessageMenu()));
        QVERIFY(menus.contains(m.recentFilesMenu) && menus.contains(m.editMenu));
        for (const QMenu *menu : std::as_const(menus)) {
            const QString name = menu->title().isEmpty() ? menu->objectName() : menu->title();
            found += clashes(name, menu->actions());
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));

        // The category sheet: every label and button has a letter of its own.
        document->newCategory();
        AskStringDialogController *sheet = document->askStringDialog();
        QList<QAction *> controls;
        for (const QLabel *label : sheet->findChildren<QLabel *>()) {
            if (label->buddy()) {
                QVERIFY2(!mnemonic(label->text()).isNull(), qPrintable(label->text()));
                controls.append(new QAction(label->text(), sheet));
            }
        }
        for (const QAbstractButton *button : sheet->findChildren<QAbstractButton *>())
            controls.append(new QAction(button->text(), sheet));
        QCOMPARE(controls.size(), 5);
        QVERIFY2(clashes(QStringLiteral("category sheet"), controls).isEmpty(),
                 qPrintable(clashes(QStringLiteral("category sheet"), controls).join(QLatin1Char('\n'))));
        sheet->cancel();
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
