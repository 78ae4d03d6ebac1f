#include "DatabaseLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What the first lines of a lock file say about its owner, as QLockFile writes them.
struct LockOwner
{
    qint64 pid = 0; // 0: the file names no owner (empty, cut short or not a lock)
    QString application;
    QString host;
};

LockOwner ownerIn(const QByteArray &content)
{
    LockOwner owner;
    const QList<QByteArray> lines = content.split('\n');
    // A pid line without its line end is a writer cut short, not an owner.
    if (lines.size() < 2)
        return owner;
    bool ok = false;
    const qint64 pid = lines.at(0).toLongLong(&ok);
    if (!ok || pid <= 0)
        return owner;
    owner.pid = pid;
    owner.application = QString::fromUtf8(lines.value(1));
    owner.host = QString::fromUtf8(lines.value(2));
    return owner;
}

// The lock file opened for reading without following a link and without waiting on a FIFO; -1
// with errno set, ELOOP for a link and ENODEV for anything but a regular file.
int openLockFile(const QByteArray &path, struct stat *status)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::fstat(fd, status) != 0 || !S_ISREG(status->st_mode)) {
        ::close(fd);
        errno = ENODEV;
        return -1;
    }
    return fd;
}

QByteArray readHead(int fd)
{
    QByteArray content(4096, Qt::Uninitialized);
    const ssize_t got = ::pread(fd, content.data(), size_t(content.size()), 0);
    content.resize(got > 0 ? qsizetype(got) : 0);
    return content;
}

// Whether a process holds a lock on the file (the kernel's list): a live owner keeps one for as
// long as it holds the lock. Used where the file cannot be opened to try.
bool isLockedByAnyone(ino_t inode)
{
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return true; // cannot tell: assume the owner lives
    const QByteArray suffix = ':' + QByteArray::number(quint64(inode));
    for (const QByteArray &line : locks.readAll().split('\n')) {
        for (const QByteArray &field : line.simplified().split(' ')) {
            if (field.endsWith(suffix) && field.count(':') == 2)
                return true;
        }
    }
    return false;
}

enum class Inspection
{
    Usable,    // absent, or a lock that QLockFile judges
    TakenOver, // had no owner and nobody held it: removed
    NotAFile,
};

// Looks at an existing lock file before QLockFile reads it (QLockFile follows links and would block
// on a FIFO), and removes one that names no owner and that no process holds.
Inspection inspect(const QString &lockPath, QString *reason)
{
    const QByteArray path = QFile::encodeName(lockPath);
    struct stat named;
    if (::lstat(path.constData(), &named) != 0)
        return Inspection::Usable;
    if (S_ISLNK(named.st_mode)) {
        *reason = DatabaseLock::tr("it is a symbolic link");
        return Inspection::NotAFile;
    }
    if (!S_ISREG(named.st_mode)) {
        *reason = DatabaseLock::tr("it is not a regular file");
        return Inspection::NotAFile;
    }
    struct stat opened;
    const int fd = openLockFile(path, &opened);
    if (fd < 0) {
        if (errno == ELOOP || errno == ENODEV) {
            *reason = DatabaseLock::tr("it is not a regular file");
            return Inspection::NotAFile;
        }
        // Unreadable: nobody can tell its owner, so it is stale unless a process holds it.
        if (errno == EACCES && !isLockedByAnyone(named.st_ino) && ::unlink(path.constData()) == 0)
            return Inspection::TakenOver;
        return Inspection::Usable;
    }
    Inspection result = Inspection::Usable;
    // A writer that has just made the file holds it while it writes its owner in: only a file that
    // nobody holds is stale. It is removed under that lock, and only if the name still means it.
    if (ownerIn(readHead(fd)).pid == 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        struct stat now;
        if (::lstat(path.constData(), &now) == 0 && now.st_dev == opened.st_dev &&
            now.st_ino == opened.st_ino && ::unlink(path.constData()) == 0)
            result = Inspection::TakenOver;
    }
    ::close(fd);
    return result;
}

LockOwner ownerOf(const QString &lockPath)
{
    struct stat status;
    const int fd = openLockFile(QFile::encodeName(lockPath), &status);
    if (fd < 0)
        return {};
    const LockOwner owner = ownerIn(readHead(fd));
    ::close(fd);
    return owner;
}

} // namespace

DatabaseLock::DatabaseLock(const QString &databasePath)
    : m_path(lockPathFor(databasePath)), m_lock(std::make_unique<QLockFile>(m_path))
{
    // Age alone never makes a lock stale: a window may stay open for days. A lock whose process has
    // ended is still taken over.
    m_lock->setStaleLockTime(0);
}

DatabaseLock::~DatabaseLock() = default;

QString DatabaseLock::lockPathFor(const QString &databasePath)
{
    const QFileInfo info(databasePath);
    return info.absoluteDir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".lock"));
}

bool DatabaseLock::tryLock(int waitMs)
{
    if (m_lock->isLocked())
        return true;
    m_failure = Failure::None;
    if (inspect(m_path, &m_notAFileReason) == Inspection::NotAFile) {
        m_failure = Failure::NotAFile;
        return false;
    }
    if (m_lock->tryLock(waitMs))
        return true;
    m_failure =
        m_lock->error() == QLockFile::LockFailedError ? Failure::HeldElsewhere : Failure::CannotCreate;
    return false;
}

QString DatabaseLock::holder() const
{
    const LockOwner owner = ownerOf(m_path);
    if (owner.pid == 0)
        return QString();
    return tr("process %1 on %2").arg(owner.pid).arg(owner.host);
}

bool DatabaseLock::heldByCommand() const
{
    return ownerOf(m_path).application == QLatin1String("quillmarsh-cli");
}

QString DatabaseLock::errorString() const
{
    const QString lockFile = QDir::toNativeSeparators(m_path);
    switch (m_failure) {
    case Failure::None:
        break;
    case Failure::HeldElsewhere: {
        const QString holder = this->holder();
        const QString who = holder.isEmpty() ? lockFile : tr("%1, lock file %2").arg(holder, lockFile);
        return heldByCommand()
                   ? tr("another command is writing the database (%1); try again when it has ended").arg(who)
                   : tr("the database is open in another window (%1); close it there and try again").arg(who);
    }
    case Failure::NotAFile:
        return tr("the lock file %1 cannot be used: %2; remove it if no window has the database open")
            .arg(lockFile, m_notAFileReason);
    case Failure::CannotCreate:
        return tr("the lock file %1 cannot be made").arg(lockFile);
    }
    return QString();
}

void DatabaseLock::unlock()
{
    m_lock->unlock();
}
