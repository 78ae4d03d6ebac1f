#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "model/DatabaseJson.h"

#include <QFile>

namespace {

int runDump(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() != 1)
        return Cli::usage(QStringLiteral("dump"), err);
    CollectionManager store;
    if (!Cli::openDatabase(arguments.at(0), store, err))
        return ExitBadFile;
    out.flush();
    QFile standardOutput;
    if (!standardOutput.open(stdout, QIODevice::WriteOnly) || !DatabaseJson::write(store, standardOutput)) {
        err << arguments.at(0) << ": " << CliCommand::tr("cannot write the JSON text") << Qt::endl;
        return ExitBadFile;
    }
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("dump"), QStringLiteral("FILE.site"),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Print the whole database as JSON.")), runDump});

} // namespace
