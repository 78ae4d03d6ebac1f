#include "CategoryCommands.h"

#include "AskStringDialogController.h"
#include "DocumentMenus.h"
#include "MyDocument.h"
#include "gui/MessageBox.h"

#include <QAction>
#include <QLocale>

CategoryCommands::CategoryCommands(MyDocument *document) : DocumentCommandArea(document)
{
    const DocumentMenus &m = menus();
    connect(m.action(ActionId::NewCategory), &QAction::triggered, this, &CategoryCommands::newCategory);
    connect(m.action(ActionId::RenameCategory), &QAction::triggered, this, &CategoryCommands::renameCategory);
    connect(m.action(ActionId::DeleteCategory), &QAction::triggered, this, &CategoryCommands::deleteCategory);
}

void CategoryCommands::validateMenuItems()
{
    const DocumentMenus &m = menus();
    const TreeNode *node = document()->selectedCategoryNode();
    const bool editable = node && node->category() && !node->category()->isNone();
    m.action(ActionId::RenameCategory)->setEnabled(editable);
    m.action(ActionId::DeleteCategory)->setEnabled(editable);
}

TreeNode *CategoryCommands::editableCategoryNode() const
{
    TreeNode *node = document()->selectedCategoryNode();
    return node && node->category() && !node->category()->isNone() ? node : nullptr;
}

AskStringDialogController *CategoryCommands::askStringDialogController()
{
    if (!m_askStringDialog)
        m_askStringDialog = new AskStringDialogController(document());
    return m_askStringDialog;
}

void CategoryCommands::newCategory()
{
    AskStringDialogController *dialog = askStringDialogController();
    dialog->initializeWithCategoryName(
        QString(), QString(),
        [this](AskStringDialogController *controller) { newCategorySheetDidEnd(controller); },
        &collectionManager(), nullptr);
    dialog->open();
}

void CategoryCommands::newCategorySheetDidEnd(AskStringDialogController *controller)
{
    if (controller->returnCode() != 1)
        return;
    perform(tr("New Category"), [&](DocumentChange &change) {
        change.categoryID = collectionManager()
                                .addCategoryWithName(controller->categoryName(), controller->categoryAnchor())
                                ->attachmentID();
        return true;
    });
}

void CategoryCommands::explainAllLinks(const QString &title)
{
    MessageBox::alert(document(), title,
                      tr("All Links lists the links of every category; it is not a category of its own."));
}

void CategoryCommands::renameCategory()
{
    if (document()->isAllLinksSelected()) {
        explainAllLinks(tr("All Links cannot be edited."));
        return;
    }
    TreeNode *node = document()->selectedCategoryNode();
    const Category *category = node ? node->category() : nullptr;
    if (!category)
        return;
    if (category->isNone()) {
        MessageBox::alert(document(), tr("This category cannot be edited."),
                          tr("The category \"%1\" cannot be edited.").arg(tr("General")));
        return;
    }
    AskStringDialogController *dialog = askStringDialogController();
    dialog->initializeWithCategoryName(
        category->name(), category->anchor(),
        [this](AskStringDialogController *controller) { renameCategorySheetDidEnd(controller); },
        &collectionManager(), node);
    dialog->open();
}

void CategoryCommands::renameCategorySheetDidEnd(AskStringDialogController *controller)
{
    TreeNode *node = editableCategoryNode();
    if (controller->returnCode() != 1 || !node)
        return;
    perform(tr("Edit Category"), [&](DocumentChange &change) {
        change.categoryID =
            collectionManager()
                .renameCategory(node, controller->categoryName(), controller->categoryAnchor())
                ->attachmentID();
        return true;
    });
}

void CategoryCommands::deleteCategory()
{
    if (document()->isAllLinksSelected()) {
        explainAllLinks(tr("All Links cannot be deleted."));
        return;
    }
    const TreeNode *node = document()->selectedCategoryNode();
    const Category *category = node ? node->category() : nullptr;
    if (!category)
        return;
    if (category->isNone()) {
        MessageBox::alert(document(), tr("This category cannot be deleted."),
                          tr("The category \"%1\" cannot be deleted.").arg(tr("General")));
        return;
    }
    // Its links go with it, so the question says how many.
    const int links = node->numberOfChildren();
    const QString title =
        links == 0 ? tr("Are you sure you want to delete the category \"%1\"?").arg(category->name())
        : links == 1
            ? tr("Are you sure you want to delete the category \"%1\" and its 1 link?").arg(category->name())
            : tr("Are you sure you want to delete the category \"%1\" and its %2 links?")
                  .arg(category->name(), QLocale().toString(links));
    const int answer = MessageBox::alert(document(), title, QString(), {tr("Delete"), tr("Cancel")});
    deleteCategorySheetDidEnd(answer == 0 ? 1 : 0);
}

void CategoryCommands::deleteCategorySheetDidEnd(int returnCode)
{
    TreeNode *node = editableCategoryNode();
    if (returnCode != 1 || !node)
        return;
    // The lists move to the default category before the deleted one's nodes go.
    document()->showAndSelectCategoryNode(collectionManager().defaultCategoryNode());
    perform(tr("Delete Category"), [&](DocumentChange &) {
        collectionManager().deleteCategoryNode(node);
        return true;
    });
}
