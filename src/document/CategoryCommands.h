#pragma once

#include "DocumentCommandArea.h"

class AskStringDialogController;
class TreeNode;

// New Category, Edit Category and Delete Category with their sheets. The default category can be
// neither renamed nor deleted; the keys still say why.
class CategoryCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit CategoryCommands(MyDocument *document);

    void validateMenuItems() override;

    // The name-and-anchor sheet, made on first use and kept.
    AskStringDialogController *askStringDialog() const { return m_askStringDialog; }

public slots:
    void newCategory();
    void newCategorySheetDidEnd(AskStringDialogController *controller);
    void renameCategory();
    void renameCategorySheetDidEnd(AskStringDialogController *controller);
    void deleteCategory();
    void deleteCategorySheetDidEnd(int returnCode);

private:
    AskStringDialogController *askStringDialogController();
    // Says why a category command does nothing on All Links (its keys still reach it).
    void explainAllLinks(const QString &title);
    // The selected category when it may be renamed or deleted.
    TreeNode *editableCategoryNode() const;

    AskStringDialogController *m_askStringDialog = nullptr;
};
