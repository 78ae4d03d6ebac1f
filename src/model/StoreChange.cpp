#include "StoreChange.h"

#include "CollectionManager.h"
#include "TreeNode.h"

#include <QSet>
#include <algorithm>
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
    applyBefore(store);
    m_done = false;
    return true;
}

bool StoreChange::redo(CollectionManager &store)
{
    if (m_done || store.journal().generation() != m_storeGeneration)
        return false;
    applyAfter(store);
    m_done = true;
    return true;
}

namespace {

std::vector<EmailTemplate> copiesOf(const std::vector<std::unique_ptr<EmailTemplate>> &templates)
{
    std::vector<EmailTemplate> copies;
    copies.reserve(templates.size());
    for (const auto &emailTemplate : templates)
        copies.push_back(*emailTemplate);
    return copies;
}

// The list as recorded; a template still in the store keeps its object (templates are few).
std::vector<std::unique_ptr<EmailTemplate>> recordsOf(const std::vector<EmailTemplate> &copies,
                                                      std::vector<std::unique_ptr<EmailTemplate>> current)
{
    std::vector<std::unique_ptr<EmailTemplate>> templates;
    templates.reserve(copies.size());
    for (const EmailTemplate &copy : copies) {
        auto same = std::find_if(current.begin(), current.end(), [&copy](const auto &emailTemplate) {
            return emailTemplate && emailTemplate->ID() == copy.ID();
        });
        if (same != current.end()) {
            **same = copy;
            templates.push_back(std::move(*same));
        } else {
            templates.push_back(std::make_unique<EmailTemplate>(copy));
        }
    }
    return templates;
}

} // namespace

void StoreChange::applyBefore(CollectionManager &store)
{
    // The store stands as the change left it: that is the "after" side, kept for redoing.
    for (Children &children : m_children)
        children.after = children.container->children();
    // Every node that changes its parent is among the children of two recorded containers, so all
    // of them are detached before any container takes its recorded children back.
    for (Children &children : m_children)
        children.container->takeChildren();
    for (Children &children : m_children)
        children.container->adoptChildren(children.before);
    m_links.forEachReversed([](LinkState &state) {
        if (state.after)
            *state.after = *state.link;
        else
            state.after = std::make_unique<Link>(*state.link);
        *state.link = state.before;
    });
    m_categories.forEachReversed([](CategoryState &state) {
        state.after = *state.node->category();
        *state.node->category() = state.before;
        state.node->invalidateParentTitleCounts();
    });
    if (m_templatesBefore) {
        m_templatesAfter = copiesOf(store.m_emailTemplateList.m_emailTemplates);
        store.m_emailTemplateList.m_emailTemplates =
            recordsOf(*m_templatesBefore, std::move(store.m_emailTemplateList.m_emailTemplates));
    }
    if (m_namedStringsBefore) {
        m_namedStringsAfter = store.m_namedStrings;
        store.m_namedStrings = *m_namedStringsBefore;
    }
    if (m_selfInfoBefore) {
        m_selfInfoAfter = store.m_selfInfo;
        store.m_selfInfo = *m_selfInfoBefore;
    }
}

void StoreChange::applyAfter(CollectionManager &store)
{
    for (Children &children : m_children)
        children.container->takeChildren();
    for (Children &children : m_children)
        children.container->adoptChildren(children.after);
    m_links.forEach([](LinkState &state) { *state.link = *state.after; });
    m_categories.forEach([](CategoryState &state) {
        *state.node->category() = *state.after;
        state.node->invalidateParentTitleCounts();
    });
    if (m_templatesAfter)
        store.m_emailTemplateList.m_emailTemplates =
            recordsOf(*m_templatesAfter, std::move(store.m_emailTemplateList.m_emailTemplates));
    if (m_namedStringsAfter)
        store.m_namedStrings = *m_namedStringsAfter;
    if (m_selfInfoAfter)
        store.m_selfInfo = *m_selfInfoAfter;
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
    m_links.eraseIf([&](const LinkState &state) { return records.contains(state.link); });
    m_categories.eraseIf([&](const CategoryState &state) { return isGone(state.node); });
    std::erase_if(m_addedNodes, isGone);
    std::erase_if(m_removedNodes, isGone);
}

const QStringList &StoreChange::linkIDs() const
{
    collectTouchedIDs();
    return m_linkIDs;
}

const QStringList &StoreChange::categoryIDs() const
{
    collectTouchedIDs();
    return m_categoryIDs;
}

void StoreChange::collectTouchedIDs() const
{
    // Asked after an undo or redo: every record named here is alive, in the tree or in this change.
    if (m_touchedIDsCollected)
        return;
    m_touchedIDsCollected = true;
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
    m_categories.forEach([&](const CategoryState &state) { addCategory(state.before.ID()); });
    for (const std::vector<TreeNode *> *nodes : {&m_addedNodes, &m_removedNodes}) {
        for (const TreeNode *node : *nodes) {
            if (const Category *category = node->category())
                addCategory(category->ID());
        }
    }
    m_links.forEach([&](const LinkState &state) {
        addLink(state.link->ID());
        addCategory(state.before.categoryID());
        addCategory(state.after ? state.after->categoryID() : state.link->categoryID());
    });
    for (const std::vector<TreeNode *> *nodes : {&m_addedNodes, &m_removedNodes}) {
        for (const TreeNode *node : *nodes) {
            if (const Link *link = node->link()) {
                addLink(link->ID());
                addCategory(link->categoryID());
            }
        }
    }
}
