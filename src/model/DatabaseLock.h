#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// The lock file beside a database (".NAME.site.lock") that says a window or a command has it open
// for writing. A lock left by a process that no longer runs is taken over.
class DatabaseLock
{
public:
    explicit DatabaseLock(const QString &databasePath);
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock &) = delete;
    DatabaseLock &operator=(const DatabaseLock &) = delete;

    // Takes the lock, waiting up to `waitMs`. False when another process holds it, or when no lock
    // file can be made (a read-only folder): `heldElsewhere` tells the two apart.
    bool tryLock(int waitMs = 0);
    bool isLocked() const { return m_lock && m_lock->isLocked(); }
    bool heldElsewhere() const { return m_heldElsewhere; }
    // Who holds it, for messages: "process 1234 on host", or empty when unknown.
    QString holder() const;
    void unlock();

    static QString lockPathFor(const QString &databasePath);

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_heldElsewhere = false;
};
