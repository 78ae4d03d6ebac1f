#include "CliCommand.h"

#include "model/DatabaseFile.h"

namespace {
QList<CliCommand> &registry()
{
    static QList<CliCommand> commands;
    return commands;
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
    QString error;
    QStringList notes;
    const bool read = DatabaseFile::read(path, store, &error, &notes);
    for (const QString &note : notes)
        err << path << ": " << note << Qt::endl;
    if (read)
        return true;
    err << path << ": " << error << Qt::endl;
    return false;
}

bool saveDatabase(CollectionManager &store, const QString &path, QTextStream &err)
{
    QString error;
    if (DatabaseFile::write(store, path, &error))
        return true;
    err << path << ": " << CliCommand::tr("cannot write (%1)").arg(error) << Qt::endl;
    return false;
}

} // namespace Cli
