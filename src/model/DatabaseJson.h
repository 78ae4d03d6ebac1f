#pragma once

#include "FileError.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

class CollectionManager;
class QIODevice;

// The whole database as JSON and back: the text form of the command-line tool.
namespace DatabaseJson {

QJsonObject toJson(const CollectionManager &store);
// Writes the same document as toJson without building it whole in memory; false on a write error.
bool write(const CollectionManager &store, QIODevice &device);
// Fills an empty store; missing keys take the defaults of a new record and given IDs are kept.
// Refuses, with a Damaged `error` naming the record, what a database file cannot hold exactly: an ID or
// anchor outside ISO Latin 1, with NUL or longer than 49 characters, a code that is not one byte. A category
// with the ID of an earlier one is left out (its links go to the earlier one) and said in `notes`.
// Also refused: no "categories" array, a record that is not an object, a date that is not null nor
// "YYYY-MM-DD", two links with one ID. A text longer than the file holds is cut when written; each
// such cut is said in `notes`.
bool fromJson(const QJsonObject &json, CollectionManager &store, FileError *error = nullptr,
              QStringList *notes = nullptr);

} // namespace DatabaseJson
