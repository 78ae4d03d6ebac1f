#include "LinkListOrder.h"

#include "model/Link.h"
#include "model/TreeNode.h"

#include <algorithm>

namespace LinkListOrder {

int compareLink(const TreeNode *a, const TreeNode *b, LinkSortCriterion criterion)
{
    const Link *first = a->link();
    const Link *second = b->link();
    if (!first || !second)
        return 0;
    switch (criterion) {
    case LinkSortCriterion::Status:
        return first->status() == second->status() ? 0 : (first->status() < second->status() ? -1 : 1);
    case LinkSortCriterion::Title:
        return QString::compare(first->title(), second->title(), Qt::CaseInsensitive);
    case LinkSortCriterion::Description:
        return QString::compare(first->description(), second->description(), Qt::CaseInsensitive);
    default:
        return 0;
    }
}

int compareLink(const TreeNode *a, const TreeNode *b, int sortColumn)
{
    using C = LinkSortCriterion;
    static constexpr C chains[4][3] = {
        {C::Status, C::Title, C::Description}, // column 0: none first, which is always equal
        {C::Status, C::Title, C::Description},
        {C::Title, C::Status, C::Description},
        {C::Description, C::Status, C::Title},
    };
    const C *chain = chains[(sortColumn >= 0 && sortColumn <= 3) ? sortColumn : 1];
    for (int i = 0; i < 3; ++i) {
        if (const int result = compareLink(a, b, chain[i]))
            return result;
    }
    return 0;
}

void buildSortedLinkList(std::vector<TreeNode *> &list, const TreeNode *categoryNode, int sortColumn,
                         bool descending)
{
    list.clear();
    if (!categoryNode)
        return;
    for (TreeNode *node : categoryNode->children()) {
        if (node->link())
            list.push_back(node);
    }
    // Inserting each node before the first it sorts before is exactly a stable sort. Descending
    // turns the comparison round rather than the result, so equal links keep their order.
    std::stable_sort(
        list.begin(), list.end(), [sortColumn, descending](const TreeNode *a, const TreeNode *b) {
            return descending ? compareLink(a, b, sortColumn) > 0 : compareLink(a, b, sortColumn) < 0;
        });
}

} // namespace LinkListOrder
