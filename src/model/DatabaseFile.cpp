#include "DatabaseFile.h"

#include "CollectionManager.h"
#include "DatabaseCodec.h"
#include "OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace DatabaseFile {

bool read(const QString &path, CollectionManager &store, FileError *error, QStringList *notes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileError::fail(error, FileError::Kind::CannotOpen, file.errorString());
    if (DatabaseCodec::read(file, store, error, notes))
        return true;
    if (file.error() != QFileDevice::NoError)
        FileError::fail(error, FileError::Kind::CannotRead, file.errorString());
    return false;
}

QString backupPath(const QString &path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? info.fileName() : info.completeBaseName();
    return info.dir().filePath(base + QLatin1Char('~') + (suffix.isEmpty() ? QString() : "." + suffix));
}

bool writeAtomically(const QString &path, const QByteArray &bytes, FileError *error)
{
    return OutputFile::write(path, bytes, error);
}

bool write(CollectionManager &store, const QString &path, FileError *error, bool backup)
{
    // A file the readers refuse would lose the database: it is not written at all.
    const qint64 size = DatabaseCodec::encodedSize(store);
    if (size > MaximumFileSize)
        return FileError::fail(error, FileError::Kind::DatabaseTooLarge,
                               QString::number((size + (1 << 20) - 1) >> 20), MaximumFileSize >> 20);
    // A backup of a device or a pipe makes no sense: only a regular file is copied.
    if (backup && QFileInfo(path).isFile()) {
        const QString copy = backupPath(path);
        QFile::remove(copy);
        if (!QFile::copy(path, copy))
            return FileError::fail(error, FileError::Kind::CannotWriteBackup, copy);
    }
    OutputFile file(path);
    if (!file.open(error))
        return false;
    if (!DatabaseCodec::write(store, file.device())) {
        const QString why = file.device().errorString();
        FileError::fail(error, FileError::Kind::CannotWrite,
                        why.isEmpty() ? QStringLiteral("cannot write") : why);
        file.cancel();
        return false;
    }
    return file.commit(error);
}

} // namespace DatabaseFile
