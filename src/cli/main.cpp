#include "CliCommand.h"

#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>

namespace {

void printHelp(QTextStream &stream)
{
    stream << "quillmarsh-cli: work with Quillmarsh links databases without a window." << Qt::endl
           << Qt::endl
           << "Commands:" << Qt::endl;
    QList<CliCommand> commands = CliRegistry::commands();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand &a, const CliCommand &b) { return a.name < b.name; });
    for (const CliCommand &command : commands) {
        stream << "  quillmarsh-cli " << command.name << ' ' << command.usage << Qt::endl
               << "      " << command.summary << Qt::endl;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quillmarsh"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quillmarsh"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        printHelp(err);
        return ExitUsage;
    }
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("help") || name == QLatin1String("--help") || name == QLatin1String("-h")) {
        printHelp(out);
        return ExitOk;
    }
    const CliCommand *command = CliRegistry::find(name);
    if (!command) {
        err << "quillmarsh-cli: unknown command \"" << name << "\"" << Qt::endl << Qt::endl;
        printHelp(err);
        return ExitUsage;
    }
    return command->run(arguments, out, err);
}
