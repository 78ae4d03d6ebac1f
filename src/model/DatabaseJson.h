#pragma once

#include <QJsonObject>
#include <QString>

class CollectionManager;
class QIODevice;

// The whole database as JSON and back: the text form of the command-line tool.
namespace DatabaseJson {

QJsonObject toJson(const CollectionManager &store);
// Writes the same document as toJson without building it whole in memory; false on a write error.
bool write(const CollectionManager &store, QIODevice &device);
// Fills an empty store; missing keys take the defaults of a new record and given IDs are kept.
bool fromJson(const QJsonObject &json, CollectionManager &store, QString *error = nullptr);

} // namespace DatabaseJson
