#pragma once

#include "DocumentCommandArea.h"

#include <QStringList>

class MoveToCategoryDialog;
class TreeNode;

// Move to Category with its sheet, and the move itself, which dropping links on a category uses too.
class LinkMoveCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit LinkMoveCommands(MyDocument *document);

    void validateMenuItems() override;

    // Moves the links to the category as one undoable step named with the count; returns the IDs of
    // the links that changed category (those already there stay).
    QStringList moveLinksToCategory(const QStringList &ids, TreeNode *category);
    // The sheet, null until first shown.
    MoveToCategoryDialog *moveToCategoryDialog() const { return m_moveToCategoryDialog; }

public slots:
    // Asks for a category and moves the selected links there, one step.
    void moveToCategory();
    void moveToCategorySheetDidEnd(int returnCode);

private:
    MoveToCategoryDialog *m_moveToCategoryDialog = nullptr;
    QStringList m_linksToMove; // the selection the sheet was opened for
};
