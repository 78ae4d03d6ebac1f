#include "CliCommand.h"

#include "history/DueLinks.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryService.h"
#include "history/HistoryStore.h"
#include "history/VerificationRun.h"
#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/DatabaseLock.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTimer>

#include <cmath>
#include <unistd.h>
#include <utility>

namespace {

// How long the checks of a run wait at its end for a history that another program holds.
constexpr int HistoryLockWaitMs = 20000;

struct VerifyOptions
{
    QString path;
    std::optional<QStringList> ids;
    bool save = false;
    bool json = false;
    std::optional<double> timeoutSeconds;
    bool history = true;
    std::optional<int> dueDays;
    bool failOnLoss = false;
    std::optional<int> concurrency;
    std::optional<int> perHost;
    std::optional<int> confirmDelaySeconds;
};

// A whole number within the bounds, or none.
std::optional<int> boundedNumber(const QString &text, bool (*isValid)(int))
{
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok && isValid(number) ? std::optional<int>(number) : std::nullopt;
}

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
        } else if (argument == QLatin1String("--no-history")) {
            options.history = false;
        } else if (argument == QLatin1String("--fail-on-loss")) {
            options.failOnLoss = true;
        } else if (argument.startsWith(QLatin1String("--due"))) {
            bool ok = false;
            const int days = value(QStringLiteral("--due"), text) ? text.toInt(&ok) : 0;
            if (!ok || days < 0 || days > 36500)
                return false;
            options.dueDays = days;
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
        } else if (argument.startsWith(QLatin1String("--concurrency"))) {
            options.concurrency = value(QStringLiteral("--concurrency"), text)
                                      ? boundedNumber(text, &VerificationLimits::isValidConcurrency)
                                      : std::nullopt;
            if (!options.concurrency)
                return false;
        } else if (argument.startsWith(QLatin1String("--confirm-delay"))) {
            options.confirmDelaySeconds =
                value(QStringLiteral("--confirm-delay"), text)
                    ? boundedNumber(text,
                                    [](int seconds) {
                                        return seconds >= 0 &&
                                               seconds <= CheckSettings::MaximumConfirmDelaySeconds;
                                    })
                    : std::nullopt;
            if (!options.confirmDelaySeconds)
                return false;
        } else if (argument.startsWith(QLatin1String("--per-host"))) {
            options.perHost = value(QStringLiteral("--per-host"), text)
                                  ? boundedNumber(text, &VerificationLimits::isValidPerHost)
                                  : std::nullopt;
            if (!options.perHost)
                return false;
        } else if (argument.startsWith(u'-') || !options.path.isEmpty()) {
            return false;
        } else {
            options.path = argument;
        }
    }
    return !options.path.isEmpty();
}

QJsonArray linksAsJson(const QList<OwnSiteLink> &links)
{
    QJsonArray array;
    for (const OwnSiteLink &link : links) {
        array.append(QJsonObject{{QStringLiteral("href"), link.href},
                                 {QStringLiteral("rel"), QJsonArray::fromStringList(link.rel)},
                                 {QStringLiteral("text"), link.text},
                                 {QStringLiteral("hidden"), link.hidden}});
    }
    return array;
}

// Each hop of the links page: the address that sent the check on, and its HTTP status or "refresh".
QJsonArray redirectsAsJson(const QList<RedirectHop> &hops)
{
    QJsonArray array;
    for (const RedirectHop &hop : hops) {
        array.append(
            QJsonObject{{QStringLiteral("url"), hop.url.toString()},
                        {QStringLiteral("status"),
                         hop.refresh ? QJsonValue(QStringLiteral("refresh")) : QJsonValue(hop.status)}});
    }
    return array;
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
        {QStringLiteral("redirects"), redirectsAsJson(details.pageRedirects)},
        {QStringLiteral("retries"), details.retries},
        {QStringLiteral("addressFound"), details.addressFound},
        {QStringLiteral("inAnchor"), details.inAnchor},
        {QStringLiteral("rel"), QJsonArray::fromStringList(details.rel)},
        {QStringLiteral("noindex"), details.noindex},
        {QStringLiteral("links"), linksAsJson(details.links)},
        {QStringLiteral("followed"), details.followed},
        {QStringLiteral("anchorText"), details.anchorText},
        {QStringLiteral("nofollowPage"), details.nofollowPage},
        {QStringLiteral("canonical"), details.canonical},
        {QStringLiteral("truncated"), details.pageTruncated},
        {QStringLiteral("outcome"), CheckOutcomes::keyword(details.outcome)},
        {QStringLiteral("confirmed"), details.confirmed},
        {QStringLiteral("robots"), RobotsVerdicts::keyword(details.robots)},
        {QStringLiteral("externalFollowed"), details.externalFollowed},
        {QStringLiteral("movedTo"), details.movedTo.toString()},
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
                err << "quillmarsh-cli verify: "
                    << CliCommand::tr("no link that can be verified has the ID %1").arg(id) << Qt::endl;
                return ExitUsage;
            }
        }
    }

    // A run can take minutes: whether its results can be saved is known before anything is fetched.
    std::unique_ptr<DatabaseLock> lock;
    if (options.save && !(lock = Cli::lockForWriting(options.path, err)))
        return ExitBadFile;

    if (options.dueDays) {
        // Without a readable history the days stored in the database decide.
        HistoryStore history(options.path);
        std::optional<QHash<QString, CheckRecord>> latest = history.latestChecks();
        if (!latest) {
            err << history.errorString() << Qt::endl;
            latest.emplace();
        }
        QStringList due = DueLinks::dueLinkIDs(store, *latest, Clock::now(), *options.dueDays);
        if (options.ids) {
            const QSet<QString> asked(options.ids->begin(), options.ids->end());
            due.removeIf([&](const QString &id) { return !asked.contains(id); });
        }
        if (due.isEmpty()) {
            err << CliCommand::tr("No links are due for verification.") << Qt::endl;
            return ExitOk;
        }
        options.ids = due;
    }

    VerificationRun run(&store);
    VerificationScheduler &scheduler = *run.scheduler();
    const VerificationRowModel &rows = *run.rows();
    HistoryRecorder &recorder = *run.historyRecorder();
    QObject::connect(&recorder, &HistoryRecorder::historyUnavailable, &recorder,
                     [&](const QString &databasePath, const FileError &error) {
                         err << HistoryStore::errorText(databasePath, error) << Qt::endl;
                     });
    if (options.timeoutSeconds) {
        FetchSettings settings = FetchSettings::fromPreferences();
        settings.timeoutMs = qMax(1, int(*options.timeoutSeconds * 1000));
        scheduler.setFetchSettings(settings);
    }
    if (options.confirmDelaySeconds) {
        CheckSettings settings = CheckSettings::fromPreferences();
        settings.confirmDelayMs = *options.confirmDelaySeconds * 1000;
        scheduler.setCheckSettings(settings);
    }
    if (options.concurrency || options.perHost) {
        VerificationLimits limits = VerificationLimits::fromPreferences();
        limits.concurrency = options.concurrency.value_or(limits.concurrency);
        limits.perHost = options.perHost.value_or(limits.perHost);
        scheduler.setLimits(limits);
    }
    if (!run.prepare(options.ids)) {
        err << CliCommand::tr("There are no links in this database.") << Qt::endl;
        return ExitOk;
    }
    const int total = rows.selectedCount();
    if (total == 0) {
        err << CliCommand::tr("No links to verify.") << Qt::endl;
        return ExitOk;
    }

    run.startRecording(options.path, options.history);

    const bool showProgress = ::isatty(STDERR_FILENO);
    int done = 0;
    auto progress = [&] {
        if (!showProgress)
            return;
        QString line = CliCommand::tr("Verified %1 of %2, %3 in flight")
                           .arg(done)
                           .arg(total)
                           .arg(scheduler.checksUnderWay());
        if (const int paused = scheduler.pausedHostCount())
            line += paused == 1 ? CliCommand::tr(", 1 host paused")
                                : CliCommand::tr(", %1 hosts paused").arg(paused);
        if (const int waiting = scheduler.checksPaused())
            line += waiting == 1 ? CliCommand::tr(", 1 waiting for a second look")
                                 : CliCommand::tr(", %1 waiting for a second look").arg(waiting);
        // "\x1b[K" clears what a longer line before left behind.
        err << '\r' << line << "\x1b[K" << Qt::flush;
    };
    // Shown once the run has started the checks that follow, so "in flight" counts them.
    bool progressDue = false;
    QObject::connect(&scheduler, &VerificationScheduler::checkFinished, &scheduler, [&] {
        ++done;
        if (!std::exchange(progressDue, true))
            QTimer::singleShot(0, &scheduler, [&] {
                progressDue = false;
                progress();
            });
    });
    QObject::connect(&scheduler, &VerificationScheduler::pausesChanged, &scheduler, progress);
    QEventLoop loop;
    QObject::connect(&run, &VerificationRun::ended, &loop, &QEventLoop::quit);
    // The checks start once the history's trails are in; the end of the run always comes queued.
    if (run.start())
        loop.exec();
    progress();
    if (showProgress)
        err << Qt::endl;
    // The checks are written before the command ends; a history that another program holds is
    // waited for as long as a scheduled run reasonably can, and what is still not written is told.
    if (const int lost = HistoryService::instance()->finish(HistoryLockWaitMs))
        err << HistoryService::lostChecksMessage(lost) << Qt::endl;
    // Failures the history thread reported on the way.
    QCoreApplication::sendPostedEvents();

    QJsonArray jsonRows;
    for (const LinkInfo &info : rows.linkInfos()) {
        if (!info.selected())
            continue;
        if (options.json) {
            jsonRows.append(rowAsJson(info));
        } else {
            out << info.link()->title() << '\t' << Codes::verificationRunText(info.result()) << '\t'
                << info.details().summary() << Qt::endl;
        }
    }
    if (options.json)
        out << QJsonDocument(jsonRows).toJson(QJsonDocument::Indented);

    if (options.save) {
        store.recordVerificationResults(rows.resultsToSave(), Clock::today());
        store.computeNotifications();
        if (!Cli::saveDatabase(store, options.path, err, lock.get()))
            return ExitBadFile;
    }
    if (options.failOnLoss) {
        // Against the history, or the results stored in the database when it cannot be read.
        for (const LinkChange &change : recorder.changes()) {
            if (change.kind == LinkChange::Lost)
                return ExitLinkLost;
        }
    }
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("verify"),
     QStringLiteral("FILE.site [--ids ID,ID...] [--due DAYS] [--save] [--no-history] [--fail-on-loss] "
                    "[--timeout S] [--confirm-delay S] [--concurrency N] [--per-host N] [--json]"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand", "Check link partners over HTTP (all verifiable links, or the given IDs, "
                       "or those not checked for DAYS days); with --save, store the results in "
                       "the file. Every check is recorded in FILE.site-history; when another "
                       "program holds it, the command waits up to 20 seconds at the end and says how "
                       "many checks could not be recorded.")),
     runVerify,
     false,
     {{QStringLiteral("--ids ID,ID..."),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Verify only the links with these IDs."))},
      {QStringLiteral("--due DAYS"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Verify only the links not checked for DAYS days."))},
      {QStringLiteral("--save"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Store the results in the file."))},
      {QStringLiteral("--no-history"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Record nothing in the verification history."))},
      {QStringLiteral("--fail-on-loss"),
       QStringLiteral(QT_TRANSLATE_NOOP(
           "CliCommand", "Exit with status 3 when the run lost a link: found before, missing "
                         "twice now and nowhere else on the partner's site. A site that is down "
                         "or refuses the check is no loss."))},
      {QStringLiteral("--timeout S"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Give up on a page after S seconds."))},
      {QStringLiteral("--confirm-delay S"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "Wait S seconds (0-600) before looking again for a link that went "
                                        "missing."))},
      {QStringLiteral("--concurrency N"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Run at most N checks at once (1-64)."))},
      {QStringLiteral("--per-host N"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "Send at most N requests to one server at once (1-16)."))},
      {QStringLiteral("--json"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Print the results as JSON."))}}});

} // namespace
