#pragma once

#include <QString>
#include <array>
#include <vector>

class TreeNode;

// One criterion of a link comparison.
enum class LinkSortCriterion
{
    None = 0,
    Status = 1,
    Title = 2,
    Description = 3,
    Address = 4,
    LinksPage = 5,
    Contact = 6,
    Email = 7,
    Category = 8,
    LastVerified = 9,
    Result = 10
};

// A link's values for one sort column, read once: comparing two keys orders their links exactly as
// compareLink does for that column, without reading the links again (texts are case-folded here, once,
// rather than in every comparison of a sort).
struct LinkSortKey
{
    struct Part
    {
        qint64 number = 0;
        quint64 prefix = 0; // the text's first code units
        QString text;
    };
    // A text's part: folded, its first code units as a number.
    static Part textPart(const QString &text, qint64 number = 0);
    // Negative: a before b.
    static int compareParts(const Part &a, const Part &b);
    bool isLink = false;
    int count = 0;
    std::array<Part, 4> parts;
};

// The order of a category's links in the link list: a sort column (0 none, 1 status, 2 title,
// 3 description, then the link list's further columns up to 10 result; anything else sorts as status)
// chains its criterion before status, title and description.
namespace LinkListOrder {

// Negative: a before b. Texts compare without case.
int compareLink(const TreeNode *a, const TreeNode *b, LinkSortCriterion criterion);
int compareLink(const TreeNode *a, const TreeNode *b, int sortColumn);
LinkSortKey sortKey(const TreeNode *node, int sortColumn);
// Negative: a before b; as compareLink(a, b, sortColumn) for the nodes the keys were made of.
int compareKeys(const LinkSortKey &a, const LinkSortKey &b);
// Where a result stands in the Result column's order: the good results first, never checked last.
int resultRank(char result);
// The category's link nodes in that order (none for no category). Stable either way: links that
// compare equal keep their order, descending too.
void buildSortedLinkList(std::vector<TreeNode *> &list, const TreeNode *categoryNode, int sortColumn,
                         bool descending = false);

} // namespace LinkListOrder
