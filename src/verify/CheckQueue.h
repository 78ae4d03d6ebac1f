#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <utility>

// The rows of a verification run still waiting for their check, kept by host in row order. The
// next row is the first one whose host can take a fetch now, so rows for a busy or paused host wait
// while rows for other hosts go ahead. Finding it skips only hosts that cannot take one.
class CheckQueue
{
public:
    void clear();
    // Rows are appended in increasing order; an empty host (an address that is decided without a
    // fetch) never has to wait.
    void append(int row, const QString &host);
    // Takes the first row whose host `canStart` accepts; -1 when none can start now.
    int takeNext(const std::function<bool(const QString &)> &canStart);

    bool isEmpty() const { return m_size == 0; }
    int size() const { return m_size; }

private:
    std::map<QString, std::deque<int>> m_rowsByHost;
    std::set<std::pair<int, QString>> m_heads; // the first waiting row of every host
    int m_size = 0;
};
