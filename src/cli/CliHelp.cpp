#include "CliHelp.h"

#include "CliCommand.h"

#include <algorithm>

QList<CliCommand> CliHelp::sortedCommands()
{
    QList<CliCommand> commands = CliRegistry::commands();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand &a, const CliCommand &b) { return a.name < b.name; });
    return commands;
}

QList<QPair<int, QString>> CliHelp::exitStatuses()
{
    return {
        {ExitOk, CliCommand::tr("The command did its work.")},
        {ExitUsage, CliCommand::tr("The arguments are wrong; the usage is printed on standard error.")},
        {ExitBadFile, CliCommand::tr("A file cannot be read or written, or the mail account cannot be used; "
                                     "one line on standard error says why.")},
        {ExitLinkLost, CliCommand::tr("With verify --fail-on-loss: the run lost a link that its previous "
                                      "check had found.")},
        {ExitSomeFailed, CliCommand::tr("With send: some message was refused or could not be sent; the "
                                        "others went, and the log says why.")}};
}

bool CliHelp::asksForHelp(const QStringList &arguments)
{
    return arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"));
}

void CliHelp::printOverview(QTextStream &stream)
{
    stream << CliCommand::tr("quillmarsh-cli: work with Quillmarsh links databases without a window.")
           << Qt::endl
           << Qt::endl
           << CliCommand::tr("Commands:") << Qt::endl;
    for (const CliCommand &command : sortedCommands()) {
        stream << "  quillmarsh-cli " << command.name << ' ' << command.usage << Qt::endl
               << "      " << CliCommand::translated(command.summary) << Qt::endl;
    }
    stream << Qt::endl
           << CliCommand::tr("\"quillmarsh-cli COMMAND --help\" describes one command; \"quillmarsh-cli "
                             "--version\" prints the version.")
           << Qt::endl;
}

void CliHelp::printCommand(const CliCommand &command, QTextStream &stream)
{
    stream << CliCommand::tr("usage: %1")
                  .arg(QStringLiteral("quillmarsh-cli ") + command.name + u' ' + command.usage)
           << Qt::endl
           << Qt::endl
           << CliCommand::translated(command.summary) << Qt::endl
           << Qt::endl
           << CliCommand::tr("Options:") << Qt::endl;
    QList<CliOption> options = command.options;
    options.append({QStringLiteral("--help"),
                    QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Show this help and exit."))});
    qsizetype width = 0;
    for (const CliOption &option : options)
        width = std::max(width, option.name.size());
    for (const CliOption &option : options)
        stream << "  " << option.name.leftJustified(width + 2) << CliCommand::translated(option.text)
               << Qt::endl;
    stream << Qt::endl << CliCommand::tr("Exit status:") << Qt::endl;
    for (const auto &[status, meaning] : exitStatuses())
        stream << "  " << status << "  " << meaning << Qt::endl;
}

void CliHelp::printVersion(QTextStream &stream)
{
    stream << "quillmarsh-cli " << QStringLiteral(QM_VERSION) << Qt::endl;
}
