#pragma once

#include <QHash>
#include <QString>

class CollectionManager;
class TreeNode;

// The store's same-address test (CollectionManager::linkWithURLAlreadyExists: equal ignoring case,
// or equal once one trailing slash is taken off each) as one hash over every link, so that a whole
// table is checked in one walk of the database instead of one walk per row.
class KnownAddresses
{
public:
    explicit KnownAddresses(const CollectionManager &store);

    // Equal for two addresses exactly when the store's test finds them the same.
    static QString key(const QString &url);
    // The first link in category and link order with that address, or null.
    TreeNode *linkNodeWithURL(const QString &url) const { return m_nodes.value(key(url)); }

private:
    QHash<QString, TreeNode *> m_nodes;
};
