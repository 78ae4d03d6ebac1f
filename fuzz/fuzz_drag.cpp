// The payload of dragged link rows: any bytes decode to IDs or to nothing, never past the data; the
// IDs of a decoded payload encode and decode to themselves once they are what a record holds; and
// link IDs (ASCII, up to 49 characters) always travel unchanged.

#include "FuzzSupport.h"
#include "model/LinkDragPayload.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::setUp();
    const QByteArray bytes = FuzzSupport::bytes(data, size);

    if (const std::optional<QStringList> ids = LinkDragPayload::decode(bytes)) {
        FUZZ_CHECK(4 + qsizetype(ids->size()) * LinkDragPayload::RecordSize <= bytes.size(),
                   QStringLiteral("%1 IDs from %2 bytes").arg(ids->size()).arg(bytes.size()));
        const std::optional<QStringList> once = LinkDragPayload::decode(LinkDragPayload::encode(*ids));
        FUZZ_CHECK(once && once->size() == ids->size(), QStringLiteral("an encoded payload did not decode"));
        const std::optional<QStringList> twice = LinkDragPayload::decode(LinkDragPayload::encode(*once));
        FUZZ_CHECK(twice == once, QStringLiteral("IDs keep changing: ") + once->join(u' '));
    }

    // The bytes as link IDs: printable ASCII pieces between spaces, cut to 49 characters.
    QStringList ids;
    for (const QByteArray &piece : bytes.split(' ')) {
        QString id;
        for (const char c : piece.left(LinkDragPayload::RecordSize - 1)) {
            if (c > ' ' && c < 0x7F)
                id.append(QLatin1Char(c));
        }
        ids.append(id);
    }
    const std::optional<QStringList> decoded = LinkDragPayload::decode(LinkDragPayload::encode(ids));
    FUZZ_CHECK(decoded == ids, QStringLiteral("link IDs changed: ") + ids.join(u' '));
    return 0;
}
