#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "workflow/TableImporter.h"
#include "workflow/TableReader.h"

#include <optional>

namespace {

std::optional<TextEncoding> encodingNamed(const QString &name)
{
    if (name == QLatin1String("utf8"))
        return TextEncoding::UTF8;
    if (name == QLatin1String("utf16"))
        return TextEncoding::UTF16;
    if (name == QLatin1String("latin1"))
        return TextEncoding::ISOLatin1;
    if (name == QLatin1String("macroman"))
        return TextEncoding::MacOSRoman;
    return std::nullopt;
}

// The summary goes to standard error with the reported rows, so standard output stays empty.
int runImportTable(const QStringList &arguments, QTextStream &, QTextStream &err)
{
    QStringList files;
    bool update = false;
    TableReader::Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--update")) {
            update = true;
        } else if (argument == QLatin1String("--encoding")) {
            if (i + 1 >= arguments.size() || !(options.encoding = encodingNamed(arguments.at(i + 1))))
                return Cli::usage(QStringLiteral("import-table"), err);
            ++i;
        } else if (argument.startsWith(QLatin1String("--"))) {
            return Cli::usage(QStringLiteral("import-table"), err);
        } else {
            files.append(argument);
        }
    }
    if (files.size() != 2)
        return Cli::usage(QStringLiteral("import-table"), err);
    const QString &tablePath = files.at(1);

    CollectionManager store;
    if (!Cli::openDatabase(files.at(0), store, err))
        return ExitBadFile;
    FileError error;
    std::optional<Table> table = TableReader::readFile(tablePath, options, &error);
    if (!table) {
        err << tablePath << ": " << error.text() << Qt::endl;
        return ExitBadFile;
    }
    TableImporter importer(store, *table, TableColumns::mappingOfHeaders(table->headers), update);
    // The plan holds what it takes from the table: the table's memory is given back before the links are
    // made.
    table.reset();
    if (!importer.hasURLColumn()) {
        err << tablePath << ": no column holds the web address (a header such as \"URL\" or \"Website\")"
            << Qt::endl;
        return ExitBadFile;
    }
    importer.apply(store);
    for (const TableReport &report : importer.reports())
        err << tablePath << ": " << TableImporter::reportText(report) << Qt::endl;
    // What was added is said once it is in the file.
    if (importer.counts().changed() && !Cli::saveDatabase(store, files.at(0), err))
        return ExitBadFile;
    err << TableImporter::summaryText(importer.counts()) << Qt::endl;
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("import-table"),
     QStringLiteral("FILE.site TABLE [--update] [--encoding utf8|utf16|latin1|macroman]"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand", "Add the partners of a CSV or tab-delimited table (a header line names the "
                       "columns). Rows whose address is known are skipped, or with --update "
                       "refresh that link. FILE.site is written only when something changed.")),
     runImportTable,
     false,
     {{QStringLiteral("--update"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Refresh the links whose address is already known."))},
      {QStringLiteral("--encoding utf8|utf16|latin1|macroman"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "Read the table in this encoding instead of recognising it."))}}});

} // namespace
