#include "TemporaryFolder.h"

#include "OutputFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace {

constexpr QFile::Permissions PrivateFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

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

} // namespace

QString TemporaryFolder::path(QString *error)
{
    const QString base = baseDirectory();
    if (!QDir().mkpath(base)) {
        setError(error, QCoreApplication::translate("TemporaryFolder", "cannot create %1").arg(base));
        return QString();
    }
    const QString folder = QDir(base).filePath(FolderName);
    // mkdir with the permissions given leaves no moment in which the folder is open to others.
    if (!QFileInfo::exists(folder) && !QDir().mkdir(folder, PrivateFolder)) {
        setError(error, QCoreApplication::translate("TemporaryFolder", "cannot create %1").arg(folder));
        return QString();
    }
    const QFileInfo info(folder);
    // A link or a folder of another user could hand our files to someone else.
    if (info.isSymLink() || !info.isDir() || info.ownerId() != uint(::getuid())) {
        setError(error,
                 QCoreApplication::translate("TemporaryFolder", "%1 is not a private folder").arg(folder));
        return QString();
    }
    if ((info.permissions() & ~(PrivateFolder | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser)) &&
        !QFile::setPermissions(folder, PrivateFolder)) {
        setError(error, QCoreApplication::translate("TemporaryFolder", "cannot make %1 private").arg(folder));
        return QString();
    }
    return folder;
}

QString TemporaryFolder::filePath(const QString &fileName, QString *error)
{
    const QString folder = path(error);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(fileName);
}

bool TemporaryFolder::writeFile(const QString &fileName, const QByteArray &bytes, QString *error)
{
    const QString target = filePath(fileName, error);
    if (target.isEmpty())
        return false;
    QString why;
    if (!OutputFile::write(target, bytes, &why)) {
        setError(error, why);
        return false;
    }
    return true;
}
