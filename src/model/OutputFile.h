#pragma once

#include "FileError.h"

#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QString>
#include <utility>

// Where the program writes a file the user named. A regular file (or a new one) is replaced
// atomically: the old file stays whole until the new one is complete on disk. A character device or
// a FIFO (/dev/stdout, a pipe) is written directly, since renaming over it would replace the device
// by a plain file. Anything else (a directory, a block device, a socket) is refused.
class OutputFile
{
public:
    explicit OutputFile(const QString &path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // False with `error` set (NotARegularFile, CannotWrite) when the target cannot be written.
    bool open(FileError *error = nullptr);
    QIODevice &device();
    // Puts every byte written on the disk, still beside the old file; false (the write dropped)
    // when any did not get there.
    bool finishWriting(FileError *error = nullptr);
    // Finishes the write and replaces the old file; false (the old file left as it was) when any
    // byte did not reach the disk.
    bool commit(FileError *error = nullptr);
    // Drops what was written; a regular file keeps its old content.
    void cancel();

    // The whole of `bytes` to `path`, as above.
    static bool write(const QString &path, const QByteArray &bytes, FileError *error = nullptr);
    // Several files that belong together (a links page and its category pages): none replaces its old
    // file unless all were written whole. `failedPath` names the file that failed.
    static bool writeAll(const QList<std::pair<QString, QByteArray>> &files, FileError *error = nullptr,
                         QString *failedPath = nullptr);
    // Whether `path` is a character device or FIFO, written in place.
    static bool isStream(const QString &path);

private:
    QString m_path;
    bool m_direct = false;
    bool m_finished = false;
    QSaveFile m_saveFile;
    QFile m_streamFile;
};
