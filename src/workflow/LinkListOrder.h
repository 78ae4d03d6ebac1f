#pragma once

#include <vector>

class TreeNode;

// One criterion of a link comparison.
enum class LinkSortCriterion
{
    None = 0,
    Status = 1,
    Title = 2,
    Description = 3
};

// The order of a category's links in the link list: a sort column (0 none, 1 status, 2 title,
// 3 description; anything else sorts as status) chains its criterion before the other two.
namespace LinkListOrder {

// Negative: a before b. Texts compare without case.
int compareLink(const TreeNode *a, const TreeNode *b, LinkSortCriterion criterion);
int compareLink(const TreeNode *a, const TreeNode *b, int sortColumn);
// The category's link nodes in that order (none for no category). Stable either way: links that
// compare equal keep their order, descending too.
void buildSortedLinkList(std::vector<TreeNode *> &list, const TreeNode *categoryNode, int sortColumn,
                         bool descending = false);

} // namespace LinkListOrder
