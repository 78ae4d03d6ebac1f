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
    QAction *newSite = makeAction(ActionId::NewSite, QStringLiteral("newSite"), tr("&New Links Database..."));
    newSite->setShortcut(QKeySequence::New);
    QAction *openDocument =
        makeAction(ActionId::OpenDocument, QStringLiteral("openDocument"), tr("&Open..."));
    openDocument->setShortcut(QKeySequence::Open);
    QAction *closeDocument =
        makeAction(ActionId::CloseDocument, QStringLiteral("closeDocument"), tr("&Close"));
    closeDocument->setShortcut(QKeySequence::Close);
    QAction *saveDocument = makeAction(ActionId::SaveDocument, QStringLiteral("saveDocument"), tr("&Save"));
    saveDocument->setShortcut(QKeySequence::Save);
    QAction *saveDocumentAs =
        makeAction(ActionId::SaveDocumentAs, QStringLiteral("saveDocumentAs"), tr("Save &As..."));
    saveDocumentAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QAction *revertDocument =
        makeAction(ActionId::RevertDocument, QStringLiteral("revertDocument"), tr("Re&vert to Saved"));
    QAction *printPreview =
        makeAction(ActionId::PrintPreview, QStringLiteral("printPreview"), tr("Print Previe&w..."));
    QAction *print = makeAction(ActionId::Print, QStringLiteral("print"), tr("&Print..."));
    print->setShortcut(QKeySequence::Print);
    QAction *exportAsPDF =
        makeAction(ActionId::ExportAsPDF, QStringLiteral("exportAsPDF"), tr("&Export as PDF..."));
    QAction *quit = makeAction(ActionId::Quit, QStringLiteral("quit"), tr("&Quit"));
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
    QAction *importPartners = makeAction(ActionId::ImportPartners, QStringLiteral("importPartners"),
                                         tr("&Partners from Spreadsheet\u2026"),
                                         tr("Add link partners from a CSV or tab-delimited table"));
    importMenu->addAction(importPartners);
    file->addSeparator();
    QAction *publishLinksPage = makeAction(ActionId::PublishLinksPage, QStringLiteral("publishLinksPage"),
                                           tr("Pu&blish Links Page..."),
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
    QAction *undo = makeAction(ActionId::Undo, QStringLiteral("undo"), tr("&Undo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    // Ctrl+Y belongs to Verify Link.
    QAction *redo = makeAction(ActionId::Redo, QStringLiteral("redo"), tr("&Redo"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QAction *cut = makeAction(ActionId::Cut, QStringLiteral("cut"), tr("Cu&t"));
    cut->setShortcut(QKeySequence::Cut);
    QAction *copy = makeAction(ActionId::Copy, QStringLiteral("copy"), tr("&Copy"));
    copy->setShortcut(QKeySequence::Copy);
    QAction *paste = makeAction(ActionId::Paste, QStringLiteral("paste"), tr("&Paste"));
    paste->setShortcut(QKeySequence::Paste);
    QAction *editSelectedObject =
        makeAction(ActionId::EditSelectedObject, QStringLiteral("editSelectedObject"), tr("&Edit Selection"));
    QAction *deleteSelectedObject = makeAction(
        ActionId::DeleteSelectedObject, QStringLiteral("deleteSelectedObject"), tr("&Delete Selection"));
    QAction *selectAllLinks =
        makeAction(ActionId::SelectAllLinks, QStringLiteral("selectAllLinks"), tr("Select &All"));
    selectAllLinks->setShortcut(QKeySequence::SelectAll);
    QAction *findLink = makeAction(ActionId::FindLink, QStringLiteral("findLink"), tr("&Find..."));
    findLink->setShortcut(QKeySequence::Find);
    QAction *findNextLink =
        makeAction(ActionId::FindNextLink, QStringLiteral("findNextLink"), tr("Find &Next"));
    findNextLink->setShortcut(QKeySequence::FindNext);
    QAction *filterLinks =
        makeAction(ActionId::FilterLinks, QStringLiteral("filterLinks"), tr("Fi&lter Links"));
    filterLinks->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    QAction *preferences =
        makeAction(ActionId::Preferences, QStringLiteral("preferences"), tr("Preference&s..."));
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
    QAction *switchActiveList = makeAction(ActionId::SwitchActiveList, QStringLiteral("switchActiveList"),
                                           tr("S&witch Between Lists"));
    QAction *toggleDetails =
        makeAction(ActionId::ToggleDetails, QStringLiteral("toggleDetails"), tr("&Details Pane"));
    toggleDetails->setCheckable(true);
    toggleDetails->setChecked(true);
    toggleDetails->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
    QAction *toggleReminders =
        makeAction(ActionId::ToggleReminders, QStringLiteral("toggleReminders"), tr("&Reminders"));
    toggleReminders->setCheckable(true);
    toggleReminders->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
    view->addAction(switchActiveList);
    view->addAction(toggleDetails);
    view->addAction(toggleReminders);

    // --- Category
    QMenu *category = bar->addMenu(tr("&Category"));
    QAction *newCategory = makeAction(ActionId::NewCategory, QStringLiteral("newCategory"),
                                      tr("New &Category..."), tr("Create a new category"));
    newCategory->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    QAction *renameCategory =
        makeAction(ActionId::RenameCategory, QStringLiteral("renameCategory"), tr("&Edit Category..."));
    QAction *deleteCategory =
        makeAction(ActionId::DeleteCategory, QStringLiteral("deleteCategory"), tr("&Delete Category..."));
    category->addAction(newCategory);
    category->addAction(renameCategory);
    category->addAction(deleteCategory);

    // --- Link
    QMenu *link = bar->addMenu(tr("&Link"));
    QAction *newLink =
        makeAction(ActionId::NewLink, QStringLiteral("newLink"), tr("&New Link..."), tr("Create a new link"));
    newLink->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    QAction *instantLink = makeAction(ActionId::InstantLink, QStringLiteral("instantLink"),
                                      tr("&Instant Link..."), tr("Quickly create a new link"));
    instantLink->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    QAction *editLink = makeAction(ActionId::EditLink, QStringLiteral("editLink"), tr("&Edit Link..."));
    editLink->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    QAction *showLinkExchangeInfo =
        makeAction(ActionId::ShowLinkExchangeInfo, QStringLiteral("showLinkExchangeInfo"),
                   tr("Show E&xchange Information..."));
    QAction *showLinkNotifications =
        makeAction(ActionId::ShowLinkNotifications, QStringLiteral("showLinkNotifications"),
                   tr("Show N&otifications..."));
    QAction *showLinkNotes =
        makeAction(ActionId::ShowLinkNotes, QStringLiteral("showLinkNotes"), tr("Show No&tes..."));
    QAction *setStatusNew = makeAction(ActionId::SetStatusNew, QStringLiteral("setStatusNew"), tr("&New"));
    setStatusNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    QAction *setStatusNegotiating = makeAction(ActionId::SetStatusNegotiating,
                                               QStringLiteral("setStatusNegotiating"), tr("Ne&gotiating"));
    setStatusNegotiating->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    QAction *setStatusApproved =
        makeAction(ActionId::SetStatusApproved, QStringLiteral("setStatusApproved"), tr("&Approved"));
    setStatusApproved->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_3));
    QAction *setStatusBlocked =
        makeAction(ActionId::SetStatusBlocked, QStringLiteral("setStatusBlocked"), tr("&Blocked"));
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
    QAction *markAsVerified =
        makeAction(ActionId::MarkAsVerified, QStringLiteral("markAsVerified"), tr("Mar&k as Verified"));
    markAsVerified->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    QAction *verifyLink =
        makeAction(ActionId::VerifyLink, QStringLiteral("verifyLink"), tr("&Verify Link..."));
    verifyLink->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    QAction *verifyAllLinks = makeAction(ActionId::VerifyAllLinks, QStringLiteral("verifyAllLinks"),
                                         tr("Verify &All Links..."), tr("Verify link exchanges"));
    verifyAllLinks->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Y));
    QAction *visitLinkWebsite =
        makeAction(ActionId::VisitLinkWebsite, QStringLiteral("visitLinkWebsite"), tr("Visit &Web Site"));
    QAction *visitLinkPartnerWebsite =
        makeAction(ActionId::VisitLinkPartnerWebsite, QStringLiteral("visitLinkPartnerWebsite"),
                   tr("Visit &Links Page"));
    makeAction(ActionId::NewCustomEmail, QStringLiteral("newCustomEmail"), tr("&Blank Message"));
    makeAction(ActionId::NewEmailTemplate, QStringLiteral("newEmailTemplate"), tr("New E-mail &Template..."));
    QAction *moveToCategory =
        makeAction(ActionId::MoveToCategory, QStringLiteral("moveToCategory"), tr("Move to Cate&gory..."),
                   tr("Move the selected links to another category"));
    QAction *deleteLink =
        makeAction(ActionId::DeleteLink, QStringLiteral("deleteLink"), tr("&Delete Link..."));

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
    QAction *sendMessageToSelectedLinks =
        makeAction(ActionId::SendMessageToSelectedLinks, QStringLiteral("sendMessageToSelectedLinks"),
                   tr("Send Message to Sele&cted Links..."),
                   tr("Send one template to every selected partner from this application"));
    link->addAction(sendMessageToSelectedLinks);
    link->addSeparator();
    link->addAction(moveToCategory);
    link->addAction(deleteLink);

    // --- Tools
    QMenu *tools = bar->addMenu(tr("&Tools"));
    QAction *editSiteInfo = makeAction(ActionId::EditSiteInfo, QStringLiteral("editSiteInfo"),
                                       tr("&Site Info..."), tr("Edit information about your web site"));
    editSiteInfo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    QAction *notificationSetup = makeAction(ActionId::NotificationSetup, QStringLiteral("notificationSetup"),
                                            tr("&Notification Settings..."));
    QAction *showEmailTemplates = makeAction(
        ActionId::ShowEmailTemplates, QStringLiteral("showEmailTemplates"), tr("&E-mail Templates..."));
    QAction *HTMLSetup =
        makeAction(ActionId::HTMLSetup, QStringLiteral("HTMLSetup"), tr("Links &Page Setup..."));
    QAction *importLinks =
        makeAction(ActionId::ImportLinks, QStringLiteral("importLinks"), tr("&Import Links..."));
    QAction *copyHTML = makeAction(ActionId::CopyHTML, QStringLiteral("copyHTML"), tr("&Copy Links Page"));
    QAction *copyCategoryHTML =
        makeAction(ActionId::CopyCategoryHTML, QStringLiteral("copyCategoryHTML"), tr("Copy Ca&tegory Page"));
    QAction *copyHTMLStyles =
        makeAction(ActionId::CopyHTMLStyles, QStringLiteral("copyHTMLStyles"), tr("Copy St&yles"));
    QAction *exportLinksToHTML =
        makeAction(ActionId::ExportLinksToHTML, QStringLiteral("exportLinksToHTML"),
                   tr("E&xport Links Page..."), tr("Generate HTML code for your links page"));
    QAction *copySpreadsheet =
        makeAction(ActionId::CopySpreadsheet, QStringLiteral("copySpreadsheet"), tr("Copy Sp&readsheet"));
    QAction *exportLinksToSpreadsheet =
        makeAction(ActionId::ExportLinksToSpreadsheet, QStringLiteral("exportLinksToSpreadsheet"),
                   tr("Export Spreads&heet..."));
    QAction *exportLinksToCSV =
        makeAction(ActionId::ExportLinksToCSV, QStringLiteral("exportLinksToCSV"),
                   tr("Export Spreadsheet as CS&V..."), tr("Write every link as comma-separated values"));
    QAction *countLinks =
        makeAction(ActionId::CountLinks, QStringLiteral("countLinks"), tr("C&ount Links..."));
    QAction *showStatistics =
        makeAction(ActionId::ShowStatistics, QStringLiteral("showStatistics"), tr("St&atistics..."),
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
    QAction *showLostLinks =
        makeAction(ActionId::ShowLostLinks, QStringLiteral("showLostLinks"), tr("&Lost Links..."),
                   tr("Show the links that were lost, moved, recovered or no longer followed, "
                      "and the sites unreachable for days"));
    tools->addAction(showLostLinks);
    QAction *checkOwnPage =
        makeAction(ActionId::CheckOwnPage, QStringLiteral("checkOwnPage"), tr("Chec&k My Links Page..."),
                   tr("Read the published links page from the web and list the partners it gets wrong"));
    tools->addAction(checkOwnPage);
    tools->addSeparator();
    QAction *showOutbox =
        makeAction(ActionId::ShowOutbox, QStringLiteral("showOutbox"), tr("Out&box..."),
                   tr("Show the messages waiting to go, those that failed and the follow-ups due"));
    tools->addAction(showOutbox);
    QAction *checkForReplies =
        makeAction(ActionId::CheckForReplies, QStringLiteral("checkForReplies"), tr("Check &for Replies"),
                   tr("Read the mailbox for partners' answers to the messages sent"));
    tools->addAction(checkForReplies);

    // --- Window
    windowMenu = bar->addMenu(tr("&Window"));
    windowMenu->setObjectName(QStringLiteral("windowMenu"));
    QAction *minimizeWindow =
        makeAction(ActionId::MinimizeWindow, QStringLiteral("minimizeWindow"), tr("&Minimize"));
    minimizeWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    QAction *showStartingPoints = makeAction(ActionId::ShowStartingPoints,
                                             QStringLiteral("showStartingPoints"), tr("&Welcome Window..."));
    windowMenu->addAction(minimizeWindow);
    windowMenu->addAction(showStartingPoints);
    windowMenu->addSeparator(); // the open windows follow

    // --- Help
    QMenu *help = bar->addMenu(tr("&Help"));
    QAction *doHelp =
        makeAction(ActionId::DoHelp, QStringLiteral("doHelp"), tr("Quillmarsh &Help"), tr("Quillmarsh Help"));
    doHelp->setShortcut(QKeySequence::HelpContents);
    QAction *showShortcuts =
        makeAction(ActionId::ShowShortcuts, QStringLiteral("showShortcuts"), tr("&Keyboard Shortcuts"));
    QAction *showTutorial =
        makeAction(ActionId::ShowTutorial, QStringLiteral("showTutorial"), tr("&Tutorial"));
    QAction *showReadMe = makeAction(ActionId::ShowReadMe, QStringLiteral("showReadMe"), tr("&Read Me"));
    QAction *showEULA =
        makeAction(ActionId::ShowEULA, QStringLiteral("showEULA"), tr("&Licence"),
                   tr("The GNU General Public License, under which Quillmarsh is free software"));
    QAction *doAbout = makeAction(ActionId::DoAbout, QStringLiteral("doAbout"), tr("&About Quillmarsh"));
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
    QAction *toggleToolbar = toolbar->toggleViewAction();
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

QAction *DocumentMenus::action(ActionId id) const
{
    const auto index = std::size_t(id);
    Q_ASSERT(index < m_actions.size() && m_actions[index]);
    return index < m_actions.size() ? m_actions[index] : nullptr;
}

QAction *DocumentMenus::makeAction(ActionId id, const QString &name, const QString &text,
                                   const QString &toolTip)
{
    auto *action = new QAction(text, m_window);
    action->setObjectName(name);
    if (!toolTip.isEmpty())
        action->setToolTip(toolTip);
    // Shortcuts work whatever list has the focus, and also while a menu is closed.
    action->setShortcutContext(Qt::WindowShortcut);
    m_window->addAction(action);
    Q_ASSERT(!m_actions[std::size_t(id)]);
    m_actions[std::size_t(id)] = action;
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
    QAction *const targets[] = {action(ActionId::EditSiteInfo),
                                action(ActionId::NewCategory),
                                action(ActionId::NewLink),
                                action(ActionId::VerifyAllLinks),
                                action(ActionId::FindLink),
                                action(ActionId::ShowStatistics),
                                action(ActionId::Print),
                                action(ActionId::ExportLinksToHTML),
                                nullptr,
                                action(ActionId::InstantLink),
                                action(ActionId::DoHelp)};

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
