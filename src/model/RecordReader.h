#pragma once

#include "FileError.h"

#include <QByteArray>
#include <cstdint>

class QIODevice;

// Reads the fixed-size pieces of a record file from any device: a file, a buffer, or a pipe whose
// size is unknown until its end. It never asks for more than the device holds, sizes its buffer
// from the bytes that actually arrived (never from a length read out of the data), and refuses to
// read past a cap.
class RecordReader
{
public:
    enum class Status
    {
        Ok,
        EndOfData, // a piece asked for runs past the end of the data
        TooLarge,  // a piece asked for runs past the cap
    };

    RecordReader(QIODevice &device, qint64 cap);

    // The next `size` bytes, or null when they are not all there (status() says why). After a
    // failure every later call fails too.
    const char *next(qint64 size);
    // Passes over `size` bytes; false when they are not all there.
    bool skip(qint64 size);
    // A big-endian 32-bit count, read as signed.
    bool count(int32_t &value);

    Status status() const { return m_status; }
    // What a failed read means for the file: TooLarge past the cap, otherwise Truncated.
    FileError::Kind failure() const
    {
        return m_status == Status::TooLarge ? FileError::Kind::TooLarge : FileError::Kind::Truncated;
    }
    // True when the device held no byte at all; meaningful once a read has failed.
    bool wasEmpty() const { return m_sequential ? m_read == 0 : m_end == 0; }

private:
    bool readSequentially(qint64 size);

    QIODevice &m_device;
    const bool m_sequential;
    const qint64 m_end; // bytes from the starting position to the end; unused for sequential devices
    const qint64 m_cap;
    qint64 m_read = 0;
    Status m_status = Status::Ok;
    QByteArray m_buffer;
};
