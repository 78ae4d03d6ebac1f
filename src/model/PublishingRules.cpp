#include "PublishingRules.h"

#include "CollectionManager.h"

namespace PublishingRules {

bool publishableLink(const SelfInfo &selfInfo, const Link &link)
{
    switch (link.status()) {
    case LinkStatusApproved:
        return true;
    case LinkStatusNew:
        return selfInfo.exportNewLinks();
    case LinkStatusNegotiating:
        return selfInfo.exportNegotiatingLinks();
    default:
        return false;
    }
}

int numberOfPublishableLinksInCategory(const SelfInfo &selfInfo, const TreeNode *categoryNode)
{
    int count = 0;
    for (const TreeNode *node : categoryNode->children()) {
        if (const Link *link = node->link(); link && publishableLink(selfInfo, *link))
            ++count;
    }
    return count;
}

int numberOfPublishableLinks(const CollectionManager &collectionManager)
{
    int count = 0;
    for (const TreeNode *node : collectionManager.categoryRoot()->children())
        count += numberOfPublishableLinksInCategory(collectionManager.selfInfo(), node);
    return count;
}

} // namespace PublishingRules
