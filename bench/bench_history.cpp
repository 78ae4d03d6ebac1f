// The verification history at scale: recording one run of 10,000 checks, one link's checks among
// 1,000,000, the changes of 10,000 links, the bytes a check takes on disk, and what a history of
// 1,000,000 checks adds to opening its database.
//
// usage: bench_history [LINKS [CHECKS_PER_LINK]]   (defaults 10000 and 100)
#include "history/HistoryStore.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>

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

QList<CheckRecord> run(int links, int round)
{
    QList<CheckRecord> checks;
    checks.reserve(links);
    for (int link = 0; link < links; ++link)
        checks.append(check(link, round));
    return checks;
}

// CPU time of this process: on a loaded machine the wall clock also counts the waits for a core.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

qint64 historyBytes(const QString &database)
{
    const QString path = HistoryStore::pathForDatabase(database);
    return QFileInfo(path).size() + QFileInfo(path + QStringLiteral("-wal")).size();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int links = argc > 1 ? std::max(1, atoi(argv[1])) : 10'000;
    const int rounds = argc > 2 ? std::max(2, atoi(argv[2])) : 100;
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("bench.site"));

    // The database itself: `links` links, for the opening cost.
    {
        CollectionManager store;
        for (int link = 0; link < links; ++link) {
            LinkFields fields;
            fields.categoryID = NoneCategoryID;
            fields.title = QStringLiteral("Partner site number %1").arg(link);
            fields.URL = QStringLiteral("http://www.partner%1.example/").arg(link);
            fields.counterpartURL = QStringLiteral("http://www.partner%1.example/links/index.html").arg(link);
            store.addLinkFromFields(fields);
        }
        FileError error;
        if (!DatabaseFile::write(store, database, &error)) {
            fprintf(stderr, "cannot write the database: %s\n", qPrintable(error.text()));
            return 1;
        }
    }
    auto openingMs = [&] {
        QList<double> times;
        for (int i = 0; i < 5; ++i) {
            CollectionManager store;
            QElapsedTimer timer;
            timer.start();
            DatabaseFile::read(database, store, nullptr);
            times.append(timer.nsecsElapsed() / 1e6);
        }
        return median(times);
    };
    const double openingWithout = openingMs();

    // Recording: the first run creates the file; later runs append.
    QList<double> recordTimes;
    QList<double> recordCpu;
    for (int round = 0; round < rounds; ++round) {
        const QList<CheckRecord> checks = run(links, round);
        HistoryStore store(database);
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuMs();
        if (!store.record(checks)) {
            fprintf(stderr, "%s\n", qPrintable(store.errorString()));
            return 1;
        }
        if (round < 5 || round == rounds - 1) {
            recordTimes.append(timer.nsecsElapsed() / 1e6);
            recordCpu.append(cpuMs() - cpuStart);
        }
        if (round == 0)
            printf("recording the first run of %d checks (creates the file): %.1f ms\n", links,
                   recordTimes.last());
    }
    printf("recording one run of %d checks (median of %lld runs, the last into %lld checks): %.1f ms, %.1f "
           "ms CPU\n",
           links, recordTimes.size() - 1, qint64(links) * rounds, median(recordTimes.mid(1)),
           median(recordCpu.mid(1)));
    const qint64 total = qint64(links) * rounds;
    printf("history on disk: %.1f MB for %lld checks, %.0f bytes a check\n", historyBytes(database) / 1e6,
           total, double(historyBytes(database)) / double(total));

    HistoryStore store(database);
    QElapsedTimer timer;
    timer.start();
    store.checks(check(0, 0).linkID);
    printf("one link's history, first query after opening the history: %.2f ms\n",
           timer.nsecsElapsed() / 1e6);
    QList<double> oneLink;
    for (int i = 0; i < 200; ++i) {
        timer.start();
        const auto checks = store.checks(check((i * 7919) % links, 0).linkID);
        oneLink.append(timer.nsecsElapsed() / 1e6);
        if (!checks || checks->size() != rounds) {
            fprintf(stderr, "wrong history\n");
            return 1;
        }
    }
    printf("one link's history (%d checks) among %lld: median %.3f ms, worst %.3f ms\n", rounds, total,
           median(oneLink), *std::max_element(oneLink.begin(), oneLink.end()));

    QList<double> changes;
    QList<double> changesCpu;
    qsizetype changed = 0;
    for (int i = 0; i < 5; ++i) {
        timer.start();
        const double cpuStart = cpuMs();
        changed = store.changes()->size();
        changes.append(timer.nsecsElapsed() / 1e6);
        changesCpu.append(cpuMs() - cpuStart);
    }
    printf("changes of %d links (%lld changed): median %.1f ms, %.1f ms CPU\n", links, qint64(changed),
           median(changes), median(changesCpu));
    timer.start();
    store.latestChecks();
    printf("latest check of every link (what picking the due links reads): %.1f ms\n",
           timer.nsecsElapsed() / 1e6);

    const double openingWith = openingMs();
    printf("opening the %d-link database: %.1f ms without a history, %.1f ms beside %lld checks\n", links,
           openingWithout, openingWith, total);
    return 0;
}
