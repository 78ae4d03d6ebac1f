// What undo costs on a database of 10,000 links: the journal's share of a status change, a delete
// and a move of 1,000 selected links (each as the command runs it in the store, notifications
// recomputed); undoing and redoing each; undoing a replace-import of all 10,000 links; and the
// memory the largest step holds.
// Usage: bench_undo
#include "UndoBenchDatabase.h"
#include "model/CollectionManager.h"
#include "workflow/LinkImporter.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <malloc.h>

namespace {

constexpr int Links = 10000;
constexpr int Selected = 1000;
constexpr int Runs = 25;

QByteArray generatedDatabase()
{
    CollectionManager store;
    fillUndoBenchDatabase(store, Links);
    return store.dataRepresentation();
}

QStringList selection(const CollectionManager &store)
{
    std::vector<TreeNode *> nodes = store.allLinkNodes();
    QRandomGenerator random(7);
    std::shuffle(nodes.begin(), nodes.end(), random);
    QStringList ids;
    for (int i = 0; i < Selected; ++i)
        ids.append(nodes[size_t(i)]->attachmentID());
    return ids;
}

// CPU time of this thread: on a busy machine the time the thread waited for a core is left out.
double milliseconds(const std::function<void()> &work)
{
    timespec start{}, end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    work();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    return double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
}

size_t allocatedBytes()
{
    malloc_trim(0);
    return mallinfo2().uordblks;
}

struct Timings
{
    double plain = 1e18, journalled = 1e18, undo = 1e18, redo = 1e18;
    double overhead = 0; // median over the runs of each run's journalled time against its plain one
};

// Best of many runs, each on a fresh copy of the database: the command without and with the
// journal (closing the entry included), then undoing and redoing it with the notifications that the
// document recomputes after each.
Timings measure(const QByteArray &database, const std::function<void(CollectionManager &)> &command)
{
    Timings t;
    std::vector<double> overheads;
    for (int run = 0; run < Runs; ++run) {
        double plain = 0;
        for (const bool journalled : {false, true}) {
            CollectionManager store;
            store.loadDataRepresentation(database);
            store.computeNotifications();
            store.journal().setRecording(journalled);
            std::unique_ptr<StoreChange> change;
            const double ms = milliseconds([&] {
                command(store);
                change = store.journal().closeEntry();
            });
            if (!journalled) {
                plain = ms;
                t.plain = std::min(t.plain, ms);
                continue;
            }
            overheads.push_back((ms - plain) / plain);
            t.journalled = std::min(t.journalled, ms);
            t.undo = std::min(t.undo, milliseconds([&] {
                                  change->undo(store);
                                  store.computeNotifications();
                              }));
            t.redo = std::min(t.redo, milliseconds([&] {
                                  change->redo(store);
                                  store.computeNotifications();
                              }));
        }
    }
    std::nth_element(overheads.begin(), overheads.begin() + Runs / 2, overheads.end());
    t.overhead = overheads[Runs / 2];
    return t;
}

void report(const char *name, const Timings &t)
{
    std::printf("%-32s best %7.2f ms plain, %7.2f ms journalled; journal %+5.1f %% (median); "
                "undo %6.2f ms, redo %6.2f ms\n",
                name, t.plain, t.journalled, 100.0 * t.overhead, t.undo, t.redo);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QByteArray database = generatedDatabase();
    CollectionManager reference;
    reference.loadDataRepresentation(database);
    const QStringList ids = selection(reference);
    const QString target = reference.categoryRoot()->childAtIndex(5)->attachmentID();
    std::printf("%d links in %d categories, %d selected\n", reference.numberOfLinks(),
                reference.numberOfCategories(), int(ids.size()));

    report("status of 1,000 links",
           measure(database, [&](CollectionManager &s) { s.setStatus(LinkStatusApproved, ids); }));
    report("delete 1,000 links", measure(database, [&](CollectionManager &s) {
               s.deleteLinkNodesWithIDs(ids);
               s.computeNotifications();
           }));
    report("move 1,000 links (drop)", measure(database, [&](CollectionManager &s) {
               s.moveLinksWithIDs(ids, s.categoryNodeWithID(target));
               s.computeNotifications();
           }));

    // The same 10,000 IDs with other contents, imported over the database, replacing every link.
    CollectionManager other;
    other.loadDataRepresentation(database);
    for (TreeNode *node : other.allLinkNodes()) {
        LinkFields f = node->link()->fields();
        f.title = QStringLiteral("Imported ") + f.title;
        f.status = LinkStatusApproved;
        other.editLinkNode(node, f);
    }
    const QByteArray imported = other.dataRepresentation();
    const auto replace = [] { return DuplicateAnswer::Replace; };
    report("replace-import of 10,000 links", measure(database, [&](CollectionManager &s) {
               LinkImporter::importLinksFromData(s, imported, replace);
               s.computeNotifications();
           }));

    // What the step holds: the store after the import with the step kept, less the store after the
    // same import without a journal (whose replaced links were freed).
    size_t withoutJournal = 0, withStep = 0, withUndoneStep = 0;
    {
        CollectionManager store;
        store.loadDataRepresentation(database);
        LinkImporter::importLinksFromData(store, imported, replace);
        withoutJournal = allocatedBytes();
    }
    {
        CollectionManager store;
        store.loadDataRepresentation(database);
        store.journal().setRecording(true);
        LinkImporter::importLinksFromData(store, imported, replace);
        std::unique_ptr<StoreChange> change = store.journal().closeEntry();
        withStep = allocatedBytes();
        change->undo(store);
        withUndoneStep = allocatedBytes();
    }
    std::printf("memory held by the replace-import step: %.1f MB done, %.1f MB undone "
                "(%.0f bytes per replaced link)\n",
                (double(withStep) - double(withoutJournal)) / 1e6,
                (double(withUndoneStep) - double(withoutJournal)) / 1e6,
                (double(withStep) - double(withoutJournal)) / Links);
    return 0;
}
