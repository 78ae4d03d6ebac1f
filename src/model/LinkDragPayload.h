#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The bytes that travel when link rows are dragged: a count in host byte order, then one
// zero-padded 50-byte record per link ID. Only ever read back inside this process.
namespace LinkDragPayload {

inline constexpr int RecordSize = 50;

// The application's link drag type; a document appends its unique ID to make its own.
QString baseType();
QString typeForDocument(const QString &documentID);

QByteArray encode(const QStringList &ids);
// The IDs, or nothing when the bytes are not a whole payload.
std::optional<QStringList> decode(const QByteArray &data);

} // namespace LinkDragPayload
