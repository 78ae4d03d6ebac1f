#include "FileIdentity.h"

#include <QFile>

#include <sys/stat.h>

FileIdentity FileIdentity::of(const QString &path)
{
    FileIdentity identity;
    struct stat status;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return identity;
    identity.m_exists = true;
    identity.m_regular = S_ISREG(status.st_mode);
    identity.m_device = quint64(status.st_dev);
    identity.m_inode = quint64(status.st_ino);
    identity.m_size = qint64(status.st_size);
    identity.m_modifiedSeconds = qint64(status.st_mtim.tv_sec);
    identity.m_modifiedNanoseconds = qint64(status.st_mtim.tv_nsec);
    return identity;
}

bool FileIdentity::isSameFileAs(const FileIdentity &other) const
{
    return m_exists && other.m_exists && m_regular && other.m_regular && m_device == other.m_device &&
           m_inode == other.m_inode;
}
