#pragma once

#include "Category.h"
#include "EmailTemplate.h"
#include "Link.h"
#include "NamedString.h"
#include "RecordBlocks.h"
#include "SelfInfo.h"

#include <QList>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CollectionManager;
class TreeNode;

// One closed change of a store: every record it touched, as it was before and as it is after, and
// the order of the children of every tree node whose children it changed. Undoing puts the "before"
// side back and redoing the "after" side, so the database's bytes are exactly those of either side;
// records keep their identities (and IDs) throughout.
//
// The "before" side is copied as the operations go; the "after" side is the store as it stands when
// the change is undone (every later change is undone by then), so making a change costs one copy of
// what it touches and closing it costs nothing. A record touched twice is recorded twice, undone in
// reverse order and redone in order.
//
// Nodes the change took out of the tree stay alive with it, so that undoing puts the very same
// records back; nodes it added are kept while it is undone, for redoing. A change owns, and on
// destruction deletes, the nodes that are out of the tree on its current side.
class StoreChange
{
public:
    ~StoreChange();
    StoreChange(const StoreChange &) = delete;
    StoreChange &operator=(const StoreChange &) = delete;

    // False when the store was replaced (opened or reverted) since the change was made: its nodes
    // belong to a tree that is gone, and nothing is applied.
    bool undo(CollectionManager &store);
    bool redo(CollectionManager &store);

    // IDs of the links and categories the change touched, to select them again; the categories
    // include those that held the touched links on either side.
    const QStringList &linkIDs() const;
    const QStringList &categoryIDs() const;
    bool changedEmailTemplates() const { return m_templatesBefore.has_value(); }
    // The site's own texts and settings (named strings, site information).
    bool changedSettings() const { return m_namedStringsBefore.has_value() || m_selfInfoBefore.has_value(); }

private:
    friend class StoreJournal;
    explicit StoreChange(uint64_t storeGeneration) : m_storeGeneration(storeGeneration) {}

    struct Children
    {
        TreeNode *container;
        std::vector<TreeNode *> before, after;
    };
    struct LinkState
    {
        explicit LinkState(Link *record) : link(record), before(*record) {}
        Link *link;
        Link before;
        std::unique_ptr<Link> after; // made when the change is first undone
    };
    struct CategoryState
    {
        explicit CategoryState(TreeNode *categoryNode);
        TreeNode *node;
        Category before;
        std::optional<Category> after;
    };

    void applyBefore(CollectionManager &store);
    void applyAfter(CollectionManager &store);
    // Forgets everything about nodes that were made and thrown away within this change.
    void forgetNodes(const std::vector<TreeNode *> &nodes);
    void collectTouchedIDs() const;

    uint64_t m_storeGeneration;
    bool m_done = true;
    std::vector<Children> m_children;
    RecordBlocks<LinkState> m_links;
    RecordBlocks<CategoryState> m_categories;
    std::optional<std::vector<EmailTemplate>> m_templatesBefore, m_templatesAfter;
    std::optional<QList<NamedString>> m_namedStringsBefore, m_namedStringsAfter;
    std::optional<SelfInfo> m_selfInfoBefore, m_selfInfoAfter;
    std::vector<TreeNode *> m_removedNodes; // in the tree before, out of it after
    std::vector<TreeNode *> m_addedNodes;   // out of the tree before, in it after
    mutable bool m_touchedIDsCollected = false;
    mutable QStringList m_linkIDs;
    mutable QStringList m_categoryIDs;
};
