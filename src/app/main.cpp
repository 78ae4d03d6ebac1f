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
    // The application controller decides when the program ends: when the user quits, or closes the
    // welcome window with no document open; a closing window never ends it by itself.
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

    // The documents first: the application controller watches them come and go.
    DocumentController documents;
    ApplicationController controller;
    const QStringList files = parser.positionalArguments();
    QTimer::singleShot(0, &controller, [&controller, files] { controller.finishLaunching(files); });
    return app.exec();
}
