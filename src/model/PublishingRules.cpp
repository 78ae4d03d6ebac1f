#include "PublishingRules.h"

#include "AddressTexts.h"
#include "CollectionManager.h"

namespace PublishingRules {

namespace {

bool publishableStatus(const SelfInfo &selfInfo, const Link &link)
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

} // namespace

bool publishableLink(const SelfInfo &selfInfo, const Link &link)
{
    // A database written by an older version may hold any address; the page never carries one that
    // is no web page ("javascript:" would run in the visitor's browser).
    return publishableStatus(selfInfo, link) && AddressTexts::isWebAddress(link.URL());
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

std::vector<const Link *> linksLeftOutForTheirAddress(const CollectionManager &collectionManager)
{
    std::vector<const Link *> links;
    for (const TreeNode *categoryNode : collectionManager.categoryRoot()->children()) {
        for (const TreeNode *node : categoryNode->children()) {
            const Link *link = node->link();
            if (link && publishableStatus(collectionManager.selfInfo(), *link) &&
                !AddressTexts::isWebAddress(link->URL()))
                links.push_back(link);
        }
    }
    return links;
}

} // namespace PublishingRules
