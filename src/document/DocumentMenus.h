#pragma once

#include <QObject>
#include <array>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// One identifier per command of a document window's menus, named after the command.
enum class ActionId
{
    NewSite,
    OpenDocument,
    CloseDocument,
    SaveDocument,
    SaveDocumentAs,
    RevertDocument,
    PrintPreview,
    Print,
    ExportAsPDF,
    Quit,
    ImportPartners,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    EditSelectedObject,
    DeleteSelectedObject,
    SelectAllLinks,
    FindLink,
    FindNextLink,
    FilterLinks,
    Preferences,
    SwitchActiveList,
    ToggleDetails,
    ToggleReminders,
    NewCategory,
    RenameCategory,
    DeleteCategory,
    NewLink,
    InstantLink,
    EditLink,
    ShowLinkExchangeInfo,
    ShowLinkNotifications,
    ShowLinkNotes,
    SetStatusNew,
    SetStatusNegotiating,
    SetStatusApproved,
    SetStatusBlocked,
    MarkAsVerified,
    VerifyLink,
    VerifyAllLinks,
    VisitLinkWebsite,
    VisitLinkPartnerWebsite,
    NewCustomEmail,
    NewEmailTemplate,
    MoveToCategory,
    DeleteLink,
    EditSiteInfo,
    NotificationSetup,
    ShowEmailTemplates,
    HTMLSetup,
    ImportLinks,
    CopyHTML,
    CopyCategoryHTML,
    CopyHTMLStyles,
    ExportLinksToHTML,
    CopySpreadsheet,
    ExportLinksToSpreadsheet,
    ExportLinksToCSV,
    CountLinks,
    ShowStatistics,
    ShowLostLinks,
    PublishLinksPage,
    CheckOwnPage,
    SendMessageToSelectedLinks,
    ShowOutbox,
    CheckForReplies,
    MinimizeWindow,
    ShowStartingPoints,
    DoHelp,
    ShowShortcuts,
    ShowTutorial,
    ShowReadMe,
    ShowEULA,
    DoAbout,
};
inline constexpr int ActionIdCount = int(ActionId::DoAbout) + 1;

// The menu bar, toolbar and context menus of one document window. Every action is named after
// the command it runs and found by its identifier; the window's command areas connect them and set
// their enabled state.
class DocumentMenus : public QObject
{
    Q_OBJECT

public:
    explicit DocumentMenus(QMainWindow *window);

    // The action of that command (an identifier without one is a programming error).
    QAction *action(ActionId id) const;

    // The menus the window's parts fill or open: Open Recent, File › Import, Edit, Window.
    QMenu *recentFilesMenu;
    QMenu *importMenu;
    QMenu *editMenu;
    QMenu *windowMenu;

    // The menus that list the database's e-mail templates, the Link menu's and the link context
    // menu's (the document fills them, with the details pane's pull-down).
    QMenu *sendMessageMenu, *linkSendMessageMenu;
    QMenu *linkContextMenu, *categoryContextMenu;
    QToolBar *toolbar;

    // Open Recent: one numbered item per file (its path as data and tool tip), then Clear Menu.
    void fillRecentFilesMenu(const QStringList &files);

    // Every menu of the window: the menu bar's, their submenus, the context menus and theirs.
    QList<QMenu *> allMenus() const;
    // A submenu all of whose items are disabled is disabled too (the menus filled only when they
    // open, Open Recent, are left to their owner).
    void enableSubmenus();

private:
    // Makes the action of the command, named for tests and the accessibility bus, and registers it.
    QAction *makeAction(ActionId id, const QString &name, const QString &text,
                        const QString &toolTip = QString());
    void buildToolbar(QMainWindow *window);

    QMainWindow *m_window;
    std::array<QAction *, ActionIdCount> m_actions{};
};
