#pragma once

#include <QString>

class CollectionManager;
class TreeNode;

// The rules of the category name sheet, without the window: the checks before the trim
// questions, in the order the sheet runs them.
namespace CategoryNameForm {

inline constexpr int MaximumNameLength = 199;
inline constexpr int MaximumAnchorLength = 49;

enum class Problem
{
    None,
    MissingField,
    InvalidAnchor,
    DuplicateName,
    DuplicateAnchor,
};

struct Alert
{
    QString title;
    QString message;
};

// Only the letters a-z, A-Z and the digits 0-9.
bool isValidAnchor(const QString &anchor);
// The category other than `originalCategory` whose anchor equals this one when case is ignored, or
// null. Anchors name the category's page file, and on file systems that ignore case two anchors
// differing only in case would write one file.
const TreeNode *categoryWithAnchorIgnoringCase(const CollectionManager &store, const QString &anchor,
                                               const TreeNode *originalCategory);
// An anchor for a category of that name: its letters and digits in lower case (accents dropped),
// "category" when it has none, at most MaximumAnchorLength long, and made unique ignoring case by a
// number at the end ("books2").
QString proposedAnchor(const CollectionManager &store, const QString &name, const TreeNode *originalCategory);
// The first failing check; `originalCategory` (the category being renamed, or null) passes the
// uniqueness checks with its own name and anchor. An anchor is refused when another category's
// equals it ignoring case, unless it is the renamed category's own anchor, kept as it was.
Problem check(const CollectionManager &store, const QString &name, const QString &anchor,
              const TreeNode *originalCategory);
Alert alertFor(Problem problem);
Alert nameTooLongAlert();
Alert anchorTooLongAlert();

} // namespace CategoryNameForm
