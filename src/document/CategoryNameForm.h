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
// The first failing check; `originalCategory` (the category being renamed, or null) passes the
// uniqueness checks with its own name and anchor.
Problem check(const CollectionManager &store, const QString &name, const QString &anchor,
              const TreeNode *originalCategory);
Alert alertFor(Problem problem);
Alert nameTooLongAlert();
Alert anchorTooLongAlert();

} // namespace CategoryNameForm
