#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// An append-only sequence kept in blocks of reserved room, so that appending never moves what is
// already there: copying thousands of records costs the copies and a few allocations, nothing more.
template <class T, size_t BlockSize = 256> class RecordBlocks
{
public:
    template <class... Args> T &emplace_back(Args &&...args)
    {
        if (m_blocks.empty() || m_blocks.back().size() == m_blocks.back().capacity()) {
            m_blocks.emplace_back();
            m_blocks.back().reserve(BlockSize);
        }
        return m_blocks.back().emplace_back(std::forward<Args>(args)...);
    }

    template <class F> void forEach(F &&f)
    {
        for (std::vector<T> &block : m_blocks)
            std::for_each(block.begin(), block.end(), f);
    }
    template <class F> void forEach(F &&f) const
    {
        for (const std::vector<T> &block : m_blocks)
            std::for_each(block.begin(), block.end(), f);
    }
    template <class F> void forEachReversed(F &&f)
    {
        for (auto block = m_blocks.rbegin(); block != m_blocks.rend(); ++block)
            std::for_each(block->rbegin(), block->rend(), f);
    }
    // Leaves holes in the blocks: the next append starts a new block.
    template <class Predicate> void eraseIf(Predicate &&predicate)
    {
        for (std::vector<T> &block : m_blocks)
            std::erase_if(block, predicate);
    }

private:
    std::vector<std::vector<T>> m_blocks;
};
