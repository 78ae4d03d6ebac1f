// How a document window's command areas are made and wired, and the commands the window keeps: its
// keys and its focus.
#include "ApplicationCommands.h"
#include "AutoVerifier.h"
#include "CategoryCommands.h"
#include "CategoryListController.h"
#include "CategoryListModel.h"
#include "DetailsView.h"
#include "DocumentController.h"
#include "DocumentFileGuard.h"
#include "DocumentMenus.h"
#include "DocumentWindowState.h"
#include "EditCommands.h"
#include "FileCommands.h"
#include "HistoryCommands.h"
#include "LinkCommands.h"
#include "LinkDeleteCommands.h"
#include "LinkListController.h"
#include "LinkMoveCommands.h"
#include "LinkStatusCommands.h"
#include "LinkVisitCommands.h"
#include "MailClientCommands.h"
#include "MailCommands.h"
#include "MyDocument.h"
#include "OwnPageCommands.h"
#include "PublishCommands.h"
#include "PublishSiteCommands.h"
#include "ReportCommands.h"
#include "SearchCommands.h"
#include "SiteInfoCommands.h"
#include "TableImportCommands.h"
#include "TemplateCommands.h"
#include "VerificationCommands.h"
#include "WindowMenuCommands.h"
#include "gui/RightClickTableView.h"
#include "history/HistoryRecorder.h"
#include "history/VerificationRun.h"

#include <QAction>
#include <QMenu>

void MyDocument::createCommandAreas()
{
    // Made in the order their menus and status-line parts are to appear.
    m_commandAreas.append(new ApplicationCommands(this));
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
    auto *file = new FileCommands(this);
    auto *moves = new LinkMoveCommands(this);
    auto *mailClient = new MailClientCommands(this);
    m_commandAreas << file << new WindowMenuCommands(this) << mailClient << moves
                   << new LinkDeleteCommands(this) << new LinkVisitCommands(this)
                   << new SiteInfoCommands(this);
    // The areas know nothing of each other: what one does for another is wired here.
    links->setMessageLogSource([mail] { return mail->messageLog(); });
    connect(verification, &VerificationCommands::recorderMade, history, &HistoryCommands::watchRecorder);
    connect(history, &HistoryCommands::lossesRecorded, mail, &MailCommands::queueLostLinkMessages);
    connect(history, &HistoryCommands::verifyRequested, verification,
            [verification](const QStringList &linkIDs) { verification->verifyLinkWithIDs(linkIDs); });
    connect(publishSite, &PublishSiteCommands::linksPageUploaded, ownPage, &OwnPageCommands::checkOwnPage);
    connect(links, &LinkCommands::customEmailRequested, mailClient, &MailClientCommands::newCustomEmail);
    connect(history, &HistoryCommands::templateEmailRequested, mailClient,
            &MailClientCommands::newTemplateEmail);
    connect(links, &LinkCommands::templateEmailRequested, mailClient,
            &MailClientCommands::sendTemplateEmailWithIndex);
    // The window's own parts ask the file commands too.
    connect(m_document.get(), &Document::autoSaveFailed, file, &FileCommands::reportSaveFailure);
    connect(m_fileGuard, &DocumentFileGuard::saveAsRequested, file, &FileCommands::saveAs);
    connect(m_fileGuard, &DocumentFileGuard::saveRequested, file, &FileCommands::saveWithoutAsking);
    m_categoryListController->model()->setLinkMover([moves](const QStringList &ids, TreeNode *category) {
        return moves->moveLinksToCategory(ids, category);
    });
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
    connect(m.action(ActionId::EditSelectedObject), &QAction::triggered, this,
            &MyDocument::editSelectedObject);
    connect(m.action(ActionId::DeleteSelectedObject), &QAction::triggered, this,
            &MyDocument::deleteSelectedObject);

    connect(m.action(ActionId::SwitchActiveList), &QAction::triggered, this, &MyDocument::switchActiveList);
    connect(m.action(ActionId::ToggleDetails), &QAction::triggered, this,
            [this](bool shown) { m_windowState->setDetailsCollapsed(!shown); });

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
        QAction *command = column == LinkListController::NotificationColumn
                               ? m_menus->action(ActionId::ShowLinkNotifications)
                           : column == LinkListController::StatusColumn
                               ? m_menus->action(ActionId::ShowLinkExchangeInfo)
                               : m_menus->action(ActionId::EditLink);
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
    connect(m_detailsView, &DetailsView::showLinkInfoClicked, this, run(m.action(ActionId::EditLink)));
    connect(m_detailsView, &DetailsView::showExchangeInfoClicked, this,
            run(m.action(ActionId::ShowLinkExchangeInfo)));
    connect(m_detailsView, &DetailsView::showAllNotificationsClicked, this,
            run(m.action(ActionId::ShowLinkNotifications)));
    connect(m_detailsView, &DetailsView::showAllNotesClicked, this, run(m.action(ActionId::ShowLinkNotes)));
}

// ---------------------------------------------------------------- All Links

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
