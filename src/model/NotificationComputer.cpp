#include "NotificationComputer.h"

#include "PublishingRules.h"
#include "model/CollectionManager.h"
#include "model/Notification.h"

#include <QCoreApplication>
#include <array>

namespace {

// What one recomputation needs for every link; the texts are made once and shared.
struct Rules
{
    Rules(const SelfInfo &info, const QDate &day)
        : settings(info.notificationSettings()), today(day),
          negotiationNotStartedText(NotificationComputer::tr("Negotiation not started after %n days.",
                                                             nullptr, settings.negotiationStartTimeout)),
          lastingNegotiationText(NotificationComputer::tr("Negotiation lasting more than %n days.", nullptr,
                                                          settings.lastingNegotiationTimeout)),
          verificationDueText(NotificationComputer::tr("Link verified more than %n days ago.", nullptr,
                                                       settings.linkVerificationTimeout)),
          categoryTooLargeText(NotificationComputer::tr("Category contains more than %n links.", nullptr,
                                                        settings.linksInCategoryNumber)),
          noResponseText(NotificationComputer::tr("Partner site does not respond.")),
          linksPageNotLoadedText(NotificationComputer::tr("Links page cannot be loaded.")),
          linkNotFoundText(NotificationComputer::tr("Reciprocal link cannot be found."))
    {}

    NotificationSettings settings;
    QDate today;
    QString negotiationNotStartedText;
    QString lastingNegotiationText;
    QString verificationDueText;
    QString categoryTooLargeText;
    QString noResponseText;
    QString linksPageNotLoadedText;
    QString linkNotFoundText;
};

// The reminders of one link before they become records: at most one of each of the five types.
struct Due
{
    struct Entry
    {
        int32_t type;
        QDate date;
        const QString *text;
    };
    std::array<Entry, 5> entries;
    size_t count = 0;

    void append(int32_t type, const QDate &date, const QString &text)
    {
        entries[count++] = {type, date, &text};
    }

    // A reminder is due once the stored day plus N calendar days lies strictly before today.
    void appendIfOverdue(const Rules &rules, int32_t type, const QDate &since, int32_t days,
                         const QString &text)
    {
        if (!since.isValid())
            return;
        const QDate due = since.addDays(days);
        if (due.isValid() && due < rules.today)
            append(type, due, text);
    }

    std::unique_ptr<TreeNode> container() const
    {
        auto node = std::make_unique<TreeNode>();
        for (size_t i = 0; i < count; ++i)
            node->addChild(new TreeNode(
                std::make_unique<Notification>(entries[i].type, entries[i].date, *entries[i].text)));
        return node;
    }

    // True when `container` already holds exactly these reminders.
    bool isHeldBy(const TreeNode *container) const
    {
        if (!container || container->attachment() || container->children().size() != count)
            return false;
        for (size_t i = 0; i < count; ++i) {
            const Attachment *record = container->children()[i]->attachment();
            if (!record || record->kind() != Attachment::Kind::Notification)
                return false;
            const auto *held = static_cast<const Notification *>(record);
            if (held->type() != entries[i].type || held->date() != entries[i].date ||
                held->text() != *entries[i].text)
                return false;
        }
        return true;
    }
};

// `categoryTooLarge` is the outcome of the size rule, which the callers decide per category.
Due dueFor(const Rules &rules, const Link *link, bool categoryTooLarge)
{
    Due due;
    if (!link)
        return due;
    const NotificationSettings &s = rules.settings;
    const LinkStatus status = link->status();
    using N = NotificationComputer;

    if (s.notifyNegotiationNotStarted && status == LinkStatusNew)
        due.appendIfOverdue(rules, N::NegotiationNotStarted, link->lastStatusChangedOn(),
                            s.negotiationStartTimeout, rules.negotiationNotStartedText);
    if (s.notifyLastingNegotiation && status == LinkStatusNegotiating)
        due.appendIfOverdue(rules, N::LastingNegotiation, link->lastStatusChangedOn(),
                            s.lastingNegotiationTimeout, rules.lastingNegotiationText);
    if (s.notifyLinkVerification && status == LinkStatusApproved)
        due.appendIfOverdue(rules, N::VerificationDue, link->lastVerifiedOn(), s.linkVerificationTimeout,
                            rules.verificationDueText);
    if (categoryTooLarge)
        due.append(N::CategoryTooLarge, rules.today, rules.categoryTooLargeText);
    if (s.notifyVerificationUnsuccessful && status == LinkStatusApproved &&
        link->lastVerifiedOn().isValid()) {
        const QString *text = nullptr;
        switch (link->lastVerificationResult()) {
        case VerificationNoResponse:
            text = &rules.noResponseText;
            break;
        case VerificationLinksPageNotLoaded:
            text = &rules.linksPageNotLoadedText;
            break;
        case VerificationLinkNotFound:
            text = &rules.linkNotFoundText;
            break;
        default:
            break;
        }
        if (text)
            due.append(N::VerificationUnsuccessful, link->lastVerifiedOn(), *text);
    }
    return due;
}

// The size rule: more than `limit` publishable links, compared without overflow.
bool exceeds(int publishable, int64_t limit)
{
    return int64_t(publishable) > limit;
}

} // namespace

void NotificationComputer::computeNotifications(CollectionManager &store, const QDate &today)
{
    const Rules rules(store.selfInfo(), today);
    for (TreeNode *categoryNode : store.categoryRoot()->children()) {
        const bool tooLarge =
            rules.settings.notifyLinksInCategory &&
            exceeds(PublishingRules::numberOfPublishableLinksInCategory(store.selfInfo(), categoryNode),
                    rules.settings.linksInCategoryNumber);
        for (TreeNode *linkNode : categoryNode->children()) {
            const Link *link = linkNode->link();
            if (!link)
                continue;
            // An unchanged container stays: the hourly run then allocates nothing.
            const Due due = dueFor(rules, link, tooLarge);
            if (linkNode->numberOfChildren() == 1 && due.isHeldBy(linkNode->firstChild()))
                continue;
            while (TreeNode *old = linkNode->firstChild())
                delete old;
            linkNode->addChild(due.container().release());
        }
    }
}

std::unique_ptr<TreeNode> NotificationComputer::computeNotificationsForLink(const CollectionManager &store,
                                                                            const Link *link,
                                                                            const TreeNode *categoryNode,
                                                                            const QDate &today)
{
    const Rules rules(store.selfInfo(), today);
    bool tooLarge = false;
    if (link && rules.settings.notifyLinksInCategory) {
        int64_t limit = rules.settings.linksInCategoryNumber;
        if (!categoryNode) {
            // The link being edited counts as one more link of the category it names.
            categoryNode = store.categoryNodeWithID(link->categoryID());
            --limit;
        }
        tooLarge =
            categoryNode &&
            exceeds(PublishingRules::numberOfPublishableLinksInCategory(store.selfInfo(), categoryNode),
                    limit);
    }
    return dueFor(rules, link, tooLarge).container();
}

bool NotificationComputer::linkHasNotifications(const TreeNode *linkNode)
{
    const TreeNode *container = linkNode ? linkNode->firstChild() : nullptr;
    return container && container->isExpandable();
}

bool NotificationComputer::categoryHasNotifications(const TreeNode *categoryNode)
{
    if (!categoryNode)
        return false;
    for (const TreeNode *linkNode : categoryNode->children()) {
        if (linkHasNotifications(linkNode))
            return true;
    }
    return false;
}

QList<const Notification *> NotificationComputer::notificationsOfLinkNode(const TreeNode *linkNode)
{
    QList<const Notification *> notifications;
    const TreeNode *container = linkNode ? linkNode->firstChild() : nullptr;
    if (!container)
        return notifications;
    for (const TreeNode *node : container->children()) {
        const Attachment *record = node->attachment();
        if (record && record->kind() == Attachment::Kind::Notification)
            notifications.append(static_cast<const Notification *>(record));
    }
    return notifications;
}
