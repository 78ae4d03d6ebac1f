#include "app/ApplicationController.h"
#include "document/DocumentController.h"
#include "document/FreedMemory.h"
#include "model/UiLanguage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QThreadPool>
#include <QTimer>

namespace {

void describeApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quillmarsh"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quillmarsh"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QM_VERSION));
}

// Reads the command line; --help and --version print and end the program here.
QStringList filesToOpen(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Keeps the reciprocal link exchanges of your web sites."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QCoreApplication::translate("main", "files"),
                                 QCoreApplication::translate("main", "Links databases (.site) to open."),
                                 QCoreApplication::translate("main", "[files...]"));
    parser.process(app);
    return parser.positionalArguments();
}

// --help and --version need no display: they are answered before the window system is opened.
bool asksOnlyForInformation(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            break;
        if (argument == "-h" || argument == "--help" || argument == "--help-all" || argument == "-v" ||
            argument == "--version" || argument == "-?")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    keepFreedMemoryReturnable();
    if (asksOnlyForInformation(argc, argv)) {
        QCoreApplication app(argc, argv);
        describeApplication();
        UiLanguage::install();
        filesToOpen(app);
        return 0;
    }

    QApplication app(argc, argv);
    describeApplication();
    QApplication::setDesktopFileName(QStringLiteral("org.quillmarsh.Quillmarsh"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/quillmarsh.svg")));
    UiLanguage::install();
    // The application controller decides when the program ends: when the user quits, or closes the
    // welcome window with no document open; a closing window never ends it by itself.
    QApplication::setQuitOnLastWindowClosed(false);

    const QStringList files = filesToOpen(app);
    // The documents first: the application controller watches them come and go.
    DocumentController documents;
    ApplicationController controller;
    QTimer::singleShot(0, &controller, [&controller, files] { controller.finishLaunching(files); });
    const int status = app.exec();
    // The list's ranking and the allocator's trims run on the pool: none may outlive main().
    QThreadPool::globalInstance()->waitForDone();
    return status;
}
