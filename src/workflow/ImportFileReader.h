#pragma once

#include <QByteArray>
#include <QString>

// Reads a whole file that is about to be imported, refusing anything larger than a database can be.
namespace ImportFileReader {

bool readWholeFile(const QString &path, QByteArray *data, QString *error);

} // namespace ImportFileReader
