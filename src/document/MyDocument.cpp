#include "MyDocument.h"

#include "CategoryCommands.h"
#include "CategoryListController.h"
#include "CategoryListModel.h"
#include "CommandFocus.h"
#include "DetailsView.h"
#include "DocumentCommandArea.h"
#include "DocumentController.h"
#include "DocumentFileGuard.h"
#include "DocumentMenus.h"
#include "DocumentUndo.h"
#include "DocumentWindowState.h"
#include "FileChangedBar.h"
#include "FileCommands.h"
#include "LinkDeleteCommands.h"
#include "LinkFilterBar.h"
#include "LinkHistoryLoader.h"
#include "LinkListController.h"
#include "LinkListFilter.h"
#include "MailCommands.h"
#include "RecordedChecksCache.h"
#include "RemindersPanel.h"
#include "StatusBarController.h"
#include "gui/MessageBox.h"
#include "gui/RightClickTableView.h"
#include "model/LinkDragPayload.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"
#include "workflow/DetailsTexts.h"
#include "workflow/EmailTemplateListModel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {
constexpr QSize DefaultWindowSize(900, 640);
} // namespace

MyDocument::MyDocument(QWidget *parent) : MyDocument(std::make_unique<Document>(), parent) {}

MyDocument::MyDocument(std::unique_ptr<Document> document, QWidget *parent)
    : QMainWindow(parent), m_document(std::move(document))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("MyDocument"));
    setWindowModified(m_document->isModified());
    m_commandFocus = new CommandFocus(this);
    buildWindow();
    m_undo = new DocumentUndo(this, m_menus->action(ActionId::Undo), m_menus->action(ActionId::Redo));
    connectCommands();
    createCommandAreas();
    observeDocument();
    if (!m_document->filePath().isEmpty()) {
        // Read before the window existed: the window takes the state stored with it.
        m_windowState->takeStoredState();
        showAndSelectCategoryNode(collectionManager().categoryRoot()->firstChild());
        refreshUI();
    }
    emailTemplatesChanged(); // validates the menus too
    updateTitle();
}

MyDocument::~MyDocument()
{
    // Hidden while still whole: QWidget's destructor would otherwise close the window and move the
    // focus, and the command areas listening to focus and clipboard would reach a half-destroyed document.
    hide();
    QObject::disconnect(qApp, nullptr, m_commandFocus, nullptr);
    for (DocumentCommandArea *area : std::as_const(m_commandAreas)) {
        QObject::disconnect(qApp, nullptr, area, nullptr);
        QObject::disconnect(QGuiApplication::clipboard(), nullptr, area, nullptr);
    }
    m_document->close();
    QObject::disconnect(m_document.get(), nullptr, this, nullptr);
    // The lists hold nodes of the store, which goes before the child widgets and models.
    releaseStoreNodes();
    // Children dying after this point must not call back into the half-destroyed document.
    for (QObject *child : findChildren<QObject *>()) {
        QObject::disconnect(child, nullptr, this, nullptr);
        QObject::disconnect(m_document.get(), nullptr, child, nullptr);
        QObject::disconnect(m_document->undoStack(), nullptr, child, nullptr);
    }
}

void MyDocument::observeDocument()
{
    Document *document = m_document.get();
    // A sheet or an application-modal window holds the timers back.
    document->setTimerGate([this] { return canRunTimerAction(); });
    connect(document, &Document::changed, this, &MyDocument::documentChanged);
    connect(document, &Document::modifiedChanged, this, [this](bool modified) {
        setWindowModified(modified);
        validateMenuItems();
    });
    connect(document, &Document::fileNameChanged, this, &MyDocument::updateTitle);
    // Saved under another name, the database has the history beside the new file.
    connect(document, &Document::fileNameChanged, this, [this] {
        m_linkListController->model()->loadHistory(filePath());
        commandArea<MailCommands>()->reloadLastContacts();
    });
    connect(document, &Document::aboutToReload, this, &MyDocument::releaseStoreNodes);
    // The hourly reminders change no link: the rows whose mark changed are told, none is reset.
    connect(document, &Document::notificationsRecomputed, this, [this] {
        m_categoryListController->updateList();
        m_linkListController->updateTable(DocumentChange());
        m_statusBarController->refresh();
    });
    connect(document, &Document::statusMessage, this,
            [this](const QString &message, int timeoutMs) { statusBar()->showMessage(message, timeoutMs); });
}

void MyDocument::releaseStoreNodes()
{
    m_linkListController->setCategory(nullptr);
    m_categoryListController->clear();
}

void MyDocument::documentChanged(const DocumentChange &change)
{
    updateLists(change);
    if (change.templatesChanged || change.unknownExtent)
        emailTemplatesChanged();
    // An undo or redo step names nothing to select: DocumentUndo selects what it touched.
    if (change.revealLinks && !change.linkIDs.isEmpty())
        showAndSelectLinkNode(collectionManager().linkNodeWithID(change.linkIDs.first()));
    else if (!change.linkIDs.isEmpty())
        selectLinksWithIDs(change.linkIDs);
    else if (TreeNode *category = collectionManager().categoryNodeWithID(change.categoryID))
        showAndSelectCategoryNode(category);
    setWindowModified(m_document->isModified());
    validateMenuItems();
}

// ---------------------------------------------------------------- window set-up

void MyDocument::buildWindow()
{
    m_categoriesTable = new RightClickTableView;
    m_categoriesTable->setObjectName(QStringLiteral("categoriesTable"));
    m_categoriesTable->setAccessibleName(tr("Categories"));
    m_categoriesTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_categoriesTable->setAlternatingRowColors(false);
    m_categoriesTable->setMinimumWidth(CategoryListMinimumWidth);
    m_categoriesTable->horizontalHeader()->setStretchLastSection(true);
    m_categoriesTable->setIconSize(QSize(16, 16));

    m_linksTable = new RightClickTableView;
    m_linksTable->setObjectName(QStringLiteral("linksTable"));
    m_linksTable->setAccessibleName(tr("Links"));
    m_linksTable->setIconSize(QSize(16, 16));
    m_detailsView = new DetailsView;
    m_detailsView->setObjectName(QStringLiteral("detailsView"));

    // The details pane keeps its height while the link list has room for five rows; below that the
    // pane gives way first (DocumentWindowState brings it back). Only collapsing it hides it.
    m_secondarySplitView = new QSplitter(Qt::Vertical);
    m_secondarySplitView->setObjectName(QStringLiteral("secondarySplitView"));
    // The filter bar joins the link list once the list's model exists (buildLinkFilter).
    auto *linkPane = new QWidget;
    linkPane->setObjectName(QStringLiteral("linkPane"));
    auto *linkPaneLayout = new QVBoxLayout(linkPane);
    linkPaneLayout->setContentsMargins(0, 0, 0, 0);
    linkPaneLayout->setSpacing(0);
    linkPaneLayout->addWidget(m_linksTable, 1);
    m_secondarySplitView->addWidget(linkPane);
    m_secondarySplitView->addWidget(m_detailsView);
    m_secondarySplitView->setCollapsible(0, false);
    m_secondarySplitView->setCollapsible(1, true);
    m_secondarySplitView->setStretchFactor(0, 1);
    m_secondarySplitView->setStretchFactor(1, 0);
    m_secondarySplitView->setMinimumWidth(LinkSideMinimumWidth);

    // The category list keeps its share of the width as the window grows or shrinks, within the
    // minimum widths of both sides.
    m_splitView = new QSplitter(Qt::Horizontal);
    m_splitView->setObjectName(QStringLiteral("splitView"));
    m_splitView->addWidget(m_categoriesTable);
    m_splitView->addWidget(m_secondarySplitView);
    m_splitView->setCollapsible(0, false);
    m_splitView->setCollapsible(1, false);
    m_splitView->setStretchFactor(0, 1);
    m_splitView->setStretchFactor(1, 1);
    m_splitView->setSizes({200, DefaultWindowSize.width() - 200});
    // The question about a file changed on disk sits above the lists, asked without a modal box.
    m_fileGuard = new DocumentFileGuard(this);
    auto *central = new QWidget;
    auto *centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    centralLayout->addWidget(m_fileGuard->bar());
    centralLayout->addWidget(m_splitView, 1);
    setCentralWidget(central);

    m_countField = new QLabel;
    m_countField->setObjectName(QStringLiteral("countField"));
    statusBar()->addWidget(m_countField, 1);
    statusBar()->setSizeGripEnabled(true);

    m_menus = new DocumentMenus(this);
    m_categoriesTable->setContextMenu(m_menus->categoryContextMenu);
    m_linksTable->setContextMenu(m_menus->linkContextMenu);
    m_emailTemplateModel = new EmailTemplateListModel(&collectionManager(), this);

    m_categoryListController = new CategoryListController(&collectionManager(), linkPboardType(), this);
    m_categoryListController->setTableView(m_categoriesTable);
    m_linkListController = new LinkListController(&collectionManager(), linkPboardType(), this);
    m_linkListController->setTableView(m_linksTable);
    // Room for the rows under a horizontal scroll bar too: with many columns shown the list scrolls
    // sideways.
    m_linksTable->setMinimumHeight(
        m_linksTable->horizontalHeader()->sizeHint().height() +
        LinkListMinimumRows * m_linksTable->verticalHeader()->defaultSectionSize() +
        m_linksTable->horizontalScrollBar()->sizeHint().height() + 2 * m_linksTable->frameWidth());
    m_statusBarController = new StatusBarController(&collectionManager(), m_countField, this);
    buildLinkFilter();
    linkPaneLayout->insertWidget(0, m_filterBar);
    buildRemindersPanel();

    connect(m_categoriesTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MyDocument::tableViewSelectionDidChange);
    connect(m_linkListController, &LinkListController::selectionDidChange, this, [this] {
        refreshDetails();
        validateMenuItems();
    });

    m_categoryListController->refreshList();
    TreeNode *first = collectionManager().categoryRoot()->firstChild();
    m_linkListController->setCategory(first);
    // The last check's words take the history's latest check too.
    connect(m_linkListController->model()->historyLoader(), &LinkHistoryLoader::loaded, this,
            &MyDocument::refreshDetails);
    m_linkListController->model()->loadHistory(filePath());
    m_statusBarController->setCategory(first);

    resize(DefaultWindowSize);
    setMinimumSize(CategoryListMinimumWidth + LinkSideMinimumWidth + 40, 480);
    m_windowState = new DocumentWindowState(this);
    validateMenuItems();
}

void MyDocument::buildLinkFilter()
{
    LinkListModel *model = m_linkListController->model();
    m_recordedChecks = new RecordedChecksCache(&collectionManager(), this);
    m_linkFilter = new LinkListFilter(model, m_recordedChecks, this);
    m_filterBar = new LinkFilterBar(m_linkFilter);
    m_filterBar->setObjectName(QStringLiteral("filterBar"));
    connect(m_menus->action(ActionId::FilterLinks), &QAction::triggered, m_filterBar,
            &LinkFilterBar::focusField);

    // The status line follows the shown rows, once per turn of the event loop: filtering removes and
    // inserts rows range by range.
    auto *shownTimer = new QTimer(this);
    shownTimer->setSingleShot(true);
    shownTimer->setInterval(0);
    connect(shownTimer, &QTimer::timeout, this, &MyDocument::updateShownLinks);
    auto scheduleShown = [shownTimer] { shownTimer->start(); };
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, shownTimer, scheduleShown);
    connect(model, &QAbstractItemModel::modelReset, shownTimer, scheduleShown);
    connect(model, &QAbstractItemModel::layoutChanged, shownTimer, scheduleShown);
    connect(m_linkFilter, &LinkListFilter::applied, shownTimer, scheduleShown);
    // The views' counts follow the category's links, not what the filter shows.
    QAbstractItemModel *rows = model->sourceModel();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(rows, signal, m_filterBar, &LinkFilterBar::scheduleCountUpdate);
    connect(rows, &QAbstractItemModel::modelReset, m_filterBar, &LinkFilterBar::scheduleCountUpdate);
    connect(rows, &QAbstractItemModel::layoutChanged, m_filterBar, &LinkFilterBar::scheduleCountUpdate);
    connect(rows, &QAbstractItemModel::dataChanged, m_filterBar, &LinkFilterBar::scheduleCountUpdate);
    connect(m_recordedChecks, &RecordedChecksCache::checksChanged, m_linkFilter, &LinkListFilter::refresh);
    connect(m_recordedChecks, &RecordedChecksCache::checksChanged, m_filterBar,
            &LinkFilterBar::scheduleCountUpdate);
    connect(m_document.get(), &Document::notificationsRecomputed, m_linkFilter, &LinkListFilter::refresh);
    connect(m_document.get(), &Document::notificationsRecomputed, m_filterBar,
            &LinkFilterBar::scheduleCountUpdate);
    connect(m_document.get(), &Document::fileNameChanged, this,
            [this] { m_recordedChecks->reload(filePath()); });
}

void MyDocument::buildRemindersPanel()
{
    m_remindersPanel = new RemindersPanel(&collectionManager(), this);
    m_remindersPanel->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::BottomDockWidgetArea, m_remindersPanel);
    m_remindersPanel->hide();
    connect(m_menus->action(ActionId::ToggleReminders), &QAction::triggered, this, [this](bool shown) {
        m_remindersPanel->setVisible(shown);
        if (shown)
            m_remindersPanel->focusList();
    });
    connect(m_remindersPanel, &QDockWidget::visibilityChanged, m_menus->action(ActionId::ToggleReminders),
            &QAction::setChecked);
    connect(m_remindersPanel, &RemindersPanel::linkChosen, this, [this](const QString &linkID) {
        showAndSelectLinkNode(collectionManager().linkNodeWithID(linkID), false);
    });
    connect(m_document.get(), &Document::notificationsRecomputed, m_remindersPanel, &RemindersPanel::refresh);
}

void MyDocument::updateShownLinks()
{
    const LinkListModel *model = m_linkListController->model();
    if (m_linkFilter->isNarrowing())
        m_statusBarController->setShownLinks(std::make_pair(model->rowCount(), model->unfilteredRowCount()));
    else
        m_statusBarController->setShownLinks(std::nullopt);
}

void MyDocument::setVisible(bool visible)
{
    if (visible)
        m_windowState->windowWillShow();
    QMainWindow::setVisible(visible);
}

// ---------------------------------------------------------------- the file

void MyDocument::updateTitle()
{
    // "sample.site* — Quillmarsh": the file, the unsaved mark, the application. A "[*]" of the file's
    // own name is doubled so that it is shown, not taken for the mark.
    QString name = m_document->displayName();
    name.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    if (m_document->isReadOnly())
        setWindowTitle(tr("%1[*] (read-only) \u2014 Quillmarsh").arg(name));
    else
        setWindowTitle(tr("%1[*] \u2014 Quillmarsh").arg(name));
    setWindowFilePath(filePath());
}

bool MyDocument::reloadFromDisk()
{
    if (filePath().isEmpty())
        return false;
    const bool allLinks = isAllLinksSelected();
    const QString previousCategoryID =
        selectedCategoryNode() ? selectedCategoryNode()->attachmentID() : QString();
    const QStringList previousLinkIDs = selectedLinkIDs();
    FileError error;
    const bool read = m_document->revert(&error);
    // The store took the window state of the file; the window keeps its own.
    m_windowState->recordAll();
    m_categoryListController->refreshList();
    TreeNode *category = collectionManager().categoryNodeWithID(previousCategoryID);
    if (allLinks)
        showAllLinks();
    else
        showAndSelectCategoryNode(category ? category : collectionManager().categoryRoot()->firstChild());
    selectLinksWithIDs(previousLinkIDs);
    refreshUI();
    emailTemplatesChanged();
    if (!read) {
        MessageBox::alert(
            this, tr("The document \"%1\" could not be reverted.").arg(m_document->displayName()),
            tr("%1 Your current version is kept.").arg(error.message()), {}, MessageBox::Critical);
    }
    return read;
}

void MyDocument::closeEvent(QCloseEvent *event)
{
    if (isEdited() && !commandArea<FileCommands>()->askToSaveChanges()) {
        event->ignore();
        return;
    }
    m_document->close();
    event->accept();
    emit documentClosed(this);
}

// ---------------------------------------------------------------- timers

bool MyDocument::hasAttachedSheet() const
{
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && window->windowModality() == Qt::WindowModal &&
            window->parentWidget() && window->parentWidget()->window() == this)
            return true;
    }
    return false;
}

bool MyDocument::canRunTimerAction() const
{
    if (!isVisible() || hasAttachedSheet())
        return false;
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowModality() == Qt::ApplicationModal)
            return false;
    }
    return true;
}

// ---------------------------------------------------------------- first activation

void MyDocument::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        windowDidBecomeKey();
}

void MyDocument::setStartingSiteProfile(const SiteProfileTexts &texts, bool singlePageLayout)
{
    m_startingSiteProfile = texts;
    m_startingSinglePageLayout = singlePageLayout;
}

void MyDocument::windowDidBecomeKey()
{
    emailTemplatesChanged();
    if (m_firstBecomeKeyWasProcessed)
        return;
    m_firstBecomeKeyWasProcessed = true;
    if (m_document->hasSiteProfile())
        return;
    m_document->applyStartingSiteProfile(m_startingSiteProfile, m_startingSinglePageLayout);
    raise();
    activateWindow();
    // Not from inside the activation event: what follows may run a modal loop of its own.
    QTimer::singleShot(0, this, &MyDocument::startingSiteProfileApplied);
}

// ---------------------------------------------------------------- lists and selection

QString MyDocument::linkPboardType() const
{
    return LinkDragPayload::typeForDocument(m_document->uniqueID());
}

void MyDocument::refreshUI()
{
    // The file was read: its history may have changed with it.
    m_recordedChecks->reload(filePath());
    m_remindersPanel->refresh();
    m_categoryListController->refreshList();
    m_linkListController->refreshTable();
    m_linkListController->model()->loadHistory(filePath());
    commandArea<MailCommands>()->reloadLastContacts();
    m_statusBarController->refresh();
}

void MyDocument::updateLists(const DocumentChange &change)
{
    if (!change.touchesLinksOrCategories())
        return;
    m_remindersPanel->refresh();
    m_categoryListController->updateList();
    m_linkListController->updateTable(change);
    m_statusBarController->refresh();
}

void MyDocument::refreshDetails()
{
    const TreeNode *node = selectedLinkNode();
    const Link *link = node ? node->link() : nullptr;
    QString firstNotification;
    if (link && NotificationComputer::linkHasNotifications(node)) {
        const QList<const Notification *> notifications = NotificationComputer::notificationsOfLinkNode(node);
        firstNotification =
            notifications.isEmpty() ? QString(QLatin1String("")) : notifications.first()->text();
    }
    if (!link) {
        const int count = numberOfSelectedLinks();
        m_detailsView->setPlaceholderText(count > 1 ? tr("%n link(s) selected", nullptr, count)
                                                    : tr("No link selected"));
    }
    m_detailsView->showLink(link, firstNotification);
    if (link) {
        m_detailsView->setLastCheck(
            DetailsTexts::lastCheckLine(*link, m_linkListController->model()->linkFollowed(link->ID())));
        const LastContact *contact = m_linkListController->model()->lastContact(link->ID());
        m_detailsView->setLastContact(contact ? contact->line() : QString());
        updateDetailsButtons();
    }
}

void MyDocument::updateDetailsButtons()
{
    // The pane's buttons follow the commands they run.
    const DocumentMenus &m = *m_menus;
    m_detailsView->setButtonsEnabled(
        m.action(ActionId::EditLink)->isEnabled(), m.action(ActionId::ShowLinkExchangeInfo)->isEnabled(),
        m.action(ActionId::ShowLinkNotifications)->isEnabled(), true, true,
        m.action(ActionId::ShowLinkNotes)->isEnabled(), m.action(ActionId::NewCustomEmail)->isEnabled());
}

TreeNode *MyDocument::selectedCategoryNode() const
{
    return m_categoryListController->selectedCategoryNode();
}

TreeNode *MyDocument::selectedLinkNode() const
{
    return m_linkListController->selectedLinkNode();
}

const Link *MyDocument::selectedLink() const
{
    const TreeNode *node = selectedLinkNode();
    return node ? node->link() : nullptr;
}

QStringList MyDocument::selectedLinkIDs() const
{
    return m_linkListController->selectedLinkIDs();
}

int MyDocument::numberOfSelectedLinks() const
{
    return m_linkListController->numberOfSelectedLinks();
}

void MyDocument::tableViewSelectionDidChange()
{
    // All Links shows the rows of the category root: every category's links.
    TreeNode *node = isAllLinksSelected() ? collectionManager().categoryRoot() : selectedCategoryNode();
    if (node != m_linkListController->category()) {
        m_linkListController->setCategory(node);
        m_statusBarController->setCategory(node);
    }
    validateMenuItems();
}

void MyDocument::showAndSelectCategoryNode(TreeNode *node)
{
    if (!node)
        return;
    m_categoryListController->showAndSelectCategoryNode(node);
    if (m_linkListController->category() != node)
        m_linkListController->setCategory(node);
    m_statusBarController->setCategory(node);
    m_linkListController->showAndSelectLinkNode(nullptr);
    m_categoriesTable->setFocus();
}

void MyDocument::showAndSelectLinkNode(TreeNode *node, bool focus)
{
    if (!node || !node->parent())
        return;
    // All Links stays on while the link is in it; a hidden link is shown by its category.
    TreeNode *category = isAllLinksSelected() ? collectionManager().categoryRoot() : node->parent();
    if (category != collectionManager().categoryRoot())
        m_categoryListController->showAndSelectCategoryNode(category);
    if (m_linkListController->category() != category)
        m_linkListController->setCategory(category);
    m_statusBarController->setCategory(category);
    // A link asked for by name (found, added, chosen in a list) shows even when the filter hid it.
    if (m_linkFilter->isNarrowing() && !m_linkFilter->accepts(node))
        m_filterBar->clear();
    m_linkListController->showAndSelectLinkNode(node);
    if (focus)
        m_linksTable->setFocus();
}

void MyDocument::selectLinksWithIDs(const QStringList &ids)
{
    m_linkListController->selectLinksWithIDs(ids);
}

// ---------------------------------------------------------------- menus

void MyDocument::emailTemplatesChanged()
{
    m_emailTemplateModel->templatesChanged();
    validateMenuItems();
}

void MyDocument::validateMenuItems()
{
    for (DocumentCommandArea *area : std::as_const(m_commandAreas))
        area->validateMenuItems();

    const DocumentMenus &m = *m_menus;
    auto enable = [](QAction *action, bool enabled) { action->setEnabled(enabled); };
    const TreeNode *linkNode = selectedLinkNode();
    const Link *link = linkNode ? linkNode->link() : nullptr;
    const bool oneLink = link != nullptr;
    const bool someLinks = numberOfSelectedLinks() > 0;
    // The default category can be neither edited nor deleted (the keys still say why).
    const TreeNode *categoryNode = selectedCategoryNode();
    const bool category = categoryNode && categoryNode->category() && !categoryNode->category()->isNone();
    const bool linksHaveFocus = commandFocusWidget() == m_linksTable;

    enable(m.action(ActionId::EditSelectedObject),
           linksHaveFocus ? m.action(ActionId::EditLink)->isEnabled() : category);
    enable(m.action(ActionId::DeleteSelectedObject), linksHaveFocus ? someLinks : category);
    m_menus->enableSubmenus();
    if (oneLink)
        updateDetailsButtons();
}

QWidget *MyDocument::commandFocusWidget() const
{
    return m_commandFocus ? m_commandFocus->widget() : focusWidget();
}

// ---------------------------------------------------------------- focus commands

void MyDocument::switchActiveList()
{
    if (commandFocusWidget() == m_linksTable)
        m_categoriesTable->setFocus(Qt::OtherFocusReason);
    else
        m_linksTable->setFocus(Qt::OtherFocusReason);
    validateMenuItems();
}

void MyDocument::editSelectedObject()
{
    if (commandFocusWidget() == m_linksTable) {
        if (m_menus->action(ActionId::EditLink)->isEnabled())
            m_menus->action(ActionId::EditLink)->trigger();
    } else {
        commandArea<CategoryCommands>()->renameCategory();
    }
}

void MyDocument::deleteSelectedObject()
{
    if (commandFocusWidget() == m_linksTable)
        commandArea<LinkDeleteCommands>()->deleteLink();
    else
        commandArea<CategoryCommands>()->deleteCategory();
}
