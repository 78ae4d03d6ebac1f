#include "app/ApplicationController.h"
#include "document/DocumentController.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmarsh"));
    QApplication::setOrganizationName(QStringLiteral("Quillmarsh"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("quillmarsh"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/quillmarsh.svg")));
    // The application controller decides when the last window closing ends the program: not
    // between the splash and the welcome window, nor between one dialog and the next.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Keeps the reciprocal link exchanges of your web sites."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QCoreApplication::translate("main", "Links databases (.site) to open."),
                                 QStringLiteral("[files...]"));
    parser.process(app);

    ApplicationController controller;
    DocumentController documents;
    const QStringList files = parser.positionalArguments();
    QTimer::singleShot(0, &controller, [&controller, files] { controller.finishLaunching(files); });
    return app.exec();
}
