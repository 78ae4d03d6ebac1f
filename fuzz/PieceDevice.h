#pragma once

#include <QByteArray>
#include <QIODevice>

// A sequential device over bytes that hands out at most `pieceSize` bytes per read and tells its
// size only by ending, as a pipe does.
class PieceDevice : public QIODevice
{
public:
    PieceDevice(const QByteArray &data, qint64 pieceSize);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_pieceSize;
    qint64 m_at = 0;
};
