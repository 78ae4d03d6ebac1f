// `quillmarsh-cli history FILE --json` over a history of 1,000,000 checks (10,000 links checked 100
// times): wall time, processor time and peak memory of the command, which prints every check.
//
// usage: bench_history_json [LINKS [CHECKS_PER_LINK [CLI]]]   (defaults 10000, 100 and the built tool)
#include "history/HistoryStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

CheckRecord check(int link, int round)
{
    CheckRecord record;
    record.linkID = QStringLiteral("LNK%1").arg(1'700'000'000 + link);
    record.title = QStringLiteral("Partner site number %1").arg(link);
    record.checkedOn = QDateTime::fromSecsSinceEpoch(1'700'000'000 + qint64(round) * 86'400 + link);
    const bool found = (link + round) % 7 != 0;
    record.result = found ? VerificationSucceeded : VerificationLinkNotFound;
    record.httpStatus = 200;
    record.finalURL = QStringLiteral("http://www.partner%1.example/links/index.html").arg(link);
    record.addressFound = found;
    record.inAnchor = found;
    record.followed = found && (link + round) % 11 != 0;
    if (found && !record.followed)
        record.rel = QStringList{QStringLiteral("nofollow")};
    record.anchorText = found ? QStringLiteral("My walking site") : QString();
    return record;
}

double seconds(const timeval &time)
{
    return double(time.tv_sec) + double(time.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int links = argc > 1 ? std::max(1, atoi(argv[1])) : 10'000;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 100;
    const QString cli = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral(QM_CLI_PATH);
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("bench.site"));
    QFile(database).open(QIODevice::WriteOnly); // the command wants the database beside its history

    HistoryStore store(database);
    for (int round = 0; round < rounds; ++round) {
        QList<CheckRecord> run;
        run.reserve(links);
        for (int link = 0; link < links; ++link)
            run.append(check(link, round));
        if (!store.record(run)) {
            fprintf(stderr, "%s\n", qPrintable(store.errorString()));
            return 1;
        }
    }

    QProcess command;
    command.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    command.start(cli, {QStringLiteral("history"), database, QStringLiteral("--json")});
    if (!command.waitForFinished(-1) || command.exitCode() != 0) {
        fprintf(stderr, "%s failed: %s\n", qPrintable(cli), command.readAllStandardError().constData());
        return 1;
    }
    const double wall = timer.nsecsElapsed() / 1e9;
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    printf("history --json of %lld checks: %.1f s wall, %.1f s CPU, peak memory %.0f MB\n",
           qint64(links) * rounds, wall, seconds(usage.ru_utime) + seconds(usage.ru_stime),
           usage.ru_maxrss / 1024.0);
    return 0;
}
