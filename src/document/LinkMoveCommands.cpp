#include "LinkMoveCommands.h"

#include "DocumentMenus.h"
#include "MyDocument.h"
#include "model/Category.h"
#include "workflow/ui/MoveToCategoryDialog.h"

#include <QAction>
#include <utility>

LinkMoveCommands::LinkMoveCommands(MyDocument *document) : DocumentCommandArea(document)
{
    connect(menus().action(ActionId::MoveToCategory), &QAction::triggered, this,
            &LinkMoveCommands::moveToCategory);
}

void LinkMoveCommands::validateMenuItems()
{
    menus().action(ActionId::MoveToCategory)->setEnabled(document()->numberOfSelectedLinks() > 0);
}

QStringList LinkMoveCommands::moveLinksToCategory(const QStringList &ids, TreeNode *category)
{
    const Category *target = category ? category->category() : nullptr;
    if (!target)
        return {};
    // Named after the links that really change category (those already there stay).
    int moving = 0;
    for (const TreeNode *node : collectionManager().linkNodesWithIDs(ids))
        moving += node && node->parent() != category ? 1 : 0;
    if (moving == 0)
        return {};
    QStringList moved;
    perform(moving == 1 ? tr("Move Link") : tr("Move %n Link(s) to %1", nullptr, moving).arg(target->name()),
            [&](DocumentChange &) {
                moved = collectionManager().moveLinksWithIDs(ids, category);
                return !moved.isEmpty();
            });
    return moved;
}

void LinkMoveCommands::moveToCategory()
{
    m_linksToMove = document()->selectedLinkIDs();
    if (m_linksToMove.isEmpty())
        return;
    if (!m_moveToCategoryDialog) {
        m_moveToCategoryDialog = new MoveToCategoryDialog(document());
        connect(m_moveToCategoryDialog, &QDialog::finished, this,
                &LinkMoveCommands::moveToCategorySheetDidEnd);
    }
    const TreeNode *root = collectionManager().categoryRoot();
    QStringList names;
    for (const TreeNode *node : root->children())
        names.append(node->category() ? node->category()->name() : QString());
    // The links' own category is offered only when they come from several.
    const TreeNode *shared = nullptr;
    bool oneCategory = true;
    for (const TreeNode *node : collectionManager().linkNodesWithIDs(m_linksToMove)) {
        if (node && shared && node->parent() != shared)
            oneCategory = false;
        if (node && !shared)
            shared = node->parent();
    }
    m_moveToCategoryDialog->setCategories(names, oneCategory && shared ? root->indexOfChild(shared) : -1,
                                          int(m_linksToMove.size()));
    m_moveToCategoryDialog->open();
}

void LinkMoveCommands::moveToCategorySheetDidEnd(int returnCode)
{
    const QStringList ids = std::exchange(m_linksToMove, {});
    if (returnCode != QDialog::Accepted || ids.isEmpty())
        return;
    TreeNode *category =
        collectionManager().categoryRoot()->childAtIndex(m_moveToCategoryDialog->chosenIndex());
    if (!category)
        return;
    const QStringList moved = moveLinksToCategory(ids, category);
    // In a category the moved links leave the list; in All Links the selection stays as it was.
    if (!moved.isEmpty() && document()->isAllLinksSelected())
        document()->selectLinksWithIDs(ids);
}
