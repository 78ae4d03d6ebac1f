#pragma once

#include <QJsonObject>
#include <QString>

class CollectionManager;

// The whole database as JSON and back: the text form of the command-line tool.
namespace DatabaseJson {

QJsonObject toJson(const CollectionManager &store);
// Fills an empty store; missing keys take the defaults of a new record and given IDs are kept.
bool fromJson(const QJsonObject &json, CollectionManager &store, QString *error = nullptr);

} // namespace DatabaseJson
