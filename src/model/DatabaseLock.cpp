#include "DatabaseLock.h"

#include <QDir>
#include <QFileInfo>

DatabaseLock::DatabaseLock(const QString &databasePath)
    : m_lock(std::make_unique<QLockFile>(lockPathFor(databasePath)))
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
    const bool locked = m_lock->tryLock(waitMs);
    m_heldElsewhere = !locked && m_lock->error() == QLockFile::LockFailedError;
    return locked;
}

QString DatabaseLock::holder() const
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!m_lock->getLockInfo(&pid, &host, &application))
        return QString();
    return QStringLiteral("process %1 on %2").arg(pid).arg(host);
}

void DatabaseLock::unlock()
{
    m_lock->unlock();
}
