#pragma once

#include "FreedMemory.h"
#include "model/CollectionManager.h"
#include "model/Link.h"
#include "model/TreeNode.h"

#include <QHash>
#include <QString>

// Hands each entry of a table read by link ID to `add(key, value)`, keyed by the store's own ID string
// where the store holds the link: a table of tens of thousands of links then shares the store's texts
// instead of keeping copies of its own. Entries of links the store no longer holds (an undo may bring
// them back) get a copy. `result.contains(id)` tells which entries were added.
template <typename Value, typename Result, typename Add>
void addByStoreIDs(const CollectionManager *store, const QHash<QString, Value> &table, const Result &result,
                   Add add)
{
    qsizetype added = 0;
    if (store) {
        for (const TreeNode *categoryNode : store->categoryRoot()->children()) {
            for (const TreeNode *node : categoryNode->children()) {
                const Link *link = node->link();
                if (!link)
                    continue;
                const auto found = table.constFind(link->ID());
                if (found == table.cend())
                    continue;
                add(link->ID(), found.value());
                ++added;
            }
        }
    }
    if (added == table.size())
        return;
    for (auto entry = table.cbegin(); entry != table.cend(); ++entry) {
        if (!result.contains(entry.key()))
            add(ownCopy(entry.key()), entry.value());
    }
}
