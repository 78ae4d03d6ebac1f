#pragma once

#include <QString>

class CollectionManager;
class TreeNode;

// The numbers of the link count sheet: how many links of each status, with their total, in the
// whole database and in one category.
struct LinkCount
{
    int newLinks = 0;
    int negotiating = 0;
    int approved = 0;
    int blocked = 0;

    int total() const { return newLinks + negotiating + approved + blocked; }

    // The links under a category node by status; links of any other status code count nowhere.
    // All zero without a node.
    static LinkCount countInCategory(const TreeNode *categoryNode);
    // The database's status distribution, each slice taken as a whole number.
    static LinkCount countInDatabase(const CollectionManager &collectionManager);
    // The explanation above the numbers, naming the category; empty without one.
    static QString prompt(const TreeNode *categoryNode);
};
