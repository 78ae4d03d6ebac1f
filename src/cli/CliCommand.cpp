#include "CliCommand.h"

#include "history/HistoryStore.h"
#include "model/DatabaseFile.h"
#include "model/DatabaseLock.h"
#include "model/FileIdentity.h"
#include "model/OutputFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {
QList<CliCommand> &registry()
{
    static QList<CliCommand> commands;
    return commands;
}
// The files as this command read them, to notice another writer before writing them back.
QHash<QString, FileIdentity> &openedFiles()
{
    static QHash<QString, FileIdentity> files;
    return files;
}
} // namespace

void CliRegistry::add(const CliCommand &command)
{
    registry().append(command);
}

const QList<CliCommand> &CliRegistry::commands()
{
    return registry();
}

const CliCommand *CliRegistry::find(const QString &name)
{
    for (const CliCommand &command : registry()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

namespace Cli {

int usage(const QString &command, QTextStream &err)
{
    if (const CliCommand *found = CliRegistry::find(command))
        err << CliCommand::tr("usage: %1")
                   .arg(QStringLiteral("quillmarsh-cli ") + found->name + u' ' + found->usage)
            << Qt::endl;
    return ExitUsage;
}

bool openDatabase(const QString &path, CollectionManager &store, QTextStream &err)
{
    FileError error;
    QStringList notes;
    openedFiles().insert(path, FileIdentity::of(path));
    const bool read = DatabaseFile::read(path, store, &error, &notes);
    for (const QString &note : notes)
        err << path << ": " << note << Qt::endl;
    if (read)
        return true;
    err << path << ": " << error.text() << Qt::endl;
    return false;
}

std::unique_ptr<DatabaseLock> lockForWriting(const QString &path, QTextStream &err)
{
    // A window that has the database open would save its own older copy over what is written
    // here: wait a moment for it to close, then give up.
    auto lock = std::make_unique<DatabaseLock>(path);
    if (!lock->tryLock(LockWaitMs) && lock->failure() != DatabaseLock::Failure::CannotCreate) {
        err << path << ": " << CliCommand::tr("cannot write: %1").arg(lock->errorString()) << Qt::endl;
        return nullptr;
    }
    // The file is replaced through a new file beside it: both must be writable. A device or pipe
    // is written in place.
    const QFileInfo file(path);
    QString why;
    if (file.exists() && !file.isWritable())
        why = CliCommand::tr("the file is read-only");
    else if (!OutputFile::isStream(path) && !QFileInfo(file.absolutePath()).isWritable())
        why = CliCommand::tr("the folder %1 is read-only").arg(QDir::toNativeSeparators(file.absolutePath()));
    if (!why.isEmpty()) {
        err << path << ": " << CliCommand::tr("cannot write (%1)").arg(why) << Qt::endl;
        return nullptr;
    }
    return lock;
}

bool saveDatabase(CollectionManager &store, const QString &path, QTextStream &err, DatabaseLock *lock)
{
    std::unique_ptr<DatabaseLock> ownLock;
    if (!lock) {
        ownLock = lockForWriting(path, err);
        if (!ownLock)
            return false;
    }
    // A long run (verify --save) must not write back over what another command or program wrote
    // to the file meanwhile.
    const auto opened = openedFiles().constFind(path);
    if (opened != openedFiles().cend() && *opened != FileIdentity::of(path)) {
        err << path << ": cannot write: the file was changed by another program while this command ran; "
            << "nothing was written" << Qt::endl;
        return false;
    }
    FileError error;
    if (DatabaseFile::write(store, path, &error)) {
        if (opened != openedFiles().cend())
            openedFiles().insert(path, FileIdentity::of(path));
        return true;
    }
    err << path << ": " << CliCommand::tr("cannot write (%1)").arg(error.text()) << Qt::endl;
    return false;
}

bool refuseOutputThatIsInput(const QString &input, const QString &output, QTextStream &err)
{
    if (!FileIdentity::of(input).isSameFileAs(FileIdentity::of(output)))
        return false;
    err << output << ": the output is the input file; name another file" << Qt::endl;
    return true;
}

RecordedChecks readRecordedChecks(const QString &path, const QString &command, QTextStream &err)
{
    RecordedChecks recorded;
    HistoryStore history(path);
    if (!history.exists())
        return recorded;
    const std::optional<QHash<QString, CheckRecord>> latest = history.latestChecks();
    if (!latest) {
        err << "quillmarsh-cli " << command << ": " << history.errorString() << Qt::endl;
        return recorded;
    }
    recorded.reserve(latest->size());
    for (const CheckRecord &check : *latest)
        recorded.insert(check.linkID, LatestCheck::fromRecorded(check.result, check.followed));
    return recorded;
}

} // namespace Cli
