#include "LinkDragPayload.h"

#include <cstring>

namespace LinkDragPayload {

QString baseType()
{
    return QStringLiteral("application/x-net.quillmarsh.LinkPboardType");
}

QString typeForDocument(const QString &documentID)
{
    return baseType() + documentID;
}

QByteArray encode(const QStringList &ids)
{
    QByteArray data(int(sizeof(quint32)) + RecordSize * int(ids.size()), '\0');
    const quint32 count = quint32(ids.size());
    std::memcpy(data.data(), &count, sizeof count);
    for (int k = 0; k < ids.size(); ++k) {
        // Link IDs are short ASCII texts; the last byte of each record always stays zero.
        const QByteArray id = ids.at(k).toLocal8Bit().left(RecordSize - 1);
        std::memcpy(data.data() + sizeof count + size_t(k) * RecordSize, id.constData(), size_t(id.size()));
    }
    return data;
}

std::optional<QStringList> decode(const QByteArray &data)
{
    quint32 count = 0;
    if (data.size() < qsizetype(sizeof count))
        return std::nullopt;
    std::memcpy(&count, data.constData(), sizeof count);
    if (count > quint64(data.size() - qsizetype(sizeof count)) / RecordSize)
        return std::nullopt;
    QStringList ids;
    ids.reserve(qsizetype(count));
    for (quint32 k = 0; k < count; ++k) {
        const char *record = data.constData() + sizeof count + size_t(k) * RecordSize;
        ids.append(QString::fromLocal8Bit(record, qsizetype(qstrnlen(record, RecordSize))));
    }
    return ids;
}

} // namespace LinkDragPayload
