#include "HistoryFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *const JournalSuffixes[] = {"-wal", "-shm", "-journal"};
constexpr mode_t MostPermissive = 0644;
// Used when the database cannot be looked at: only its owner reads the history then.
constexpr mode_t Fallback = 0600;

// SQLite's unix VFS resolves symbolic links in the whole path of a database before it opens it, so a
// history that is a link is written through. This one resolves the folders only and leaves the last
// name as it is; the unix VFS then opens it, and every journal file, with O_NOFOLLOW.
const char *const VfsName = "quillmarsh-nofollow";

int folderResolvingFullPathname(sqlite3_vfs *, const char *name, int size, char *out)
{
    const std::string path(name);
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
    if (last.empty() || last == "." || last == "..")
        return SQLITE_CANTOPEN;
    char *resolved = ::realpath(folder.c_str(), nullptr);
    if (!resolved)
        return SQLITE_CANTOPEN;
    std::string full(resolved);
    std::free(resolved);
    if (full != "/")
        full += '/';
    full += last;
    if (full.size() + 1 > size_t(size))
        return SQLITE_CANTOPEN;
    std::memcpy(out, full.c_str(), full.size() + 1);
    return SQLITE_OK;
}

// Registered once per process, beside (not instead of) the default VFS; null when there is no
// unix VFS to build on.
const char *noFollowVfs()
{
    static std::once_flag once;
    static sqlite3_vfs vfs;
    static bool registered = false;
    std::call_once(once, [] {
        sqlite3_vfs *unixVfs = sqlite3_vfs_find("unix");
        if (!unixVfs)
            return;
        vfs = *unixVfs;
        vfs.pNext = nullptr;
        vfs.zName = VfsName;
        vfs.xFullPathname = folderResolvingFullPathname;
        registered = sqlite3_vfs_register(&vfs, 0) == SQLITE_OK;
    });
    return registered ? VfsName : nullptr;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Takes from a file the permission bits beyond `allowed`, through a handle that names the file
// itself and never what a link points to.
void restrictPermissions(const QByteArray &path, mode_t allowed)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat status;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
        (status.st_mode & 07777 & ~allowed) != 0)
        ::fchmod(fd, status.st_mode & allowed);
    ::close(fd);
}

} // namespace

HistoryFiles::HistoryFiles(const QString &databasePath)
    : m_databasePath(databasePath), m_path(databasePath + QStringLiteral("-history"))
{}

unsigned HistoryFiles::permissions() const
{
    struct stat status;
    if (::stat(QFile::encodeName(m_databasePath).constData(), &status) != 0)
        return Fallback;
    return status.st_mode & MostPermissive;
}

QList<QByteArray> HistoryFiles::names() const
{
    const QByteArray history = QFile::encodeName(m_path);
    QList<QByteArray> names{history};
    for (const char *suffix : JournalSuffixes)
        names.append(history + suffix);
    return names;
}

bool HistoryFiles::checkNames(QString *why) const
{
    const QList<QByteArray> all = names();
    for (const QByteArray &name : all) {
        struct stat status;
        if (::lstat(name.constData(), &status) != 0)
            continue;
        const bool isHistory = name == all.first();
        const QString shown = QDir::toNativeSeparators(QFile::decodeName(name));
        if (S_ISLNK(status.st_mode)) {
            *why = isHistory ? tr("it is a symbolic link, which is never followed")
                             : tr("%1 is a symbolic link, which is never followed").arg(shown);
            return false;
        }
        if (!S_ISREG(status.st_mode)) {
            *why = isHistory ? tr("it is not a file") : tr("%1 is not a file").arg(shown);
            return false;
        }
    }
    return true;
}

bool HistoryFiles::prepareForWriting(QString *why) const
{
    const QByteArray history = QFile::encodeName(m_path);
    struct stat status;
    if (::lstat(history.constData(), &status) != 0 && !createEmpty(m_path, why)) {
        // Another writer may have made it at the same moment.
        if (::lstat(history.constData(), &status) != 0 || !S_ISREG(status.st_mode))
            return false;
    }
    // A history made before its permissions followed the database's keeps no more than they allow.
    struct stat database;
    if (::stat(QFile::encodeName(m_databasePath).constData(), &database) == 0) {
        for (const QByteArray &name : names())
            restrictPermissions(name, database.st_mode & MostPermissive);
    }
    return true;
}

bool HistoryFiles::createEmpty(const QString &path, QString *why) const
{
    const mode_t mode = permissions();
    // O_EXCL never follows a link, not even a dangling one.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0) {
        *why = tr("%1 cannot be created: %2").arg(QDir::toNativeSeparators(path), systemError());
        return false;
    }
    // The bits are the database's, whatever the umask.
    ::fchmod(fd, mode);
    ::close(fd);
    return true;
}

QString HistoryFiles::sqliteName() const
{
    const char *vfs = noFollowVfs();
    if (!vfs)
        return QString();
    const QByteArray escaped = QUrl::toPercentEncoding(QFileInfo(m_path).absoluteFilePath(), "/");
    return QStringLiteral("file:%1?vfs=%2").arg(QString::fromLatin1(escaped), QLatin1String(vfs));
}
