#include "EmailTemplateFile.h"

#include "model/ByteFields.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/RecordReader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QHash>

namespace EmailTemplateFile {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(EmailTemplateFile)
};

} // namespace

QByteArray dataRepresentation(const CollectionManager &store)
{
    const auto &templates = store.emailTemplates();
    QByteArray bytes(4 + qsizetype(templates.size()) * EmailTemplate::RecordSize, '\0');
    ByteFields::writeWord(bytes.data(), uint32_t(templates.size()));
    char *record = bytes.data() + 4;
    for (const auto &emailTemplate : templates) {
        emailTemplate->getDataRepresentation(record);
        record += EmailTemplate::RecordSize;
    }
    return bytes;
}

bool exportEmailTemplatesToFileAtPath(const CollectionManager &store, const QString &path, bool,
                                      FileError *error)
{
    if (store.emailTemplates().empty())
        return FileError::fail(error, FileError::Kind::NoTemplates);
    return DatabaseFile::writeAtomically(path, dataRepresentation(store), error);
}

bool importEmailTemplatesFromFileAtPath(CollectionManager &store, const QString &path,
                                        const DuplicateQuestion &askAboutDuplicates, ImportSummary *summary,
                                        FileError *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileError::fail(error, FileError::Kind::CannotOpen, file.errorString());
    if (importEmailTemplatesFromDevice(store, file, askAboutDuplicates, summary, error))
        return true;
    if (file.error() != QFileDevice::NoError)
        FileError::fail(error, FileError::Kind::CannotRead, file.errorString());
    return false;
}

bool importEmailTemplatesFromData(CollectionManager &store, const QByteArray &data,
                                  const DuplicateQuestion &askAboutDuplicates, ImportSummary *summary,
                                  FileError *error)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return importEmailTemplatesFromDevice(store, buffer, askAboutDuplicates, summary, error);
}

bool importEmailTemplatesFromDevice(CollectionManager &store, QIODevice &device,
                                    const DuplicateQuestion &askAboutDuplicates, ImportSummary *summary,
                                    FileError *error)
{
    ImportSummary done;
    if (summary)
        *summary = done;
    // Records are read one by one as they arrive, so a count promising more than the file holds
    // costs no more than the file, and a device that never ends stops at the cap.
    RecordReader in(device, DatabaseFile::MaximumFileSize);
    const char *p = in.next(4);
    if (!p)
        return FileError::fail(error, FileError::Kind::NotATemplatesFile, QStringLiteral("too short"));
    const uint32_t count = ByteFields::readWord(p);
    if (count == 0)
        return FileError::fail(error, FileError::Kind::NoTemplates);
    std::vector<std::unique_ptr<EmailTemplate>> imported;
    for (uint32_t i = 0; i < count; ++i) {
        if (!(p = in.next(EmailTemplate::RecordSize)))
            return FileError::fail(error, in.failure());
        auto emailTemplate = std::make_unique<EmailTemplate>();
        emailTemplate->loadDataRepresentation(p);
        imported.push_back(std::move(emailTemplate));
    }

    // Existing IDs; the first template with an ID is the one an ID lookup finds.
    QHash<QString, size_t> positions;
    for (size_t i = 0; i < store.emailTemplates().size(); ++i) {
        if (!positions.contains(store.emailTemplates()[i]->ID()))
            positions.insert(store.emailTemplates()[i]->ID(), i);
    }
    positions.reserve(positions.size() + qsizetype(imported.size()));
    bool replace = false;
    for (const auto &emailTemplate : imported) {
        if (!positions.contains(emailTemplate->ID()))
            continue;
        done.asked = true;
        const DuplicateAnswer answer = askAboutDuplicates ? askAboutDuplicates() : DuplicateAnswer::Keep;
        if (answer == DuplicateAnswer::Cancel) {
            done.cancelled = true;
            done.skipped = int(imported.size());
            if (summary)
                *summary = done;
            return true;
        }
        replace = answer == DuplicateAnswer::Replace;
        break;
    }

    // Removed templates leave a hole until the list goes back in one piece; a template of the file
    // whose ID came earlier in the file meets that earlier one here.
    std::vector<std::unique_ptr<EmailTemplate>> merged = store.emailTemplateList().replaceEmailTemplates({});
    for (auto &emailTemplate : imported) {
        const auto found = positions.constFind(emailTemplate->ID());
        if (found != positions.constEnd()) {
            if (!replace) {
                ++done.skipped;
                continue;
            }
            merged[*found].reset();
            ++done.replaced;
        } else {
            ++done.added;
        }
        positions.insert(emailTemplate->ID(), merged.size());
        merged.push_back(std::move(emailTemplate));
    }
    merged.erase(std::remove(merged.begin(), merged.end(), nullptr), merged.end());
    store.emailTemplateList().replaceEmailTemplates(std::move(merged));
    if (summary)
        *summary = done;
    return true;
}

QString duplicateQuestionTitle()
{
    return Tr::tr("Some e-mail templates with the same ID already exist.");
}

QString duplicateQuestionMessage()
{
    return Tr::tr(
        "You can choose to keep your existing templates or to replace them with the ones in the imported "
        "file.");
}

QString importFailedTitle()
{
    return Tr::tr("The file could not be imported.");
}

QString importFailedMessage()
{
    return Tr::tr("An error occured while opening the file.");
}

QString exportFailedTitle()
{
    return Tr::tr("The e-mail templates could not be exported.");
}

QString exportFailedMessage()
{
    return Tr::tr("An error occured while saving the file.");
}

} // namespace EmailTemplateFile
