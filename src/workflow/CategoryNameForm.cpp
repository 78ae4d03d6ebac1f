#include "CategoryNameForm.h"

#include "model/Category.h"
#include "model/CollectionManager.h"
#include "model/TreeNode.h"
#include "workflow/CategoryAnchorProposer.h"

#include <QCoreApplication>

namespace CategoryNameForm {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(CategoryNameForm)
};

} // namespace

bool isValidAnchor(const QString &anchor)
{
    for (const QChar c : anchor) {
        const char16_t u = c.unicode();
        if (!((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')))
            return false;
    }
    return true;
}

const TreeNode *categoryWithAnchorIgnoringCase(const CollectionManager &store, const QString &anchor,
                                               const TreeNode *originalCategory)
{
    for (const TreeNode *node : store.categoryRoot()->children()) {
        if (node != originalCategory && node->category() &&
            node->category()->anchor().compare(anchor, Qt::CaseInsensitive) == 0)
            return node;
    }
    return nullptr;
}

QString proposedAnchor(const CollectionManager &store, const QString &name, const TreeNode *originalCategory)
{
    return CategoryAnchorProposer(store, originalCategory).propose(name);
}

Problem check(const CollectionManager &store, const QString &name, const QString &anchor,
              const TreeNode *originalCategory)
{
    if (name.isEmpty() || anchor.isEmpty())
        return Problem::MissingField;
    if (!isValidAnchor(anchor))
        return Problem::InvalidAnchor;
    if (const TreeNode *same = store.categoryWithName(name); same && same != originalCategory)
        return Problem::DuplicateName;
    if (const TreeNode *same = store.categoryWithAnchor(anchor); same && same != originalCategory)
        return Problem::DuplicateAnchor;
    // A database may hold anchors that differ only in case from before they were refused; renaming
    // such a category without touching its anchor stays possible.
    const bool ownAnchor =
        originalCategory && originalCategory->category() && originalCategory->category()->anchor() == anchor;
    if (!ownAnchor && categoryWithAnchorIgnoringCase(store, anchor, originalCategory))
        return Problem::DuplicateAnchor;
    return Problem::None;
}

Alert alertFor(Problem problem)
{
    switch (problem) {
    case Problem::MissingField:
        return {
            Tr::tr("Some required fields are missing."),
            Tr::tr("All required fields must be specified. Required fields are marked with an asterisk.")};
    case Problem::InvalidAnchor:
        return {Tr::tr("The Category ID field contains invalid characters."),
                Tr::tr("You can only enter letters (without accents) and numbers in this field.")};
    case Problem::DuplicateName:
        return {Tr::tr("A category with the same name already exists."),
                Tr::tr("Choose another name for the category.")};
    case Problem::DuplicateAnchor:
        return {Tr::tr("A category with the same ID already exists."),
                Tr::tr("Choose another ID for the category.")};
    case Problem::None:
        break;
    }
    return {};
}

Alert nameTooLongAlert()
{
    return {Tr::tr("The category name is too long."),
            Tr::tr("The category name can only contain up to %1 characters.").arg(MaximumNameLength)};
}

Alert anchorTooLongAlert()
{
    return {Tr::tr("The category ID is too long."),
            Tr::tr("The category ID can only contain up to %1 characters.").arg(MaximumAnchorLength)};
}

} // namespace CategoryNameForm
