#include "OutputFile.h"

#include <memory>
#include <vector>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class TargetKind
{
    Replaceable, // a regular file, or nothing yet
    Stream,      // a character device or a FIFO
    Refused,
};

TargetKind targetKind(const QString &path)
{
    struct stat status;
    // stat follows a symbolic link: what counts is what the link points to.
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return TargetKind::Replaceable;
    if (S_ISREG(status.st_mode))
        return TargetKind::Replaceable;
    if (S_ISCHR(status.st_mode) || S_ISFIFO(status.st_mode))
        return TargetKind::Stream;
    return TargetKind::Refused;
}

void setError(FileError *error, const QString &why)
{
    FileError::fail(error, FileError::Kind::CannotWrite, why);
}

} // namespace

OutputFile::OutputFile(const QString &path) : m_path(path), m_saveFile(path), m_streamFile(path) {}

OutputFile::~OutputFile()
{
    cancel();
}

bool OutputFile::isStream(const QString &path)
{
    return targetKind(path) == TargetKind::Stream;
}

bool OutputFile::open(FileError *error)
{
    switch (targetKind(m_path)) {
    case TargetKind::Refused:
        FileError::fail(error, FileError::Kind::NotARegularFile);
        return false;
    case TargetKind::Stream:
        m_direct = true;
        if (!m_streamFile.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            setError(error, m_streamFile.errorString());
            return false;
        }
        return true;
    case TargetKind::Replaceable:
        m_direct = false;
        if (!m_saveFile.open(QIODevice::WriteOnly)) {
            setError(error, m_saveFile.errorString());
            return false;
        }
        return true;
    }
    return false;
}

QIODevice &OutputFile::device()
{
    if (m_direct)
        return m_streamFile;
    return m_saveFile;
}

bool OutputFile::finishWriting(FileError *error)
{
    if (m_direct || m_finished)
        return true;
    // QSaveFile::commit() renames the file in place even when flushing its buffer failed (a full
    // disk): the buffer is flushed and the data synced here first, and any failure keeps the old file.
    errno = 0;
    bool onDisk = m_saveFile.isOpen() && m_saveFile.flush() && m_saveFile.error() == QFileDevice::NoError;
    onDisk = onDisk && ::fsync(m_saveFile.handle()) == 0;
    if (!onDisk) {
        setError(error, errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : m_saveFile.errorString());
        m_saveFile.cancelWriting();
        return false;
    }
    m_finished = true;
    return true;
}

bool OutputFile::commit(FileError *error)
{
    if (m_direct) {
        const bool written = m_streamFile.isOpen() && m_streamFile.error() == QFileDevice::NoError;
        if (!written)
            setError(error, m_streamFile.errorString());
        m_streamFile.close();
        return written;
    }
    if (!finishWriting(error))
        return false;
    if (!m_saveFile.commit()) {
        setError(error, m_saveFile.errorString());
        m_saveFile.cancelWriting();
        return false;
    }
    return true;
}

void OutputFile::cancel()
{
    if (m_direct)
        m_streamFile.close();
    else if (m_saveFile.isOpen())
        m_saveFile.cancelWriting();
}

bool OutputFile::write(const QString &path, const QByteArray &bytes, FileError *error)
{
    OutputFile file(path);
    if (!file.open(error))
        return false;
    if (file.device().write(bytes) != bytes.size()) {
        setError(error, file.device().errorString());
        file.cancel();
        return false;
    }
    return file.commit(error);
}

bool OutputFile::writeAll(const QList<std::pair<QString, QByteArray>> &files, FileError *error,
                          QString *failedPath)
{
    std::vector<std::unique_ptr<OutputFile>> outputs;
    for (const auto &[path, bytes] : files) {
        auto file = std::make_unique<OutputFile>(path);
        bool written = file->open(error);
        // A short write says why too, not only a failed open or flush.
        if (written && file->device().write(bytes) != bytes.size()) {
            setError(error, file->device().errorString());
            written = false;
        }
        if (!written || !file->finishWriting(error)) {
            if (failedPath)
                *failedPath = path;
            return false; // every file opened so far is dropped with its OutputFile
        }
        outputs.push_back(std::move(file));
    }
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (!outputs[i]->commit(error)) {
            if (failedPath)
                *failedPath = files.at(qsizetype(i)).first;
            return false;
        }
    }
    return true;
}
