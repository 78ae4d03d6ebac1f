#pragma once

#include <QUndoCommand>
#include <functional>
#include <memory>

class CollectionManager;
class StoreChange;

// One undo step of a document: a closed journal entry of its store, named after the command that
// made it. The change is already applied when the step is pushed; `whenApplied` runs after every
// later undo or redo (the document refreshes and reselects).
class StoreUndoCommand : public QUndoCommand
{
public:
    StoreUndoCommand(CollectionManager &store, std::unique_ptr<StoreChange> change, const QString &name,
                     std::function<void(const StoreChange &)> whenApplied);
    ~StoreUndoCommand() override;

    void undo() override;
    void redo() override;

    const StoreChange &change() const { return *m_change; }

private:
    CollectionManager &m_store;
    std::unique_ptr<StoreChange> m_change;
    std::function<void(const StoreChange &)> m_whenApplied;
    bool m_pushed = false; // the first redo is the push, after the command already ran
};
