#include "CliCommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <algorithm>
#include <memory>

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
    // Commands that draw need fonts, hence a QGuiApplication; it never opens a window.
    const CliCommand *drawing = argc > 1 ? CliRegistry::find(QString::fromLocal8Bit(argv[1])) : nullptr;
    std::unique_ptr<QCoreApplication> app;
    if (drawing && drawing->needsGuiApplication) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
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
