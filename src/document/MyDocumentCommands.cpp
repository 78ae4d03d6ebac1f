// The commands of a document window: what each menu item, toolbar button, key and double click
// does to the database.
#include "AutoVerifier.h"
#include "CategoryCommands.h"
#include "CategoryListController.h"
#include "DetailsView.h"
#include "DocumentController.h"
#include "DocumentMenus.h"
#include "EditCommands.h"
#include "HistoryCommands.h"
#include "LinkCommands.h"
#include "LinkListController.h"
#include "LinkStatusCommands.h"
#include "MailCommands.h"
#include "MyDocument.h"
#include "OwnPageCommands.h"
#include "PublishCommands.h"
#include "PublishSiteCommands.h"
#include "ReportCommands.h"
#include "SearchCommands.h"
#include "TableImportCommands.h"
#include "TemplateCommands.h"
#include "VerificationCommands.h"
#include "gui/BrowserOpener.h"
#include "gui/FilePanel.h"
#include "gui/MessageBox.h"
#include "gui/RightClickTableView.h"
#include "history/HistoryRecorder.h"
#include "history/VerificationRun.h"
#include "model/Category.h"
#include "publish/ui/SiteInfoDialogController.h"
#include "workflow/EmailComposer.h"
#include "workflow/LinkImporter.h"
#include "workflow/ui/MailClientAlert.h"
#include "workflow/ui/MoveToCategoryDialog.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QUrl>
#include <utility>

void MyDocument::createCommandAreas()
{
    // Made in the order their menus and status-line parts are to appear.
    m_commandAreas.append(new EditCommands(this));
    auto *links = new LinkCommands(this);
    m_commandAreas.append(links);
    m_commandAreas.append(new LinkStatusCommands(this));
    m_commandAreas.append(new CategoryCommands(this));
    m_commandAreas.append(new PublishCommands(this));
    m_commandAreas.append(new ReportCommands(this));
    m_commandAreas.append(new SearchCommands(this));
    m_commandAreas.append(new TableImportCommands(this));
    m_commandAreas.append(new TemplateCommands(this));
    auto *verification = new VerificationCommands(this);
    auto *history = new HistoryCommands(this);
    auto *mail = new MailCommands(this);
    auto *ownPage = new OwnPageCommands(this);
    auto *publishSite = new PublishSiteCommands(this);
    m_commandAreas << verification << history << mail << ownPage << publishSite;
    // The areas know nothing of each other: what one does for another is wired here.
    links->setMessageLogSource([mail] { return mail->messageLog(); });
    connect(verification, &VerificationCommands::recorderMade, history, &HistoryCommands::watchRecorder);
    connect(history, &HistoryCommands::lossesRecorded, mail, &MailCommands::queueLostLinkMessages);
    connect(history, &HistoryCommands::verifyRequested, verification,
            [verification](const QStringList &linkIDs) { verification->verifyLinkWithIDs(linkIDs); });
    connect(publishSite, &PublishSiteCommands::linksPageUploaded, ownPage, &OwnPageCommands::checkOwnPage);
    // The list's Last Contact column and the details pane follow the message log.
    connect(mail, &MailCommands::lastContactsChanged, this, [this, mail] {
        m_linkListController->model()->setLastContacts(mail->lastContacts());
        refreshDetails();
    });
    auto *autoVerifier = new AutoVerifier(this); // a child of the window
    history->watchRecorder(autoVerifier->run()->historyRecorder());
    connect(autoVerifier, &AutoVerifier::historyProblem, history, &HistoryCommands::reportHistoryProblem);
}

void MyDocument::connectCommands()
{
    const DocumentMenus &m = *m_menus;
    connect(m.newSite, &QAction::triggered, this, &MyDocument::newSiteRequested);
    connect(m.openDocument, &QAction::triggered, this, [this] {
        if (DocumentController *controller = DocumentController::instance())
            controller->openDocumentWithPanel(this);
    });
    connect(m.closeDocument, &QAction::triggered, this, &QWidget::close);
    connect(m.saveDocument, &QAction::triggered, this, &MyDocument::save);
    connect(m.saveDocumentAs, &QAction::triggered, this, &MyDocument::saveAs);
    connect(m.revertDocument, &QAction::triggered, this, &MyDocument::revertToSaved);
    connect(m.quit, &QAction::triggered, this, [] {
        DocumentController *controller = DocumentController::instance();
        if (!controller || controller->closeAllDocuments())
            QApplication::quit();
    });
    connect(m.recentFilesMenu, &QMenu::aboutToShow, this, &MyDocument::rebuildRecentFilesMenu);
    connect(m.recentFilesMenu, &QMenu::triggered, this, [this](QAction *item) {
        DocumentController *controller = DocumentController::instance();
        if (controller && item->objectName() == QLatin1String("clearRecentFiles"))
            controller->clearRecentFiles();
        else if (controller && !item->data().toString().isEmpty())
            controller->openDocument(item->data().toString(), this);
    });
    if (DocumentController *controller = DocumentController::instance())
        connect(controller, &DocumentController::recentFilesChanged, this, &MyDocument::validateMenuItems);

    connect(m.editSelectedObject, &QAction::triggered, this, &MyDocument::editSelectedObject);
    connect(m.deleteSelectedObject, &QAction::triggered, this, &MyDocument::deleteSelectedObject);
    connect(m.preferences, &QAction::triggered, this, &MyDocument::preferencesRequested);

    connect(m.switchActiveList, &QAction::triggered, this, &MyDocument::switchActiveList);
    connect(m.toggleDetails, &QAction::triggered, this, [this](bool shown) { setDetailsCollapsed(!shown); });

    connect(m.visitLinkWebsite, &QAction::triggered, this, &MyDocument::visitLinkWebsite);
    connect(m.visitLinkPartnerWebsite, &QAction::triggered, this, &MyDocument::visitLinkPartnerWebsite);
    connect(m.newCustomEmail, &QAction::triggered, this, &MyDocument::newCustomEmail);
    connect(m.deleteLink, &QAction::triggered, this, &MyDocument::deleteLink);
    connect(m.moveToCategory, &QAction::triggered, this, &MyDocument::moveToCategory);

    connect(m.editSiteInfo, &QAction::triggered, this, &MyDocument::editSiteInfo);
    connect(m.importLinks, &QAction::triggered, this, &MyDocument::importLinks);

    connect(m.minimizeWindow, &QAction::triggered, this, &QWidget::showMinimized);
    connect(m.windowMenu, &QMenu::aboutToShow, this, &MyDocument::rebuildWindowMenu);
    connect(m.showStartingPoints, &QAction::triggered, this, &MyDocument::startingPointsRequested);
    connect(m.doHelp, &QAction::triggered, this, &MyDocument::helpRequested);
    connect(m.showShortcuts, &QAction::triggered, this, &MyDocument::shortcutsRequested);
    connect(m.showTutorial, &QAction::triggered, this, &MyDocument::tutorialRequested);
    connect(m.showReadMe, &QAction::triggered, this, &MyDocument::readMeRequested);
    connect(m.showEULA, &QAction::triggered, this, &MyDocument::licenceRequested);
    connect(m.doAbout, &QAction::triggered, this, &MyDocument::aboutRequested);

    // Keys of the two lists.
    for (RightClickTableView *table : {m_categoriesTable, m_linksTable}) {
        connect(table, &RightClickTableView::editSelectedObjectRequested, this,
                &MyDocument::editSelectedObject);
        connect(table, &RightClickTableView::deleteSelectedObjectRequested, this,
                &MyDocument::deleteSelectedObject);
        connect(table, &RightClickTableView::switchActiveListRequested, this, &MyDocument::switchActiveList);
        connect(table, &RightClickTableView::focusChanged, this, &MyDocument::validateMenuItems);
    }

    // A double click on the notification or status image opens the editor at that tab.
    connect(m_linkListController, &LinkListController::doubleClicked, this, [this](int column) {
        QAction *command = column == LinkListController::NotificationColumn ? m_menus->showLinkNotifications
                           : column == LinkListController::StatusColumn     ? m_menus->showLinkExchangeInfo
                                                                            : m_menus->editLink;
        if (command->isEnabled())
            command->trigger();
    });

    // The details pane's buttons run the same commands as the menus.
    auto run = [](QAction *command) {
        return [command] {
            if (command->isEnabled())
                command->trigger();
        };
    };
    connect(m_detailsView, &DetailsView::showLinkInfoClicked, this, run(m.editLink));
    connect(m_detailsView, &DetailsView::showExchangeInfoClicked, this, run(m.showLinkExchangeInfo));
    connect(m_detailsView, &DetailsView::showAllNotificationsClicked, this, run(m.showLinkNotifications));
    connect(m_detailsView, &DetailsView::testMainPageURLClicked, this, &MyDocument::visitLinkWebsite);
    connect(m_detailsView, &DetailsView::testLinksPageURLClicked, this, &MyDocument::visitLinkPartnerWebsite);
    connect(m_detailsView, &DetailsView::showAllNotesClicked, this, run(m.showLinkNotes));
}

// ---------------------------------------------------------------- links

void MyDocument::deleteLink()
{
    const int count = numberOfSelectedLinks();
    if (count == 0)
        return;
    const Link *link = selectedLink();
    const QString title = count == 1 && link
                              ? tr("Are you sure you want to delete the link \"%1\"?").arg(link->title())
                              : tr("Delete the %Ln selected link(s)?", nullptr, count);
    const int answer = MessageBox::alert(this, title, QString(), {tr("Delete"), tr("Cancel")});
    deleteLinkSheetDidEnd(answer == 0 ? 1 : 0);
}

void MyDocument::deleteLinkSheetDidEnd(int returnCode)
{
    if (returnCode != 1 || numberOfSelectedLinks() == 0)
        return;
    const QStringList ids = selectedLinkIDs();
    // The list lets go of the rows before their nodes go.
    m_linkListController->showAndSelectLinkNode(nullptr);
    m_document->perform(ids.size() == 1 ? tr("Delete Link")
                                        : tr("Delete %n Link(s)", nullptr, int(ids.size())),
                        [&](DocumentChange &) {
                            collectionManager().deleteLinkNodesWithIDs(ids);
                            return true;
                        });
}

// ---------------------------------------------------------------- All Links and moves

bool MyDocument::isAllLinksSelected() const
{
    return m_categoryListController->isAllLinksSelected();
}

void MyDocument::showAllLinks()
{
    m_categoryListController->selectAllLinks();
    tableViewSelectionDidChange();
}

TreeNode *MyDocument::categoryForNewLinks() const
{
    if (TreeNode *category = selectedCategoryNode())
        return category;
    const TreeNode *link = isAllLinksSelected() ? selectedLinkNode() : nullptr;
    if (link && link->parent())
        return link->parent();
    return m_document->collectionManager().categoryRoot()->firstChild();
}

QStringList MyDocument::moveLinksToCategory(const QStringList &ids, TreeNode *category)
{
    const Category *target = category ? category->category() : nullptr;
    if (!target)
        return {};
    // Named after the links that really change category (those already there stay).
    int moving = 0;
    for (const TreeNode *node : collectionManager().linkNodesWithIDs(ids))
        moving += node && node->parent() != category ? 1 : 0;
    if (moving == 0)
        return {};
    QStringList moved;
    m_document->perform(moving == 1 ? tr("Move Link")
                                    : tr("Move %n Link(s) to %1", nullptr, moving).arg(target->name()),
                        [&](DocumentChange &) {
                            moved = collectionManager().moveLinksWithIDs(ids, category);
                            return !moved.isEmpty();
                        });
    return moved;
}

void MyDocument::moveToCategory()
{
    m_linksToMove = selectedLinkIDs();
    if (m_linksToMove.isEmpty())
        return;
    if (!m_moveToCategoryDialog) {
        m_moveToCategoryDialog = new MoveToCategoryDialog(this);
        connect(m_moveToCategoryDialog, &QDialog::finished, this, &MyDocument::moveToCategorySheetDidEnd);
    }
    const TreeNode *root = collectionManager().categoryRoot();
    QStringList names;
    for (const TreeNode *node : root->children())
        names.append(node->category() ? node->category()->name() : QString());
    // The links' own category is offered only when they come from several.
    const TreeNode *shared = nullptr;
    bool oneCategory = true;
    for (const TreeNode *node : collectionManager().linkNodesWithIDs(m_linksToMove)) {
        if (node && shared && node->parent() != shared)
            oneCategory = false;
        if (node && !shared)
            shared = node->parent();
    }
    m_moveToCategoryDialog->setCategories(names, oneCategory && shared ? root->indexOfChild(shared) : -1,
                                          int(m_linksToMove.size()));
    m_moveToCategoryDialog->open();
}

void MyDocument::moveToCategorySheetDidEnd(int returnCode)
{
    const QStringList ids = std::exchange(m_linksToMove, {});
    if (returnCode != QDialog::Accepted || ids.isEmpty())
        return;
    TreeNode *category =
        collectionManager().categoryRoot()->childAtIndex(m_moveToCategoryDialog->chosenIndex());
    if (!category)
        return;
    const QStringList moved = moveLinksToCategory(ids, category);
    // In a category the moved links leave the list; in All Links the selection stays as it was.
    if (!moved.isEmpty() && isAllLinksSelected())
        selectLinksWithIDs(ids);
}

void MyDocument::visitURL(const QString &text, const QString &title, const QString &message)
{
    QString address = text.trimmed();
    if (!address.contains(QLatin1String("://")))
        address = QStringLiteral("http://") + address;
    const QUrl url(address, QUrl::StrictMode);
    // Only web pages: an address from an imported database must not launch local files.
    const bool web = url.isValid() && !url.host().isEmpty() &&
                     (url.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) == 0 ||
                      url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0);
    if (!web)
        MessageBox::alert(this, title, message.arg(text));
    else
        BrowserOpener::open(this, url);
}

void MyDocument::visitLinkWebsite()
{
    if (const Link *link = selectedLink()) {
        visitURL(link->URL(), tr("The URL of this link is not valid."),
                 tr("The URL \"%1\" is not valid. The link's URL can be changed in the Edit Link dialog."));
    }
}

void MyDocument::visitLinkPartnerWebsite()
{
    if (const Link *link = selectedLink()) {
        visitURL(
            link->counterpartURL(), tr("The partner site URL of this link is not valid."),
            tr("The URL \"%1\" is not valid. The link's partner site URL can be changed in the Edit Link "
               "dialog."));
    }
}

void MyDocument::newCustomEmail()
{
    sendEmailToSelectedLink([](Link &message) {
        return EmailComposer::sendEmailWithRecipient(message.contactEmail(), QString(""), QString(""),
                                                     message);
    });
}

void MyDocument::newTemplateEmail(int templateIndex)
{
    sendTemplateEmailWithIndex(templateIndex);
}

void MyDocument::sendTemplateEmailWithIndex(int templateIndex)
{
    sendEmailToSelectedLink([&](Link &message) {
        return EmailComposer::sendEmailWithRecipient(collectionManager(), message.contactEmail(),
                                                     templateIndex, message);
    });
}

void MyDocument::sendEmailToSelectedLink(const std::function<bool(Link &)> &send)
{
    const QStringList ids = selectedLinkIDs();
    if (ids.isEmpty())
        return;
    // Several partners get one message each from the mail client: asked first, as each one opens.
    if (ids.size() > 1) {
        const int answer = MessageBox::alert(
            this, tr("Open %n message(s) in your mail client?", nullptr, int(ids.size())),
            tr("Each selected partner gets a message of its own. To send them from this application "
               "instead, choose Send Message to Selected Links."),
            {tr("Open Messages"), tr("Cancel")});
        if (answer != 0)
            return;
    }
    const QHash<QString, TreeNode *> nodes = collectionManager().linkNodesWithIDs(ids);
    // The messages are written for copies of the links; what writing to the partners changes on them
    // reaches the stored links through the store, like every other change.
    QStringList written;
    std::vector<std::pair<TreeNode *, LinkStatus>> statuses;
    for (const QString &id : ids) {
        TreeNode *node = nodes.value(id);
        if (!node || !node->link())
            continue;
        Link copy = *node->link();
        // A message the mail client never took changes nothing: no status, no edited mark.
        if (!send(copy)) {
            MailClientAlert::show(this);
            break;
        }
        written.append(id);
        if (copy.status() != node->link()->status())
            statuses.emplace_back(node, copy.status());
    }
    if (written.isEmpty())
        return;
    const QString name =
        written.size() == 1 ? tr("Set Status") : tr("Set Status of %n Link(s)", nullptr, int(written.size()));
    m_document->perform(name, [&](DocumentChange &change) {
        for (const auto &[node, status] : statuses)
            collectionManager().setStatusOfLink(node->link(), status);
        change.linkIDs = written;
        return true;
    });
}

// ---------------------------------------------------------------- database

void MyDocument::importLinks()
{
    const QString directory = filePath().isEmpty() ? QString() : QFileInfo(filePath()).absolutePath();
    const QString path =
        FilePanel::openFileName(this, tr("Import Links"), directory, tr("Links databases (*.site)"));
    if (!path.isEmpty())
        importLinksFromFile(path);
}

bool MyDocument::importLinksFromFile(const QString &path)
{
    const DuplicateQuestion question = [this] {
        const int answer = MessageBox::alert(this, LinkImporter::duplicateQuestionTitle(),
                                             LinkImporter::duplicateQuestionMessage(),
                                             {tr("Keep"), tr("Replace"), tr("Cancel")}, MessageBox::Question);
        return answer == 0   ? DuplicateAnswer::Keep
               : answer == 1 ? DuplicateAnswer::Replace
                             : DuplicateAnswer::Cancel;
    };
    ImportSummary summary;
    bool imported = false;
    // Nothing to save when the question was cancelled or every link was already there.
    m_document->perform(tr("Import Links"), [&](DocumentChange &) {
        imported = LinkImporter::importLinksFromFileAtPath(collectionManager(), path, question, &summary);
        return imported && summary.changed();
    });
    if (!imported) {
        MessageBox::alert(this, LinkImporter::importFailedTitle(), LinkImporter::importFailedMessage(), {},
                          MessageBox::Critical);
        return false;
    }
    if (!summary.cancelled)
        MessageBox::alert(this, tr("The links were imported."), LinkImporter::summaryText(summary), {},
                          MessageBox::Information);
    return true;
}

void MyDocument::editSiteInfo()
{
    if (!m_siteInfoDialog) {
        m_siteInfoDialog = new SiteInfoDialogController(this);
        connect(m_siteInfoDialog, &QDialog::finished, this, &MyDocument::editSiteInfoSheetDidEnd);
    }
    m_siteInfoDialog->initializeFields(collectionManager().selfInfo());
    m_siteInfoDialog->setFirstTimeMode(!m_document->hasSiteProfile());
    m_siteInfoDialog->open();
}

void MyDocument::editSiteInfoSheetDidEnd(int returnCode)
{
    if (returnCode == 1) {
        m_document->perform(tr("Edit Site Info"), [this](DocumentChange &) {
            collectionManager().editSiteInfoFromSiteInfo(m_siteInfoDialog->siteInfo());
            m_document->setHasSiteProfile(true);
            return true;
        });
    } else if (!m_document->hasSiteProfile()) {
        // A database whose profile was never set up is given up.
        m_document->setHasSiteProfile(true);
        close();
    }
}
