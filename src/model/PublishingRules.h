#pragma once

class CollectionManager;
class Link;
class SelfInfo;
class TreeNode;

// Which links the links page shows: approved ones always, new and negotiating ones as the site
// profile says, the rest never.
namespace PublishingRules {

bool publishableLink(const SelfInfo &selfInfo, const Link &link);
int numberOfPublishableLinksInCategory(const SelfInfo &selfInfo, const TreeNode *categoryNode);
int numberOfPublishableLinks(const CollectionManager &collectionManager);

} // namespace PublishingRules
