#include "RecordReader.h"

#include "ByteFields.h"

#include <QIODevice>

namespace {
// Bytes asked of a sequential device at once, so that a length read from the data never decides
// an allocation before the bytes are there.
constexpr qint64 ChunkSize = 64 * 1024;
} // namespace

RecordReader::RecordReader(QIODevice &device, qint64 cap)
    : m_device(device), m_sequential(device.isSequential()),
      m_end(m_sequential ? -1 : device.size() - device.pos()), m_cap(cap)
{}

const char *RecordReader::next(qint64 size)
{
    if (m_status != Status::Ok)
        return nullptr;
    if (m_sequential)
        return readSequentially(size) ? m_buffer.constData() : nullptr;
    // The size of a file or buffer is known: a piece past its end fails before anything is read.
    if (size < 0 || size > m_end - m_read) {
        m_status = Status::EndOfData;
        return nullptr;
    }
    if (size > m_cap - m_read) {
        m_status = Status::TooLarge;
        return nullptr;
    }
    m_buffer.resize(qsizetype(size));
    if (m_device.read(m_buffer.data(), size) != size) {
        m_status = Status::EndOfData; // the file shrank or could not be read; the caller asks the device
        return nullptr;
    }
    m_read += size;
    return m_buffer.constData();
}

bool RecordReader::readSequentially(qint64 size)
{
    if (size < 0) {
        m_status = Status::EndOfData;
        return false;
    }
    const qint64 allowed = qMin(size, m_cap - m_read);
    qint64 got = 0;
    m_buffer.resize(0);
    while (got < allowed) {
        const qint64 piece = qMin(ChunkSize, allowed - got);
        m_buffer.resize(qsizetype(got + piece));
        const qint64 r = m_device.read(m_buffer.data() + got, piece);
        if (r > 0) {
            got += r;
            continue;
        }
        // Nothing buffered: a pipe or file has ended; a socket or process may still deliver.
        if (r < 0 || !m_device.waitForReadyRead(-1))
            break;
    }
    m_buffer.resize(qsizetype(got));
    m_read += got;
    if (got < allowed)
        m_status = Status::EndOfData;
    else if (allowed < size)
        m_status = Status::TooLarge;
    return m_status == Status::Ok;
}

bool RecordReader::skip(qint64 size)
{
    if (size < 0 || (!m_sequential && size > m_end - m_read)) {
        m_status = Status::EndOfData;
        return false;
    }
    for (qint64 left = size; left > 0;) {
        const qint64 piece = qMin(ChunkSize, left);
        if (!next(piece))
            return false;
        left -= piece;
    }
    return m_status == Status::Ok;
}

bool RecordReader::count(int32_t &value)
{
    const char *p = next(4);
    if (p)
        value = ByteFields::readSignedWord(p);
    return p != nullptr;
}
