#pragma once

#include "Document.h"

#include <QMainWindow>
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>

class CategoryListController;
class DocumentCommandArea;
class DocumentFileGuard;
class DetailsView;
class DocumentMenus;
class DocumentUndo;
class DocumentWindowState;
class EmailTemplateListModel;
class LinkFilterBar;
class LinkListController;
class LinkListFilter;
class RecordedChecksCache;
class RemindersPanel;
class QLabel;
class QSplitter;
class RightClickTableView;
class StatusBarController;
class CommandFocus;

// The window of one open links database (a Document it observes): the category list beside the link
// list of the selected category, a details pane under it, a count line and a toolbar. Every change
// of the database goes through the document's perform(); the window answers its changed() signal by
// refreshing the lists and reselecting what changed.
class MyDocument : public QMainWindow
{
    Q_OBJECT

public:
    // The site profile and page layout an untitled database starts with, taken when its window
    // first becomes active (the values the new-site assistant kept).
    void setStartingSiteProfile(const SiteProfileTexts &texts, bool singlePageLayout);

    static constexpr int NotificationInterval = Document::NotificationInterval;
    static constexpr int CategoryListMinimumWidth = 100;
    static constexpr int LinkSideMinimumWidth = 380;
    static constexpr int LinkListMinimumRows = 5;

    // A window on a new untitled database.
    explicit MyDocument(QWidget *parent = nullptr);
    // A window on a database already read.
    explicit MyDocument(std::unique_ptr<Document> document, QWidget *parent = nullptr);
    ~MyDocument() override;

    // --- The document (the file commands are FileCommands')
    Document *document() const { return m_document.get(); }
    CollectionManager &collectionManager() { return m_document->collectionManager(); }
    QString filePath() const { return m_document->filePath(); }
    bool isEdited() const { return isWindowModified(); }
    // Reads the file again, discarding unsaved changes; the selection and window state stay.
    bool reloadFromDisk();
    DocumentFileGuard *fileGuard() const { return m_fileGuard; }

    // --- Timers
    // False while a sheet is on this window or an application-modal window runs.
    bool canRunTimerAction() const;
    bool hasAttachedSheet() const;

    // --- Window state kept in the file (DocumentWindowState)
    DocumentWindowState *documentWindowState() const { return m_windowState; }
    // The first showing puts the window in place.
    void setVisible(bool visible) override;

    // --- Lists and selection
    // Reads the lists again (the file was read); changes update them row by row.
    void refreshUI();
    void refreshDetails();
    // Null while All Links is selected.
    TreeNode *selectedCategoryNode() const;
    bool isCategorySelected() const { return selectedCategoryNode() != nullptr; }
    bool isAllLinksSelected() const;
    // Lists every link of the database, with the category list on All Links.
    void showAllLinks();
    // The category a new link goes to: the selected one, in All Links the selected link's (or the
    // first category).
    TreeNode *categoryForNewLinks() const;
    TreeNode *selectedLinkNode() const;
    const Link *selectedLink() const;
    QStringList selectedLinkIDs() const;
    int numberOfSelectedLinks() const;
    void showAndSelectCategoryNode(TreeNode *node);
    void showAndSelectLinkNode(TreeNode *node, bool focus = true);
    void selectLinksWithIDs(const QStringList &ids);
    QString linkPboardType() const;
    // The database's templates, listed by every send-message menu; told of each change here.
    EmailTemplateListModel *emailTemplateModel() const { return m_emailTemplateModel; }
    void emailTemplatesChanged();
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
    LinkFilterBar *filterBar() const { return m_filterBar; }
    LinkListFilter *linkFilter() const { return m_linkFilter; }
    // The history's latest check of each link, read in the background.
    RecordedChecksCache *recordedChecks() const { return m_recordedChecks; }
    RemindersPanel *remindersPanel() const { return m_remindersPanel; }
    RightClickTableView *categoriesTable() const { return m_categoriesTable; }
    RightClickTableView *linksTable() const { return m_linksTable; }
    DetailsView *detailsView() const { return m_detailsView; }
    QSplitter *splitView() const { return m_splitView; }
    QSplitter *secondarySplitView() const { return m_secondarySplitView; }
    QLabel *countField() const { return m_countField; }

public slots:
    // The first activation of a new database takes the assistant's site profile.
    void windowDidBecomeKey();

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

    // A new database took its starting site profile (the application may then say what comes next).
    void startingSiteProfileApplied();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildWindow();
    void observeDocument();
    // The one place the window follows a change of the database.
    void documentChanged(const DocumentChange &change);
    void releaseStoreNodes();
    void connectCommands();
    // Makes the window's command areas (each file of commands adds its own here).
    void createCommandAreas();
    void tableViewSelectionDidChange();
    void updateTitle();
    void updateDetailsButtons();
    // Follows a change in the lists' rows, without a reset.
    void updateLists(const DocumentChange &change);
    // The filter bar and the views over the link list, and what keeps their counts current.
    void buildLinkFilter();
    void updateShownLinks();
    void buildRemindersPanel();

    // Destroyed after the window's own parts, before its child widgets (which let go of it first).
    std::unique_ptr<Document> m_document;
    CommandFocus *m_commandFocus = nullptr;

    SiteProfileTexts m_startingSiteProfile;
    bool m_startingSinglePageLayout = true;
    bool m_firstBecomeKeyWasProcessed = false;

    DocumentWindowState *m_windowState = nullptr;
    DocumentFileGuard *m_fileGuard = nullptr;

    QSplitter *m_splitView = nullptr;
    QSplitter *m_secondarySplitView = nullptr;
    RecordedChecksCache *m_recordedChecks = nullptr;
    LinkListFilter *m_linkFilter = nullptr;
    LinkFilterBar *m_filterBar = nullptr;
    RemindersPanel *m_remindersPanel = nullptr;
    RightClickTableView *m_categoriesTable = nullptr;
    RightClickTableView *m_linksTable = nullptr;
    DetailsView *m_detailsView = nullptr;
    QLabel *m_countField = nullptr;
    DocumentMenus *m_menus = nullptr;
    DocumentUndo *m_undo = nullptr;
    CategoryListController *m_categoryListController = nullptr;
    LinkListController *m_linkListController = nullptr;
    StatusBarController *m_statusBarController = nullptr;
    EmailTemplateListModel *m_emailTemplateModel = nullptr;
    QList<DocumentCommandArea *> m_commandAreas;
};
