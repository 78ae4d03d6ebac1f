#include "DocumentMenus.h"

#include "gui/DocumentImages.h"
#include "model/DocumentFileNames.h"
#include "model/Preferences.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <functional>

namespace {

const QString ToolbarStyleKey = QStringLiteral("MainToolbar/Style");
const QString ToolbarHiddenKey = QStringLiteral("MainToolbar/HiddenItems");

// The identifiers the user took off the toolbar; help is off until asked for.
QStringList hiddenToolbarItems()
{
    const QString stored = Preferences::stringValue(ToolbarHiddenKey);
    return stored.isNull() ? QStringList{QStringLiteral("MyHelp")}
                           : stored.split(QLatin1Char(','), Qt::SkipEmptyParts);
}

// Stored as the style + 1, so that "never chosen" (0) differs from icons only.
Qt::ToolButtonStyle toolbarStyle()
{
    const int stored = Preferences::intValue(ToolbarStyleKey);
    return stored >= 1 && stored <= 4 ? Qt::ToolButtonStyle(stored - 1) : Qt::ToolButtonTextUnderIcon;
}

struct ToolbarItem
{
    const char *identifier;
    const char *label;
    const char *toolTip;
    const char *image;
    bool shownByDefault;
};

} // namespace

DocumentMenus::DocumentMenus(QMainWindow *window) : QObject(window), m_window(window)
{
    QMenuBar *bar = window->menuBar();

    // --- File
    QMenu *file = bar->addMenu(tr("&File"));
    newSite = makeAction(QStringLiteral("newSite"), tr("&New Links Database..."));
    newSite->setShortcut(QKeySequence::New);
    openDocument = makeAction(QStringLiteral("openDocument"), tr("&Open..."));
    openDocument->setShortcut(QKeySequence::Open);
    closeDocument = makeAction(QStringLiteral("closeDocument"), tr("&Close"));
    closeDocument->setShortcut(QKeySequence::Close);
    saveDocument = makeAction(QStringLiteral("saveDocument"), tr("&Save"));
    saveDocument->setShortcut(QKeySequence::Save);
    saveDocumentAs = makeAction(QStringLiteral("saveDocumentAs"), tr("Save &As..."));
    saveDocumentAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    revertDocument = makeAction(QStringLiteral("revertDocument"), tr("Re&vert to Saved"));
    printPreview = makeAction(QStringLiteral("printPreview"), tr("Print Previe&w..."));
    print = makeAction(QStringLiteral("print"), tr("&Print..."));
    print->setShortcut(QKeySequence::Print);
    exportAsPDF = makeAction(QStringLiteral("exportAsPDF"), tr("&Export as PDF..."));
    quit = makeAction(QStringLiteral("quit"), tr("&Quit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);
    file->addAction(newSite);
    file->addAction(openDocument);
    recentFilesMenu = file->addMenu(tr("Open &Recent"));
    recentFilesMenu->setObjectName(QStringLiteral("recentFilesMenu"));
    recentFilesMenu->setToolTipsVisible(true);
    file->addSeparator();
    file->addAction(closeDocument);
    file->addAction(saveDocument);
    file->addAction(saveDocumentAs);
    file->addAction(revertDocument);
    file->addSeparator();
    importMenu = file->addMenu(tr("&Import"));
    importMenu->setObjectName(QStringLiteral("importMenu"));
    importPartners = makeAction(QStringLiteral("importPartners"), tr("&Partners from Spreadsheet\u2026"),
                                tr("Add link partners from a CSV or tab-delimited table"));
    importMenu->addAction(importPartners);
    file->addSeparator();
    publishLinksPage = makeAction(QStringLiteral("publishLinksPage"), tr("Pu&blish Links Page..."),
                                  tr("Send the links page to your web server over SFTP or FTPS"));
    file->addAction(publishLinksPage);
    file->addSeparator();
    file->addAction(printPreview);
    file->addAction(print);
    file->addAction(exportAsPDF);
    file->addSeparator();
    file->addAction(quit);

    // --- Edit
    QMenu *edit = editMenu = bar->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    undo = makeAction(QStringLiteral("undo"), tr("&Undo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    // Ctrl+Y belongs to Verify Link.
    redo = makeAction(QStringLiteral("redo"), tr("&Redo"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    cut = makeAction(QStringLiteral("cut"), tr("Cu&t"));
    cut->setShortcut(QKeySequence::Cut);
    copy = makeAction(QStringLiteral("copy"), tr("&Copy"));
    copy->setShortcut(QKeySequence::Copy);
    paste = makeAction(QStringLiteral("paste"), tr("&Paste"));
    paste->setShortcut(QKeySequence::Paste);
    editSelectedObject = makeAction(QStringLiteral("editSelectedObject"), tr("&Edit Selection"));
    deleteSelectedObject = makeAction(QStringLiteral("deleteSelectedObject"), tr("&Delete Selection"));
    selectAllLinks = makeAction(QStringLiteral("selectAllLinks"), tr("Select &All"));
    selectAllLinks->setShortcut(QKeySequence::SelectAll);
    findLink = makeAction(QStringLiteral("findLink"), tr("&Find..."));
    findLink->setShortcut(QKeySequence::Find);
    findNextLink = makeAction(QStringLiteral("findNextLink"), tr("Find &Next"));
    findNextLink->setShortcut(QKeySequence::FindNext);
    filterLinks = makeAction(QStringLiteral("filterLinks"), tr("Fi&lter Links"));
    filterLinks->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    preferences = makeAction(QStringLiteral("preferences"), tr("Preference&s..."));
    preferences->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    preferences->setMenuRole(QAction::PreferencesRole);
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    edit->addAction(cut);
    edit->addAction(copy);
    edit->addAction(paste);
    edit->addSeparator();
    edit->addAction(editSelectedObject);
    edit->addAction(deleteSelectedObject);
    edit->addAction(selectAllLinks);
    edit->addSeparator();
    edit->addAction(findLink);
    edit->addAction(findNextLink);
    edit->addAction(filterLinks);
    edit->addSeparator();
    edit->addAction(preferences);

    // --- View
    QMenu *view = bar->addMenu(tr("&View"));
    switchActiveList = makeAction(QStringLiteral("switchActiveList"), tr("S&witch Between Lists"));
    toggleDetails = makeAction(QStringLiteral("toggleDetails"), tr("&Details Pane"));
    toggleDetails->setCheckable(true);
    toggleDetails->setChecked(true);
    toggleDetails->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
    toggleReminders = makeAction(QStringLiteral("toggleReminders"), tr("&Reminders"));
    toggleReminders->setCheckable(true);
    toggleReminders->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
    view->addAction(switchActiveList);
    view->addAction(toggleDetails);
    view->addAction(toggleReminders);

    // --- Category
    QMenu *category = bar->addMenu(tr("&Category"));
    newCategory =
        makeAction(QStringLiteral("newCategory"), tr("New &Category..."), tr("Create a new category"));
    newCategory->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    renameCategory = makeAction(QStringLiteral("renameCategory"), tr("&Edit Category..."));
    deleteCategory = makeAction(QStringLiteral("deleteCategory"), tr("&Delete Category..."));
    category->addAction(newCategory);
    category->addAction(renameCategory);
    category->addAction(deleteCategory);

    // --- Link
    QMenu *link = bar->addMenu(tr("&Link"));
    newLink = makeAction(QStringLiteral("newLink"), tr("&New Link..."), tr("Create a new link"));
    newLink->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    instantLink =
        makeAction(QStringLiteral("instantLink"), tr("&Instant Link..."), tr("Quickly create a new link"));
    instantLink->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    editLink = makeAction(QStringLiteral("editLink"), tr("&Edit Link..."));
    editLink->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    showLinkExchangeInfo =
        makeAction(QStringLiteral("showLinkExchangeInfo"), tr("Show E&xchange Information..."));
    showLinkNotifications = makeAction(QStringLiteral("showLinkNotifications"), tr("Show N&otifications..."));
    showLinkNotes = makeAction(QStringLiteral("showLinkNotes"), tr("Show No&tes..."));
    setStatusNew = makeAction(QStringLiteral("setStatusNew"), tr("&New"));
    setStatusNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    setStatusNegotiating = makeAction(QStringLiteral("setStatusNegotiating"), tr("Ne&gotiating"));
    setStatusNegotiating->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    setStatusApproved = makeAction(QStringLiteral("setStatusApproved"), tr("&Approved"));
    setStatusApproved->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_3));
    setStatusBlocked = makeAction(QStringLiteral("setStatusBlocked"), tr("&Blocked"));
    setStatusBlocked->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_4));
    const struct
    {
        QAction *action;
        const char *image;
    } statuses[] = {{setStatusNew, "new"},
                    {setStatusNegotiating, "negotiating"},
                    {setStatusApproved, "verified"},
                    {setStatusBlocked, "blocked"}};
    for (const auto &status : statuses) {
        status.action->setCheckable(true);
        status.action->setIcon(DocumentImages::icon(QString::fromLatin1(status.image)));
    }
    markAsVerified = makeAction(QStringLiteral("markAsVerified"), tr("Mar&k as Verified"));
    markAsVerified->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    verifyLink = makeAction(QStringLiteral("verifyLink"), tr("&Verify Link..."));
    verifyLink->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    verifyAllLinks =
        makeAction(QStringLiteral("verifyAllLinks"), tr("Verify &All Links..."), tr("Verify link exchanges"));
    verifyAllLinks->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Y));
    visitLinkWebsite = makeAction(QStringLiteral("visitLinkWebsite"), tr("Visit &Web Site"));
    visitLinkPartnerWebsite = makeAction(QStringLiteral("visitLinkPartnerWebsite"), tr("Visit &Links Page"));
    newCustomEmail = makeAction(QStringLiteral("newCustomEmail"), tr("&Blank Message"));
    newEmailTemplate = makeAction(QStringLiteral("newEmailTemplate"), tr("New E-mail &Template..."));
    moveToCategory = makeAction(QStringLiteral("moveToCategory"), tr("Move to Cate&gory..."),
                                tr("Move the selected links to another category"));
    deleteLink = makeAction(QStringLiteral("deleteLink"), tr("&Delete Link..."));

    link->addAction(newLink);
    link->addAction(instantLink);
    link->addAction(editLink);
    link->addAction(showLinkExchangeInfo);
    link->addAction(showLinkNotifications);
    link->addAction(showLinkNotes);
    link->addSeparator();
    QMenu *statusMenu = link->addMenu(tr("&Status"));
    statusMenu->setObjectName(QStringLiteral("statusMenu"));
    link->addAction(markAsVerified);
    link->addAction(verifyLink);
    link->addAction(verifyAllLinks);
    link->addSeparator();
    link->addAction(visitLinkWebsite);
    link->addAction(visitLinkPartnerWebsite);
    sendMessageMenu = link->addMenu(tr("Send &Message"));
    sendMessageMenu->setObjectName(QStringLiteral("sendMessageMenu"));
    sendMessageToSelectedLinks =
        makeAction(QStringLiteral("sendMessageToSelectedLinks"), tr("Send Message to Sele&cted Links..."),
                   tr("Send one template to every selected partner from this application"));
    link->addAction(sendMessageToSelectedLinks);
    link->addSeparator();
    link->addAction(moveToCategory);
    link->addAction(deleteLink);

    // --- Tools
    QMenu *tools = bar->addMenu(tr("&Tools"));
    editSiteInfo = makeAction(QStringLiteral("editSiteInfo"), tr("&Site Info..."),
                              tr("Edit information about your web site"));
    editSiteInfo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    notificationSetup = makeAction(QStringLiteral("notificationSetup"), tr("&Notification Settings..."));
    showEmailTemplates = makeAction(QStringLiteral("showEmailTemplates"), tr("&E-mail Templates..."));
    HTMLSetup = makeAction(QStringLiteral("HTMLSetup"), tr("Links &Page Setup..."));
    importLinks = makeAction(QStringLiteral("importLinks"), tr("&Import Links..."));
    copyHTML = makeAction(QStringLiteral("copyHTML"), tr("&Copy Links Page"));
    copyCategoryHTML = makeAction(QStringLiteral("copyCategoryHTML"), tr("Copy Ca&tegory Page"));
    copyHTMLStyles = makeAction(QStringLiteral("copyHTMLStyles"), tr("Copy St&yles"));
    exportLinksToHTML = makeAction(QStringLiteral("exportLinksToHTML"), tr("E&xport Links Page..."),
                                   tr("Generate HTML code for your links page"));
    copySpreadsheet = makeAction(QStringLiteral("copySpreadsheet"), tr("Copy Sp&readsheet"));
    exportLinksToSpreadsheet =
        makeAction(QStringLiteral("exportLinksToSpreadsheet"), tr("Export Spreads&heet..."));
    exportLinksToCSV = makeAction(QStringLiteral("exportLinksToCSV"), tr("Export Spreadsheet as CS&V..."),
                                  tr("Write every link as comma-separated values"));
    countLinks = makeAction(QStringLiteral("countLinks"), tr("C&ount Links..."));
    showStatistics = makeAction(QStringLiteral("showStatistics"), tr("St&atistics..."),
                                tr("Show statistics about this links database"));
    tools->addAction(editSiteInfo);
    tools->addAction(notificationSetup);
    tools->addAction(showEmailTemplates);
    tools->addAction(HTMLSetup);
    tools->addSeparator();
    tools->addAction(importLinks);
    tools->addSeparator();
    tools->addAction(copyHTML);
    tools->addAction(copyCategoryHTML);
    tools->addAction(copyHTMLStyles);
    tools->addAction(exportLinksToHTML);
    tools->addSeparator();
    tools->addAction(copySpreadsheet);
    tools->addAction(exportLinksToSpreadsheet);
    tools->addAction(exportLinksToCSV);
    tools->addSeparator();
    tools->addAction(countLinks);
    tools->addAction(showStatistics);
    showLostLinks = makeAction(QStringLiteral("showLostLinks"), tr("&Lost Links..."),
                               tr("Show the links that were lost, moved, recovered or no longer followed, "
                                  "and the sites unreachable for days"));
    tools->addAction(showLostLinks);
    checkOwnPage =
        makeAction(QStringLiteral("checkOwnPage"), tr("Chec&k My Links Page..."),
                   tr("Read the published links page from the web and list the partners it gets wrong"));
    tools->addAction(checkOwnPage);
    tools->addSeparator();
    showOutbox = makeAction(QStringLiteral("showOutbox"), tr("Out&box..."),
                            tr("Show the messages waiting to go, those that failed and the follow-ups due"));
    tools->addAction(showOutbox);
    checkForReplies = makeAction(QStringLiteral("checkForReplies"), tr("Check &for Replies"),
                                 tr("Read the mailbox for partners' answers to the messages sent"));
    tools->addAction(checkForReplies);

    // --- Window
    windowMenu = bar->addMenu(tr("&Window"));
    windowMenu->setObjectName(QStringLiteral("windowMenu"));
    minimizeWindow = makeAction(QStringLiteral("minimizeWindow"), tr("&Minimize"));
    minimizeWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    showStartingPoints = makeAction(QStringLiteral("showStartingPoints"), tr("&Welcome Window..."));
    windowMenu->addAction(minimizeWindow);
    windowMenu->addAction(showStartingPoints);
    windowListSeparator = windowMenu->addSeparator();

    // --- Help
    QMenu *help = bar->addMenu(tr("&Help"));
    doHelp = makeAction(QStringLiteral("doHelp"), tr("Quillmarsh &Help"), tr("Quillmarsh Help"));
    doHelp->setShortcut(QKeySequence::HelpContents);
    showShortcuts = makeAction(QStringLiteral("showShortcuts"), tr("&Keyboard Shortcuts"));
    showTutorial = makeAction(QStringLiteral("showTutorial"), tr("&Tutorial"));
    showReadMe = makeAction(QStringLiteral("showReadMe"), tr("&Read Me"));
    showEULA = makeAction(QStringLiteral("showEULA"), tr("&Licence"),
                          tr("The GNU General Public License, under which Quillmarsh is free software"));
    doAbout = makeAction(QStringLiteral("doAbout"), tr("&About Quillmarsh"));
    doAbout->setMenuRole(QAction::AboutRole);
    help->addAction(doHelp);
    help->addAction(showShortcuts);
    help->addAction(showTutorial);
    help->addAction(showReadMe);
    help->addAction(showEULA);
    help->addSeparator();
    help->addAction(doAbout);

    // --- Status items: the Link menu's and the context menu's submenus share the actions.
    QMenu *statusContextMenu = new QMenu(tr("&Status"), window);
    statusContextMenu->setObjectName(QStringLiteral("statusContextMenu"));
    for (const auto &status : statuses) {
        statusMenu->addAction(status.action);
        statusContextMenu->addAction(status.action);
    }

    linkSendMessageMenu = new QMenu(tr("Send &Message"), window);
    linkSendMessageMenu->setObjectName(QStringLiteral("linkSendMessageMenu"));

    linkContextMenu = new QMenu(window);
    linkContextMenu->setObjectName(QStringLiteral("linkContextMenu"));
    linkContextMenu->addAction(editLink);
    linkContextMenu->addAction(showLinkExchangeInfo);
    linkContextMenu->addAction(showLinkNotifications);
    linkContextMenu->addAction(showLinkNotes);
    linkContextMenu->addSeparator();
    linkContextMenu->addMenu(statusContextMenu);
    linkContextMenu->addAction(markAsVerified);
    linkContextMenu->addAction(verifyLink);
    linkContextMenu->addSeparator();
    linkContextMenu->addAction(visitLinkWebsite);
    linkContextMenu->addAction(visitLinkPartnerWebsite);
    linkContextMenu->addMenu(linkSendMessageMenu);
    linkContextMenu->addSeparator();
    linkContextMenu->addAction(moveToCategory);
    linkContextMenu->addAction(deleteLink);

    categoryContextMenu = new QMenu(window);
    categoryContextMenu->setObjectName(QStringLiteral("categoryContextMenu"));
    categoryContextMenu->addAction(newCategory);
    categoryContextMenu->addAction(renameCategory);
    categoryContextMenu->addAction(deleteCategory);
    categoryContextMenu->addSeparator();
    categoryContextMenu->addAction(newLink);
    categoryContextMenu->addAction(copyCategoryHTML);
    categoryContextMenu->addAction(countLinks);

    buildToolbar(window);
    toggleToolbar = toolbar->toggleViewAction();
    toggleToolbar->setText(tr("&Toolbar"));
    view->addAction(toggleToolbar);
}

void DocumentMenus::fillRecentFilesMenu(const QStringList &files)
{
    recentFilesMenu->clear();
    const QStringList labels = DocumentFileNames::recentFileLabels(files);
    for (qsizetype i = 0; i < files.size(); ++i) {
        // Numbered for the keyboard: "&1" to "&9", then "1&0".
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
        QString label = labels.at(i);
        QAction *item = recentFilesMenu->addAction(number + u' ' + label.replace(u'&', QStringLiteral("&&")));
        item->setData(files.at(i));
        item->setToolTip(QDir::toNativeSeparators(files.at(i)));
        item->setStatusTip(item->toolTip());
    }
    if (!files.isEmpty())
        recentFilesMenu->addSeparator();
    QAction *clear = recentFilesMenu->addAction(tr("&Clear Menu"));
    clear->setObjectName(QStringLiteral("clearRecentFiles"));
    clear->setEnabled(!files.isEmpty());
}

QList<QMenu *> DocumentMenus::allMenus() const
{
    QList<QMenu *> menus;
    std::function<void(QMenu *)> add = [&](QMenu *menu) {
        if (!menu || menus.contains(menu))
            return;
        menus.append(menu);
        for (const QAction *action : menu->actions())
            add(action->menu());
    };
    for (const QAction *action : m_window->menuBar()->actions())
        add(action->menu());
    add(linkContextMenu);
    add(categoryContextMenu);
    return menus;
}

void DocumentMenus::enableSubmenus()
{
    // Deepest first, so that a submenu's state is known before its parent's is set. The menu bar's
    // own menus always open, to show what they hold.
    const QList<QAction *> barItems = m_window->menuBar()->actions();
    const QList<QMenu *> menus = allMenus();
    for (auto menu = menus.crbegin(); menu != menus.crend(); ++menu) {
        if (*menu == recentFilesMenu || (*menu)->actions().isEmpty() ||
            barItems.contains((*menu)->menuAction()))
            continue;
        const QList<QAction *> items = (*menu)->actions();
        const bool anyEnabled = std::any_of(items.cbegin(), items.cend(), [](const QAction *item) {
            return !item->isSeparator() && item->isVisible() && item->isEnabled();
        });
        (*menu)->menuAction()->setEnabled(anyEnabled);
    }
}

QAction *DocumentMenus::makeAction(const QString &name, const QString &text, const QString &toolTip)
{
    auto *action = new QAction(text, m_window);
    action->setObjectName(name);
    if (!toolTip.isEmpty())
        action->setToolTip(toolTip);
    // Shortcuts work whatever list has the focus, and also while a menu is closed.
    action->setShortcutContext(Qt::WindowShortcut);
    m_window->addAction(action);
    return action;
}

void DocumentMenus::buildToolbar(QMainWindow *window)
{
    toolbar = new QToolBar(tr("Toolbar"), window);
    toolbar->setObjectName(QStringLiteral("MainToolbar"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(32, 32));
    toolbar->setToolButtonStyle(toolbarStyle());
    window->addToolBar(Qt::TopToolBarArea, toolbar);

    static const ToolbarItem items[] = {
        {"MySiteInfo", QT_TR_NOOP("Site Info"), QT_TR_NOOP("Edit information about your web site"),
         "toolbar_getinfo", true},
        {"MyNewCategory", QT_TR_NOOP("New Category"), QT_TR_NOOP("Create a new category"),
         "toolbar_newcategory", true},
        {"MyNewLink", QT_TR_NOOP("New Link"), QT_TR_NOOP("Create a new link"), "toolbar_newlink", true},
        {"MyVerify", QT_TR_NOOP("Verify Links"), QT_TR_NOOP("Verify link exchanges"), "toolbar_verify", true},
        {"MyFind", QT_TR_NOOP("Find"), QT_TR_NOOP("Find a link"), "toolbar_find", true},
        {"MyStatistics", QT_TR_NOOP("Show Statistics"),
         QT_TR_NOOP("Show statistics about this links database"), "toolbar_statistics", true},
        {"MyPrint", QT_TR_NOOP("Print"), QT_TR_NOOP("Print the link list"), "toolbar_print", true},
        {"MyExportHTML", QT_TR_NOOP("Export Links Page"),
         QT_TR_NOOP("Generate HTML code for your links page"), "toolbar_exporthtml", true},
        {"MyFlexibleSpace", "", "", "", true},
        {"MyInstantLink", QT_TR_NOOP("Instant Link"), QT_TR_NOOP("Quickly create a new link"),
         "toolbar_instantlink", true},
        {"MyHelp", QT_TR_NOOP("Help"), QT_TR_NOOP("Quillmarsh Help"), "toolbar_help", false},
    };
    QAction *const targets[] = {editSiteInfo, newCategory,    newLink, verifyAllLinks,
                                findLink,     showStatistics, print,   exportLinksToHTML,
                                nullptr,      instantLink,    doHelp};

    const QStringList hidden = hiddenToolbarItems();
    auto *customize = new QMenu(window);
    for (size_t i = 0; i < std::size(items); ++i) {
        const ToolbarItem &item = items[i];
        QAction *placed;
        if (!targets[i]) {
            auto *spacer = new QWidget(toolbar);
            spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            placed = toolbar->addWidget(spacer);
        } else {
            auto *button =
                new QAction(DocumentImages::icon(QString::fromLatin1(item.image)), tr(item.label), toolbar);
            button->setToolTip(tr(item.toolTip));
            QAction *target = targets[i];
            connect(button, &QAction::triggered, target, &QAction::trigger);
            button->setEnabled(target->isEnabled());
            connect(target, &QAction::changed, button,
                    [button, target] { button->setEnabled(target->isEnabled()); });
            toolbar->addAction(button);
            placed = button;
        }
        placed->setObjectName(QString::fromLatin1(item.identifier));
        const QString identifier = QString::fromLatin1(item.identifier);
        placed->setVisible(!hidden.contains(identifier));
        if (!targets[i])
            continue;
        QAction *toggle = customize->addAction(tr(item.label));
        toggle->setCheckable(true);
        toggle->setChecked(placed->isVisible());
        connect(toggle, &QAction::toggled, this, [placed, identifier](bool shown) {
            placed->setVisible(shown);
            QStringList now = hiddenToolbarItems();
            now.removeAll(identifier);
            if (!shown)
                now.append(identifier);
            Preferences::setValue(ToolbarHiddenKey, now.join(QLatin1Char(',')));
        });
    }
    customize->addSeparator();
    auto *styles = new QActionGroup(customize);
    const struct
    {
        Qt::ToolButtonStyle style;
        const char *text;
    } choices[] = {{Qt::ToolButtonTextUnderIcon, QT_TR_NOOP("Icon and Text")},
                   {Qt::ToolButtonIconOnly, QT_TR_NOOP("Icon Only")},
                   {Qt::ToolButtonTextOnly, QT_TR_NOOP("Text Only")}};
    for (const auto &choice : choices) {
        QAction *styleAction = customize->addAction(tr(choice.text));
        styleAction->setCheckable(true);
        styleAction->setChecked(toolbar->toolButtonStyle() == choice.style);
        styles->addAction(styleAction);
        const Qt::ToolButtonStyle style = choice.style;
        connect(styleAction, &QAction::triggered, this, [this, style] {
            toolbar->setToolButtonStyle(style);
            Preferences::setValue(ToolbarStyleKey, int(style) + 1);
        });
    }
    toolbar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(toolbar, &QWidget::customContextMenuRequested, customize,
            [this, customize](const QPoint &position) { customize->popup(toolbar->mapToGlobal(position)); });
}
