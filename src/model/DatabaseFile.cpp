#include "DatabaseFile.h"

#include "CollectionManager.h"
#include "DatabaseCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace DatabaseFile {

bool read(const QString &path, CollectionManager &store, QString *error, QStringList *notes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open (%1)").arg(file.errorString());
        return false;
    }
    if (DatabaseCodec::read(file, store, error, notes))
        return true;
    if (error && file.error() != QFileDevice::NoError)
        *error = QStringLiteral("cannot read (%1)").arg(file.errorString());
    return false;
}

QString backupPath(const QString &path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? info.fileName() : info.completeBaseName();
    return info.dir().filePath(base + QLatin1Char('~') + (suffix.isEmpty() ? QString() : "." + suffix));
}

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool write(CollectionManager &store, const QString &path, QString *error, bool backup)
{
    if (backup && QFile::exists(path)) {
        const QString copy = backupPath(path);
        QFile::remove(copy);
        if (!QFile::copy(path, copy)) {
            if (error)
                *error = QStringLiteral("cannot write the backup copy %1").arg(copy);
            return false;
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !DatabaseCodec::write(store, file) || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace DatabaseFile
