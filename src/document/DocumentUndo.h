#pragma once

#include <QObject>
#include <QString>

class CollectionManager;
class MyDocument;
class QAction;
class QUndoStack;
class StoreChange;

// Undo and redo for one document. Each user command ends in MyDocument::updateChangeCount, which
// hands its name here: the store's journal entry of that command becomes one step of the stack.
// The window's edited mark follows the stack's clean state; the Edit menu's Undo and Redo items
// name the step they would undo or redo.
class DocumentUndo : public QObject
{
    Q_OBJECT

public:
    static constexpr int StepLimit = 100;

    DocumentUndo(MyDocument *document, QAction *undoAction, QAction *redoAction);

    QUndoStack *stack() const { return m_stack; }

    // Closes the store's open journal entry into one step named after the command ("Delete Link").
    // A command that changed nothing the journal saw still marks the document edited, until saved.
    void commit(const QString &actionName);

    // A command made of others (Instant Link adds a link, then sends the message that moves it on):
    // while a group lives, the commands that end inside it leave their changes open, and the group
    // closes them into one step named after it. Groups inside groups join the outermost.
    class Group
    {
    public:
        Group(DocumentUndo *undo, const QString &actionName);
        ~Group();
        Group(const Group &) = delete;
        Group &operator=(const Group &) = delete;

    private:
        DocumentUndo *m_undo;
    };
    void undo();
    void redo();
    // The file now holds the database as it stands.
    void documentWasSaved();
    // The database was read anew (opened, reverted): nothing before it can be undone.
    void storeWasReplaced();
    bool isEdited() const;

private:
    CollectionManager &store() const;
    void commitPendingChange();
    void stepWasApplied(const StoreChange &change);
    void selectTouchedRecords(const StoreChange &change, const QStringList &previousSelection);
    void updateEditedMark();
    void updateActions();

    MyDocument *m_document;
    QUndoStack *m_stack;
    QAction *m_undoAction;
    QAction *m_redoAction;
    bool m_editedOutsideStack = false;
    int m_groupDepth = 0;
    QString m_groupName;
    bool m_groupCommitted = false; // a command inside the open group ended
};
