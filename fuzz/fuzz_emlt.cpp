// The e-mail templates file: under each answer to the duplicate question the import either refuses
// the file and leaves the templates as they were, or merges it into a sorted list whose export
// imports into an empty database and exports again to the same bytes. A pipe gives the same answer.

#include "FuzzSupport.h"
#include "PieceDevice.h"
#include "SampleStores.h"
#include "StoreChecks.h"
#include "model/CollectionManager.h"
#include "workflow/EmailTemplateFile.h"

#include <QSet>

namespace {

struct Outcome
{
    bool accepted = false;
    FileError failure;
    QString error;
};

Outcome importInto(const QByteArray &input, DuplicateAnswer answer)
{
    CollectionManager store;
    SampleStores::fill(store);
    const QByteArray before = EmailTemplateFile::dataRepresentation(store);
    const size_t countBefore = store.emailTemplates().size();
    ImportSummary summary;
    Outcome outcome;
    outcome.accepted = EmailTemplateFile::importEmailTemplatesFromData(
        store, input, [answer] { return answer; }, &summary, &outcome.failure);
    outcome.error = outcome.failure.text();
    if (!outcome.accepted || summary.cancelled) {
        FUZZ_CHECK(outcome.accepted || !outcome.error.isEmpty(), QStringLiteral("refused without a reason"));
        FUZZ_CHECK(EmailTemplateFile::dataRepresentation(store) == before,
                   QStringLiteral("the templates changed although the import ") +
                       (outcome.accepted ? QStringLiteral("was cancelled") : outcome.error));
        return outcome;
    }
    StoreChecks::checkStore(store);
    FUZZ_CHECK(store.emailTemplates().size() == countBefore + size_t(summary.added),
               QStringLiteral("%1 templates + %2 added gave %3")
                   .arg(countBefore)
                   .arg(summary.added)
                   .arg(store.emailTemplates().size()));
    QSet<QString> ids;
    for (const auto &emailTemplate : store.emailTemplates()) {
        FUZZ_CHECK(!ids.contains(emailTemplate->ID()),
                   QStringLiteral("template ID %1 twice").arg(emailTemplate->ID()));
        ids.insert(emailTemplate->ID());
    }

    const QByteArray exported = EmailTemplateFile::dataRepresentation(store);
    CollectionManager empty;
    FileError error;
    FUZZ_CHECK(EmailTemplateFile::importEmailTemplatesFromData(empty, exported, nullptr, nullptr, &error),
               QStringLiteral("the export was refused: ") + error.text());
    FUZZ_CHECK(EmailTemplateFile::dataRepresentation(empty) == exported,
               QStringLiteral("exporting the imported export changed it"));
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::setUp();
    const QByteArray input = FuzzSupport::bytes(data, size);
    const Outcome kept = importInto(input, DuplicateAnswer::Keep);
    for (const DuplicateAnswer answer : {DuplicateAnswer::Replace, DuplicateAnswer::Cancel}) {
        const Outcome other = importInto(input, answer);
        FUZZ_CHECK(other.accepted == kept.accepted && other.error == kept.error,
                   QStringLiteral("the answer changed whether the file is usable"));
    }

    CollectionManager store;
    FileError failure;
    PieceDevice pipe(input, 1 + qint64(size % 997));
    const bool accepted =
        EmailTemplateFile::importEmailTemplatesFromDevice(store, pipe, nullptr, nullptr, &failure);
    const QString error = failure.text();
    FUZZ_CHECK(accepted == kept.accepted && error == kept.error,
               QStringLiteral("from memory \"%1\", from a pipe \"%2\"").arg(kept.error, error));
    return 0;
}
