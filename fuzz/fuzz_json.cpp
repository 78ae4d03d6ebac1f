// The JSON form of a database: what loads dumps, the dump loads to the same dump, the streamed dump
// is the same document as the built one, and the database file written from it saves again unchanged.

#include "FuzzSupport.h"
#include "StoreChecks.h"
#include "model/CollectionManager.h"
#include "model/DatabaseJson.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::setUp();
    const QJsonDocument document = QJsonDocument::fromJson(FuzzSupport::bytes(data, size));
    if (!document.isObject())
        return 0;

    CollectionManager loaded;
    FileError error;
    if (!DatabaseJson::fromJson(document.object(), loaded, &error)) {
        FUZZ_CHECK(!error.text().isEmpty(), QStringLiteral("refused without a reason"));
        return 0;
    }
    StoreChecks::checkStore(loaded);
    const QJsonObject dumped = DatabaseJson::toJson(loaded);

    QByteArray streamed;
    QBuffer streamBuffer(&streamed);
    streamBuffer.open(QIODevice::WriteOnly);
    FUZZ_CHECK(DatabaseJson::write(loaded, streamBuffer), QStringLiteral("the streamed dump failed"));
    QJsonParseError parseError;
    const QJsonDocument reparsed = QJsonDocument::fromJson(streamed, &parseError);
    FUZZ_CHECK(reparsed.isObject(), parseError.errorString());
    FUZZ_CHECK(reparsed.object() == dumped, QStringLiteral("the streamed dump differs from the built one"));

    CollectionManager again;
    FUZZ_CHECK(DatabaseJson::fromJson(dumped, again, &error),
               QStringLiteral("the dump was refused: ") + error.text());
    const QJsonObject dumpedAgain = DatabaseJson::toJson(again);
    FUZZ_CHECK(dumpedAgain == dumped,
               QString::fromUtf8(QJsonDocument(dumped).toJson(QJsonDocument::Compact)) +
                   QStringLiteral("\n  became\n  ") +
                   QString::fromUtf8(QJsonDocument(dumpedAgain).toJson(QJsonDocument::Compact)));

    const QByteArray saved = loaded.dataRepresentation();
    CollectionManager reloaded;
    FUZZ_CHECK(reloaded.loadDataRepresentation(saved, &error),
               QStringLiteral("the saved file was refused: ") + error.text());
    StoreChecks::checkStore(reloaded);
    FUZZ_CHECK(reloaded.dataRepresentation() == saved,
               QStringLiteral("saving what was read back changed the file"));
    return 0;
}
