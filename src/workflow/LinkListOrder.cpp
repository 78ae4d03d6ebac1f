#include "LinkListOrder.h"

#include "model/Category.h"
#include "model/Codes.h"
#include "model/Link.h"
#include "model/TreeNode.h"

#include <algorithm>

namespace {

int compareTexts(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

template <typename T> int compareValues(const T &a, const T &b)
{
    return a == b ? 0 : (a < b ? -1 : 1);
}

QString categoryName(const TreeNode *linkNode)
{
    const TreeNode *parent = linkNode->parent();
    const Category *category = parent ? parent->category() : nullptr;
    return category ? category->name() : QString();
}

QString contactName(const Link &link)
{
    return link.contactFirstName() + QLatin1Char(' ') + link.contactLastName();
}

} // namespace

namespace LinkListOrder {

int resultRank(char result)
{
    switch (result) {
    case VerificationSucceeded:
        return 0;
    case VerificationMarkedVerified:
        return 1;
    case VerificationLinkNotFound:
        return 2;
    case VerificationLinksPageNotLoaded:
        return 3;
    case VerificationNoResponse:
        return 4;
    case VerificationNoLinksPageURL:
        return 5;
    default:
        return 6;
    }
}

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
        return compareTexts(first->title(), second->title());
    case LinkSortCriterion::Description:
        return compareTexts(first->description(), second->description());
    case LinkSortCriterion::Address:
        return compareTexts(first->URL(), second->URL());
    case LinkSortCriterion::LinksPage:
        return compareTexts(first->counterpartURL(), second->counterpartURL());
    case LinkSortCriterion::Contact:
        return compareTexts(contactName(*first), contactName(*second));
    case LinkSortCriterion::Email:
        return compareTexts(first->contactEmail(), second->contactEmail());
    case LinkSortCriterion::Category:
        return compareTexts(categoryName(a), categoryName(b));
    case LinkSortCriterion::LastVerified:
        // By day; never verified (a null date) before the oldest.
        return compareValues(first->lastVerifiedOn().toJulianDay(), second->lastVerifiedOn().toJulianDay());
    case LinkSortCriterion::Result:
        return compareValues(resultRank(first->lastVerificationResult()),
                             resultRank(second->lastVerificationResult()));
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
    // The further columns sort by their own value first, then as the status column does.
    const bool further = sortColumn > 3 && sortColumn <= int(C::Result);
    if (further) {
        if (const int result = compareLink(a, b, C(sortColumn)))
            return result;
    }
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
