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
    QAction *newSite, *openDocument, *closeDocument, *saveDocument, *saveDocumentAs, *revertDocument, *print,
        *quit;
    QMenu *recentFilesMenu;
    // Edit
    QAction *undo, *redo; // driven by the document's undo stack
    QAction *editSelectedObject, *deleteSelectedObject, *selectAllLinks, *findLink, *findNextLink,
        *preferences;
    // View
    QAction *switchActiveList, *toggleDetails, *toggleToolbar;
    // Category
    QAction *newCategory, *renameCategory, *deleteCategory;
    // Link
    QAction *newLink, *instantLink, *editLink, *showLinkExchangeInfo, *showLinkNotifications, *showLinkNotes,
        *setStatusNew, *setStatusNegotiating, *setStatusApproved, *setStatusBlocked, *markAsVerified,
        *verifyLink, *verifyAllLinks, *visitLinkWebsite, *visitLinkPartnerWebsite, *newCustomEmail,
        *newEmailTemplate, *deleteLink;
    // Tools
    QAction *editSiteInfo, *notificationSetup, *showEmailTemplates, *HTMLSetup, *importLinks, *copyHTML,
        *copyCategoryHTML, *copyHTMLStyles, *exportLinksToHTML, *copySpreadsheet, *exportLinksToSpreadsheet,
        *countLinks, *showStatistics;
    // Window and Help
    QAction *minimizeWindow, *showStartingPoints, *doHelp, *showShortcuts, *showTutorial, *showReadMe,
        *doAbout;
    QMenu *windowMenu;

    // The menus that list the database's e-mail templates: the Link menu's, the link context
    // menu's, and the details pane's pull-down (given by the document).
    QMenu *sendMessageMenu, *linkSendMessageMenu;
    QMenu *linkContextMenu, *categoryContextMenu;
    QToolBar *toolbar;

    // The commands that come with later dialogs: present in the menus, never enabled yet.
    QList<QAction *> unavailableActions() const;
    // Items shown in the window menu for each open document, rebuilt by the document.
    QAction *windowListSeparator;

    static void fillSendMessageMenu(QMenu *menu, QAction *blankMessage, QAction *newTemplate);

private:
    QAction *makeAction(const QString &name, const QString &text, const QString &toolTip = QString());
    void buildToolbar(QMainWindow *window);

    QMainWindow *m_window;
};
