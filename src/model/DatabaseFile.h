#pragma once

#include "FileError.h"

#include <QString>
#include <QStringList>

class CollectionManager;

// Reading and writing a whole database file on disk.
namespace DatabaseFile {

// Fills `store` from the file; on failure the store is unchanged and `error` says why (CannotOpen,
// NotADatabase, Truncated, ...). Pipes and devices are read to their end.
// `notes` receives what was repaired while reading (see DatabaseCodec::read).
bool read(const QString &path, CollectionManager &store, FileError *error = nullptr,
          QStringList *notes = nullptr);
// Writes atomically (see OutputFile): the old file stays whole if anything fails. With `backup`, the previous
// file is kept beside it as "NAME~.site".
// Refuses (DatabaseTooLarge) a database the readers would not read back.
bool write(CollectionManager &store, const QString &path, FileError *error = nullptr, bool backup = false);
// Writes bytes atomically; shared by every exporter that replaces a user's file.
bool writeAtomically(const QString &path, const QByteArray &bytes, FileError *error = nullptr);
QString backupPath(const QString &path);

// Largest file the readers accept, also from a pipe or device that never ends; no realistic
// database comes near it.
inline constexpr qint64 MaximumFileSize = qint64(1) << 31;

} // namespace DatabaseFile
