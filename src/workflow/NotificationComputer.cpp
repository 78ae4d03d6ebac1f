#include "NotificationComputer.h"

#include "model/CollectionManager.h"
#include "model/Notification.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("NotificationComputer", text);
}

// What one recomputation needs for every link; the texts are made once and shared.
struct Rules
{
    Rules(const SelfInfo &info, const QDate &day)
        : settings(info.notificationSettings()), today(day),
          negotiationNotStartedText(
              tr("Negotiation not started after %1 days.").arg(settings.negotiationStartTimeout)),
          lastingNegotiationText(
              tr("Negotiation lasting more than %1 days.").arg(settings.lastingNegotiationTimeout)),
          verificationDueText(
              tr("Link verified more than %1 days ago.").arg(settings.linkVerificationTimeout)),
          categoryTooLargeText(
              tr("Category contains more than %1 links.").arg(settings.linksInCategoryNumber)),
          noResponseText(tr("Partner site does not respond.")),
          linksPageNotLoadedText(tr("Links page cannot be loaded.")),
          linkNotFoundText(tr("Reciprocal link cannot be found."))
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

void append(TreeNode &container, int32_t type, const QDate &date, const QString &text)
{
    container.addChild(new TreeNode(std::make_unique<Notification>(type, date, text)));
}

// A reminder is due once the stored day plus N calendar days lies strictly before today.
void appendIfOverdue(TreeNode &container, const Rules &rules, int32_t type, const QDate &since, int32_t days,
                     const QString &text)
{
    if (!since.isValid())
        return;
    const QDate due = since.addDays(days);
    if (due.isValid() && due < rules.today)
        append(container, type, due, text);
}

// `categoryTooLarge` is the outcome of the size rule, which the callers decide per category.
std::unique_ptr<TreeNode> buildContainer(const Rules &rules, const Link *link, bool categoryTooLarge)
{
    auto container = std::make_unique<TreeNode>();
    if (!link)
        return container;
    const NotificationSettings &s = rules.settings;
    const LinkStatus status = link->status();
    using N = NotificationComputer;

    if (s.notifyNegotiationNotStarted && status == LinkStatusNew)
        appendIfOverdue(*container, rules, N::NegotiationNotStarted, link->lastStatusChangedOn(),
                        s.negotiationStartTimeout, rules.negotiationNotStartedText);
    if (s.notifyLastingNegotiation && status == LinkStatusNegotiating)
        appendIfOverdue(*container, rules, N::LastingNegotiation, link->lastStatusChangedOn(),
                        s.lastingNegotiationTimeout, rules.lastingNegotiationText);
    if (s.notifyLinkVerification && status == LinkStatusApproved)
        appendIfOverdue(*container, rules, N::VerificationDue, link->lastVerifiedOn(),
                        s.linkVerificationTimeout, rules.verificationDueText);
    if (categoryTooLarge)
        append(*container, N::CategoryTooLarge, rules.today, rules.categoryTooLargeText);
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
            append(*container, N::VerificationUnsuccessful, link->lastVerifiedOn(), *text);
    }
    return container;
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
        const bool tooLarge = rules.settings.notifyLinksInCategory &&
                              exceeds(store.numberOfPublishableLinksInCategory(categoryNode),
                                      rules.settings.linksInCategoryNumber);
        for (TreeNode *linkNode : categoryNode->children()) {
            const Link *link = linkNode->link();
            if (!link)
                continue;
            delete linkNode->firstChild();
            linkNode->addChild(buildContainer(rules, link, tooLarge).release());
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
        tooLarge = categoryNode && exceeds(store.numberOfPublishableLinksInCategory(categoryNode), limit);
    }
    return buildContainer(rules, link, tooLarge);
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
