#include "LinkStatusCommands.h"

#include "DocumentMenus.h"
#include "MyDocument.h"

#include <QAction>

LinkStatusCommands::LinkStatusCommands(MyDocument *document) : DocumentCommandArea(document)
{
    const DocumentMenus &m = menus();
    connect(m.setStatusNew, &QAction::triggered, this, &LinkStatusCommands::setStatusNew);
    connect(m.setStatusNegotiating, &QAction::triggered, this, &LinkStatusCommands::setStatusNegotiating);
    connect(m.setStatusApproved, &QAction::triggered, this, &LinkStatusCommands::setStatusApproved);
    connect(m.setStatusBlocked, &QAction::triggered, this, &LinkStatusCommands::setStatusBlocked);
    connect(m.markAsVerified, &QAction::triggered, this, &LinkStatusCommands::markAsVerified);
}

void LinkStatusCommands::validateMenuItems()
{
    const DocumentMenus &m = menus();
    const Link *link = document()->selectedLink();
    const bool someLinks = document()->numberOfSelectedLinks() > 0;
    m.markAsVerified->setEnabled(someLinks);
    const struct
    {
        QAction *action;
        LinkStatus status;
    } statuses[] = {{m.setStatusNew, LinkStatusNew},
                    {m.setStatusNegotiating, LinkStatusNegotiating},
                    {m.setStatusApproved, LinkStatusApproved},
                    {m.setStatusBlocked, LinkStatusBlocked}};
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
