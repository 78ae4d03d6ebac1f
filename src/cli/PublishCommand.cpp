#include "CliCommand.h"

#include "history/SitePublisher.h"
#include "history/SiteRecords.h"
#include "model/CollectionManager.h"
#include "model/PasswordStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// publish: a file could not be sent.
constexpr int ExitSendFailed = 4;

struct PublishOptions
{
    QString path;
    QString to;
    QString keyFile;
    QString acceptedKey;
    bool dryRun = false;
    bool json = false;
};

bool parseOptions(const QStringList &arguments, PublishOptions &options)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        auto value = [&](const char *name, QString &out) {
            const QString option = QLatin1String(name);
            if (argument.startsWith(option + u'=')) {
                out = argument.mid(option.size() + 1);
                return true;
            }
            if (argument == option && i + 1 < arguments.size()) {
                out = arguments.at(++i);
                return true;
            }
            return false;
        };
        if (argument == QLatin1String("--dry-run"))
            options.dryRun = true;
        else if (argument == QLatin1String("--json"))
            options.json = true;
        else if (value("--to", options.to) || value("--key", options.keyFile) ||
                 value("--accept-host-key", options.acceptedKey))
            continue;
        else if (argument.startsWith(u'-') || !options.path.isEmpty())
            return false;
        else
            options.path = argument;
    }
    if (!options.acceptedKey.isEmpty() && !options.acceptedKey.startsWith(QLatin1String("SHA256:")))
        return false;
    return !options.path.isEmpty();
}

int runPublish(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    PublishOptions options;
    if (!parseOptions(arguments, options))
        return Cli::usage(QStringLiteral("publish"), err);
    CollectionManager store;
    if (!Cli::openDatabase(options.path, store, err))
        return ExitBadFile;

    SitePublisher::Options publish;
    publish.destination = PublishDestination::fromCollectionManager(store);
    QString error;
    if (!options.to.isEmpty() && !PublishDestination::parse(options.to, publish.destination, &error)) {
        err << options.to << ": " << error << Qt::endl;
        return ExitUsage;
    }
    if (!publish.destination.isValid()) {
        err << options.path << ": "
            << CliCommand::tr("no destination to publish to: set one up in the window (File > Publish Links "
                              "Page) or name it with --to")
            << Qt::endl;
        return ExitBadFile;
    }
    if (!options.keyFile.isEmpty())
        publish.destination.keyFile = options.keyFile;
    publish.acceptedServerKey = options.acceptedKey;
    publish.dryRun = options.dryRun;
    // A scheduled job gives the password in the environment; otherwise the desktop keyring has it. A
    // key without a passphrase needs none.
    if (!options.dryRun) {
        if (qEnvironmentVariableIsSet("QUILLMARSH_PUBLISH_PASSWORD"))
            publish.password = qEnvironmentVariable("QUILLMARSH_PUBLISH_PASSWORD");
        else if (const PasswordStore::Answer stored =
                     PasswordStore::readNow(publish.destination.passwordKey());
                 stored.password)
            publish.password = *stored.password;
        else if (publish.destination.keyFile.isEmpty())
            err << CliCommand::tr(
                       "No password for %1 (%2); set QUILLMARSH_PUBLISH_PASSWORD or store it from the "
                       "window.")
                       .arg(publish.destination.text(),
                            stored.keyringMissing    ? CliCommand::tr("no keyring runs")
                            : stored.error.isEmpty() ? CliCommand::tr("the keyring has none")
                                                     : stored.error)
                << Qt::endl;
    }

    QList<SiteUploader::File> files;
    if (!SitePublisher::exportFiles(store, files, &error)) {
        err << options.path << ": " << CliCommand::tr("The links page cannot be exported. %1").arg(error)
            << Qt::endl;
        return ExitBadFile;
    }
    const SitePublisher::Report report = SitePublisher::publish(options.path, files, publish);
    if (report.historyError.isError())
        err << SiteRecords::errorText(options.path, report.historyError) << Qt::endl;
    if (options.json) {
        QJsonArray array;
        for (const SitePublisher::FileOutcome &file : report.files)
            array.append(QJsonObject{{QStringLiteral("file"), file.file},
                                     {QStringLiteral("state"), file.state},
                                     {QStringLiteral("reason"), file.reason}});
        out << QJsonDocument(array).toJson(QJsonDocument::Indented);
    } else {
        for (const SitePublisher::FileOutcome &file : report.files)
            out << file.state << '\t' << file.file << Qt::endl;
    }
    for (const SitePublisher::FileOutcome &file : report.files) {
        if (file.state == QLatin1String("failed") && !file.reason.startsWith(QLatin1String("not sent")))
            err << publish.destination.text() << ": " << file.reason << Qt::endl;
    }
    if (report.identity == SiteUploader::Identity::Unknown && !report.serverKey.isEmpty())
        err << CliCommand::tr("To trust this server, run the command again with --accept-host-key %1")
                   .arg(report.serverKey)
            << Qt::endl;
    return report.failed ? ExitSendFailed : ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("publish"),
     QStringLiteral(
         "FILE.site [--to sftp://USER@HOST:PORT/FOLDER | ftps://USER@HOST:PORT/FOLDER] [--key FILE] "
         "[--accept-host-key SHA256:...] [--dry-run] [--json]"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand",
         "Upload the files of the links page that changed since the last publish to the web server "
         "over SFTP or FTPS, each to a temporary name and then into place. The password comes from "
         "the desktop keyring or QUILLMARSH_PUBLISH_PASSWORD; QUILLMARSH_PUBLISH_CA_FILE may name a PEM "
         "file of certificate authorities that FTPS servers are also trusted by. Exit status 4 when a "
         "file could not be sent.")),
     runPublish,
     false,
     {{QStringLiteral("--to URL"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Publish there instead of the database's destination "
                                                      "(sftp://USER@HOST:PORT/FOLDER, /~/FOLDER for the home "
                                                      "folder, or ftps://USER@HOST:PORT/FOLDER)."))},
      {QStringLiteral("--key FILE"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Log in over SFTP with this private key."))},
      {QStringLiteral("--accept-host-key SHA256:..."),
       QStringLiteral(QT_TRANSLATE_NOOP(
           "CliCommand",
           "Trust the server whose key has this fingerprint: an unknown SSH host key is added to "
           "~/.ssh/known_hosts, an FTPS certificate's key is pinned. A changed host key is always "
           "refused."))},
      {QStringLiteral("--dry-run"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "List what would be sent; send nothing."))},
      {QStringLiteral("--json"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "Print JSON objects with file, state (sent, unchanged, failed, "
                                        "would-send) and reason."))}}});

} // namespace
