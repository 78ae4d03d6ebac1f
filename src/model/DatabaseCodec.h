#pragma once

#include "FileError.h"

#include <QString>
#include <QStringList>

class CollectionManager;
class QIODevice;

// Encodes a whole store into the database file format and decodes it back, record by record
// through a small reusable buffer, so that a file of tens of megabytes never has to be held
// twice in memory.
class DatabaseCodec
{
public:
    // Writes the whole database; moves the window state into the named strings first. False when
    // the device took not every byte.
    static bool write(CollectionManager &store, QIODevice &device);
    // The number of bytes write() will produce, worked out from the records without encoding them;
    // moves the window state into the named strings first, as write() does.
    static qint64 encodedSize(CollectionManager &store);
    // Reads a whole database into `store`, which is replaced only when the file was accepted;
    // otherwise `error` says why (NotADatabase, Truncated, ...). Devices of unknown size
    // (pipes) are read to their end. `notes` receives what was repaired on the way: a category
    // left out because an earlier one has its ID, links that name no category.
    static bool read(QIODevice &device, CollectionManager &store, FileError *error = nullptr,
                     QStringList *notes = nullptr);
};
