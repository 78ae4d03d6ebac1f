#include "CheckQueue.h"

void CheckQueue::clear()
{
    m_rowsByHost.clear();
    m_heads.clear();
    m_size = 0;
}

void CheckQueue::append(int row, const QString &host)
{
    std::deque<int> &rows = m_rowsByHost[host];
    if (rows.empty())
        m_heads.emplace(row, host);
    rows.push_back(row);
    ++m_size;
}

int CheckQueue::takeNext(const std::function<bool(const QString &)> &canStart)
{
    for (auto head = m_heads.begin(); head != m_heads.end(); ++head) {
        if (!canStart(head->second))
            continue;
        const int row = head->first;
        const QString host = head->second;
        m_heads.erase(head);
        const auto rows = m_rowsByHost.find(host);
        rows->second.pop_front();
        if (rows->second.empty())
            m_rowsByHost.erase(rows);
        else
            m_heads.emplace(rows->second.front(), host);
        --m_size;
        return row;
    }
    return -1;
}
