#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "model/PublishingRules.h"
#include "publish/ExportTexts.h"
#include "publish/LinksPageExporter.h"

namespace {

int runExportHtml(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() != 2)
        return Cli::usage(QStringLiteral("export-html"), err);
    if (Cli::refuseOutputThatIsInput(arguments.at(0), arguments.at(1), err))
        return ExitUsage;
    CollectionManager store;
    if (!Cli::openDatabase(arguments.at(0), store, err))
        return ExitBadFile;
    if (PublishingRules::numberOfPublishableLinks(store) == 0) {
        err << arguments.at(0) << ": "
            << CliCommand::tr("The links page cannot be exported. There are no exportable links in this "
                              "database.")
            << Qt::endl;
        return ExitBadFile;
    }
    for (const QString &sentence : LinksPageExporter::leftOutLinkSentences(store))
        err << arguments.at(0) << ": " << sentence << Qt::endl;
    FileError error;
    QString failedPath;
    if (!LinksPageExporter::exportHTMLWithCollectionManager(store, arguments.at(1), &error, &failedPath)) {
        err << arguments.at(1) << ": "
            << CliCommand::tr("The links could not be exported. %1")
                   .arg(ExportTexts::failureText(failedPath, error))
            << Qt::endl;
        return ExitBadFile;
    }
    const int files = LinksPageExporter::numberOfHTMLFilesForCollectionManager(store);
    out << (files == 1 ? QStringLiteral("%1 file was created.") : QStringLiteral("%1 files were created."))
               .arg(files)
        << Qt::endl;
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("export-html"), QStringLiteral("FILE.site OUT/index.html"),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                      "Write the links page: one page, or an index page and one page "
                                      "per category beside it, as the database's layout says.")),
     runExportHtml});

} // namespace
