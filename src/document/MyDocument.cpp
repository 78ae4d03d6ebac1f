#include "MyDocument.h"

#include "AskStringDialogController.h"
#include "CategoryListController.h"
#include "CommandFocus.h"
#include "DetailsView.h"
#include "DocumentCommandArea.h"
#include "DocumentController.h"
#include "DocumentFileGuard.h"
#include "DocumentMenus.h"
#include "DocumentUndo.h"
#include "DocumentWindowState.h"
#include "FileChangedBar.h"
#include "LinkListController.h"
#include "StatusBarController.h"
#include "gui/FilePanel.h"
#include "gui/MessageBox.h"
#include "gui/RightClickTableView.h"
#include "history/HistoryStore.h"
#include "model/DatabaseFile.h"
#include "model/DocumentFileNames.h"
#include "model/LinkDragPayload.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"
#include "model/Preferences.h"
#include "workflow/StarterTemplates.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>

namespace {
constexpr QSize DefaultWindowSize(900, 640);
} // namespace

MyDocument::MyDocument(QWidget *parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("MyDocument"));
    // The object's address is unique among the open documents of this run.
    m_uniqueID = QString::number(quintptr(this));
    m_commandFocus = new CommandFocus(this);
    buildWindow();
    m_undo = new DocumentUndo(this, m_menus->undo, m_menus->redo);
    connectCommands();
    createCommandAreas();
    validateMenuItems();
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
    m_computeNotificationsTimer->stop();
    m_autoSaveTimer->stop();
    // The lists hold nodes of the store, which goes before the child widgets and models.
    m_linkListController->setCategory(nullptr);
    m_categoryListController->clear();
    // Children dying after this point must not call back into the half-destroyed document.
    for (QObject *child : findChildren<QObject *>())
        QObject::disconnect(child, nullptr, this, nullptr);
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
    m_secondarySplitView->addWidget(m_linksTable);
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
    DocumentMenus::fillSendMessageMenu(m_detailsView->sendMessageMenu(), m_menus->newCustomEmail,
                                       m_menus->newEmailTemplate);

    m_categoryListController = new CategoryListController(&m_collectionManager, linkPboardType(), this);
    m_categoryListController->setTableView(m_categoriesTable);
    m_linkListController = new LinkListController(&m_collectionManager, linkPboardType(), this);
    m_linkListController->setTableView(m_linksTable);
    m_linksTable->setMinimumHeight(m_linksTable->horizontalHeader()->sizeHint().height() +
                                   LinkListMinimumRows *
                                       m_linksTable->verticalHeader()->defaultSectionSize() +
                                   2 * m_linksTable->frameWidth());
    m_statusBarController = new StatusBarController(&m_collectionManager, m_countField, this);

    connect(m_categoriesTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MyDocument::tableViewSelectionDidChange);
    connect(m_categoryListController, &CategoryListController::linksDropped, this,
            &MyDocument::linksWereDropped);
    connect(m_linkListController, &LinkListController::selectionDidChange, this, [this] {
        refreshDetails();
        validateMenuItems();
    });

    m_categoryListController->refreshList();
    TreeNode *first = m_collectionManager.categoryRoot()->firstChild();
    m_linkListController->setCategory(first);
    m_statusBarController->setCategory(first);

    m_computeNotificationsTimer = new QTimer(this);
    m_computeNotificationsTimer->setInterval(std::chrono::seconds(NotificationInterval));
    connect(m_computeNotificationsTimer, &QTimer::timeout, this, &MyDocument::computeNotificationsWithTimer);
    m_computeNotificationsTimer->start();
    m_autoSaveTimer = new QTimer(this);
    connect(m_autoSaveTimer, &QTimer::timeout, this, &MyDocument::autoSaveWithTimer);
    updateAutoSaveTimer();

    resize(DefaultWindowSize);
    setMinimumSize(CategoryListMinimumWidth + LinkSideMinimumWidth + 40, 480);
    m_windowState = new DocumentWindowState(this);
    validateMenuItems();
}

void MyDocument::setVisible(bool visible)
{
    if (visible)
        m_windowState->windowWillShow();
    QMainWindow::setVisible(visible);
}

// ---------------------------------------------------------------- the file

QString MyDocument::displayName() const
{
    if (!m_filePath.isEmpty())
        return QFileInfo(m_filePath).fileName();
    return m_untitledNumber <= 1 ? tr("Untitled") : tr("Untitled %1").arg(m_untitledNumber);
}

void MyDocument::setUntitledNumber(int number)
{
    m_untitledNumber = number;
    updateTitle();
}

void MyDocument::updateTitle()
{
    // "sample.site* — Quillmarsh": the file, the unsaved mark, the application. A "[*]" of the file's
    // own name is doubled so that it is shown, not taken for the mark.
    QString name = displayName();
    name.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    setWindowTitle(tr("%1[*] \u2014 Quillmarsh").arg(name));
    setWindowFilePath(m_filePath);
}

bool MyDocument::isTemplatesFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("emlt"), Qt::CaseInsensitive) == 0;
}

bool MyDocument::keepBackupFile() const
{
    return Preferences::boolValue(Preferences::CreateBackupFiles);
}

bool MyDocument::readFromFile(const QString &path, FileError *error)
{
    if (isTemplatesFile(path))
        return FileError::fail(error, FileError::Kind::Damaged, QStringLiteral("an e-mail templates file"));
    // The lists let go of the old nodes before the store replaces its tree.
    m_linkListController->setCategory(nullptr);
    m_categoryListController->clear();
    const bool read = DatabaseFile::read(path, m_collectionManager, error);
    if (read) {
        m_filePath = path;
        m_editedSiteInfo = true;
        m_windowState->takeStoredState();
        m_collectionManager.computeNotifications();
        m_undo->storeWasReplaced();
        m_fileGuard->fileWasReadOrWritten(path);
    }
    m_categoryListController->refreshList();
    showAndSelectCategoryNode(m_collectionManager.categoryRoot()->firstChild());
    refreshUI();
    buildSendMessageMenu();
    updateTitle();
    return read;
}

bool MyDocument::saveToFile(const QString &path, QString *error)
{
    if (!DatabaseFile::write(m_collectionManager, path, error, keepBackupFile()))
        return false;
    // Saved under another name, the database takes its verification history along; the file is
    // saved all the same when the history cannot follow.
    if (!m_filePath.isEmpty() && path != m_filePath) {
        QString historyError;
        if (!HistoryStore::copyHistory(m_filePath, path, &historyError))
            statusBar()->showMessage(historyError, 30000);
    }
    m_filePath = path;
    m_fileGuard->fileWasReadOrWritten(path);
    m_undo->documentWasSaved();
    updateTitle();
    return true;
}

void MyDocument::reportSaveFailure(const QString &path, const QString &error)
{
    MessageBox::alert(this, tr("The document \"%1\" could not be saved.").arg(QFileInfo(path).fileName()),
                      tr("%1 (%2). The previous version of the file, if any, was left as it was.")
                          .arg(error, QDir::toNativeSeparators(path)),
                      {}, MessageBox::Critical);
}

bool MyDocument::save()
{
    if (m_filePath.isEmpty() || m_fileGuard->isReadOnly())
        return saveAs();
    switch (m_fileGuard->confirmSave()) {
    case DocumentFileGuard::SaveDecision::Cancel:
        return false;
    case DocumentFileGuard::SaveDecision::SaveAs:
        return saveAs();
    case DocumentFileGuard::SaveDecision::Write:
        break;
    }
    return saveWithoutAsking();
}

bool MyDocument::saveWithoutAsking()
{
    if (m_filePath.isEmpty())
        return saveAs();
    QString error;
    if (!saveToFile(m_filePath, &error)) {
        reportSaveFailure(m_filePath, error);
        return false;
    }
    return true;
}

bool MyDocument::saveAs()
{
    // A database never saved is proposed under its site's title.
    const QString proposed = m_filePath.isEmpty()
                                 ? QDir::home().filePath(DocumentFileNames::fileNameForTitle(
                                       m_collectionManager.selfInfo().title(), displayName()))
                                 : m_filePath;
    QString path = FilePanel::saveFileName(this, tr("Save As"), proposed, tr("Links databases (*.site)"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".site");
    QString error;
    if (!saveToFile(path, &error)) {
        reportSaveFailure(path, error);
        return false;
    }
    if (DocumentController *controller = DocumentController::instance())
        controller->noteRecentFile(path);
    return true;
}

void MyDocument::revertToSaved()
{
    if (m_filePath.isEmpty())
        return;
    const int answer = MessageBox::alert(
        this,
        tr("Do you want to revert to the most recently saved version of the document \"%1\"?")
            .arg(displayName()),
        tr("Your current changes will be lost."), {tr("Revert"), tr("Cancel")});
    if (answer == 0)
        reloadFromDisk();
}

bool MyDocument::reloadFromDisk()
{
    if (m_filePath.isEmpty())
        return false;
    const QString previousCategoryID =
        selectedCategoryNode() ? selectedCategoryNode()->attachmentID() : QString();
    const QStringList previousLinkIDs = selectedLinkIDs();
    m_linkListController->setCategory(nullptr);
    m_categoryListController->clear();
    FileError error;
    const bool read = DatabaseFile::read(m_filePath, m_collectionManager, &error);
    if (read) {
        m_collectionManager.computeNotifications();
        m_undo->storeWasReplaced();
        m_fileGuard->fileWasReadOrWritten(m_filePath);
    }
    // The store took the window state of the file; the window keeps its own.
    m_windowState->recordAll();
    m_categoryListController->refreshList();
    TreeNode *category = m_collectionManager.categoryNodeWithID(previousCategoryID);
    showAndSelectCategoryNode(category ? category : m_collectionManager.categoryRoot()->firstChild());
    selectLinksWithIDs(previousLinkIDs);
    refreshUI();
    buildSendMessageMenu();
    if (!read) {
        MessageBox::alert(
            this, tr("The document \"%1\" could not be reverted.").arg(displayName()),
            tr("The saved file cannot be read (%1). Your current version is kept.").arg(error.text()), {},
            MessageBox::Critical);
    }
    return read;
}

void MyDocument::updateChangeCount(const QString &actionName)
{
    m_undo->commit(actionName);
    validateMenuItems();
}

bool MyDocument::askToSaveChanges()
{
    const int answer = MessageBox::alert(
        this, tr("Do you want to save the changes you made in the document \"%1\"?").arg(displayName()),
        tr("Your changes will be lost if you don't save them."),
        {tr("Save"), tr("Do&n't Save"), tr("Cancel")});
    if (answer == 0)
        return save();
    return answer == 1;
}

void MyDocument::closeEvent(QCloseEvent *event)
{
    if (isEdited() && !askToSaveChanges()) {
        event->ignore();
        return;
    }
    m_computeNotificationsTimer->stop();
    m_autoSaveTimer->stop();
    resetSendMessageMenu();
    event->accept();
    emit documentClosed(this);
}

// ---------------------------------------------------------------- timers

void MyDocument::updateAutoSaveTimer()
{
    // A period of zero or less would fire without pause: one minute is the shortest.
    constexpr int LongestMinutes = std::numeric_limits<int>::max() / 60000;
    const int minutes = qBound(1, Preferences::intValue(Preferences::AutoSaveInterval), LongestMinutes);
    m_autoSaveTimer->stop();
    m_autoSaveTimer->setInterval(std::chrono::minutes(minutes));
    m_autoSaveTimer->start();
}

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

void MyDocument::computeNotificationsWithTimer()
{
    if (!canRunTimerAction())
        return;
    m_collectionManager.computeNotifications();
    refreshUI();
}

void MyDocument::autoSaveWithTimer()
{
    // Never saved yet: there is no file to write to. The preferences switch turns it off.
    if (!canRunTimerAction() || m_filePath.isEmpty() || !isEdited() ||
        !Preferences::boolValue(Preferences::AutoSaveDocuments) || !m_fileGuard->mayAutoSave())
        return;
    QString error;
    if (!saveToFile(m_filePath, &error))
        reportSaveFailure(m_filePath, error);
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
    buildSendMessageMenu();
    if (m_firstBecomeKeyWasProcessed)
        return;
    m_firstBecomeKeyWasProcessed = true;
    if (m_editedSiteInfo)
        return;
    m_collectionManager.setSiteProfile(m_startingSiteProfile);
    m_collectionManager.setRenderMode(m_startingSinglePageLayout ? RenderModeSinglePage
                                                                 : RenderModePagePerCategory);
    // A new database starts with a few templates to write to partners with.
    if (m_collectionManager.emailTemplates().empty())
        StarterTemplates::addTo(m_collectionManager);
    m_collectionManager.journal().dropEntry(); // the assistant's profile is where the new database starts
    m_editedSiteInfo = true;
    m_collectionManager.computeNotifications();
    refreshUI();
    updateChangeCount();
    raise();
    activateWindow();
    // Not from inside the activation event: what follows may run a modal loop of its own.
    QTimer::singleShot(0, this, &MyDocument::startingSiteProfileApplied);
}

// ---------------------------------------------------------------- window state

double MyDocument::splitterPosition() const
{
    return m_windowState->splitterPosition();
}

void MyDocument::setSplitterPosition(double position)
{
    m_windowState->setSplitterPosition(position);
}

bool MyDocument::isDetailsCollapsed() const
{
    return m_windowState->isDetailsCollapsed();
}

void MyDocument::setDetailsCollapsed(bool collapsed)
{
    m_windowState->setDetailsCollapsed(collapsed);
}

// ---------------------------------------------------------------- lists and selection

QString MyDocument::linkPboardType() const
{
    return LinkDragPayload::typeForDocument(m_uniqueID);
}

void MyDocument::refreshUI()
{
    m_categoryListController->refreshList();
    m_linkListController->refreshTable();
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
        m_detailsView->setPlaceholderText(count > 1 ? tr("%1 links selected").arg(count)
                                                    : tr("No link selected"));
    }
    m_detailsView->showLink(link, firstNotification);
    if (link)
        updateDetailsButtons();
}

void MyDocument::updateDetailsButtons()
{
    // The pane's buttons follow the commands they run.
    const DocumentMenus &m = *m_menus;
    m_detailsView->setButtonsEnabled(m.editLink->isEnabled(), m.showLinkExchangeInfo->isEnabled(),
                                     m.showLinkNotifications->isEnabled(), true, true,
                                     m.showLinkNotes->isEnabled(), m.newCustomEmail->isEnabled());
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
    TreeNode *node = selectedCategoryNode();
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
    TreeNode *category = node->parent();
    m_categoryListController->showAndSelectCategoryNode(category);
    if (m_linkListController->category() != category)
        m_linkListController->setCategory(category);
    m_statusBarController->setCategory(category);
    m_linkListController->showAndSelectLinkNode(node);
    if (focus)
        m_linksTable->setFocus();
}

void MyDocument::selectLinksWithIDs(const QStringList &ids)
{
    m_linkListController->selectLinksWithIDs(ids);
}

void MyDocument::linksWereDropped(const QStringList &ids)
{
    m_collectionManager.computeNotifications();
    refreshUI();
    updateChangeCount(ids.size() == 1 ? tr("Move Link") : tr("Move %1 Links").arg(ids.size()));
}

// ---------------------------------------------------------------- menus

void MyDocument::resetSendMessageMenu()
{
    const QList<QMenu *> menus = {m_menus->sendMessageMenu, m_menus->linkSendMessageMenu,
                                  m_detailsView->sendMessageMenu()};
    for (QMenu *menu : menus) {
        // Three fixed items stay: the blank message, a separator and the new-template item.
        while (menu->actions().size() >= 4) {
            QAction *item = menu->actions().at(2);
            menu->removeAction(item);
            if (item->isSeparator() && item->parent() == menu)
                delete item;
        }
    }
    qDeleteAll(m_templateActions);
    m_templateActions.clear();
}

void MyDocument::buildSendMessageMenu()
{
    resetSendMessageMenu();
    const auto &templates = m_collectionManager.emailTemplates();
    for (size_t i = 0; i < templates.size(); ++i) {
        QString name = templates[i]->name();
        auto *item = new QAction(name.replace(QLatin1Char('&'), QStringLiteral("&&")), this);
        item->setData(int(i));
        const int index = int(i);
        connect(item, &QAction::triggered, this, [this, index] { newTemplateEmail(index); });
        m_templateActions.append(item);
    }
    const QList<QMenu *> menus = {m_menus->sendMessageMenu, m_menus->linkSendMessageMenu,
                                  m_detailsView->sendMessageMenu()};
    for (QMenu *menu : menus) {
        QAction *last = menu->actions().constLast();
        for (QAction *item : std::as_const(m_templateActions))
            menu->insertAction(last, item);
        if (!m_templateActions.isEmpty())
            menu->insertSeparator(last);
    }
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

    for (QAction *action : {m.visitLinkWebsite, m.visitLinkPartnerWebsite, m.newCustomEmail})
        enable(action, oneLink);
    for (QAction *action : std::as_const(m_templateActions))
        action->setEnabled(oneLink);
    for (QAction *action : {m.deleteLink, m.markAsVerified})
        enable(action, someLinks);
    const struct
    {
        QAction *action;
        LinkStatus status;
    } statuses[] = {{m.setStatusNew, LinkStatusNew},
                    {m.setStatusNegotiating, LinkStatusNegotiating},
                    {m.setStatusApproved, LinkStatusApproved},
                    {m.setStatusBlocked, LinkStatusBlocked}};
    for (const auto &item : statuses) {
        enable(item.action, someLinks);
        item.action->setChecked(oneLink && link->status() == item.status);
    }
    enable(m.renameCategory, category);
    enable(m.deleteCategory, category);
    enable(m.editSelectedObject, linksHaveFocus ? m.editLink->isEnabled() : category);
    enable(m.deleteSelectedObject, linksHaveFocus ? someLinks : category);
    enable(m.revertDocument, !m_filePath.isEmpty() && isEdited());
    const DocumentController *controller = DocumentController::instance();
    m.recentFilesMenu->menuAction()->setEnabled(controller && !controller->recentFiles().isEmpty());
    m_menus->enableSubmenus();
    if (oneLink)
        updateDetailsButtons();
}

QWidget *MyDocument::commandFocusWidget() const
{
    return m_commandFocus ? m_commandFocus->widget() : focusWidget();
}

void MyDocument::rebuildWindowMenu()
{
    QMenu *menu = m_menus->windowMenu;
    for (QAction *action : std::as_const(m_windowListActions)) {
        menu->removeAction(action);
        delete action;
    }
    m_windowListActions.clear();
    const DocumentController *controller = DocumentController::instance();
    if (!controller)
        return;
    for (MyDocument *document : controller->documents()) {
        auto *item = new QAction(document->displayName().replace(u'&', QStringLiteral("&&")), menu);
        item->setCheckable(true);
        item->setChecked(document == this);
        const QPointer<MyDocument> target(document);
        connect(item, &QAction::triggered, this, [target] {
            if (!target)
                return;
            target->showNormal();
            target->raise();
            target->activateWindow();
        });
        menu->addAction(item);
        m_windowListActions.append(item);
    }
}

void MyDocument::rebuildRecentFilesMenu()
{
    const DocumentController *controller = DocumentController::instance();
    m_menus->fillRecentFilesMenu(controller ? controller->recentFiles() : QStringList());
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
        if (m_menus->editLink->isEnabled())
            m_menus->editLink->trigger();
    } else {
        renameCategory();
    }
}

void MyDocument::deleteSelectedObject()
{
    if (commandFocusWidget() == m_linksTable)
        deleteLink();
    else
        deleteCategory();
}
