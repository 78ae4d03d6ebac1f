#include "DocumentUndo.h"

#include "MyDocument.h"
#include "StoreUndoCommand.h"
#include "gui/RightClickTableView.h"
#include "model/StoreChange.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QSet>
#include <QUndoStack>

DocumentUndo::DocumentUndo(MyDocument *document, QAction *undoAction, QAction *redoAction)
    : QObject(document), m_document(document), m_stack(new QUndoStack(this)), m_undoAction(undoAction),
      m_redoAction(redoAction)
{
    m_stack->setUndoLimit(StepLimit);
    store().journal().setRecording(true);
    connect(m_undoAction, &QAction::triggered, this, &DocumentUndo::undo);
    connect(m_redoAction, &QAction::triggered, this, &DocumentUndo::redo);
    connect(m_stack, &QUndoStack::indexChanged, this, &DocumentUndo::updateActions);
    connect(m_stack, &QUndoStack::cleanChanged, this, &DocumentUndo::updateEditedMark);
    updateActions();
}

CollectionManager &DocumentUndo::store() const
{
    return m_document->collectionManager();
}

void DocumentUndo::commit(const QString &actionName)
{
    if (m_groupDepth > 0) {
        m_groupCommitted = true;
        return;
    }
    std::unique_ptr<StoreChange> change = store().journal().closeEntry();
    if (change) {
        m_stack->push(new StoreUndoCommand(store(), std::move(change), actionName,
                                           [this](const StoreChange &applied) { stepWasApplied(applied); }));
    } else {
        m_editedOutsideStack = true;
    }
    updateEditedMark();
    updateActions();
}

DocumentUndo::Group::Group(DocumentUndo *undo, const QString &actionName) : m_undo(undo)
{
    if (m_undo->m_groupDepth++ == 0) {
        m_undo->m_groupName = actionName;
        m_undo->m_groupCommitted = false;
    }
}

DocumentUndo::Group::~Group()
{
    if (--m_undo->m_groupDepth > 0 || !m_undo->m_groupCommitted)
        return;
    m_undo->m_groupCommitted = false;
    m_undo->commit(m_undo->m_groupName);
}

void DocumentUndo::commitPendingChange()
{
    // A change no command closed yet is the latest one: it becomes a step of its own.
    if (store().journal().hasOpenEntry())
        commit(QString());
}

void DocumentUndo::undo()
{
    commitPendingChange();
    m_stack->undo();
}

void DocumentUndo::redo()
{
    commitPendingChange();
    m_stack->redo();
}

void DocumentUndo::documentWasSaved()
{
    commitPendingChange();
    m_editedOutsideStack = false;
    m_stack->setClean();
    updateEditedMark();
}

void DocumentUndo::storeWasReplaced()
{
    m_stack->clear();
    m_editedOutsideStack = false;
    updateEditedMark();
    updateActions();
}

bool DocumentUndo::isEdited() const
{
    return m_editedOutsideStack || !m_stack->isClean();
}

void DocumentUndo::updateEditedMark()
{
    if (m_document->isWindowModified() == isEdited())
        return;
    m_document->setWindowModified(isEdited());
    m_document->validateMenuItems();
}

void DocumentUndo::updateActions()
{
    const QString undoText = m_stack->canUndo() ? m_stack->undoText() : QString();
    const QString redoText = m_stack->canRedo() ? m_stack->redoText() : QString();
    m_undoAction->setText(undoText.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(undoText));
    m_redoAction->setText(redoText.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(redoText));
    m_undoAction->setEnabled(m_stack->canUndo());
    m_redoAction->setEnabled(m_stack->canRedo());
}

void DocumentUndo::stepWasApplied(const StoreChange &change)
{
    // A step that touched no link or category leaves the selection as it was.
    const bool keepsSelection = change.linkIDs().isEmpty() && change.categoryIDs().isEmpty();
    const QStringList previousSelection = keepsSelection ? m_document->selectedLinkIDs() : QStringList();
    // The lists reload; selecting the old rows again only to select others after would cost twice.
    m_document->selectLinksWithIDs({});
    store().computeNotifications();
    m_document->refreshUI();
    if (change.changedEmailTemplates())
        m_document->emailTemplatesChanged();
    selectTouchedRecords(change, previousSelection);
}

void DocumentUndo::selectTouchedRecords(const StoreChange &change, const QStringList &previousSelection)
{
    // The links the step touched, in the category of the first of them that is in the database now.
    if (!change.linkIDs().isEmpty()) {
        const QSet<QString> touched(change.linkIDs().cbegin(), change.linkIDs().cend());
        for (TreeNode *node : store().allLinkNodes()) {
            if (touched.contains(node->attachmentID())) {
                m_document->showAndSelectLinkNode(node);
                // Selected in one go, as the list does when it reloads; the menus follow the list.
                {
                    const QSignalBlocker blocker(m_document->linksTable()->selectionModel());
                    m_document->selectLinksWithIDs(change.linkIDs());
                }
                m_document->linksTable()->viewport()->update();
                return;
            }
        }
    }
    // Else the category it touched, or the one that held its links.
    for (const QString &id : change.categoryIDs()) {
        if (TreeNode *category = store().categoryNodeWithID(id)) {
            m_document->showAndSelectCategoryNode(category);
            m_document->validateMenuItems();
            return;
        }
    }
    if (!m_document->selectedCategoryNode())
        m_document->showAndSelectCategoryNode(store().categoryRoot()->firstChild());
    m_document->selectLinksWithIDs(previousSelection);
    m_document->validateMenuItems();
}
