#include "LinkStatusCommands.h"

#include "DocumentMenus.h"
#include "MyDocument.h"

#include <QAction>

LinkStatusCommands::LinkStatusCommands(MyDocument *document) : DocumentCommandArea(document)
{
    const DocumentMenus &m = menus();
    connect(m.action(ActionId::SetStatusNew), &QAction::triggered, this, &LinkStatusCommands::setStatusNew);
    connect(m.action(ActionId::SetStatusNegotiating), &QAction::triggered, this,
            &LinkStatusCommands::setStatusNegotiating);
    connect(m.action(ActionId::SetStatusApproved), &QAction::triggered, this,
            &LinkStatusCommands::setStatusApproved);
    connect(m.action(ActionId::SetStatusBlocked), &QAction::triggered, this,
            &LinkStatusCommands::setStatusBlocked);
    connect(m.action(ActionId::MarkAsVerified), &QAction::triggered, this,
            &LinkStatusCommands::markAsVerified);
}

void LinkStatusCommands::validateMenuItems()
{
    const DocumentMenus &m = menus();
    const Link *link = document()->selectedLink();
    const bool someLinks = document()->numberOfSelectedLinks() > 0;
    m.action(ActionId::MarkAsVerified)->setEnabled(someLinks);
    const struct
    {
        QAction *action;
        LinkStatus status;
    } statuses[] = {{m.action(ActionId::SetStatusNew), LinkStatusNew},
                    {m.action(ActionId::SetStatusNegotiating), LinkStatusNegotiating},
                    {m.action(ActionId::SetStatusApproved), LinkStatusApproved},
                    {m.action(ActionId::SetStatusBlocked), LinkStatusBlocked}};
    for (const auto &item : statuses) {
        item.action->setEnabled(someLinks);
        item.action->setChecked(link && link->status() == item.status);
    }
}

void LinkStatusCommands::setSelectedLinkStatus(LinkStatus status)
{
    const QStringList ids = document()->selectedLinkIDs();
    const QString name =
        ids.size() == 1 ? tr("Set Status") : tr("Set Status of %n Link(s)", nullptr, int(ids.size()));
    const bool changed = !ids.isEmpty() && perform(name, [&](DocumentChange &change) {
        change.linkIDs = ids;
        return collectionManager().setStatus(status, ids);
    });
    if (!changed)
        document()->validateMenuItems(); // the triggered item ticked itself; put the marks back
}

void LinkStatusCommands::markAsVerified()
{
    const QStringList ids = document()->selectedLinkIDs();
    if (ids.isEmpty())
        return;
    const QString name = ids.size() == 1 ? tr("Mark as Verified")
                                         : tr("Mark %n Link(s) as Verified", nullptr, int(ids.size()));
    perform(name, [&](DocumentChange &change) {
        if (!collectionManager().setVerificationResult(VerificationMarkedVerified, ids))
            return false;
        // Always Approved afterwards; both changes are one step.
        collectionManager().setStatus(LinkStatusApproved, ids);
        change.linkIDs = ids;
        return true;
    });
}
