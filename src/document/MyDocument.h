#pragma once

#include "model/CollectionManager.h"

#include <QMainWindow>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>

class AskStringDialogController;
class CategoryListController;
class DocumentCommandArea;
class DocumentFileGuard;
class DetailsView;
class DocumentMenus;
class DocumentUndo;
class DocumentWindowState;
class LinkListController;
class QLabel;
class QSplitter;
class QTimer;
class RightClickTableView;
class SiteInfoDialogController;
class StatusBarController;
class CommandFocus;

// One open links database and its window: the category list beside the link list of the selected
// category, a details pane under it, a count line and a toolbar. Every command ends in one of the
// slots below; every change of the database ends by recomputing the reminders, refreshing the
// window, reselecting what changed and marking the document edited.
class MyDocument : public QMainWindow
{
    Q_OBJECT

public:
    // The site profile and page layout an untitled database starts with, taken when its window
    // first becomes active (the values the new-site assistant kept).
    void setStartingSiteProfile(const SiteProfileTexts &texts, bool singlePageLayout);

    static constexpr int NotificationInterval = 3600; // seconds
    static constexpr int CategoryListMinimumWidth = 100;
    static constexpr int LinkSideMinimumWidth = 380;
    static constexpr int LinkListMinimumRows = 5;

    explicit MyDocument(QWidget *parent = nullptr);
    ~MyDocument() override;

    // --- The file
    CollectionManager &collectionManager() { return m_collectionManager; }
    QString filePath() const { return m_filePath; }
    QString displayName() const;
    bool isEdited() const { return isWindowModified(); }
    // A file named like an e-mail templates file, which is imported, never opened.
    static bool isTemplatesFile(const QString &path);
    // Reads a database file into this new document and shows its first category. `error` says why
    // it failed; the templates-file alert is the caller's.
    bool readFromFile(const QString &path, FileError *error = nullptr);
    // Writes atomically, keeping the old file as NAME~.site when the preference asks for it.
    bool saveToFile(const QString &path, QString *error = nullptr);
    // Reads the file again, discarding unsaved changes; the selection and window state stay.
    bool reloadFromDisk();
    DocumentFileGuard *fileGuard() const { return m_fileGuard; }
    bool keepBackupFile() const;
    void setUntitledNumber(int number);
    // Marks the document as holding unsaved changes. Every command that changed the database ends
    // here; `actionName` names the change as the Edit menu will offer to undo it ("Delete Link").
    void updateChangeCount(const QString &actionName = QString());

    // --- Timers
    QTimer *computeNotificationsTimer() const { return m_computeNotificationsTimer; }
    QTimer *autoSaveTimer() const { return m_autoSaveTimer; }
    void updateAutoSaveTimer();
    // False while a sheet is on this window or an application-modal window runs.
    bool canRunTimerAction() const;
    bool hasAttachedSheet() const;

    // --- Window state kept in the file (DocumentWindowState)
    DocumentWindowState *documentWindowState() const { return m_windowState; }
    // The first showing puts the window in place.
    void setVisible(bool visible) override;
    double splitterPosition() const;
    void setSplitterPosition(double position);
    bool isDetailsCollapsed() const;
    void setDetailsCollapsed(bool collapsed);

    // --- Lists and selection
    void refreshUI();
    void refreshDetails();
    TreeNode *selectedCategoryNode() const;
    bool isCategorySelected() const { return selectedCategoryNode() != nullptr; }
    TreeNode *selectedLinkNode() const;
    const Link *selectedLink() const;
    QStringList selectedLinkIDs() const;
    int numberOfSelectedLinks() const;
    void showAndSelectCategoryNode(TreeNode *node);
    void showAndSelectLinkNode(TreeNode *node, bool focus = true);
    void selectLinksWithIDs(const QStringList &ids);
    QString uniqueID() const { return m_uniqueID; }
    QString linkPboardType() const;
    void buildSendMessageMenu();
    void resetSendMessageMenu();
    // Re-evaluates which commands are enabled and which status is ticked.
    void validateMenuItems();
    // The view the commands act on: the focused one, or while the menu bar holds the keyboard the
    // one that had the focus before.
    QWidget *commandFocusWidget() const;

    // --- Parts, for the application and for tests
    // The command area of that class (LinkCommands...), null when the window has none.
    template <class Area> Area *commandArea() const
    {
        for (DocumentCommandArea *area : m_commandAreas) {
            if (auto *found = qobject_cast<Area *>(area))
                return found;
        }
        return nullptr;
    }
    DocumentMenus *menus() const { return m_menus; }
    DocumentUndo *undo() const { return m_undo; }
    CategoryListController *categoryListController() const { return m_categoryListController; }
    LinkListController *linkListController() const { return m_linkListController; }
    RightClickTableView *categoriesTable() const { return m_categoriesTable; }
    RightClickTableView *linksTable() const { return m_linksTable; }
    DetailsView *detailsView() const { return m_detailsView; }
    QSplitter *splitView() const { return m_splitView; }
    QSplitter *secondarySplitView() const { return m_secondarySplitView; }
    QLabel *countField() const { return m_countField; }
    AskStringDialogController *askStringDialog() const { return m_askStringDialog; }
    SiteInfoDialogController *siteInfoDialog() const { return m_siteInfoDialog; }

public slots:
    // --- File commands
    bool save();
    // Saves to the document's file without the question about a file changed on disk.
    bool saveWithoutAsking();
    bool saveAs();
    void revertToSaved();
    void computeNotificationsWithTimer();
    void autoSaveWithTimer();
    // The first activation of a new database takes the assistant's site profile.
    void windowDidBecomeKey();

    // --- Link commands
    void deleteLink();
    void deleteLinkSheetDidEnd(int returnCode);
    void setStatusNew();
    void setStatusNegotiating();
    void setStatusApproved();
    void setStatusBlocked();
    void setSelectedLinkStatus(LinkStatus status);
    void markAsVerified();
    void visitLinkWebsite();
    void visitLinkPartnerWebsite();
    void newCustomEmail();
    void newTemplateEmail(int templateIndex);
    void sendTemplateEmailWithIndex(int templateIndex);

    // --- Database commands
    void importLinks();
    bool importLinksFromFile(const QString &path);
    void editSiteInfo();
    void editSiteInfoSheetDidEnd(int returnCode);

    // --- Category commands
    void newCategory();
    void newCategorySheetDidEnd(AskStringDialogController *controller);
    void renameCategory();
    void renameCategorySheetDidEnd(AskStringDialogController *controller);
    void deleteCategory();
    void deleteCategorySheetDidEnd(int returnCode);

    // --- Focus and selection commands
    void switchActiveList();
    void editSelectedObject();
    void deleteSelectedObject();

signals:
    // The window closed for good (the save question, if any, was answered).
    void documentClosed(MyDocument *document);
    // The verification sheet ended, confirmed or not (the link editor reopens after a check it asked
    // for).
    void verificationSheetEnded();

    // Commands of the application that the window's menus offer; the application connects them.
    void newSiteRequested();
    void preferencesRequested();
    void startingPointsRequested();
    void helpRequested();
    void shortcutsRequested();
    void tutorialRequested();
    void readMeRequested();
    void licenceRequested();
    void aboutRequested();
    // A new database took its starting site profile (the application may then say what comes next).
    void startingSiteProfileApplied();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildWindow();
    void connectCommands();
    // Makes the window's command areas (each file of commands adds its own here).
    void createCommandAreas();
    void tableViewSelectionDidChange();
    void updateTitle();
    void updateDetailsButtons();
    void rebuildWindowMenu();
    void rebuildRecentFilesMenu();
    void linksWereDropped(const QStringList &ids);
    bool askToSaveChanges();
    void reportSaveFailure(const QString &path, const QString &error);
    AskStringDialogController *askStringDialogController();
    void sendEmailToSelectedLink(const std::function<bool(Link &)> &send);
    void visitURL(const QString &url, const QString &title, const QString &message);

    CollectionManager m_collectionManager;
    CommandFocus *m_commandFocus = nullptr;
    QString m_filePath;
    QString m_uniqueID;
    int m_untitledNumber = 1;

    bool m_editedSiteInfo = false;
    SiteProfileTexts m_startingSiteProfile;
    bool m_startingSinglePageLayout = true;
    bool m_firstBecomeKeyWasProcessed = false;
    QTimer *m_computeNotificationsTimer = nullptr;
    QTimer *m_autoSaveTimer = nullptr;

    DocumentWindowState *m_windowState = nullptr;
    DocumentFileGuard *m_fileGuard = nullptr;

    QSplitter *m_splitView = nullptr;
    QSplitter *m_secondarySplitView = nullptr;
    RightClickTableView *m_categoriesTable = nullptr;
    RightClickTableView *m_linksTable = nullptr;
    DetailsView *m_detailsView = nullptr;
    QLabel *m_countField = nullptr;
    DocumentMenus *m_menus = nullptr;
    DocumentUndo *m_undo = nullptr;
    CategoryListController *m_categoryListController = nullptr;
    LinkListController *m_linkListController = nullptr;
    StatusBarController *m_statusBarController = nullptr;
    QList<QAction *> m_templateActions;
    QList<QAction *> m_windowListActions;
    QList<DocumentCommandArea *> m_commandAreas;

    // Sheets, made on first use and kept (children of the window).
    AskStringDialogController *m_askStringDialog = nullptr;
    SiteInfoDialogController *m_siteInfoDialog = nullptr;
};
