#include "DocumentUndo.h"

#include "MyDocument.h"
#include "gui/RightClickTableView.h"
#include "model/StoreChange.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QSet>
#include <QUndoStack>

DocumentUndo::DocumentUndo(MyDocument *window, QAction *undoAction, QAction *redoAction)
    : QObject(window), m_window(window), m_undoAction(undoAction), m_redoAction(redoAction)
{
    connect(m_undoAction, &QAction::triggered, this, &DocumentUndo::undo);
    connect(m_redoAction, &QAction::triggered, this, &DocumentUndo::redo);
    connect(stack(), &QUndoStack::indexChanged, this, &DocumentUndo::updateActions);
    connect(&document(), &Document::undoStepApplied, this, &DocumentUndo::stepWasApplied);
    updateActions();
}

Document &DocumentUndo::document() const
{
    return *m_window->document();
}

QUndoStack *DocumentUndo::stack() const
{
    return document().undoStack();
}

void DocumentUndo::commit(const QString &actionName)
{
    document().commit(actionName);
}

DocumentUndo::Group::Group(DocumentUndo *undo, const QString &actionName)
    : m_group(&undo->document(), actionName)
{}

void DocumentUndo::undo()
{
    document().undo();
}

void DocumentUndo::redo()
{
    document().redo();
}

bool DocumentUndo::isEdited() const
{
    return document().isModified();
}

void DocumentUndo::updateActions()
{
    const QString undoText = stack()->canUndo() ? stack()->undoText() : QString();
    const QString redoText = stack()->canRedo() ? stack()->redoText() : QString();
    m_undoAction->setText(undoText.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(undoText));
    m_redoAction->setText(redoText.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(redoText));
    m_undoAction->setEnabled(stack()->canUndo());
    m_redoAction->setEnabled(stack()->canRedo());
}

void DocumentUndo::stepWasApplied(const StoreChange &change)
{
    // A step that touched no link or category leaves the selection as it was.
    const bool keepsSelection = change.linkIDs().isEmpty() && change.categoryIDs().isEmpty();
    const QStringList previousSelection = keepsSelection ? m_window->selectedLinkIDs() : QStringList();
    // The window's lists followed the step already (Document::changed).
    selectTouchedRecords(change, previousSelection);
}

void DocumentUndo::selectTouchedRecords(const StoreChange &change, const QStringList &previousSelection)
{
    // The links the step touched, in the category of the first of them that is in the database now.
    if (!change.linkIDs().isEmpty()) {
        const QSet<QString> touched(change.linkIDs().cbegin(), change.linkIDs().cend());
        for (TreeNode *node : document().collectionManager().allLinkNodes()) {
            if (touched.contains(node->attachmentID())) {
                m_window->showAndSelectLinkNode(node);
                // Selected in one go, as the list does when it reloads; the menus follow the list.
                {
                    const QSignalBlocker blocker(m_window->linksTable()->selectionModel());
                    m_window->selectLinksWithIDs(change.linkIDs());
                }
                m_window->linksTable()->viewport()->update();
                return;
            }
        }
    }
    // Else the category it touched, or the one that held its links.
    for (const QString &id : change.categoryIDs()) {
        if (TreeNode *category = document().collectionManager().categoryNodeWithID(id)) {
            m_window->showAndSelectCategoryNode(category);
            m_window->validateMenuItems();
            return;
        }
    }
    if (!m_window->selectedCategoryNode() && !m_window->isAllLinksSelected())
        m_window->showAndSelectCategoryNode(document().collectionManager().categoryRoot()->firstChild());
    m_window->selectLinksWithIDs(previousSelection);
    m_window->validateMenuItems();
}
