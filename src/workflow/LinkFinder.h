#pragma once

#include "LatestCheck.h"
#include "SearchCriterion.h"

#include <QList>
#include <vector>

class CollectionManager;
class TreeNode;

// Finds links in the order the window shows them: categories in tree order, the links of each
// category in the link list's sort order (LinkListOrder::compareLink with a sort column).
namespace LinkFinder {

// Copies of the criteria with every category criterion's string set to the ID of the category
// at its index, resolved now (a deleted category shifts the indices).
QList<SearchCriterion> resolveCategories(const CollectionManager &store,
                                         const QList<SearchCriterion> &criteria);

// The first matching link node after `startItem` in window order, wrapping around once, so a
// single match is found again from itself. Without a start item (or one no longer in the tree)
// the first match of the whole order. Null when nothing matches or there are no criteria.
// `descending` follows a list sorted the other way round; *wrapped tells whether the search went
// past the end and started again from the top. `recorded` holds the history's latest checks, for the
// followed condition; without it only the stored results are known.
TreeNode *findLinkWithSearchCriteria(const CollectionManager &store, const QList<SearchCriterion> &criteria,
                                     bool any, const TreeNode *startItem, int sortCriterion,
                                     bool descending = false, bool *wrapped = nullptr,
                                     const RecordedChecks *recorded = nullptr);

// Every matching link node in window order.
std::vector<TreeNode *> findAllLinksWithSearchCriteria(const CollectionManager &store,
                                                       const QList<SearchCriterion> &criteria, bool any,
                                                       int sortCriterion, bool descending = false,
                                                       const RecordedChecks *recorded = nullptr);

} // namespace LinkFinder
