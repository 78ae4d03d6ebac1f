#pragma once

#include <vector>

class CollectionManager;
class Link;
class SelfInfo;
class TreeNode;

// Which links the links page shows: approved ones always, new and negotiating ones as the site
// profile says, the rest never; and never a link whose address is no web address.
namespace PublishingRules {

bool publishableLink(const SelfInfo &selfInfo, const Link &link);
int numberOfPublishableLinksInCategory(const SelfInfo &selfInfo, const TreeNode *categoryNode);
int numberOfPublishableLinks(const CollectionManager &collectionManager);
// The links their status would publish but whose address is no web address, in tree order: the
// exports name them, since the page leaves them out.
std::vector<const Link *> linksLeftOutForTheirAddress(const CollectionManager &collectionManager);

} // namespace PublishingRules
