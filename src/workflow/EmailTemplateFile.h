#pragma once

#include "DuplicateAnswer.h"
#include "ImportSummary.h"
#include "model/FileError.h"

#include <QByteArray>
#include <QString>

class CollectionManager;
class QIODevice;

// The e-mail templates file (".emlt"): a big-endian count N and N template records as the
// database file stores them, in the store's order.
namespace EmailTemplateFile {

// The file's bytes for all templates of the store.
QByteArray dataRepresentation(const CollectionManager &store);

// Writes all templates, replacing any file at the path atomically. A database without templates
// is refused: such a file could never be imported. There is no per-file hidden-extension
// attribute here, so the flag is accepted and ignored.
bool exportEmailTemplatesToFileAtPath(const CollectionManager &store, const QString &path,
                                      bool hideExtension = false, FileError *error = nullptr);

// Reads the file and merges its templates by ID. True when the file was usable, also when the
// question was answered with Cancel (then nothing changed); false for an unreadable, short or
// empty file, with the store unchanged.
bool importEmailTemplatesFromFileAtPath(CollectionManager &store, const QString &path,
                                        const DuplicateQuestion &askAboutDuplicates,
                                        ImportSummary *summary = nullptr, FileError *error = nullptr);
// The same from the file's bytes.
bool importEmailTemplatesFromData(CollectionManager &store, const QByteArray &data,
                                  const DuplicateQuestion &askAboutDuplicates,
                                  ImportSummary *summary = nullptr, FileError *error = nullptr);
// The same from a device open for reading, which may be a pipe: it is read only as far as the count
// asks, and never past DatabaseFile::MaximumFileSize.
bool importEmailTemplatesFromDevice(CollectionManager &store, QIODevice &device,
                                    const DuplicateQuestion &askAboutDuplicates,
                                    ImportSummary *summary = nullptr, FileError *error = nullptr);

// The texts of the duplicate question and of the failure alerts.
QString duplicateQuestionTitle();
QString duplicateQuestionMessage();
QString importFailedTitle();
QString importFailedMessage();
QString exportFailedTitle();
QString exportFailedMessage();

} // namespace EmailTemplateFile
