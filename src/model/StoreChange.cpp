#include "StoreChange.h"

#include "CollectionManager.h"
#include "TreeNode.h"

#include <QSet>
#include <functional>

StoreChange::CategoryState::CategoryState(TreeNode *categoryNode)
    : node(categoryNode), before(*categoryNode->category())
{}

StoreChange::~StoreChange()
{
    // Only the nodes out of the tree on the current side are this change's; a node inside another
    // such node goes with its parent.
    std::vector<TreeNode *> owned;
    for (TreeNode *node : m_done ? m_removedNodes : m_addedNodes) {
        if (!node->parent())
            owned.push_back(node);
    }
    for (TreeNode *node : owned)
        delete node;
}

bool StoreChange::undo(CollectionManager &store)
{
    if (!m_done || store.journal().generation() != m_storeGeneration)
        return false;
    apply(store, false);
    return true;
}

bool StoreChange::redo(CollectionManager &store)
{
    if (m_done || store.journal().generation() != m_storeGeneration)
        return false;
    apply(store, true);
    return true;
}

void StoreChange::apply(CollectionManager &store, bool after)
{
    // Every node that changes its parent is among the children of two recorded containers, so all
    // of them are detached before any container takes its recorded children back.
    for (Children &children : m_children)
        children.container->takeChildren();
    for (Children &children : m_children)
        children.container->adoptChildren(after ? children.after : children.before);
    for (LinkState &state : m_links)
        *state.link = after ? *state.after : state.before;
    for (CategoryState &state : m_categories) {
        *state.node->category() = after ? *state.after : state.before;
        state.node->invalidateParentTitleCounts();
    }
    if (m_templatesBefore) {
        const std::vector<EmailTemplate> &side = after ? *m_templatesAfter : *m_templatesBefore;
        std::vector<std::unique_ptr<EmailTemplate>> templates;
        templates.reserve(side.size());
        for (const EmailTemplate &emailTemplate : side)
            templates.push_back(std::make_unique<EmailTemplate>(emailTemplate));
        store.m_emailTemplates = std::move(templates);
    }
    if (m_namedStringsBefore)
        store.m_namedStrings = after ? *m_namedStringsAfter : *m_namedStringsBefore;
    if (m_selfInfoBefore)
        store.m_selfInfo = after ? *m_selfInfoAfter : *m_selfInfoBefore;
    m_done = after;
}

void StoreChange::forgetNodes(const std::vector<TreeNode *> &nodes)
{
    QSet<const TreeNode *> gone;
    QSet<const Attachment *> records;
    const std::function<void(const TreeNode *)> collect = [&](const TreeNode *node) {
        gone.insert(node);
        if (node->attachment())
            records.insert(node->attachment());
        for (const TreeNode *child : node->children())
            collect(child);
    };
    for (const TreeNode *node : nodes)
        collect(node);
    auto isGone = [&gone](const TreeNode *node) { return gone.contains(node); };
    std::erase_if(m_children, [&](const Children &children) { return isGone(children.container); });
    for (Children &children : m_children) {
        std::erase_if(children.before, isGone);
        std::erase_if(children.after, isGone);
    }
    std::erase_if(m_links, [&](const LinkState &state) { return records.contains(state.link); });
    std::erase_if(m_categories, [&](const CategoryState &state) { return isGone(state.node); });
    std::erase_if(m_addedNodes, isGone);
    std::erase_if(m_removedNodes, isGone);
}

void StoreChange::collectTouchedIDs()
{
    QSet<QString> links, categories;
    auto addLink = [&](const QString &id) {
        if (!links.contains(id)) {
            links.insert(id);
            m_linkIDs.append(id);
        }
    };
    auto addCategory = [&](const QString &id) {
        if (!id.isEmpty() && !categories.contains(id)) {
            categories.insert(id);
            m_categoryIDs.append(id);
        }
    };
    // Categories changed themselves come before those that merely held a touched link.
    for (const CategoryState &state : m_categories)
        addCategory(state.before.ID());
    for (const std::vector<TreeNode *> *nodes : {&m_addedNodes, &m_removedNodes}) {
        for (const TreeNode *node : *nodes) {
            if (const Category *category = node->category())
                addCategory(category->ID());
        }
    }
    for (const LinkState &state : m_links) {
        addLink(state.link->ID());
        addCategory(state.before.categoryID());
        addCategory(state.after->categoryID());
    }
    for (const std::vector<TreeNode *> *nodes : {&m_addedNodes, &m_removedNodes}) {
        for (const TreeNode *node : *nodes) {
            if (const Link *link = node->link()) {
                addLink(link->ID());
                addCategory(link->categoryID());
            }
        }
    }
}
