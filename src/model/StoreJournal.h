#pragma once

#include "StoreChange.h"

#include <QSet>
#include <memory>
#include <vector>

class Attachment;
class CollectionManager;
class Link;
class TreeNode;

// Records what the store's operations touch while recording is on: each operation tells the
// journal, before it changes anything, which record or which node's children it is about to change.
// Everything touched since the last close makes up one open entry; the document closes it after
// each user command into one StoreChange (one undo step).
//
// Recording is off for a store without a document (the command-line tool, readers), which then
// changes and deletes as if there were no journal.
class StoreJournal
{
public:
    explicit StoreJournal(CollectionManager &store) : m_store(store) {}
    ~StoreJournal();
    StoreJournal(const StoreJournal &) = delete;
    StoreJournal &operator=(const StoreJournal &) = delete;

    void setRecording(bool recording);
    bool isRecording() const { return m_recording && m_paused == 0; }

    // --- Told by the store's operations, before they change anything
    void childrenWillChange(TreeNode *container);
    void linkWillChange(Link *link);
    void categoryWillChange(TreeNode *categoryNode);
    void emailTemplatesWillChange();
    void namedStringsWillChange();
    void selfInfoWillChange();
    // A node the operation made and is about to insert.
    void nodeWasCreated(TreeNode *node);
    // A node the operation took out of the tree for good: kept for undoing, or deleted when not
    // recording. It must be detached.
    void discardNode(TreeNode *node);

    // --- Entries
    bool hasOpenEntry() const { return m_open != nullptr; }
    // Closes the open entry; null when nothing was touched since the last close.
    std::unique_ptr<StoreChange> closeEntry();
    // Closes the open entry and lets it go: its changes stay, they only cannot be undone.
    void dropEntry() { closeEntry(); }
    // The whole database was replaced: the open entry is dropped and changes made before can no
    // longer be applied.
    void storeWasReplaced();
    uint64_t generation() const { return m_generation; }

    // Store work that is never journalled (the window state written into the named strings).
    class Pause
    {
    public:
        explicit Pause(StoreJournal &journal) : m_journal(journal) { ++m_journal.m_paused; }
        ~Pause() { --m_journal.m_paused; }
        Pause(const Pause &) = delete;
        Pause &operator=(const Pause &) = delete;

    private:
        StoreJournal &m_journal;
    };

private:
    StoreChange &openEntry();

    CollectionManager &m_store;
    bool m_recording = false;
    int m_paused = 0;
    uint64_t m_generation = 0;
    std::unique_ptr<StoreChange> m_open;
    // Bookkeeping of the open entry.
    QSet<const TreeNode *> m_recordedContainers;
    QSet<TreeNode *> m_created;
    std::vector<TreeNode *> m_createdOrder;
    std::vector<TreeNode *> m_discarded;
};
