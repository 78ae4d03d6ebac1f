#pragma once

#include "Clock.h"
#include <QCoreApplication>
#include <QDate>
#include <QList>
#include <memory>

class CollectionManager;
class Link;
class Notification;
class TreeNode;

// Derives each link's reminders from its status, dates and last verification under the database's
// settings. The reminders hang under each link node in one container node without a record.
class NotificationComputer
{
    Q_DECLARE_TR_FUNCTIONS(NotificationComputer)

public:
    enum Type : int32_t
    {
        NegotiationNotStarted = 1,
        LastingNegotiation = 2,
        VerificationDue = 3,
        CategoryTooLarge = 4,
        VerificationUnsuccessful = 5,
    };

    // Replaces the container of every link node. Each category's publishable links are counted
    // once, so the whole run is linear in the number of links.
    static void computeNotifications(CollectionManager &store, const QDate &today = Clock::today());

    // A new container (owned by the caller) with the link's reminders; empty without a link.
    // With a category node the size rule uses it as it stands; without one the category is
    // looked up by the link's category ID and the link counts as one more of its links.
    static std::unique_ptr<TreeNode> computeNotificationsForLink(const CollectionManager &store,
                                                                 const Link *link,
                                                                 const TreeNode *categoryNode,
                                                                 const QDate &today = Clock::today());

    static bool linkHasNotifications(const TreeNode *linkNode);
    static bool categoryHasNotifications(const TreeNode *categoryNode);
    // The reminders under a link node in their order (type 1 first); empty if never computed.
    static QList<const Notification *> notificationsOfLinkNode(const TreeNode *linkNode);
};
