#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "publish/PrintPainter.h"

namespace {

int runPrint(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() != 2 || !arguments.at(1).endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return Cli::usage(QStringLiteral("print"), err);
    if (Cli::refuseOutputThatIsInput(arguments.at(0), arguments.at(1), err))
        return ExitUsage;
    CollectionManager store;
    if (!Cli::openDatabase(arguments.at(0), store, err))
        return ExitBadFile;
    FileError error;
    int pages = 0;
    if (!PrintPainter(store).writePdf(arguments.at(1), QPageSize(QPageSize::A4), &error, &pages)) {
        err << arguments.at(1) << ": " << error.text() << Qt::endl;
        return ExitBadFile;
    }
    out << (pages == 1 ? QStringLiteral("%1 page was printed.") : QStringLiteral("%1 pages were printed."))
               .arg(pages)
        << Qt::endl;
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("print"), QStringLiteral("FILE.site OUT.pdf"),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Print the link list to a PDF file (A4 pages).")),
     runPrint, true});

} // namespace
