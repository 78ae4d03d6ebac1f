#include "CategoryNameForm.h"

#include "model/Category.h"
#include "model/CollectionManager.h"
#include "model/TreeNode.h"

#include <QCoreApplication>
#include <QSet>

namespace CategoryNameForm {

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("AskStringDialog", text);
}
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
    // Compatibility decomposition splits "é" into "e" and its accent and "ﬁ" into "f" and "i".
    QString base;
    for (const QChar c : name.normalized(QString::NormalizationForm_KD)) {
        const char16_t u = c.toLower().unicode();
        if ((u >= 'a' && u <= 'z') || (u >= '0' && u <= '9'))
            base.append(QChar(u));
    }
    if (base.isEmpty())
        base = QStringLiteral("category");
    QSet<QString> taken;
    for (const TreeNode *node : store.categoryRoot()->children()) {
        if (node != originalCategory && node->category())
            taken.insert(node->category()->anchor().toLower());
    }
    QString anchor = base.left(MaximumAnchorLength);
    for (int number = 2; taken.contains(anchor); ++number) {
        const QString suffix = QString::number(number);
        anchor = base.left(MaximumAnchorLength - suffix.size()) + suffix;
    }
    return anchor;
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
        return {tr("Some required fields are missing."),
                tr("All required fields must be specified. Required fields are marked with an asterisk.")};
    case Problem::InvalidAnchor:
        return {tr("The Category ID field contains invalid characters."),
                tr("You can only enter letters (without accents) and numbers in this field.")};
    case Problem::DuplicateName:
        return {tr("A category with the same name already exists."),
                tr("Choose another name for the category.")};
    case Problem::DuplicateAnchor:
        return {tr("A category with the same ID already exists."), tr("Choose another ID for the category.")};
    case Problem::None:
        break;
    }
    return {};
}

Alert nameTooLongAlert()
{
    return {tr("The category name is too long."),
            tr("The category name can only contain up to %1 characters.").arg(MaximumNameLength)};
}

Alert anchorTooLongAlert()
{
    return {tr("The category ID is too long."),
            tr("The category ID can only contain up to %1 characters.").arg(MaximumAnchorLength)};
}

} // namespace CategoryNameForm
