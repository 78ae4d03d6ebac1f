#pragma once

#include <QObject>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The menu bar, toolbar and context menus of one document window. Every action is named after
// the command it runs; the document connects them and sets their enabled state.
class DocumentMenus : public QObject
{
    Q_OBJECT

public:
    explicit DocumentMenus(QMainWindow *window);

    // File
    QAction *newSite, *openDocument, *closeDocument, *saveDocument, *saveDocumentAs, *revertDocument,
        *printPreview, *print, *exportAsPDF, *quit;
    QMenu *recentFilesMenu;
    // File › Import
    QMenu *importMenu;
    QAction *importPartners;
    // Edit: Undo and Redo (driven by the document's undo stack), then Cut, Copy and Paste.
    QMenu *editMenu;
    QAction *undo, *redo, *cut, *copy, *paste, *editSelectedObject, *deleteSelectedObject, *selectAllLinks,
        *findLink, *findNextLink, *filterLinks, *preferences;
    // View
    QAction *switchActiveList, *toggleDetails, *toggleToolbar, *toggleReminders;
    // Category
    QAction *newCategory, *renameCategory, *deleteCategory;
    // Link
    QAction *newLink, *instantLink, *editLink, *showLinkExchangeInfo, *showLinkNotifications, *showLinkNotes,
        *setStatusNew, *setStatusNegotiating, *setStatusApproved, *setStatusBlocked, *markAsVerified,
        *verifyLink, *verifyAllLinks, *visitLinkWebsite, *visitLinkPartnerWebsite, *newCustomEmail,
        *newEmailTemplate, *moveToCategory, *deleteLink;
    // Tools
    QAction *editSiteInfo, *notificationSetup, *showEmailTemplates, *HTMLSetup, *importLinks, *copyHTML,
        *copyCategoryHTML, *copyHTMLStyles, *exportLinksToHTML, *copySpreadsheet, *exportLinksToSpreadsheet,
        *exportLinksToCSV, *countLinks, *showStatistics, *showLostLinks;
    // The published page: its upload (File) and its check on the web (Tools)
    QAction *publishLinksPage = nullptr, *checkOwnPage = nullptr;
    // Messages sent from the application: the Link menu's and the Tools menu's
    QAction *sendMessageToSelectedLinks = nullptr, *showOutbox = nullptr, *checkForReplies = nullptr;
    // Window and Help
    QAction *minimizeWindow, *showStartingPoints, *doHelp, *showShortcuts, *showTutorial, *showReadMe,
        *showEULA, *doAbout;
    QMenu *windowMenu;

    // The menus that list the database's e-mail templates, the Link menu's and the link context
    // menu's (the document fills them, with the details pane's pull-down).
    QMenu *sendMessageMenu, *linkSendMessageMenu;
    QMenu *linkContextMenu, *categoryContextMenu;
    QToolBar *toolbar;

    // Items shown in the window menu for each open document, rebuilt by the document.
    QAction *windowListSeparator;

    // Open Recent: one numbered item per file (its path as data and tool tip), then Clear Menu.
    void fillRecentFilesMenu(const QStringList &files);

    // Every menu of the window: the menu bar's, their submenus, the context menus and theirs.
    QList<QMenu *> allMenus() const;
    // A submenu all of whose items are disabled is disabled too (the menus filled only when they
    // open, Open Recent, are left to their owner).
    void enableSubmenus();

private:
    QAction *makeAction(const QString &name, const QString &text, const QString &toolTip = QString());
    void buildToolbar(QMainWindow *window);

    QMainWindow *m_window;
};
