#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "model/DatabaseJson.h"

#include <QJsonDocument>

namespace {

int runDump(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() != 1)
        return Cli::usage(QStringLiteral("dump"), err);
    CollectionManager store;
    if (!Cli::openDatabase(arguments.at(0), store, err))
        return ExitBadFile;
    out << QJsonDocument(DatabaseJson::toJson(store)).toJson(QJsonDocument::Indented);
    return ExitOk;
}

const CliRegistration registration({QStringLiteral("dump"), QStringLiteral("FILE.site"),
                                    QStringLiteral("Print the whole database as JSON."), runDump});

} // namespace
