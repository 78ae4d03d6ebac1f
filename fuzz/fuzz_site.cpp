// The database reader: one input read from memory, from a file and from a pipe-like device must give
// the same answer, and what is accepted must save, read back and save again to the same bytes.

#include "FuzzSupport.h"
#include "PieceDevice.h"
#include "StoreChecks.h"
#include "model/CollectionManager.h"
#include "model/DatabaseCodec.h"
#include "model/DatabaseFile.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryFile>

namespace {

struct Reading
{
    bool accepted = false;
    QString error;
    QStringList notes;
};

Reading readFrom(QIODevice &device, CollectionManager &store)
{
    Reading reading;
    FileError error;
    reading.accepted = DatabaseCodec::read(device, store, &error, &reading.notes);
    reading.error = error.text();
    return reading;
}

QString describe(const Reading &reading)
{
    return reading.accepted ? QStringLiteral("accepted (%1)").arg(reading.notes.join(QStringLiteral("; ")))
                            : QStringLiteral("refused: %1").arg(reading.error);
}

void checkSame(const Reading &a, const Reading &b, const char *how)
{
    FUZZ_CHECK(a.accepted == b.accepted && a.error == b.error && a.notes == b.notes,
               QStringLiteral("from memory %1, %2 %3").arg(describe(a), QLatin1String(how), describe(b)));
}

// In memory where the system offers a memory file system: emptying a file on disk makes the file
// system write it out, which would cost more than the rest of a run.
QTemporaryFile &scratchFile()
{
    static QTemporaryFile file(QDir(QStringLiteral("/dev/shm")).exists()
                                   ? QStringLiteral("/dev/shm/fuzz_site.XXXXXX")
                                   : QDir(QDir::tempPath()).filePath(QStringLiteral("fuzz_site.XXXXXX")));
    if (!file.isOpen())
        file.open();
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::setUp();
    const QByteArray input = FuzzSupport::bytes(data, size);

    CollectionManager fromMemory;
    QBuffer buffer;
    buffer.setData(input);
    buffer.open(QIODevice::ReadOnly);
    const Reading memory = readFrom(buffer, fromMemory);

    // A pipe hands the bytes out in pieces; the piece size comes from the input so that it varies.
    CollectionManager fromPipe;
    PieceDevice pipe(input, 1 + qint64(size % 4093));
    checkSame(memory, readFrom(pipe, fromPipe), "from a pipe");

    CollectionManager fromFile;
    QTemporaryFile &file = scratchFile();
    file.resize(0);
    file.seek(0);
    file.write(input);
    file.flush();
    Reading onDisk;
    FileError diskError;
    onDisk.accepted = DatabaseFile::read(file.fileName(), fromFile, &diskError, &onDisk.notes);
    onDisk.error = diskError.text();
    checkSame(memory, onDisk, "from a file");

    if (!memory.accepted) {
        // A refused file leaves the store it was read into as it was: here a new database.
        FUZZ_CHECK(fromMemory.numberOfCategories() == 1 && fromMemory.namedStrings().isEmpty(),
                   QStringLiteral("a refused file changed the store"));
        return 0;
    }
    StoreChecks::checkStore(fromMemory);
    const QByteArray saved = fromMemory.dataRepresentation();
    FUZZ_CHECK(fromPipe.dataRepresentation() == saved, QStringLiteral("the pipe read other records"));
    FUZZ_CHECK(fromFile.dataRepresentation() == saved, QStringLiteral("the file read other records"));

    CollectionManager reloaded;
    FileError error;
    QStringList notes;
    QBuffer savedBuffer;
    savedBuffer.setData(saved);
    savedBuffer.open(QIODevice::ReadOnly);
    FUZZ_CHECK(DatabaseCodec::read(savedBuffer, reloaded, &error, &notes), error.text());
    FUZZ_CHECK(notes.isEmpty(),
               QStringLiteral("a saved file needed repairs: ") + notes.join(QStringLiteral("; ")));
    StoreChecks::checkStore(reloaded);
    FUZZ_CHECK(reloaded.dataRepresentation() == saved,
               QStringLiteral("saving what was read back changed the file"));
    return 0;
}
