#include "LinkDeleteCommands.h"

#include "DocumentMenus.h"
#include "LinkListController.h"
#include "MyDocument.h"
#include "gui/MessageBox.h"

#include <QAction>

LinkDeleteCommands::LinkDeleteCommands(MyDocument *document) : DocumentCommandArea(document)
{
    connect(menus().action(ActionId::DeleteLink), &QAction::triggered, this, &LinkDeleteCommands::deleteLink);
}

void LinkDeleteCommands::validateMenuItems()
{
    menus().action(ActionId::DeleteLink)->setEnabled(document()->numberOfSelectedLinks() > 0);
}

void LinkDeleteCommands::deleteLink()
{
    const int count = document()->numberOfSelectedLinks();
    if (count == 0)
        return;
    const Link *link = document()->selectedLink();
    const QString title = count == 1 && link
                              ? tr("Are you sure you want to delete the link \"%1\"?").arg(link->title())
                              : tr("Delete the %Ln selected link(s)?", nullptr, count);
    const int answer = MessageBox::alert(document(), title, QString(), {tr("Delete"), tr("Cancel")});
    deleteLinkSheetDidEnd(answer == 0 ? 1 : 0);
}

void LinkDeleteCommands::deleteLinkSheetDidEnd(int returnCode)
{
    if (returnCode != 1 || document()->numberOfSelectedLinks() == 0)
        return;
    const QStringList ids = document()->selectedLinkIDs();
    // The list lets go of the rows before their nodes go.
    document()->linkListController()->showAndSelectLinkNode(nullptr);
    perform(ids.size() == 1 ? tr("Delete Link") : tr("Delete %n Link(s)", nullptr, int(ids.size())),
            [&](DocumentChange &) {
                collectionManager().deleteLinkNodesWithIDs(ids);
                return true;
            });
}
