#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "model/DatabaseJson.h"

#include <QFile>
#include <QJsonDocument>

namespace {

int runLoad(const QStringList &arguments, QTextStream &, QTextStream &err)
{
    if (arguments.size() != 2)
        return Cli::usage(QStringLiteral("load"), err);
    const QString &input = arguments.at(0);
    QFile file(input);
    if (!file.open(QIODevice::ReadOnly)) {
        err << input << ": " << CliCommand::tr("cannot open (%1)").arg(file.errorString()) << Qt::endl;
        return ExitBadFile;
    }
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!json.isObject()) {
        err << input << ": "
            << CliCommand::tr("not a links database in JSON (%1)")
                   .arg(parseError.error ? parseError.errorString() : CliCommand::tr("no object"))
            << Qt::endl;
        return ExitBadFile;
    }
    CollectionManager store;
    QString error;
    QStringList notes;
    const bool loaded = DatabaseJson::fromJson(json.object(), store, &error, &notes);
    for (const QString &note : notes)
        err << input << ": " << note << Qt::endl;
    if (!loaded) {
        err << input << ": " << error << Qt::endl;
        return ExitBadFile;
    }
    return Cli::saveDatabase(store, arguments.at(1), err) ? ExitOk : ExitBadFile;
}

const CliRegistration registration(
    {QStringLiteral("load"), QStringLiteral("FILE.json OUT.site"),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                      "Write a database from JSON in the form that dump prints.")),
     runLoad});

} // namespace
