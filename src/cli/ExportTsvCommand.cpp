#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "model/Preferences.h"
#include "publish/CsvSpreadsheetBuilder.h"
#include "publish/ExportTexts.h"
#include "publish/SpreadsheetBuilder.h"

#include <algorithm>
#include <optional>

namespace {

std::optional<TextEncoding> encodingNamed(const QString &name)
{
    if (name == QLatin1String("utf16"))
        return TextEncoding::UTF16;
    if (name == QLatin1String("macroman"))
        return TextEncoding::MacOSRoman;
    if (name == QLatin1String("latin1"))
        return TextEncoding::ISOLatin1;
    if (name == QLatin1String("utf8"))
        return TextEncoding::UTF8;
    return std::nullopt;
}

void printExported(const CollectionManager &store, QTextStream &out)
{
    const int links = store.numberOfLinks();
    out << (links == 1 ? QStringLiteral("%1 link was exported.") : QStringLiteral("%1 links were exported."))
               .arg(links)
        << Qt::endl;
}

// Comma-separated in UTF-8 with a byte-order mark; `command` names the usage to print.
int exportCsv(const QString &command, const QStringList &files, QTextStream &out, QTextStream &err)
{
    if (files.size() != 2)
        return Cli::usage(command, err);
    CollectionManager store;
    if (!Cli::openDatabase(files.at(0), store, err))
        return ExitBadFile;
    FileError error;
    if (!CsvSpreadsheetBuilder(store).exportSiteAtPath(files.at(1), &error)) {
        err << files.at(1) << ": The links could not be exported. "
            << ExportTexts::failureText(files.at(1), error) << Qt::endl;
        return ExitBadFile;
    }
    printExported(store, out);
    return ExitOk;
}

int runExportCsv(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (std::any_of(arguments.begin(), arguments.end(), [](const QString &a) { return a.startsWith(u'-'); }))
        return Cli::usage(QStringLiteral("export-csv"), err);
    return exportCsv(QStringLiteral("export-csv"), arguments, out, err);
}

int runExportTsv(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList files;
    std::optional<TextEncoding> encoding;
    bool csv = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--csv")) {
            csv = true;
        } else if (arguments.at(i) == QLatin1String("--encoding")) {
            if (i + 1 >= arguments.size() || !(encoding = encodingNamed(arguments.at(i + 1))))
                return Cli::usage(QStringLiteral("export-tsv"), err);
            ++i;
        } else {
            files.append(arguments.at(i));
        }
    }
    // CSV has one encoding; asking for another is a mistake worth saying.
    if (csv)
        return encoding ? Cli::usage(QStringLiteral("export-tsv"), err)
                        : exportCsv(QStringLiteral("export-tsv"), files, out, err);
    if (files.size() != 2)
        return Cli::usage(QStringLiteral("export-tsv"), err);
    if (Cli::refuseOutputThatIsInput(files.at(0), files.at(1), err))
        return ExitUsage;
    CollectionManager store;
    if (!Cli::openDatabase(files.at(0), store, err))
        return ExitBadFile;
    // Without the option, the encoding the application's preferences choose.
    const TextEncoding chosen = encoding.value_or(SpreadsheetBuilder::preferredEncoding());
    const SpreadsheetBuilder builder(store);
    if (const int lost = builder.unwritableCharacterCount(chosen); lost > 0) {
        err << files.at(1) << ": "
            << ExportTexts::unwritableCharactersMessage(lost, TextCodec::encodingName(chosen))
            << " (--encoding utf8 keeps every character)" << Qt::endl;
    }
    FileError error;
    if (!builder.exportSiteAtPath(files.at(1), chosen, &error)) {
        err << files.at(1) << ": "
            << CliCommand::tr("The links could not be exported. %1")
                   .arg(ExportTexts::failureText(files.at(1), error))
            << Qt::endl;
        return ExitBadFile;
    }
    printExported(store, out);
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("export-tsv"),
     QStringLiteral("FILE.site OUT.txt [--encoding utf16|macroman|latin1|utf8 | --csv]"),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                      "Write every link as tab-delimited text for a spreadsheet (with --csv, "
                                      "as export-csv does).")),
     runExportTsv,
     false,
     {{QStringLiteral("--encoding utf16|macroman|latin1|utf8"),
       QStringLiteral(QT_TRANSLATE_NOOP(
           "CliCommand", "The text encoding of the file (default: the one chosen in the preferences)."))},
      {QStringLiteral("--csv"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "Write comma-separated values in UTF-8 with a byte-order mark."))}}});

const CliRegistration csvRegistration(
    {QStringLiteral("export-csv"), QStringLiteral("FILE.site OUT.csv"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand", "Write every link as comma-separated values (UTF-8) for a spreadsheet.")),
     runExportCsv});

} // namespace
