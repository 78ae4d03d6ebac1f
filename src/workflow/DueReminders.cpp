#include "DueReminders.h"

#include "model/CollectionManager.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"

#include <algorithm>

namespace DueReminders {

QList<Entry> collect(const CollectionManager &store, const QDate &today)
{
    QList<Entry> entries;
    for (TreeNode *categoryNode : store.categoryRoot()->children()) {
        for (const TreeNode *linkNode : categoryNode->children()) {
            const Link *link = linkNode->link();
            if (!link)
                continue;
            for (const Notification *notification : NotificationComputer::notificationsOfLinkNode(linkNode)) {
                if (notification->date().isValid() && notification->date() <= today)
                    entries.append({notification->date(), notification->text(), link->ID(), link->title(),
                                    categoryNode->title()});
            }
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.date < b.date; });
    return entries;
}

} // namespace DueReminders
