#include "StoreJournal.h"

#include "CollectionManager.h"
#include "TreeNode.h"

StoreJournal::~StoreJournal()
{
    storeWasReplaced();
}

void StoreJournal::setRecording(bool recording)
{
    if (!recording)
        dropEntry();
    m_recording = recording;
}

StoreChange &StoreJournal::openEntry()
{
    if (!m_open)
        m_open.reset(new StoreChange(m_generation));
    return *m_open;
}

void StoreJournal::childrenWillChange(TreeNode *container)
{
    if (!isRecording() || m_recordedContainers.contains(container))
        return;
    m_recordedContainers.insert(container);
    openEntry().m_children.push_back({container, container->children(), {}});
}

void StoreJournal::linkWillChange(Link *link)
{
    if (isRecording())
        openEntry().m_links.emplace_back(link);
}

void StoreJournal::categoryWillChange(TreeNode *categoryNode)
{
    if (isRecording() && categoryNode->category())
        openEntry().m_categories.emplace_back(categoryNode);
}

void StoreJournal::emailTemplatesWillChange()
{
    if (!isRecording() || (m_open && m_open->m_templatesBefore))
        return;
    std::vector<EmailTemplate> copies;
    copies.reserve(m_store.emailTemplates().size());
    for (const auto &emailTemplate : m_store.emailTemplates())
        copies.push_back(*emailTemplate);
    openEntry().m_templatesBefore = std::move(copies);
}

void StoreJournal::namedStringsWillChange()
{
    if (isRecording() && !(m_open && m_open->m_namedStringsBefore))
        openEntry().m_namedStringsBefore = m_store.namedStrings();
}

void StoreJournal::selfInfoWillChange()
{
    if (isRecording() && !(m_open && m_open->m_selfInfoBefore))
        openEntry().m_selfInfoBefore = m_store.selfInfo();
}

void StoreJournal::nodeWasCreated(TreeNode *node)
{
    if (!isRecording())
        return;
    openEntry();
    m_created.insert(node);
    m_createdOrder.push_back(node);
}

void StoreJournal::discardNode(TreeNode *node)
{
    if (!isRecording()) {
        delete node;
        return;
    }
    openEntry();
    m_discarded.push_back(node);
}

std::unique_ptr<StoreChange> StoreJournal::closeEntry()
{
    if (!m_open)
        return nullptr;
    std::unique_ptr<StoreChange> change = std::move(m_open);

    // Nodes made and thrown away within the entry leave no trace in it.
    std::vector<TreeNode *> madeAndDiscarded;
    for (TreeNode *node : m_discarded) {
        if (m_created.remove(node))
            madeAndDiscarded.push_back(node);
        else
            change->m_removedNodes.push_back(node);
    }
    for (TreeNode *node : m_createdOrder) {
        if (m_created.contains(node))
            change->m_addedNodes.push_back(node);
    }
    if (!madeAndDiscarded.empty())
        change->forgetNodes(madeAndDiscarded);

    for (TreeNode *node : madeAndDiscarded) {
        if (!node->parent())
            delete node;
    }
    m_recordedContainers.clear();
    m_created.clear();
    m_createdOrder.clear();
    m_discarded.clear();
    return change;
}

void StoreJournal::storeWasReplaced()
{
    // The open entry's containers may be gone already; only its discarded nodes are touched, and
    // those are out of the tree.
    std::vector<TreeNode *> discarded;
    for (TreeNode *node : m_discarded) {
        if (!node->parent())
            discarded.push_back(node);
    }
    for (TreeNode *node : discarded)
        delete node;
    m_open.reset();
    m_recordedContainers.clear();
    m_created.clear();
    m_createdOrder.clear();
    m_discarded.clear();
    ++m_generation;
}
