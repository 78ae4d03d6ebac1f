#pragma once

#include <QCoreApplication>
#include <QLockFile>
#include <QString>
#include <memory>

// The lock file beside a database (".NAME.site.lock") that says a window or a command has it open
// for writing. A lock left by a process that no longer runs is taken over, and so is one that holds
// no owner (empty or unreadable: a writer killed before it filled the file in). A lock that is not
// a regular file (a symbolic link, a FIFO, a folder) is refused at once: reading a FIFO would wait
// for ever, and a link is never followed.
class DatabaseLock
{
    Q_DECLARE_TR_FUNCTIONS(DatabaseLock)
public:
    enum class Failure
    {
        None,
        HeldElsewhere, // another live process holds it
        NotAFile,      // the lock file is no regular file; nothing was touched
        CannotCreate,  // no lock file can be made (a read-only folder)
    };

    explicit DatabaseLock(const QString &databasePath);
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock &) = delete;
    DatabaseLock &operator=(const DatabaseLock &) = delete;

    // Takes the lock, waiting up to `waitMs` for another holder. False when it is not taken;
    // `failure` says why.
    bool tryLock(int waitMs = 0);
    bool isLocked() const { return m_lock && m_lock->isLocked(); }
    Failure failure() const { return m_failure; }
    bool heldElsewhere() const { return m_failure == Failure::HeldElsewhere; }
    // Who holds it, for messages: "process 1234 on host", or empty when unknown.
    QString holder() const;
    // Whether the holder is the command-line tool rather than a window.
    bool heldByCommand() const;
    // One line on why the lock was not taken, naming the lock file; empty after success.
    QString errorString() const;
    QString lockPath() const { return m_path; }
    void unlock();

    static QString lockPathFor(const QString &databasePath);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    Failure m_failure = Failure::None;
    QString m_notAFileReason;
};
