#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "model/Preferences.h"
#include "publish/SpreadsheetBuilder.h"

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

int runExportTsv(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList files;
    std::optional<TextEncoding> encoding;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--encoding")) {
            if (i + 1 >= arguments.size() || !(encoding = encodingNamed(arguments.at(i + 1))))
                return Cli::usage(QStringLiteral("export-tsv"), err);
            ++i;
        } else {
            files.append(arguments.at(i));
        }
    }
    if (files.size() != 2)
        return Cli::usage(QStringLiteral("export-tsv"), err);
    if (Cli::refuseOutputThatIsInput(files.at(0), files.at(1), err))
        return ExitUsage;
    CollectionManager store;
    if (!Cli::openDatabase(files.at(0), store, err))
        return ExitBadFile;
    // Without the option, the encoding the application's preferences choose.
    const TextEncoding chosen = encoding.value_or(
        SpreadsheetBuilder::encodingForPreference(Preferences::intValue(Preferences::FileExportEncoding)));
    QString error;
    if (!SpreadsheetBuilder(store).exportSiteAtPath(files.at(1), chosen, &error)) {
        err << files.at(1) << ": The links could not be exported. " << error << Qt::endl;
        return ExitBadFile;
    }
    const int links = store.numberOfLinks();
    out << (links == 1 ? QStringLiteral("%1 link was exported.") : QStringLiteral("%1 links were exported."))
               .arg(links)
        << Qt::endl;
    return ExitOk;
}

const CliRegistration
    registration({QStringLiteral("export-tsv"),
                  QStringLiteral("FILE.site OUT.txt [--encoding utf16|macroman|latin1|utf8]"),
                  QStringLiteral("Write every link as tab-delimited text for a spreadsheet."), runExportTsv});

} // namespace
