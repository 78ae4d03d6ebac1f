#include "KnownAddresses.h"

#include "model/AddressTexts.h"
#include "model/CollectionManager.h"

namespace {

// The first value stays: lookups find what a walk in tree order finds first.
template <typename Hash, typename Key, typename Value>
void insertFirst(Hash &hash, const Key &key, Value value)
{
    if (!hash.contains(key))
        hash.insert(key, value);
}

} // namespace

KnownAddresses::KnownAddresses(const CollectionManager &store)
{
    const std::vector<TreeNode *> nodes = store.allLinkNodes();
    m_nodes.reserve(qsizetype(nodes.size()));
    for (TreeNode *node : nodes)
        insertFirst(m_nodes, key(node->link()->URL()), node);
}

QString KnownAddresses::key(const QString &url)
{
    return AddressTexts::withoutTrailingSlash(url).toString().toCaseFolded();
}
