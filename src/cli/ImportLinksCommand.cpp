#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "workflow/LinkImporter.h"

namespace {

int runImportLinks(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList files;
    std::optional<DuplicateAnswer> answer;
    for (const QString &argument : arguments) {
        std::optional<DuplicateAnswer> given;
        if (argument == QLatin1String("--keep"))
            given = DuplicateAnswer::Keep;
        else if (argument == QLatin1String("--replace"))
            given = DuplicateAnswer::Replace;
        else if (argument.startsWith(QLatin1String("--")))
            return Cli::usage(QStringLiteral("import-links"), err);
        if (given && answer && *given != *answer)
            return Cli::usage(QStringLiteral("import-links"), err);
        if (given)
            answer = given;
        else
            files.append(argument);
    }
    if (files.size() != 2 || !answer)
        return Cli::usage(QStringLiteral("import-links"), err);

    CollectionManager store;
    if (!Cli::openDatabase(files.at(0), store, err))
        return ExitBadFile;
    ImportSummary summary;
    FileError error;
    if (!LinkImporter::importLinksFromFileAtPath(
            store, files.at(1), [&] { return *answer; }, &summary, &error)) {
        err << files.at(1) << ": " << error.text() << Qt::endl;
        return ExitBadFile;
    }
    for (const QString &refusal : summary.refusedLinks)
        err << files.at(1) << ": " << refusal << Qt::endl;
    if (summary.changed() && !Cli::saveDatabase(store, files.at(0), err))
        return ExitBadFile;
    out << "links added: " << summary.added << ", replaced: " << summary.replaced
        << ", skipped: " << summary.skipped << "; categories added: " << summary.categoriesAdded << Qt::endl;
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("import-links"),
     QStringLiteral("FILE.site OTHER.site --keep|--replace"),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                      "Merge the categories and links of another database. FILE.site is "
                                      "written only when something changed.")),
     runImportLinks,
     false,
     {{QStringLiteral("--keep"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Keep the links whose IDs exist already."))},
      {QStringLiteral("--replace"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Replace the links whose IDs exist already."))}}});

} // namespace
