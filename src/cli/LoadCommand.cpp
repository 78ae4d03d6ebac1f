#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "model/DatabaseJson.h"

#include <QFile>
#include <QJsonDocument>

namespace {

// JSON of the largest database a file can hold: every text escaped takes up to six characters per
// byte of the file, and the file itself is at most DatabaseFile::MaximumFileSize.
constexpr qint64 MaximumJsonSize = qint64(3) << 30;

// Reads the whole text in pieces, refusing a device that never ends (/dev/zero) or does not start
// like a JSON object, before it fills the memory.
bool readJsonText(QFile &device, QByteArray *text, QString *error)
{
    constexpr qint64 Piece = 1 << 20;
    bool started = false;
    while (true) {
        const QByteArray piece = device.read(Piece);
        if (piece.isEmpty())
            break;
        if (!started) {
            const QByteArray leading = piece.trimmed();
            if (!leading.isEmpty() && !leading.startsWith('{')) {
                *error = QStringLiteral("not a links database in JSON (no object)");
                return false;
            }
            started = !leading.isEmpty();
        }
        if (text->size() + piece.size() > MaximumJsonSize) {
            *error = QStringLiteral("too large (more than %1 MB of JSON)").arg(MaximumJsonSize >> 20);
            return false;
        }
        text->append(piece);
    }
    if (device.error() != QFileDevice::NoError) {
        *error = QStringLiteral("cannot read (%1)").arg(device.errorString());
        return false;
    }
    return true;
}

int runLoad(const QStringList &arguments, QTextStream &, QTextStream &err)
{
    if (arguments.size() != 2)
        return Cli::usage(QStringLiteral("load"), err);
    const QString &input = arguments.at(0);
    if (Cli::refuseOutputThatIsInput(input, arguments.at(1), err))
        return ExitUsage;
    QFile file(input);
    if (!file.open(QIODevice::ReadOnly)) {
        err << input << ": " << CliCommand::tr("cannot open (%1)").arg(file.errorString()) << Qt::endl;
        return ExitBadFile;
    }
    QByteArray text;
    QString readError;
    if (!readJsonText(file, &text, &readError)) {
        err << input << ": " << readError << Qt::endl;
        return ExitBadFile;
    }
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(text, &parseError);
    if (!json.isObject()) {
        err << input << ": "
            << CliCommand::tr("not a links database in JSON (%1)")
                   .arg(parseError.error ? parseError.errorString() : CliCommand::tr("no object"))
            << Qt::endl;
        return ExitBadFile;
    }
    CollectionManager store;
    FileError error;
    QStringList notes;
    const bool loaded = DatabaseJson::fromJson(json.object(), store, &error, &notes);
    for (const QString &note : notes)
        err << input << ": " << note << Qt::endl;
    if (!loaded) {
        err << input << ": " << error.text() << Qt::endl;
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
