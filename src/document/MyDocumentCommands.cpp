// The commands of a document window: what each menu item, toolbar button, key and double click
// does to the database.
#include "AskStringDialogController.h"
#include "CategoryListController.h"
#include "DetailsView.h"
#include "DocumentController.h"
#include "DocumentMenus.h"
#include "EditCommands.h"
#include "LinkCommands.h"
#include "LinkListController.h"
#include "MyDocument.h"
#include "PublishCommands.h"
#include "ReportCommands.h"
#include "SearchCommands.h"
#include "TemplateCommands.h"
#include "VerificationCommands.h"
#include "gui/FilePanel.h"
#include "gui/MessageBox.h"
#include "gui/RightClickTableView.h"
#include "model/UrlOpener.h"
#include "publish/ui/SiteInfoDialogController.h"
#include "workflow/EmailComposer.h"
#include "workflow/LinkImporter.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QUrl>

void MyDocument::createCommandAreas()
{
    m_commandAreas.append(new EditCommands(this));
    m_commandAreas.append(new LinkCommands(this));
    m_commandAreas.append(new PublishCommands(this));
    m_commandAreas.append(new ReportCommands(this));
    m_commandAreas.append(new SearchCommands(this));
    m_commandAreas.append(new TemplateCommands(this));
    m_commandAreas.append(new VerificationCommands(this));
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

    connect(m.newCategory, &QAction::triggered, this, &MyDocument::newCategory);
    connect(m.renameCategory, &QAction::triggered, this, &MyDocument::renameCategory);
    connect(m.deleteCategory, &QAction::triggered, this, &MyDocument::deleteCategory);

    connect(m.setStatusNew, &QAction::triggered, this, &MyDocument::setStatusNew);
    connect(m.setStatusNegotiating, &QAction::triggered, this, &MyDocument::setStatusNegotiating);
    connect(m.setStatusApproved, &QAction::triggered, this, &MyDocument::setStatusApproved);
    connect(m.setStatusBlocked, &QAction::triggered, this, &MyDocument::setStatusBlocked);
    connect(m.markAsVerified, &QAction::triggered, this, &MyDocument::markAsVerified);
    connect(m.visitLinkWebsite, &QAction::triggered, this, &MyDocument::visitLinkWebsite);
    connect(m.visitLinkPartnerWebsite, &QAction::triggered, this, &MyDocument::visitLinkPartnerWebsite);
    connect(m.newCustomEmail, &QAction::triggered, this, &MyDocument::newCustomEmail);
    connect(m.deleteLink, &QAction::triggered, this, &MyDocument::deleteLink);

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
                              : tr("Are you sure you want to delete the selected links?");
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
    m_collectionManager.deleteLinkNodesWithIDs(ids);
    m_collectionManager.computeNotifications();
    refreshUI();
    updateChangeCount(ids.size() == 1 ? tr("Delete Link") : tr("Delete %1 Links").arg(ids.size()));
}

void MyDocument::setStatusNew()
{
    setSelectedLinkStatus(LinkStatusNew);
}

void MyDocument::setStatusNegotiating()
{
    setSelectedLinkStatus(LinkStatusNegotiating);
}

void MyDocument::setStatusApproved()
{
    setSelectedLinkStatus(LinkStatusApproved);
}

void MyDocument::setStatusBlocked()
{
    setSelectedLinkStatus(LinkStatusBlocked);
}

void MyDocument::setSelectedLinkStatus(LinkStatus status)
{
    const QStringList ids = selectedLinkIDs();
    // The store recomputes the reminders itself.
    if (ids.isEmpty() || !m_collectionManager.setStatus(status, ids)) {
        validateMenuItems(); // the triggered item ticked itself; put the marks back
        return;
    }
    refreshUI();
    selectLinksWithIDs(ids);
    updateChangeCount(tr("Set Status"));
}

void MyDocument::markAsVerified()
{
    const QStringList ids = selectedLinkIDs();
    if (ids.isEmpty() || !m_collectionManager.setVerificationResult(VerificationMarkedVerified, ids))
        return;
    // Always Approved afterwards; both changes are one step.
    m_collectionManager.setStatus(LinkStatusApproved, ids);
    refreshUI();
    selectLinksWithIDs(ids);
    updateChangeCount(tr("Mark as Verified"));
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
    if (!web || !UrlOpener::instance().openUrl(url))
        MessageBox::alert(this, title, message.arg(text));
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
        return EmailComposer::sendEmailWithRecipient(m_collectionManager, message.contactEmail(),
                                                     templateIndex, message);
    });
}

void MyDocument::sendEmailToSelectedLink(const std::function<bool(Link &)> &send)
{
    TreeNode *node = selectedLinkNode();
    if (!node)
        return;
    const QStringList ids = selectedLinkIDs();
    // The message is written for a copy of the link; what writing to the partner changes on it
    // reaches the stored link through the store, like every other change.
    Link written = *node->link();
    const bool handedOver = send(written);
    const bool statusChanged = written.status() != node->link()->status();
    if (statusChanged) {
        m_collectionManager.setStatusOfLink(node->link(), written.status());
        m_collectionManager.computeNotifications();
    }
    // Writing to a New partner makes it Negotiating even when the mail client did not open, and
    // that change must reach the file.
    if (handedOver || statusChanged) {
        refreshUI();
        selectLinksWithIDs(ids);
        updateChangeCount(tr("Set Status"));
    }
    if (!handedOver) {
        MessageBox::alert(this, tr("The message could not be handed to your mail client."),
                          tr("Check that an e-mail program is set up as the default mail application."));
    }
}

// ---------------------------------------------------------------- database

void MyDocument::importLinks()
{
    const QString directory = m_filePath.isEmpty() ? QString() : QFileInfo(m_filePath).absolutePath();
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
    const QString selectedID = selectedCategoryNode() ? selectedCategoryNode()->attachmentID() : QString();
    ImportSummary summary;
    if (!LinkImporter::importLinksFromFileAtPath(m_collectionManager, path, question, &summary)) {
        MessageBox::alert(this, LinkImporter::importFailedTitle(), LinkImporter::importFailedMessage(), {},
                          MessageBox::Critical);
        return false;
    }
    m_collectionManager.computeNotifications();
    refreshUI();
    // Nothing to save when the question was cancelled or every link was already there.
    if (summary.changed())
        updateChangeCount(tr("Import Links"));
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
    m_siteInfoDialog->initializeFields(m_collectionManager.selfInfo());
    m_siteInfoDialog->setFirstTimeMode(!m_editedSiteInfo);
    m_siteInfoDialog->open();
}

void MyDocument::editSiteInfoSheetDidEnd(int returnCode)
{
    if (returnCode == 1) {
        m_collectionManager.editSiteInfoFromSiteInfo(m_siteInfoDialog->siteInfo());
        m_editedSiteInfo = true;
        m_collectionManager.computeNotifications();
        refreshUI();
        updateChangeCount(tr("Edit Site Info"));
    } else if (!m_editedSiteInfo) {
        // A database whose profile was never set up is given up.
        m_editedSiteInfo = true;
        close();
    }
}

// ---------------------------------------------------------------- categories

AskStringDialogController *MyDocument::askStringDialogController()
{
    if (!m_askStringDialog)
        m_askStringDialog = new AskStringDialogController(this);
    return m_askStringDialog;
}

void MyDocument::newCategory()
{
    AskStringDialogController *dialog = askStringDialogController();
    dialog->initializeWithCategoryName(
        QString(), QString(),
        [this](AskStringDialogController *controller) { newCategorySheetDidEnd(controller); },
        &m_collectionManager, nullptr);
    dialog->open();
}

void MyDocument::newCategorySheetDidEnd(AskStringDialogController *controller)
{
    if (controller->returnCode() != 1)
        return;
    TreeNode *node =
        m_collectionManager.addCategoryWithName(controller->categoryName(), controller->categoryAnchor());
    m_collectionManager.computeNotifications();
    refreshUI();
    showAndSelectCategoryNode(node);
    updateChangeCount(tr("New Category"));
}

void MyDocument::renameCategory()
{
    TreeNode *node = selectedCategoryNode();
    const Category *category = node ? node->category() : nullptr;
    if (!category)
        return;
    if (category->isNone()) {
        MessageBox::alert(this, tr("This category cannot be edited."),
                          tr("The category \"%1\" cannot be edited.").arg(tr("General")));
        return;
    }
    AskStringDialogController *dialog = askStringDialogController();
    dialog->initializeWithCategoryName(
        category->name(), category->anchor(),
        [this](AskStringDialogController *controller) { renameCategorySheetDidEnd(controller); },
        &m_collectionManager, node);
    dialog->open();
}

void MyDocument::renameCategorySheetDidEnd(AskStringDialogController *controller)
{
    TreeNode *node = selectedCategoryNode();
    if (controller->returnCode() != 1 || !node || !node->category() || node->category()->isNone())
        return;
    node = m_collectionManager.renameCategory(node, controller->categoryName(), controller->categoryAnchor());
    m_collectionManager.computeNotifications();
    refreshUI();
    showAndSelectCategoryNode(node);
    updateChangeCount(tr("Edit Category"));
}

void MyDocument::deleteCategory()
{
    const TreeNode *node = selectedCategoryNode();
    const Category *category = node ? node->category() : nullptr;
    if (!category)
        return;
    if (category->isNone()) {
        MessageBox::alert(this, tr("This category cannot be deleted."),
                          tr("The category \"%1\" cannot be deleted.").arg(tr("General")));
        return;
    }
    // Its links go with it, so the question says how many.
    const int links = node->numberOfChildren();
    const QString title =
        links == 0 ? tr("Are you sure you want to delete the category \"%1\"?").arg(category->name())
        : links == 1
            ? tr("Are you sure you want to delete the category \"%1\" and its 1 link?").arg(category->name())
            : tr("Are you sure you want to delete the category \"%1\" and its %2 links?")
                  .arg(category->name(), QString::number(links));
    const int answer = MessageBox::alert(this, title, QString(), {tr("Delete"), tr("Cancel")});
    deleteCategorySheetDidEnd(answer == 0 ? 1 : 0);
}

void MyDocument::deleteCategorySheetDidEnd(int returnCode)
{
    TreeNode *node = selectedCategoryNode();
    if (returnCode != 1 || !node || !node->category() || node->category()->isNone())
        return;
    // The lists move to the default category before the deleted one's nodes go.
    showAndSelectCategoryNode(m_collectionManager.defaultCategoryNode());
    m_collectionManager.deleteCategoryNode(node);
    m_collectionManager.computeNotifications();
    refreshUI();
    updateChangeCount(tr("Delete Category"));
}
