#include "PieceDevice.h"

#include <cstring>

PieceDevice::PieceDevice(const QByteArray &data, qint64 pieceSize)
    : m_data(data), m_pieceSize(qMax<qint64>(1, pieceSize))
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 PieceDevice::readData(char *data, qint64 maxSize)
{
    const qint64 n = qMin(qMin(maxSize, m_pieceSize), qint64(m_data.size()) - m_at);
    if (n <= 0)
        return 0;
    std::memcpy(data, m_data.constData() + m_at, size_t(n));
    m_at += n;
    return n;
}
