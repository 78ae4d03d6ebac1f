#pragma once

#include <QProcess>
#include <QString>

// Another program holding a history: a python3 child that keeps an exclusive transaction open on the
// file until release() (or until it is destroyed).
class HistoryLockHolder
{
public:
    HistoryLockHolder() = default;
    ~HistoryLockHolder();
    HistoryLockHolder(const HistoryLockHolder &) = delete;
    HistoryLockHolder &operator=(const HistoryLockHolder &) = delete;

    // True once the child holds the lock on `historyPath`.
    bool hold(const QString &historyPath);
    // Ends the transaction and the child.
    void release();

private:
    QProcess m_python;
};
