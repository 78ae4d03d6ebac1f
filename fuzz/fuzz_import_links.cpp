// Link import: under each answer to the duplicate question the import either refuses the file and
// leaves the database as it was, or merges it into a database that keeps its invariants and saves
// again unchanged. A pipe gives the same answer as memory. Importing into the database the file
// itself holds meets every ID again.

#include "FuzzSupport.h"
#include "PieceDevice.h"
#include "SampleStores.h"
#include "StoreChecks.h"
#include "model/CollectionManager.h"
#include "workflow/LinkImporter.h"

namespace {

const QByteArray &sampleFile()
{
    static const QByteArray bytes = [] {
        CollectionManager store;
        SampleStores::fill(store, false); // the import passes over templates: they would only cost time
        return store.dataRepresentation();
    }();
    return bytes;
}

struct Outcome
{
    bool accepted = false;
    FileError failure;
    QString error;
};

// Imports the input into a database read from `target` and checks what became of it.
Outcome importInto(const QByteArray &target, const QByteArray &input, DuplicateAnswer answer)
{
    CollectionManager store;
    FUZZ_CHECK(store.loadDataRepresentation(target), QStringLiteral("the target did not load"));
    const int linksBefore = store.numberOfLinks();
    const int categoriesBefore = store.numberOfCategories();
    bool asked = false;
    ImportSummary summary;
    Outcome outcome;
    outcome.accepted = LinkImporter::importLinksFromData(
        store, input,
        [&] {
            FUZZ_CHECK(!asked, QStringLiteral("the question came twice"));
            asked = true;
            return answer;
        },
        &summary, &outcome.failure);
    outcome.error = outcome.failure.text();
    FUZZ_CHECK(asked == summary.asked, QStringLiteral("the summary misreports the question"));
    if (!outcome.accepted || summary.cancelled) {
        FUZZ_CHECK(outcome.accepted || !outcome.error.isEmpty(), QStringLiteral("refused without a reason"));
        FUZZ_CHECK(store.dataRepresentation() == target,
                   QStringLiteral("the database changed although the import ") +
                       (outcome.accepted ? QStringLiteral("was cancelled") : outcome.error));
        return outcome;
    }
    StoreChecks::checkStore(store);
    FUZZ_CHECK(store.numberOfLinks() == linksBefore + summary.added,
               QStringLiteral("%1 links + %2 added gave %3")
                   .arg(linksBefore)
                   .arg(summary.added)
                   .arg(store.numberOfLinks()));
    FUZZ_CHECK(store.numberOfCategories() == categoriesBefore + summary.categoriesAdded,
               QStringLiteral("categories miscounted"));
    const QByteArray saved = store.dataRepresentation();
    CollectionManager reloaded;
    FUZZ_CHECK(reloaded.loadDataRepresentation(saved), QStringLiteral("the merged database did not load"));
    FUZZ_CHECK(reloaded.dataRepresentation() == saved,
               QStringLiteral("saving the merged database again changed it"));
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::setUp();
    const QByteArray input = FuzzSupport::bytes(data, size);

    const Outcome kept = importInto(sampleFile(), input, DuplicateAnswer::Keep);
    for (const DuplicateAnswer answer : {DuplicateAnswer::Replace, DuplicateAnswer::Cancel}) {
        const Outcome other = importInto(sampleFile(), input, answer);
        FUZZ_CHECK(other.accepted == kept.accepted && other.error == kept.error,
                   QStringLiteral("the answer changed whether the file is usable"));
    }

    // The same bytes from a pipe.
    CollectionManager store;
    FileError failure;
    PieceDevice pipe(input, 1 + qint64(size % 997));
    const bool accepted = LinkImporter::importLinksFromDevice(store, pipe, nullptr, nullptr, &failure);
    const QString error = failure.text();
    FUZZ_CHECK(accepted == kept.accepted && error == kept.error,
               QStringLiteral("from memory \"%1\", from a pipe \"%2\"").arg(kept.error, error));

    // The importer reads the header, the counts and the records that the database reader reads, so a
    // file the reader accepts with a category the importer accepts too (both want exactly "0102").
    CollectionManager itself;
    const bool opens = itself.loadDataRepresentation(input);
    if (opens && input.startsWith("0102") && itself.numberOfCategories() > 0)
        FUZZ_CHECK(kept.accepted, QStringLiteral("the database opens but its import failed: ") + kept.error);

    // The file into itself: every link ID it holds exists already.
    if (kept.accepted && opens) {
        const QByteArray target = itself.dataRepresentation();
        importInto(target, input, DuplicateAnswer::Keep);
        importInto(target, input, DuplicateAnswer::Replace);
    }
    return 0;
}
