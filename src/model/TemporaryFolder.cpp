#include "TemporaryFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t PrivateFolder = 0700;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString baseDirectory()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return cache.isEmpty() ? QDir::homePath() : cache;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A file descriptor closed when it goes.
class Handle
{
public:
    explicit Handle(int fd = -1) : m_fd(fd) {}
    ~Handle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

// The folder, opened once: it is checked and then used through this handle, so it cannot be
// swapped for a link or another folder between the check and the writing. -1 with `error` set.
int openPrivateFolder(QString *error, QString *folderPath = nullptr)
{
    const QString base = baseDirectory();
    const QString folder = QDir(base).filePath(TemporaryFolder::FolderName);
    if (folderPath)
        *folderPath = folder;
    auto failed = [&](const QString &why) {
        setError(error, why);
        return -1;
    };
    if (!QDir().mkpath(base))
        return failed(QCoreApplication::translate("TemporaryFolder", "cannot create %1").arg(base));
    const Handle parent(::open(QFile::encodeName(base).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parent.fd() < 0)
        return failed(QCoreApplication::translate("TemporaryFolder", "cannot create %1").arg(base));
    const QByteArray name = QFile::encodeName(TemporaryFolder::FolderName);
    // mkdir with the permissions given leaves no moment in which the folder is open to others.
    if (::mkdirat(parent.fd(), name.constData(), PrivateFolder) != 0 && errno != EEXIST)
        return failed(QCoreApplication::translate("TemporaryFolder", "cannot create %1").arg(folder));
    const int fd = ::openat(parent.fd(), name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat status;
    // A link or a folder of another user could hand our files to someone else.
    if (fd < 0 || ::fstat(fd, &status) != 0 || status.st_uid != ::getuid()) {
        if (fd >= 0)
            ::close(fd);
        return failed(
            QCoreApplication::translate("TemporaryFolder", "%1 is not a private folder").arg(folder));
    }
    if ((status.st_mode & 07077) != 0 && ::fchmod(fd, PrivateFolder) != 0) {
        ::close(fd);
        return failed(QCoreApplication::translate("TemporaryFolder", "cannot make %1 private").arg(folder));
    }
    return fd;
}

} // namespace

QString TemporaryFolder::path(QString *error)
{
    QString folder;
    const Handle handle(openPrivateFolder(error, &folder));
    return handle.fd() < 0 ? QString() : folder;
}

QString TemporaryFolder::filePath(const QString &fileName, QString *error)
{
    const QString folder = path(error);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(fileName);
}

bool TemporaryFolder::writeFile(const QString &fileName, const QByteArray &bytes, QString *error)
{
    const Handle folder(openPrivateFolder(error));
    if (folder.fd() < 0)
        return false;
    const QByteArray name = QFile::encodeName(fileName);
    // Written beside the old file under a name nobody else can have made, then renamed over it:
    // a reader never sees half a page.
    QByteArray partName;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        partName = '.' + name + '.' + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        fd = ::openat(folder.fd(), partName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      0600);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        setError(error, systemError());
        return false;
    }
    const Handle part(fd);
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += n;
    }
    if (written != bytes.size() || ::fsync(fd) != 0 ||
        ::renameat(folder.fd(), partName.constData(), folder.fd(), name.constData()) != 0) {
        setError(error, systemError());
        ::unlinkat(folder.fd(), partName.constData(), 0);
        return false;
    }
    return true;
}
