#pragma once

#include <QSet>
#include <QString>

class CollectionManager;
class TreeNode;

// Proposes the anchor (the ID the user sees) of a new category from its name: its letters and digits
// in lower case (accents dropped), "category" when it has none, at most MaximumAnchorLength long, and
// unique ignoring case by a number at the end ("books2"). Each proposal is taken, so that many new
// categories of one import get different anchors without a walk per category.
class CategoryAnchorProposer
{
public:
    static constexpr int MaximumAnchorLength = 49;

    // `except` (a category being renamed, or null) does not hold its anchor.
    explicit CategoryAnchorProposer(const CollectionManager &store, const TreeNode *except = nullptr);

    QString propose(const QString &name);

private:
    QSet<QString> m_taken; // lower case
};
