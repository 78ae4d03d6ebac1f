#pragma once

#include "DuplicateAnswer.h"
#include "ImportSummary.h"
#include "model/FileError.h"

#include <QByteArray>
#include <QString>

class CollectionManager;
class QIODevice;

// Merges the categories and links of another links database file into the store. Only those two
// sections are read; the site profile, templates and named strings of the file are ignored.
// Categories are matched by ID only; links by ID under the rule the duplicate question chose.
namespace LinkImporter {

// True when the file was usable, also when the question was answered with Cancel (then nothing
// changed); false for an unreadable file, another version, a file shorter than its counts or one
// without a category, with the store unchanged. The caller recomputes notifications.
bool importLinksFromFileAtPath(CollectionManager &store, const QString &path,
                               const DuplicateQuestion &askAboutDuplicates, ImportSummary *summary = nullptr,
                               FileError *error = nullptr);
// The same from the file's bytes.
bool importLinksFromData(CollectionManager &store, const QByteArray &data,
                         const DuplicateQuestion &askAboutDuplicates, ImportSummary *summary = nullptr,
                         FileError *error = nullptr);
// The same from a device open for reading, which may be a pipe: it is read only as far as the
// links section, and never past DatabaseFile::MaximumFileSize.
bool importLinksFromDevice(CollectionManager &store, QIODevice &device,
                           const DuplicateQuestion &askAboutDuplicates, ImportSummary *summary = nullptr,
                           FileError *error = nullptr);

// The texts of the duplicate question and of the failure alert.
QString duplicateQuestionTitle();
QString duplicateQuestionMessage();
QString importFailedTitle();
QString importFailedMessage();
// What an import did, in a few sentences: links added and replaced, then links left out and
// categories added when there were any.
QString summaryText(const ImportSummary &summary);

} // namespace LinkImporter
