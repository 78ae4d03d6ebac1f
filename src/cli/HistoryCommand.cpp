#include "CliCommand.h"

#include "history/HistoryJson.h"
#include "history/HistoryStore.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

int runHistory(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString path;
    QString linkID;
    bool json = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--json")) {
            json = true;
        } else if (argument == QLatin1String("--link") && i + 1 < arguments.size()) {
            linkID = arguments.at(++i);
        } else if (argument.startsWith(QLatin1String("--link="))) {
            linkID = argument.mid(7);
        } else if (argument.startsWith(u'-') || !path.isEmpty()) {
            return Cli::usage(QStringLiteral("history"), err);
        } else {
            path = argument;
        }
    }
    if (path.isEmpty() || (!linkID.isNull() && linkID.isEmpty()))
        return Cli::usage(QStringLiteral("history"), err);
    if (!QFileInfo(path).isFile()) {
        err << path << ": " << HistoryStore::tr("no such database file") << Qt::endl;
        return ExitBadFile;
    }
    HistoryStore store(path);
    const std::optional<QList<CheckRecord>> checks = store.checks(linkID);
    if (!checks) {
        err << store.errorString() << Qt::endl;
        return ExitBadFile;
    }
    if (json) {
        QJsonArray rows;
        for (const CheckRecord &check : *checks)
            rows.append(HistoryJson::check(check));
        out << QJsonDocument(rows).toJson(QJsonDocument::Indented);
        return ExitOk;
    }
    for (const CheckRecord &check : *checks) {
        out << HistoryJson::isoTime(check.checkedOn) << '\t' << check.linkID << '\t' << check.title << '\t'
            << Codes::verificationRunText(check.result) << '\t' << check.httpStatus << '\t'
            << (check.followed ? "followed" : "not followed") << Qt::endl;
    }
    return ExitOk;
}

int runChanges(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString path;
    bool json = false;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--json"))
            json = true;
        else if (argument.startsWith(u'-') || !path.isEmpty())
            return Cli::usage(QStringLiteral("changes"), err);
        else
            path = argument;
    }
    if (path.isEmpty())
        return Cli::usage(QStringLiteral("changes"), err);
    if (!QFileInfo(path).isFile()) {
        err << path << ": " << HistoryStore::tr("no such database file") << Qt::endl;
        return ExitBadFile;
    }
    HistoryStore store(path);
    const std::optional<QList<LinkChange>> changes = store.changes();
    if (!changes) {
        err << store.errorString() << Qt::endl;
        return ExitBadFile;
    }
    if (json) {
        QJsonArray rows;
        for (const LinkChange &change : *changes)
            rows.append(HistoryJson::change(change));
        out << QJsonDocument(rows).toJson(QJsonDocument::Indented);
        return ExitOk;
    }
    for (const LinkChange &change : *changes) {
        out << LinkChange::keyword(change.kind) << '\t' << change.linkID << '\t' << change.title << '\t'
            << Codes::verificationRunText(change.previous) << '\t'
            << Codes::verificationRunText(change.current) << '\t' << HistoryJson::isoTime(change.since)
            << Qt::endl;
    }
    return ExitOk;
}

const CliRegistration historyRegistration(
    {QStringLiteral("history"),
     QStringLiteral("FILE.site [--link ID] [--json]"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand", "Print the recorded verification checks, newest first (all links, or one).")),
     runHistory,
     false,
     {{QStringLiteral("--link ID"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Only the checks of this link."))},
      {QStringLiteral("--json"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Print the checks as JSON."))}}});

const CliRegistration changesRegistration(
    {QStringLiteral("changes"),
     QStringLiteral("FILE.site [--json]"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand", "Print the links whose latest check was lost, no longer followed or recovered.")),
     runChanges,
     false,
     {{QStringLiteral("--json"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Print the changes as JSON."))}}});

} // namespace
