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
            << (check.followed ? "followed" : "not followed") << '\t' << CheckOutcomes::keyword(check.outcome)
            << Qt::endl;
    }
    return ExitOk;
}

int runChanges(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString path;
    bool json = false;
    int unreachableDays = LinkChange::unreachableDaysFromPreferences();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        QString days;
        if (argument == QLatin1String("--json")) {
            json = true;
        } else if (argument == QLatin1String("--unreachable-days") && i + 1 < arguments.size()) {
            days = arguments.at(++i);
        } else if (argument.startsWith(QLatin1String("--unreachable-days="))) {
            days = argument.section(u'=', 1);
        } else if (argument.startsWith(u'-') || !path.isEmpty()) {
            return Cli::usage(QStringLiteral("changes"), err);
        } else {
            path = argument;
        }
        if (!days.isNull()) {
            bool ok = false;
            unreachableDays = days.toInt(&ok);
            if (!ok || unreachableDays < LinkChange::MinimumUnreachableDays ||
                unreachableDays > LinkChange::MaximumUnreachableDays)
                return Cli::usage(QStringLiteral("changes"), err);
        }
    }
    if (path.isEmpty())
        return Cli::usage(QStringLiteral("changes"), err);
    if (!QFileInfo(path).isFile()) {
        err << path << ": " << HistoryStore::tr("no such database file") << Qt::endl;
        return ExitBadFile;
    }
    HistoryStore store(path);
    const std::optional<QList<LinkChange>> changes = store.changes(unreachableDays);
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
            << Codes::verificationRunText(change.current) << '\t' << HistoryJson::isoTime(change.since);
        if (!change.movedTo.isEmpty())
            out << '\t' << change.movedTo;
        out << Qt::endl;
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
     QStringLiteral("FILE.site [--unreachable-days N] [--json]"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand", "Print the links that were lost, moved to another page of the partner's "
                       "site, are no longer followed or recovered, and the partner sites that "
                       "have been unreachable for days.")),
     runChanges,
     false,
     {{QStringLiteral("--unreachable-days N"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "Call a site unreachable when every check of the last N days (1-90) "
                                        "could not load it or was refused."))},
      {QStringLiteral("--json"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Print the changes as JSON."))}}});

} // namespace
