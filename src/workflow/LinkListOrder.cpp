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

} // namespace LinkListOrder

LinkSortKey::Part LinkSortKey::textPart(const QString &text, qint64 number)
{
    Part part;
    part.number = number;
    part.text = text.toCaseFolded();
    // The first four code units as a number: most comparisons end there, without reading the text.
    for (qsizetype i = 0; i < 4; ++i)
        part.prefix = (part.prefix << 16) | (i < part.text.size() ? part.text.at(i).unicode() : 0u);
    return part;
}

int LinkSortKey::compareParts(const Part &a, const Part &b)
{
    if (a.number != b.number)
        return a.number < b.number ? -1 : 1;
    if (a.prefix != b.prefix)
        return a.prefix < b.prefix ? -1 : 1;
    // Folded texts compare code unit by code unit, as a comparison without case does.
    const int result = QString::compare(a.text, b.text, Qt::CaseSensitive);
    return (result > 0) - (result < 0);
}

namespace {

// The criteria a sort column compares by, in order: the further columns sort by their own value
// first, then as the status column does.
int chainOf(int sortColumn, LinkSortCriterion *chain)
{
    using C = LinkSortCriterion;
    static constexpr C chains[4][3] = {
        {C::Status, C::Title, C::Description}, // column 0: none first, which is always equal
        {C::Status, C::Title, C::Description},
        {C::Title, C::Status, C::Description},
        {C::Description, C::Status, C::Title},
    };
    int count = 0;
    if (sortColumn > 3 && sortColumn <= int(C::Result))
        chain[count++] = C(sortColumn);
    const C *tail = chains[(sortColumn >= 0 && sortColumn <= 3) ? sortColumn : 1];
    for (int i = 0; i < 3; ++i)
        chain[count++] = tail[i];
    return count;
}

LinkSortKey::Part partOf(const TreeNode *node, const Link &link, LinkSortCriterion criterion)
{
    LinkSortKey::Part part;
    switch (criterion) {
    case LinkSortCriterion::Status:
        part.number = link.status();
        break;
    case LinkSortCriterion::Title:
        part = LinkSortKey::textPart(link.title());
        break;
    case LinkSortCriterion::Description:
        part = LinkSortKey::textPart(link.description());
        break;
    case LinkSortCriterion::Address:
        part = LinkSortKey::textPart(link.URL());
        break;
    case LinkSortCriterion::LinksPage:
        part = LinkSortKey::textPart(link.counterpartURL());
        break;
    case LinkSortCriterion::Contact:
        part = LinkSortKey::textPart(contactName(link));
        break;
    case LinkSortCriterion::Email:
        part = LinkSortKey::textPart(link.contactEmail());
        break;
    case LinkSortCriterion::Category:
        part = LinkSortKey::textPart(categoryName(node));
        break;
    case LinkSortCriterion::LastVerified:
        part.number = link.lastVerifiedOn().toJulianDay();
        break;
    case LinkSortCriterion::Result:
        part.number = LinkListOrder::resultRank(link.lastVerificationResult());
        break;
    default:
        break;
    }
    return part;
}

} // namespace

namespace LinkListOrder {

int compareLink(const TreeNode *a, const TreeNode *b, int sortColumn)
{
    LinkSortCriterion chain[4];
    const int count = chainOf(sortColumn, chain);
    for (int i = 0; i < count; ++i) {
        if (const int result = compareLink(a, b, chain[i]))
            return result;
    }
    return 0;
}

LinkSortKey sortKey(const TreeNode *node, int sortColumn)
{
    LinkSortKey key;
    const Link *link = node ? node->link() : nullptr;
    if (!link)
        return key;
    key.isLink = true;
    LinkSortCriterion chain[4];
    key.count = chainOf(sortColumn, chain);
    for (int i = 0; i < key.count; ++i)
        key.parts[size_t(i)] = partOf(node, *link, chain[i]);
    return key;
}

int compareKeys(const LinkSortKey &a, const LinkSortKey &b)
{
    if (!a.isLink || !b.isLink)
        return 0;
    for (int i = 0; i < std::min(a.count, b.count); ++i) {
        if (const int result = LinkSortKey::compareParts(a.parts[size_t(i)], b.parts[size_t(i)]))
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
    std::vector<std::pair<LinkSortKey, TreeNode *>> keyed;
    for (TreeNode *node : categoryNode->children()) {
        if (node->link())
            keyed.emplace_back(sortKey(node, sortColumn), node);
    }
    // Descending turns the comparison round rather than the result, so equal links keep their order.
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto &a, const auto &b) {
        const int compared = compareKeys(a.first, b.first);
        return descending ? compared > 0 : compared < 0;
    });
    list.reserve(keyed.size());
    for (const auto &entry : keyed)
        list.push_back(entry.second);
}

} // namespace LinkListOrder
