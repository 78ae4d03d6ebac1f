#include "CliCommand.h"
#include "CliHelp.h"

#include "model/UiLanguage.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>

namespace {

QtMessageHandler qtMessageHandler = nullptr;

// Standard error carries the tool's own lines, which scripts read and cron mails to the user. Qt's
// notes about its surroundings (an unset XDG_RUNTIME_DIR when a command that draws starts, for
// one) are not the user's business: only critical and fatal messages pass. QT_FATAL_WARNINGS still
// stops the tool at a warning, which is how the tests catch one.
void passOnlyCriticalMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtMessageHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    qtMessageHandler = qInstallMessageHandler(passOnlyCriticalMessages);
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
    QCoreApplication::setApplicationVersion(QStringLiteral(QM_VERSION));
    UiLanguage::install();
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        CliHelp::printOverview(err);
        return ExitUsage;
    }
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("--version")) {
        CliHelp::printVersion(out);
        return ExitOk;
    }
    if (name == QLatin1String("help") || name == QLatin1String("--help") || name == QLatin1String("-h")) {
        // "help COMMAND" describes that command; anything else lists them all.
        if (const CliCommand *command = CliRegistry::find(arguments.value(0)))
            CliHelp::printCommand(*command, out);
        else
            CliHelp::printOverview(out);
        return ExitOk;
    }
    const CliCommand *command = CliRegistry::find(name);
    if (!command) {
        err << "quillmarsh-cli: " << CliCommand::tr("unknown command \"%1\"").arg(name) << Qt::endl
            << Qt::endl;
        CliHelp::printOverview(err);
        return ExitUsage;
    }
    if (CliHelp::asksForHelp(arguments)) {
        CliHelp::printCommand(*command, out);
        return ExitOk;
    }
    return command->run(arguments, out, err);
}
