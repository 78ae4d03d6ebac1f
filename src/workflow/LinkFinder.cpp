#include "LinkFinder.h"

#include "LinkListOrder.h"
#include "LinkMatcher.h"
#include "model/CollectionManager.h"

namespace LinkFinder {

namespace {

// A link's place in its category's sorted list: the sort is stable, so equal links keep their
// stored order. Comparing places directly finds the first match without sorting the category.
struct Order
{
    int sortCriterion;
    bool descending;
    const RecordedChecks *recorded;
};

// Descending turns the comparison round, never the stored order of equal links.
bool comesBefore(const TreeNode *a, const TreeNode *b, Order order)
{
    if (const int compared = LinkListOrder::compareLink(a, b, order.sortCriterion))
        return order.descending ? compared > 0 : compared < 0;
    return a->parent()->indexOfChild(a) < b->parent()->indexOfChild(b);
}

// The earliest matching link of the category, or with `after` the earliest one placed after it.
TreeNode *firstMatchIn(const TreeNode *categoryNode, const QList<SearchCriterion> &criteria, bool any,
                       const TreeNode *after, Order order)
{
    TreeNode *best = nullptr;
    for (TreeNode *node : categoryNode->children()) {
        const Link *link = node->link();
        if (!link || node == after ||
            !LinkMatcher::matchesCriteria(*link, criteria, any,
                                          LatestCheck::recordedFor(*link, order.recorded)))
            continue;
        if (after && !comesBefore(after, node, order))
            continue;
        if (!best || comesBefore(node, best, order))
            best = node;
    }
    return best;
}

} // namespace

QList<SearchCriterion> resolveCategories(const CollectionManager &store,
                                         const QList<SearchCriterion> &criteria)
{
    QList<SearchCriterion> resolved = criteria;
    for (SearchCriterion &criterion : resolved) {
        if (criterion.object() == SearchCriterion::CategoryObject)
            criterion.setStringValue(store.IDOfCategoryWithIndex(criterion.intValue()));
    }
    return resolved;
}

TreeNode *findLinkWithSearchCriteria(const CollectionManager &store, const QList<SearchCriterion> &criteria,
                                     bool any, const TreeNode *startItem, int sortCriterion, bool descending,
                                     bool *wrapped, const RecordedChecks *recorded)
{
    const Order order{sortCriterion, descending, recorded};
    if (wrapped)
        *wrapped = false;
    if (criteria.isEmpty())
        return nullptr;
    const QList<SearchCriterion> resolved = resolveCategories(store, criteria);
    const std::vector<TreeNode *> &categories = store.categoryRoot()->children();

    // Only a link node of a category in the tree is ever passed by the walk.
    size_t first = 0;
    const TreeNode *after = nullptr;
    if (startItem && startItem->link() && startItem->parent() &&
        startItem->parent()->parent() == store.categoryRoot()) {
        first = size_t(store.categoryRoot()->indexOfChild(startItem->parent()));
        after = startItem;
    }
    if (after) {
        for (size_t i = first; i < categories.size(); ++i) {
            if (TreeNode *found =
                    firstMatchIn(categories[i], resolved, any, i == first ? after : nullptr, order))
                return found;
        }
    }
    // From the beginning: the first match of the whole order, which may be the start item itself.
    for (const TreeNode *categoryNode : categories) {
        if (TreeNode *found = firstMatchIn(categoryNode, resolved, any, nullptr, order)) {
            if (wrapped)
                *wrapped = after != nullptr;
            return found;
        }
    }
    return nullptr;
}

std::vector<TreeNode *> findAllLinksWithSearchCriteria(const CollectionManager &store,
                                                       const QList<SearchCriterion> &criteria, bool any,
                                                       int sortCriterion, bool descending,
                                                       const RecordedChecks *recorded)
{
    std::vector<TreeNode *> found;
    if (criteria.isEmpty())
        return found;
    const QList<SearchCriterion> resolved = resolveCategories(store, criteria);
    std::vector<TreeNode *> sorted;
    for (const TreeNode *categoryNode : store.categoryRoot()->children()) {
        LinkListOrder::buildSortedLinkList(sorted, categoryNode, sortCriterion, descending);
        for (TreeNode *node : sorted) {
            const Link &link = *node->link();
            if (LinkMatcher::matchesCriteria(link, resolved, any, LatestCheck::recordedFor(link, recorded)))
                found.push_back(node);
        }
    }
    return found;
}

} // namespace LinkFinder
