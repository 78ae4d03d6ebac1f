#include "TreeNode.h"

#include "Category.h"
#include "Link.h"

#include <algorithm>

TreeNode::TreeNode(const QString &title, int32_t tag) : m_tag(tag), m_title(title), m_originalTitle(title) {}

TreeNode::TreeNode(std::unique_ptr<Attachment> attachment) : m_attachment(std::move(attachment))
{
    if (m_attachment)
        m_title = m_originalTitle = m_attachment->nodeTitle();
}

TreeNode::~TreeNode()
{
    isolate();
    // Children are destroyed last to first so that no child has to shift the others.
    while (!m_children.empty()) {
        TreeNode *child = m_children.back();
        m_children.pop_back();
        child->m_parent = nullptr;
        delete child;
    }
}

void TreeNode::setAttachment(std::unique_ptr<Attachment> attachment)
{
    const bool hadNone = !m_attachment;
    m_attachment = std::move(attachment);
    if (m_parent)
        m_parent->m_childrenInOrder = false;
    if (hadNone && m_parent)
        invalidateParentTitleCounts();
}

Link *TreeNode::link() const
{
    return m_attachment && m_attachment->kind() == Attachment::Kind::Link
               ? static_cast<Link *>(m_attachment.get())
               : nullptr;
}

Category *TreeNode::category() const
{
    return m_attachment && m_attachment->kind() == Attachment::Kind::Category
               ? static_cast<Category *>(m_attachment.get())
               : nullptr;
}

int32_t TreeNode::setTag(int32_t tag)
{
    const int32_t previous = m_tag;
    m_tag = tag;
    return previous;
}

QString TreeNode::title()
{
    if (m_attachment)
        return m_attachment->nodeTitle();
    refreshAttachmentNodeCount();
    return m_title;
}

QString TreeNode::nativeTitle()
{
    if (m_attachment) {
        const QString base = m_attachment->nodeTitle();
        if (base != m_originalTitle) {
            m_title = m_originalTitle = base;
            m_validTitleCount = false;
        }
    }
    refreshAttachmentNodeCount();
    return m_title;
}

void TreeNode::setTitle(const QString &title)
{
    m_title = m_originalTitle = title;
    m_validTitleCount = false;
}

TreeNode *TreeNode::next() const
{
    if (!m_parent || m_indexInParent + 1 >= m_parent->m_children.size())
        return nullptr;
    return m_parent->m_children[m_indexInParent + 1];
}

void TreeNode::renumberFrom(size_t position)
{
    for (size_t i = position; i < m_children.size(); ++i)
        m_children[i]->m_indexInParent = i;
}

void TreeNode::noteOrderAround(size_t position)
{
    if (!m_childrenInOrder)
        return;
    const TreeNode *node = m_children[position];
    if (!node->m_attachment) {
        m_childrenInOrder = false;
        return;
    }
    if (position > 0 && node->m_attachment->compare(*m_children[position - 1]->m_attachment) < 0)
        m_childrenInOrder = false;
    else if (position + 1 < m_children.size() &&
             m_children[position + 1]->m_attachment->compare(*node->m_attachment) < 0)
        m_childrenInOrder = false;
}

void TreeNode::insertChildAt(size_t position, TreeNode *node)
{
    node->m_parent = this;
    m_children.insert(m_children.begin() + std::ptrdiff_t(position), node);
    renumberFrom(position);
    noteOrderAround(position);
    if (node->m_attachment)
        invalidateParentTitleCounts();
}

void TreeNode::addChild(TreeNode *node)
{
    insertChildAt(m_children.size(), node);
}

bool TreeNode::childrenInOrder()
{
    if (m_childrenInOrder)
        return true;
    // One linear check restores the fast path after the order was put in doubt.
    for (size_t i = 0; i < m_children.size(); ++i) {
        const Attachment *current = m_children[i]->m_attachment.get();
        if (!current || (i > 0 && current->compare(*m_children[i - 1]->m_attachment) < 0))
            return false;
    }
    m_childrenInOrder = true;
    return true;
}

TreeNode *TreeNode::addOrderedChild(TreeNode *node)
{
    if (!node->m_attachment) {
        addChild(node);
        return node;
    }
    const Attachment &record = *node->m_attachment;
    size_t position = m_children.size();
    if (childrenInOrder()) {
        // The first child that the new record sorts strictly before; equal records stay ahead of it.
        if (!m_children.empty() && record.compare(*m_children.back()->m_attachment) < 0) {
            auto it = std::upper_bound(m_children.begin(), m_children.end(), &record,
                                       [](const Attachment *r, const TreeNode *child) {
                                           return r->compare(*child->m_attachment) < 0;
                                       });
            position = size_t(it - m_children.begin());
        }
    } else {
        for (size_t i = 0; i < m_children.size(); ++i) {
            const Attachment *other = m_children[i]->m_attachment.get();
            if (other && record.compare(*other) < 0) {
                position = i;
                break;
            }
        }
    }
    insertChildAt(position, node);
    return node;
}

void TreeNode::isolate()
{
    if (!m_parent)
        return;
    TreeNode *parent = m_parent;
    parent->m_children.erase(parent->m_children.begin() + std::ptrdiff_t(m_indexInParent));
    parent->renumberFrom(m_indexInParent);
    invalidateParentTitleCounts();
    m_parent = nullptr;
    m_indexInParent = 0;
}

std::vector<TreeNode *> TreeNode::takeChildren()
{
    std::vector<TreeNode *> children;
    children.swap(m_children);
    for (TreeNode *child : children) {
        if (child->m_parent != this)
            continue; // already adopted elsewhere
        child->m_parent = nullptr;
        child->m_indexInParent = 0;
    }
    m_childrenInOrder = true;
    invalidateParentTitleCounts();
    return children;
}

void TreeNode::adoptChildren(const std::vector<TreeNode *> &children)
{
    m_children = children;
    for (size_t i = 0; i < m_children.size(); ++i) {
        m_children[i]->m_parent = this;
        m_children[i]->m_indexInParent = i;
    }
    // Whatever order was given: the next ordered insertion checks it once.
    m_childrenInOrder = m_children.empty();
    invalidateParentTitleCounts();
}

TreeNode *TreeNode::childAtIndex(int index) const
{
    if (index < 0 || size_t(index) >= m_children.size())
        return nullptr;
    return m_children[size_t(index)];
}

int TreeNode::indexOfChild(const TreeNode *node) const
{
    if (!node || node->m_parent != this)
        return -1;
    return int(node->m_indexInParent);
}

int TreeNode::refreshAttachmentNodeCount()
{
    if (m_validTitleCount)
        return m_numAttachments;
    m_numAttachments = int32_t(m_children.size());
    m_title = m_numAttachments == 0 ? m_originalTitle
                                    : QStringLiteral("%1 (%2)").arg(m_originalTitle).arg(m_numAttachments);
    m_validTitleCount = true;
    return m_numAttachments;
}

void TreeNode::invalidateParentTitleCounts()
{
    for (TreeNode *node = this; node; node = node->m_parent) {
        node->m_validTitleCount = false;
        node->m_objectValue = QVariant();
    }
}

QString TreeNode::attachmentID() const
{
    return m_attachment ? m_attachment->ID() : QString();
}
