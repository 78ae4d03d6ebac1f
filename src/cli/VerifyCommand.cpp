#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "verify/VerificationRun.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>
#include <unistd.h>

namespace {

struct VerifyOptions
{
    QString path;
    std::optional<QStringList> ids;
    bool save = false;
    bool json = false;
    std::optional<double> timeoutSeconds;
};

// False on a malformed command line.
bool parseOptions(const QStringList &arguments, VerifyOptions &options)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        auto value = [&](const QString &name, QString &out) {
            if (argument.startsWith(name + u'=')) {
                out = argument.mid(name.size() + 1);
                return true;
            }
            if (argument == name && i + 1 < arguments.size()) {
                out = arguments.at(++i);
                return true;
            }
            return false;
        };
        QString text;
        if (argument == QLatin1String("--save")) {
            options.save = true;
        } else if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (argument.startsWith(QLatin1String("--ids"))) {
            if (!value(QStringLiteral("--ids"), text))
                return false;
            QStringList ids;
            for (const QString &id : text.split(u',', Qt::SkipEmptyParts))
                ids.append(id.trimmed());
            if (ids.isEmpty())
                return false;
            options.ids = ids;
        } else if (argument.startsWith(QLatin1String("--timeout"))) {
            bool ok = false;
            const double seconds = value(QStringLiteral("--timeout"), text) ? text.toDouble(&ok) : 0;
            if (!ok || !std::isfinite(seconds) || seconds <= 0 || seconds > 86400)
                return false;
            options.timeoutSeconds = seconds;
        } else if (argument.startsWith(u'-') || !options.path.isEmpty()) {
            return false;
        } else {
            options.path = argument;
        }
    }
    return !options.path.isEmpty();
}

QJsonObject rowAsJson(const LinkInfo &info)
{
    const Link *link = info.link();
    const VerificationDetails &details = info.details();
    QJsonObject row{
        {QStringLiteral("id"), link->ID()},
        {QStringLiteral("title"), link->title()},
        {QStringLiteral("category"), info.category() ? info.category()->name() : QString()},
        {QStringLiteral("url"), link->URL()},
        {QStringLiteral("linksPageURL"), link->counterpartURL()},
        {QStringLiteral("result"), QString(QChar::fromLatin1(info.result()))},
        {QStringLiteral("resultText"), Codes::verificationRunText(info.result())},
        {QStringLiteral("siteStatus"), details.siteStatus},
        {QStringLiteral("pageStatus"), details.pageStatus},
        {QStringLiteral("finalURL"), details.pageFinalURL.toString()},
        {QStringLiteral("redirected"), details.pageRedirected},
        {QStringLiteral("retries"), details.retries},
        {QStringLiteral("addressFound"), details.addressFound},
        {QStringLiteral("inAnchor"), details.inAnchor},
        {QStringLiteral("rel"), QJsonArray::fromStringList(details.rel)},
        {QStringLiteral("noindex"), details.noindex},
        {QStringLiteral("truncated"), details.pageTruncated},
    };
    if (!details.failure.isEmpty())
        row.insert(QStringLiteral("failure"), details.failure);
    return row;
}

int runVerify(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    VerifyOptions options;
    if (!parseOptions(arguments, options))
        return Cli::usage(QStringLiteral("verify"), err);
    CollectionManager store;
    if (!Cli::openDatabase(options.path, store, err))
        return ExitBadFile;

    if (options.ids) {
        QSet<QString> verifiable;
        for (const Link *link : store.verifiableLinks())
            verifiable.insert(link->ID());
        for (const QString &id : *options.ids) {
            if (!verifiable.contains(id)) {
                err << "quillmarsh-cli verify: no link that can be verified has the ID " << id << Qt::endl;
                return ExitUsage;
            }
        }
    }

    VerificationRun run(&store);
    if (options.timeoutSeconds) {
        FetchSettings settings = FetchSettings::fromPreferences();
        settings.timeoutMs = qMax(1, int(*options.timeoutSeconds * 1000));
        run.setFetchSettings(settings);
    }
    if (!run.initializeFieldsWithSelectedLinkIDs(options.ids)) {
        err << VerificationRun::tr("There are no links in this database.") << Qt::endl;
        return ExitOk;
    }
    const int total = run.selectedCount();
    if (total == 0) {
        err << VerificationRun::tr("No links to verify.") << Qt::endl;
        return ExitOk;
    }

    const bool showProgress = ::isatty(STDERR_FILENO);
    int done = 0;
    QObject::connect(&run, &VerificationRun::rowCompleted, &run, [&] {
        ++done;
        if (showProgress)
            err << '\r' << VerificationRun::tr("Verified %1 of %2").arg(done).arg(total) << Qt::flush;
    });
    QEventLoop loop;
    QObject::connect(&run, &VerificationRun::runEnded, &loop, &QEventLoop::quit);
    run.confirm();
    if (!run.verificationStopped())
        loop.exec();
    if (showProgress)
        err << Qt::endl;

    QJsonArray rows;
    for (int row = 0; row < run.numLinks(); ++row) {
        const LinkInfo &info = run.linkInfo(row);
        if (!info.selected())
            continue;
        if (options.json) {
            rows.append(rowAsJson(info));
        } else {
            out << info.link()->title() << '\t' << Codes::verificationRunText(info.result()) << '\t'
                << info.details().summary() << Qt::endl;
        }
    }
    if (options.json)
        out << QJsonDocument(rows).toJson(QJsonDocument::Indented);

    if (options.save) {
        run.confirm(); // "Save Result"
        store.computeNotifications();
        if (!Cli::saveDatabase(store, options.path, err))
            return ExitBadFile;
    }
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("verify"), QStringLiteral("FILE.site [--ids ID,ID...] [--save] [--timeout S] [--json]"),
     QStringLiteral("Check link partners over HTTP (all verifiable links, or the "
                    "given IDs); with --save, store the results in the file."),
     runVerify});

} // namespace
