#pragma once

#include "Document.h"

#include <QObject>
#include <QString>

class MyDocument;
class QAction;
class QUndoStack;
class StoreChange;

// The window's side of a document's undo stack: the Edit menu's Undo and Redo items name the step
// they would undo or redo, and a step applied to the store reselects the records it touched.
class DocumentUndo : public QObject
{
    Q_OBJECT

public:
    static constexpr int StepLimit = Document::UndoStepLimit;

    DocumentUndo(MyDocument *window, QAction *undoAction, QAction *redoAction);

    QUndoStack *stack() const;

    // Closes the store's open journal entry into one step named after the command ("Delete Link").
    void commit(const QString &actionName);

    // A command made of others (Instant Link adds a link, then sends the message that moves it on)
    // becomes one step named after it.
    class Group
    {
    public:
        Group(DocumentUndo *undo, const QString &actionName);

    private:
        Document::UndoGroup m_group;
    };
    void undo();
    void redo();
    bool isEdited() const;

private:
    Document &document() const;
    void stepWasApplied(const StoreChange &change);
    void selectTouchedRecords(const StoreChange &change, const QStringList &previousSelection);
    void updateActions();

    MyDocument *m_window;
    QAction *m_undoAction;
    QAction *m_redoAction;
};
