#include "LinkCommands.h"

#include "DocumentMenus.h"
#include "DocumentUndo.h"
#include "MyDocument.h"
#include "history/ui/LinkHistoryView.h"
#include "mail/ui/LinkMessagesView.h"
#include "model/CollectionManager.h"
#include "model/TreeNode.h"
#include "workflow/EmailTemplateListModel.h"
#include "workflow/LinkForm.h"
#include "workflow/ui/InstantLinkDialogController.h"
#include "workflow/ui/LinkCountDialogController.h"
#include "workflow/ui/LinkDialogController.h"
#include "workflow/ui/NotificationDialogController.h"

#include <QAction>

namespace {
// Shows the link a change made or edited; false when there is none.
bool revealLink(const TreeNode *node, DocumentChange &change)
{
    if (!node)
        return false;
    change.linkIDs = {node->attachmentID()};
    change.revealLinks = true;
    return true;
}
} // namespace

LinkCommands::LinkCommands(MyDocument *document) : DocumentCommandArea(document)
{
    const DocumentMenus &m = menus();
    connect(m.action(ActionId::NewLink), &QAction::triggered, this, &LinkCommands::newLink);
    connect(m.action(ActionId::InstantLink), &QAction::triggered, this, &LinkCommands::instantLink);
    connect(m.action(ActionId::EditLink), &QAction::triggered, this, &LinkCommands::editLink);
    connect(m.action(ActionId::ShowLinkExchangeInfo), &QAction::triggered, this,
            &LinkCommands::showLinkExchangeInfo);
    connect(m.action(ActionId::ShowLinkNotifications), &QAction::triggered, this,
            &LinkCommands::showLinkNotifications);
    connect(m.action(ActionId::ShowLinkNotes), &QAction::triggered, this, &LinkCommands::showLinkNotes);
    connect(m.action(ActionId::NotificationSetup), &QAction::triggered, this,
            &LinkCommands::notificationSetup);
    connect(m.action(ActionId::CountLinks), &QAction::triggered, this, &LinkCommands::countLinks);
    connect(document, &MyDocument::verificationSheetEnded, this, &LinkCommands::verificationSheetDidEnd);
}

void LinkCommands::validateMenuItems()
{
    const DocumentMenus &m = menus();
    const bool oneLink = document()->selectedLinkNode() != nullptr;
    for (QAction *action : {m.action(ActionId::NewLink), m.action(ActionId::InstantLink),
                            m.action(ActionId::NotificationSetup), m.action(ActionId::CountLinks)})
        action->setEnabled(true);
    // Notes too: without one selected link there is nothing to show.
    for (QAction *action : {m.action(ActionId::EditLink), m.action(ActionId::ShowLinkExchangeInfo),
                            m.action(ActionId::ShowLinkNotifications), m.action(ActionId::ShowLinkNotes)})
        action->setEnabled(oneLink);
}

int LinkCommands::selectedCategoryIndex() const
{
    const TreeNode *category = document()->categoryForNewLinks();
    return category ? collectionManager().categoryRoot()->indexOfChild(category) : 0;
}

// ---------------------------------------------------------------- the link editor

LinkDialogController *LinkCommands::linkDialogController()
{
    if (!m_linkDialog) {
        m_linkDialog =
            new LinkDialogController(&collectionManager(), document()->emailTemplateModel(), document());
        connect(m_linkDialog, &QDialog::finished, this, [this](int returnCode) {
            if (m_linkDialog->isEditing())
                editLinkSheetDidEnd(returnCode);
            else
                newLinkSheetDidEnd(returnCode);
        });
        // The template editor runs application-modal: once the command returns, a new template is in
        // the store and the editor lists it.
        connect(m_linkDialog, &LinkDialogController::newEmailTemplateRequested, this,
                [this] { menus().action(ActionId::NewEmailTemplate)->trigger(); });
        m_historyView = new LinkHistoryView(m_linkDialog->tabView());
        m_historyView->setObjectName(QStringLiteral("historyTab"));
        m_linkDialog->tabView()->addTab(m_historyView, tr("&History"));
        m_messagesView = new LinkMessagesView(m_linkDialog->tabView());
        m_messagesView->setObjectName(QStringLiteral("messagesTab"));
        m_linkDialog->tabView()->addTab(m_messagesView, tr("Me&ssages"));
    }
    m_linkDialog->setNewTemplateAvailable(menus().action(ActionId::NewEmailTemplate)->isEnabled());
    return m_linkDialog;
}

void LinkCommands::newLink()
{
    LinkDialogController *dialog = linkDialogController();
    m_verifyAndReturnToLinkDialog = false;
    dialog->initializeFieldsWithInitialTabIndex(LinkForm::SiteTab);
    dialog->selectCategoryAtIndex(selectedCategoryIndex());
    m_historyView->showLink(document()->filePath(), QString());
    m_messagesView->showLink(nullptr, QString());
    dialog->open();
}

void LinkCommands::showLinkEditor(int tabIndex)
{
    const TreeNode *node = document()->selectedLinkNode();
    if (!node)
        return;
    LinkDialogController *dialog = linkDialogController();
    dialog->initializeFieldsWithInitialTabIndex(tabIndex);
    dialog->setOriginalLinkNode(node);
    m_historyView->showLink(document()->filePath(), node->link()->ID());
    m_messagesView->showLink(m_messageLog ? m_messageLog() : nullptr, node->link()->ID());
    dialog->open();
}

void LinkCommands::editLink()
{
    if (!document()->selectedLinkNode())
        return;
    m_verifyAndReturnToLinkDialog = false;
    showLinkEditor(LinkForm::SiteTab);
}

void LinkCommands::showLinkExchangeInfo()
{
    showLinkEditor(LinkForm::ExchangeTab);
}

void LinkCommands::showLinkNotifications()
{
    showLinkEditor(LinkForm::NotificationsTab);
}

void LinkCommands::showLinkNotes()
{
    showLinkEditor(LinkForm::NotesTab);
}

void LinkCommands::newLinkSheetDidEnd(int returnCode)
{
    if (returnCode != 1)
        return;
    const bool added = perform(tr("Add Link"), [this](DocumentChange &change) {
        return revealLink(collectionManager().addLinkFromLink(m_linkDialog->link()), change);
    });
    if (added)
        verifyIfAsked();
}

void LinkCommands::editLinkSheetDidEnd(int returnCode)
{
    TreeNode *node = returnCode == 1 ? m_linkDialog->originalLinkNode() : nullptr;
    if (!node)
        return;
    // What the store would make of the edit, to leave an unchanged link and document alone.
    Link edited = *node->link();
    edited.setTitle(m_linkDialog->link().fields());
    const bool changed = !LinkForm::sameFields(edited.fields(), node->link()->fields());
    if (changed) {
        perform(tr("Edit Link"), [&](DocumentChange &change) {
            revealLink(collectionManager().editLinkNode(node, m_linkDialog->link()), change);
            return true;
        });
    } else {
        document()->showAndSelectLinkNode(node);
    }
    verifyIfAsked();
}

void LinkCommands::verifyIfAsked()
{
    QAction *verify = menus().action(ActionId::VerifyLink);
    if (!m_linkDialog->verifyMode() || !verify->isEnabled())
        return;
    m_verifyAndReturnToLinkDialog = true;
    verify->trigger();
}

void LinkCommands::verificationSheetDidEnd()
{
    if (!m_verifyAndReturnToLinkDialog)
        return;
    m_verifyAndReturnToLinkDialog = false;
    showLinkExchangeInfo();
}

// ---------------------------------------------------------------- instant link

void LinkCommands::instantLink()
{
    if (!m_instantLinkDialog)
        m_instantLinkDialog = new InstantLinkDialogController(&collectionManager(), document());
    InstantLinkDialogController *dialog = m_instantLinkDialog;
    dialog->initializeFields();
    dialog->selectCategoryAtIndex(selectedCategoryIndex());
    dialog->exec();
    if (!dialog->userConfirmed())
        return;
    // The link and the message that starts its negotiation are undone together.
    const DocumentUndo::Group step(document()->undo(), tr("Instant Link"));
    const bool added = perform(tr("Instant Link"), [&](DocumentChange &change) {
        return revealLink(collectionManager().addLinkFromLink(dialog->link()), change);
    });
    if (!added || !dialog->shouldSendMessage())
        return;
    // Sent to the new link, which is the selected one now; writing to it starts the negotiation.
    if (dialog->emailTemplateIndex() == -1)
        emit customEmailRequested();
    else
        emit templateEmailRequested(dialog->emailTemplateIndex());
}

// ---------------------------------------------------------------- notification settings

void LinkCommands::notificationSetup()
{
    if (!m_notificationDialog) {
        m_notificationDialog = new NotificationDialogController(document());
        connect(m_notificationDialog, &QDialog::finished, this, &LinkCommands::notificationSetupSheetDidEnd);
    }
    m_notificationDialog->initializeFields(collectionManager().selfInfo().notificationSettings());
    m_notificationDialog->open();
}

void LinkCommands::notificationSetupSheetDidEnd(int returnCode)
{
    if (returnCode != 1)
        return;
    const NotificationSettings settings = m_notificationDialog->settings();
    if (settings == collectionManager().selfInfo().notificationSettings())
        return;
    perform(tr("Notification Settings"), [&](DocumentChange &) {
        collectionManager().setNotificationSettings(settings);
        return true;
    });
}

// ---------------------------------------------------------------- link count

void LinkCommands::countLinks()
{
    if (!m_linkCountDialog) {
        m_linkCountDialog = new LinkCountDialogController(&collectionManager(), document());
        connect(m_linkCountDialog, &QDialog::finished, this, &LinkCommands::countLinksSheetDidEnd);
    }
    m_linkCountDialog->initializeFieldsWithSelectedCategory(document()->selectedCategoryNode());
    m_linkCountDialog->open();
}

void LinkCommands::countLinksSheetDidEnd(int returnCode)
{
    // Counting changes nothing.
    Q_UNUSED(returnCode)
}
