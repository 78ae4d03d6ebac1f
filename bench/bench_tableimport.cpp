// Importing a table of 50,000 partners (the fourteen columns of the export, comma-separated, in
// twenty categories): into an empty database, into one that already holds 50,000 other links, and
// with --update over one that holds the same 50,000 addresses. Each figure is the median of five
// runs of read + plan + apply, the store's journal recording as in a document window.
//
// usage: bench_tableimport [TABLE]   (with a file: the peak memory of reading that table alone)
#include "model/CollectionManager.h"
#include "model/CsvText.h"
#include "workflow/TableImporter.h"
#include "workflow/TableReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int Rows = 50000;

QByteArray makeTable(const QString &host, int statusShift = 0)
{
    QString text =
        CsvText::line({"Link", "Category", "Description", "URL", "Links Page URL", "My Category",
                       "Contact First Name", "Contact Last Name", "Contact E-mail", "Original Request",
                       "Status", "Last Status Changed On", "Last Verified On", "Notes"});
    const QString statuses[] = {"New", "Negotiating", "Approved", "Blocked"};
    for (int i = 0; i < Rows; ++i) {
        const QString url = QStringLiteral("http://www.%1%2.example/").arg(host).arg(i);
        text += CsvText::line(
            {QStringLiteral("Partner %1").arg((i * 7919) % Rows),
             i % 20 == 0 ? QString() : QStringLiteral("Category %1").arg(i % 20),
             QStringLiteral("A partner site about things, number %1").arg(i), url,
             url + QStringLiteral("links.html"), QStringLiteral("Friends"), QStringLiteral("Ann"),
             QStringLiteral("Lee"), QStringLiteral("ann@%1%2.example").arg(host).arg(i),
             i % 3 ? QStringLiteral("Received") : QStringLiteral("Sent"), statuses[(i + statusShift) % 4],
             QStringLiteral("03/05/2024"), i % 2 ? QStringLiteral("2024-04-01") : QString(),
             QStringLiteral("Met at the fair.\nWants a banner.")});
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

// Wall-clock phases, and the processor time of the whole import: on a shared machine the wall clock
// also counts the time other programs had the processor.
struct Phases
{
    double read = 0, plan = 0, apply = 0, cpu = 0;
    double total() const { return read + plan + apply; }
};

Phases importOnce(const QByteArray &data, const QByteArray &database, bool update)
{
    CollectionManager store;
    if (!database.isEmpty())
        store.loadDataRepresentation(database);
    store.journal().setRecording(true);
    Phases p;
    const std::clock_t cpuStart = std::clock();
    QElapsedTimer timer;
    timer.start();
    const std::optional<Table> table = TableReader::read(data);
    p.read = timer.nsecsElapsed() / 1e6;
    timer.restart();
    TableImporter importer(store, *table, TableColumns::mappingOfHeaders(table->headers), update);
    p.plan = timer.nsecsElapsed() / 1e6;
    timer.restart();
    importer.apply(store);
    store.journal().closeEntry();
    p.apply = timer.nsecsElapsed() / 1e6;
    p.cpu = double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC;
    if (importer.counts().added + importer.counts().updated != Rows)
        std::fprintf(stderr, "unexpected counts: %d added, %d updated\n", importer.counts().added,
                     importer.counts().updated);
    return p;
}

Phases median(const QByteArray &data, const QByteArray &database, bool update)
{
    std::vector<Phases> runs;
    for (int i = 0; i < 5; ++i)
        runs.push_back(importOnce(data, database, update));
    std::sort(runs.begin(), runs.end(),
              [](const Phases &a, const Phases &b) { return a.total() < b.total(); });
    return runs[runs.size() / 2];
}

QByteArray databaseFrom(const QByteArray &table)
{
    CollectionManager store;
    const std::optional<Table> read = TableReader::read(table);
    TableImporter(store, *read, TableColumns::mappingOfHeaders(read->headers), false).apply(store);
    return store.dataRepresentation();
}

void print(const char *what, const Phases &p)
{
    std::printf("%-40s %7.1f ms wall (read %.1f, plan %.1f, apply %.1f), %7.1f ms processor\n", what,
                p.total(), p.read, p.plan, p.apply, p.cpu);
}

// The memory that reading one table file takes: the peak of this process above what it held before.
int measureReading(const QString &path)
{
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    FileError error;
    const std::optional<Table> table = TableReader::readFile(path, {}, &error);
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    const double fileMB = QFileInfo(path).size() / 1048576.0;
    const double peakMB = (after.ru_maxrss - before.ru_maxrss) / 1024.0;
    std::printf(
        "%s: %.1f MB, %s; reading took at most %.0f MB, %.1f times the file\n", qPrintable(path), fileMB,
        table ? qPrintable(QStringLiteral("%1 rows").arg(table->rows.size())) : qPrintable(error.text()),
        peakMB, peakMB / fileMB);
    return 0;
}

} // namespace

// With a file: only the memory that reading that table takes.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 1)
        return measureReading(QString::fromLocal8Bit(argv[1]));
    const QByteArray table = makeTable(QStringLiteral("partner"));
    const QByteArray others = databaseFrom(makeTable(QStringLiteral("other")));
    // The same addresses with other statuses, so every row changes its link.
    const QByteArray same = databaseFrom(makeTable(QStringLiteral("partner"), 1));
    std::printf("%d rows, %.1f MB of CSV\n", Rows, table.size() / 1e6);
    print("into an empty database", median(table, QByteArray(), false));
    print("into 50,000 other links", median(table, others, false));
    print("--update over the same 50,000 addresses", median(table, same, true));
    return 0;
}
