#pragma once

#include "Attachment.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <vector>

class Link;
class Category;

// An ordered tree node that may carry one record. The store's root holds category nodes,
// a category node holds link nodes, and a link node holds a container of notifications.
//
// Children live in a vector so that counting, indexing and positions are O(1), and ordered
// insertion is a binary search while the children are known to be in order.
class TreeNode
{
public:
    explicit TreeNode(const QString &title = QString(), int32_t tag = 0);
    explicit TreeNode(std::unique_ptr<Attachment> attachment);
    ~TreeNode(); // detaches itself, then destroys its children and attachment
    TreeNode(const TreeNode &) = delete;
    TreeNode &operator=(const TreeNode &) = delete;

    Attachment *attachment() const { return m_attachment.get(); }
    void setAttachment(std::unique_ptr<Attachment> attachment);
    // The attachment as a link or category, or null when it is something else.
    Link *link() const;
    Category *category() const;

    int32_t tag() const { return m_tag; }
    int32_t setTag(int32_t tag);

    QString title();
    QString nativeTitle();
    void setTitle(const QString &title);
    const QString &originalTitle() const { return m_originalTitle; }

    const QVariant &objectValue() const { return m_objectValue; }
    void refreshObjectValueFromTitle() { m_objectValue = title(); }
    void refreshObjectValueFromNativeTitle() { m_objectValue = nativeTitle(); }

    const std::vector<TreeNode *> &children() const { return m_children; }
    TreeNode *firstChild() const { return m_children.empty() ? nullptr : m_children.front(); }
    TreeNode *parent() const { return m_parent; }
    TreeNode *next() const;

    // Each of these takes ownership of a detached node.
    void addChild(TreeNode *node);
    TreeNode *addOrderedChild(TreeNode *node);
    // Detaches the node; the caller owns it afterwards.
    void isolate();
    // Detaches every child at once and returns them in order; the caller owns them afterwards.
    std::vector<TreeNode *> takeChildren();
    // Makes these detached nodes the children, in this order (the node has none before).
    void adoptChildren(const std::vector<TreeNode *> &children);

    bool isExpandable() const { return !m_children.empty(); }
    int numberOfChildren() const { return int(m_children.size()); }
    TreeNode *childAtIndex(int index) const;
    int indexOfChild(const TreeNode *node) const;

    int refreshAttachmentNodeCount();
    void invalidateParentTitleCounts();

    QString attachmentID() const;

    // Tells the node that a child's record changed in place, so its children may be out of order.
    void childOrderMayHaveChanged() { m_childrenInOrder = false; }

private:
    void insertChildAt(size_t position, TreeNode *node);
    void noteOrderAround(size_t position);
    bool childrenInOrder();
    void renumberFrom(size_t position);

    std::unique_ptr<Attachment> m_attachment;
    std::vector<TreeNode *> m_children;
    TreeNode *m_parent = nullptr;
    size_t m_indexInParent = 0;
    int32_t m_tag = 0;
    QString m_title;
    QString m_originalTitle;
    bool m_validTitleCount = false;
    QVariant m_objectValue;
    int32_t m_numAttachments = 0;
    bool m_childrenInOrder = true; // every child has a record and none sorts before its predecessor
};
