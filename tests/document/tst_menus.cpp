// The menus of a document window: which items can act, the Edit menu's clipboard commands, the
// keyboard mnemonics of every menu, Open Recent and the name Save As proposes.
#include "DocumentFixture.h"
#include "document/DocumentMenus.h"
#include "model/DocumentFileNames.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStatusBar>
#include <QToolBar>

class TestMenus : public QObject
{
    Q_OBJECT

private:
    // "menu: 'x' in A and B" for every letter after a single "&" that two shown items share.
    static QStringList clashes(const QMenu *menu)
    {
        QStringList found;
        QHash<QChar, QString> owner;
        for (const QAction *item : menu->actions()) {
            const QString text = QString(item->text()).remove(QLatin1String("&&"));
            const qsizetype at = text.indexOf(u'&');
            if (item->isSeparator() || !item->isVisible() || at < 0 || at + 1 >= text.size())
                continue;
            const QChar letter = text.at(at + 1).toLower();
            if (owner.contains(letter))
                found.append(
                    QStringLiteral("%1: '%2' in %3 and %4")
                        .arg(menu->title() + menu->objectName(), letter, owner.value(letter), item->text()));
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
        db.emailTemplate(QStringLiteral("Follow & Up"), QStringLiteral("s"), QStringLiteral("b"));
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Partners"));
        document->activateWindow();
        QApplication::setActiveWindow(document);
        (void)QTest::qWaitForWindowActive(document);
        return document;
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
        const QList<QMenu *> statusMenus{document->findChild<QMenu *>(QStringLiteral("statusMenu")),
                                         document->findChild<QMenu *>(QStringLiteral("statusContextMenu"))};
        const QList<QMenu *> messageMenus{m.sendMessageMenu, m.linkSendMessageMenu};
        auto enabled = [](const QList<QMenu *> &menus) {
            return std::all_of(menus.cbegin(), menus.cend(),
                               [](QMenu *menu) { return menu->menuAction()->isEnabled(); });
        };
        auto disabled = [](const QList<QMenu *> &menus) {
            return std::none_of(menus.cbegin(), menus.cend(),
                                [](QMenu *menu) { return menu->menuAction()->isEnabled(); });
        };

        document->selectLinksWithIDs({});
        QVERIFY(!m.visitLinkPartnerWebsite->isEnabled());
        QVERIFY(disabled(statusMenus));
        // Without a link the message menus still offer a new template, and only that.
        QVERIFY(!m.newCustomEmail->isEnabled() && m.newEmailTemplate->isEnabled() && enabled(messageMenus));
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha")});
        QVERIFY(m.visitLinkPartnerWebsite->isEnabled());
        QVERIFY(enabled(statusMenus) && enabled(messageMenus));
        // Several links: the statuses apply to all, a message or a page only to one.
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha"), QStringLiteral("Beta")});
        QVERIFY(!m.visitLinkPartnerWebsite->isEnabled());
        QVERIFY(enabled(statusMenus) && !m.newCustomEmail->isEnabled());

        // The default category can be neither edited nor deleted.
        QVERIFY(m.renameCategory->isEnabled() && m.deleteCategory->isEnabled());
        document->showAndSelectCategoryNode(document->collectionManager().defaultCategoryNode());
        QVERIFY(!m.renameCategory->isEnabled() && !m.deleteCategory->isEnabled());
        QVERIFY(!m.editSelectedObject->isEnabled() && !m.deleteSelectedObject->isEnabled());
        // The menu bar's own menus always open.
        for (const QAction *title : document->menuBar()->actions())
            QVERIFY(title->isEnabled());
    }

    void openRecentTellsNamesakesApart()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        m_fixture->controller().clearRecentFiles();
        QVERIFY(!m.recentFilesMenu->menuAction()->isEnabled());
        const QStringList files{QStringLiteral("/home/ada/2024/site/links.site"),
                                QStringLiteral("/home/ada/2023/site/links.site"),
                                QStringLiteral("/x/R&D.site"), QStringLiteral("/home/x/R&D.site")};
        for (auto file = files.crbegin(); file != files.crend(); ++file)
            m_fixture->controller().noteRecentFile(*file);
        QVERIFY(m.recentFilesMenu->menuAction()->isEnabled());
        emit m.recentFilesMenu->aboutToShow();
        QStringList texts;
        for (const QAction *item : m.recentFilesMenu->actions())
            texts.append(item->text());
        QCOMPARE(texts, (QStringList{QStringLiteral("&1 links.site \u2014 2024/site"),
                                     QStringLiteral("&2 links.site \u2014 2023/site"),
                                     QStringLiteral("&3 R&&D.site \u2014 /x"),
                                     QStringLiteral("&4 R&&D.site \u2014 /home/x"), QString(),
                                     QStringLiteral("&Clear Menu")}));
        QCOMPARE(m.recentFilesMenu->actions().at(1)->toolTip(), files.at(1));
        QVERIFY(m.recentFilesMenu->toolTipsVisible());
        m.recentFilesMenu->actions().last()->trigger();
        QVERIFY(m_fixture->controller().recentFiles().isEmpty());
        QVERIFY(!m.recentFilesMenu->menuAction()->isEnabled());
    }

    void saveAsNameMadeFromTheTitle()
    {
        using DocumentFileNames::fileNameForTitle;
        QCOMPARE(fileNameForTitle(QStringLiteral("  ../Birds: \"Herons\" | Reeds?\t\n"),
                                  QStringLiteral("Untitled")),
                 QStringLiteral("Birds Herons Reeds.site"));
        QCOMPARE(fileNameForTitle(QStringLiteral("..."), QStringLiteral("Untitled 2")),
                 QStringLiteral("Untitled 2.site"));
        const QString bird = QString::fromUtf8("\xF0\x9F\x90\xA6");
        QCOMPARE(fileNameForTitle(QString(59, QLatin1Char('a')) + bird, QString()),
                 QString(59, QLatin1Char('a')) + QStringLiteral(".site"));
    }

    void clipboardCommandsActOnTheFocusedField()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        auto *field = new QLineEdit(QStringLiteral("hello world"));
        document->statusBar()->addWidget(field);
        field->setFocus();
        field->setSelection(6, 5);
        emit m.editMenu->aboutToShow();
        QVERIFY(m.cut->isEnabled() && m.copy->isEnabled() && !m.paste->isEnabled());
        m.cut->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("world"));
        QVERIFY(!m.cut->isEnabled() && m.paste->isEnabled());
        m.paste->trigger();
        QCOMPARE(field->text(), QStringLiteral("hello world"));
        // Select All takes the field's text, not the links.
        m.selectAllLinks->trigger();
        QCOMPARE(field->selectedText(), QStringLiteral("hello world"));
        QCOMPARE(document->numberOfSelectedLinks(), 0);
        field->setReadOnly(true);
        emit m.editMenu->aboutToShow();
        QVERIFY(m.copy->isEnabled() && !m.cut->isEnabled() && !m.paste->isEnabled());

        // On the link list, Copy (menu or key) gives each selected link's title and address.
        document->linksTable()->setFocus();
        m.selectAllLinks->trigger();
        QCOMPARE(document->numberOfSelectedLinks(), 2);
        QVERIFY(m.copy->isEnabled() && !m.cut->isEnabled() && !m.paste->isEnabled());
        QTest::keyClick(document->linksTable(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("Alpha\thttp://alpha.example/\nBeta\thttp://beta.example/"));
        document->categoriesTable()->setFocus();
        QVERIFY(!m.copy->isEnabled());
    }

    // A menu opened from the keyboard (its mnemonic, which gives the menu bar the keyboard) offers
    // what the same menu opened with the mouse offers, whichever list had the focus.
    void keyboardAndMouseOpenMenusAlike()
    {
        MyDocument *document = openSample();
        QMenuBar *bar = document->menuBar();
        auto states = [](const QMenu *menu) {
            QStringList found;
            for (const QAction *item : menu->actions()) {
                if (!item->isSeparator() && item->isVisible())
                    found.append(item->text() +
                                 (item->isEnabled() ? QStringLiteral(" on") : QStringLiteral(" off")));
            }
            return found;
        };
        auto close = [bar](QMenu *menu) {
            menu->hide();
            QTest::keyClick(bar, Qt::Key_Escape);
        };
        auto compareRoutes = [&](QWidget *view) {
            for (QAction *title : bar->actions()) {
                QMenu *menu = title->menu();
                const QString text = QString(title->text()).remove(QLatin1String("&&"));
                const qsizetype at = text.indexOf(u'&');
                if (!menu || at < 0)
                    continue;
                view->setFocus();
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
                QTRY_VERIFY(menu->isVisible());
                const QStringList byMouse = states(menu);
                close(menu);
                QTRY_VERIFY(!menu->isVisible());

                view->setFocus();
                QTest::keyClick(view, text.at(at + 1).toLatin1(), Qt::AltModifier);
                QTRY_VERIFY2(menu->isVisible(), qPrintable(text));
                QVERIFY(document->focusWidget() != view); // the menu bar took the keyboard
                const QStringList byKeyboard = states(menu);
                close(menu);
                QCOMPARE(byKeyboard, byMouse);
            }
        };
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha")});
        compareRoutes(document->linksTable());
        QVERIFY(document->menus()->copy->isEnabled());
        document->showAndSelectCategoryNode(document->collectionManager().defaultCategoryNode());
        compareRoutes(document->categoriesTable());
    }

    // Dialogs will add items to the menus: whatever they hold, no two items of one share a letter.
    void noTwoItemsOfAMenuShareAMnemonic()
    {
        MyDocument *document = openSample();
        DocumentMenus &m = *document->menus();
        m_fixture->controller().noteRecentFile(m_fixture->path(QStringLiteral("other.site")));
        emit m.recentFilesMenu->aboutToShow();
        QList<QMenu *> menus = m.allMenus();
        for (QMenu *menu : document->findChildren<QMenu *>()) { // the details pane's, the toolbar's
            if (!menus.contains(menu))
                menus.append(menu);
        }
        QVERIFY(menus.contains(m.linkContextMenu) && menus.contains(m.recentFilesMenu));
        QStringList found;
        for (const QMenu *menu : std::as_const(menus))
            found += clashes(menu);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    void withOneLinkSelectedEveryCommandIsOffered()
    {
        MyDocument *document = openSample();
        DocumentMenus &m = *document->menus();
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha")});
        document->linksTable()->setFocus();
        document->validateMenuItems();
        // Items that wait for something other than a link: a change to undo or redo or revert, a
        // search to continue, a text field to cut from, text to paste, a file in the recent list.
        const QSet<QAction *> waiting{m.undo,
                                      m.redo,
                                      m.revertDocument,
                                      m.findNextLink,
                                      m.cut,
                                      m.paste,
                                      m.recentFilesMenu->menuAction()};
        QList<QAction *> items = m.toolbar->actions();
        for (const QMenu *menu : m.allMenus())
            items += menu->actions();
        QVERIFY(items.size() > 60);
        QStringList disabled;
        for (QAction *item : std::as_const(items)) {
            if (!item->isSeparator() && item->isVisible() && !item->isEnabled() && !waiting.contains(item))
                disabled.append(item->objectName() + QLatin1Char(' ') + item->text());
        }
        QVERIFY2(disabled.isEmpty(), qPrintable(disabled.join(QLatin1String(", "))));
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
