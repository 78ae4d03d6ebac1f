#include "StoreUndoCommand.h"

#include "model/CollectionManager.h"
#include "model/StoreChange.h"

StoreUndoCommand::StoreUndoCommand(CollectionManager &store, std::unique_ptr<StoreChange> change,
                                   const QString &name, std::function<void(const StoreChange &)> whenApplied)
    : QUndoCommand(name), m_store(store), m_change(std::move(change)), m_whenApplied(std::move(whenApplied))
{}

StoreUndoCommand::~StoreUndoCommand() = default;

void StoreUndoCommand::undo()
{
    // A change of a database that was replaced since (reverted) can never apply: the stack drops it.
    if (!m_change->undo(m_store))
        setObsolete(true);
    else if (m_whenApplied)
        m_whenApplied(*m_change);
}

void StoreUndoCommand::redo()
{
    if (!m_pushed) {
        m_pushed = true;
        return;
    }
    if (!m_change->redo(m_store))
        setObsolete(true);
    else if (m_whenApplied)
        m_whenApplied(*m_change);
}
