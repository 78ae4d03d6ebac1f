#include "MailClientCommands.h"

#include "DetailsView.h"
#include "DocumentMenus.h"
#include "MyDocument.h"
#include "gui/MessageBox.h"
#include "gui/SendMessageMenu.h"
#include "workflow/EmailComposer.h"
#include "workflow/EmailTemplateListModel.h"
#include "workflow/ui/MailClientAlert.h"

#include <QAction>
#include <QMenu>

MailClientCommands::MailClientCommands(MyDocument *document) : DocumentCommandArea(document)
{
    const DocumentMenus &m = menus();
    connect(m.action(ActionId::NewCustomEmail), &QAction::triggered, this,
            &MailClientCommands::newCustomEmail);
    for (QMenu *menu :
         {m.sendMessageMenu, m.linkSendMessageMenu, document->detailsView()->sendMessageMenu()}) {
        auto *sendMessage =
            new SendMessageMenu(menu, document->emailTemplateModel(), m.action(ActionId::NewCustomEmail),
                                m.action(ActionId::NewEmailTemplate));
        connect(sendMessage, &SendMessageMenu::templateTriggered, this,
                &MailClientCommands::newTemplateEmail);
    }
}

void MailClientCommands::validateMenuItems()
{
    // A message goes to each selected partner.
    menus().action(ActionId::NewCustomEmail)->setEnabled(document()->numberOfSelectedLinks() > 0);
}

void MailClientCommands::newCustomEmail()
{
    sendEmailToSelectedLink([](Link &message) {
        return EmailComposer::sendEmailWithRecipient(message.contactEmail(), QString(""), QString(""),
                                                     message);
    });
}

void MailClientCommands::newTemplateEmail(int templateIndex)
{
    sendTemplateEmailWithIndex(templateIndex);
}

void MailClientCommands::sendTemplateEmailWithIndex(int templateIndex)
{
    sendEmailToSelectedLink([&](Link &message) {
        return EmailComposer::sendEmailWithRecipient(collectionManager(), message.contactEmail(),
                                                     templateIndex, message);
    });
}

void MailClientCommands::sendEmailToSelectedLink(const std::function<bool(Link &)> &send)
{
    const QStringList ids = document()->selectedLinkIDs();
    if (ids.isEmpty())
        return;
    // Several partners get one message each from the mail client: asked first, as each one opens.
    if (ids.size() > 1) {
        const int answer = MessageBox::alert(
            document(), tr("Open %n message(s) in your mail client?", nullptr, int(ids.size())),
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
            MailClientAlert::show(document());
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
    perform(name, [&](DocumentChange &change) {
        for (const auto &[node, status] : statuses)
            collectionManager().setStatusOfLink(node->link(), status);
        change.linkIDs = written;
        return true;
    });
}
