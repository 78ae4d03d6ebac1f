// Notification recomputation and one search that matches only the last link of the window order,
// for 10,000 links in one category and 50,000 links in 20 categories; the 50k/10k ratios show
// whether both grow linearly. The sort-then-scan search is timed beside the linear walk.
#include "model/CollectionManager.h"
#include "model/NotificationComputer.h"
#include "workflow/LinkFinder.h"
#include "workflow/LinkImporter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

const QString LastTitle = QStringLiteral("Zz the very last partner");

// Statuses and dates mixed so that every kind of reminder occurs; titles in random order.
void generate(CollectionManager &store, int links, int categories)
{
    QRandomGenerator random(42);
    QList<QString> ids;
    ids.append(NoneCategoryID);
    for (int i = 1; i < categories; ++i)
        ids.append(store
                       .addCategoryWithName(QStringLiteral("Category %1").arg(i, 2, 10, QChar(u'0')),
                                            QStringLiteral("c%1").arg(i))
                       ->attachmentID());
    const LinkStatus statuses[] = {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved,
                                   LinkStatusBlocked};
    const VerificationResult results[] = {VerificationSucceeded, VerificationNoResponse,
                                          VerificationLinkNotFound};
    LinkFields f;
    for (int i = 0; i < links; ++i) {
        f.categoryID = ids[i % categories];
        f.title = i == links - 1 ? LastTitle : QStringLiteral("Partner %1").arg(random.bounded(1000000));
        f.URL = QStringLiteral("http://www.partner%1.example/").arg(i);
        f.description = QStringLiteral("A partner site about things number %1").arg(i);
        f.status = statuses[random.bounded(4)];
        f.lastStatusChangedOn = QDate(2024, 1, 1).addDays(random.bounded(200));
        f.lastVerifiedOn = QDate(2024, 1, 1).addDays(random.bounded(200));
        f.lastVerificationResult = results[random.bounded(3)];
        store.addLinkFromFields(f);
    }
}

// Evicts the links from the processor caches, as after an hour of other work.
void flushCaches()
{
    static std::vector<char> junk(size_t(96) << 20);
    for (size_t i = 0; i < junk.size(); i += 64)
        junk[i] = char(junk[i] + 1);
}

// Median time of `runs` calls of `work`, each after `prepare` (not timed).
template <typename P, typename F> double medianOf(int runs, P &&prepare, F &&work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void removeNotifications(CollectionManager &store)
{
    for (TreeNode *node : store.allLinkNodes())
        delete node->firstChild();
}

struct Result
{
    double firstNotifications = 0;
    double notifications = 0;
    double coldNotifications = 0;
    double find = 0;
    double coldFind = 0;
    double sortThenScan = 0;
    double importIntoEmpty = 0;
    double importReplacingAll = 0;
};

Result measure(int links, int categories)
{
    CollectionManager store;
    {
        // Saved and opened again, so the records lie in memory as in a database the user opened.
        CollectionManager generated;
        generate(generated, links, categories);
        store.loadDataRepresentation(generated.dataRepresentation());
    }
    const QDate today(2024, 9, 1);
    auto nothing = [] {};
    auto compute = [&] { NotificationComputer::computeNotifications(store, today); };
    Result r;
    r.firstNotifications = medianOf(
        7, [&] { removeNotifications(store); }, compute);
    r.notifications = medianOf(9, nothing, compute);
    r.coldNotifications = medianOf(7, flushCaches, compute);

    const QList<SearchCriterion> criteria{
        SearchCriterion(SearchCriterion::Title, SearchCriterion::TextIs, LastTitle)};
    const TreeNode *found = nullptr;
    auto find = [&] { found = LinkFinder::findLinkWithSearchCriteria(store, criteria, false, nullptr, 1); };
    r.find = medianOf(9, nothing, find);
    r.coldFind = medianOf(7, flushCaches, find);
    const TreeNode *lastCategory = store.categoryRoot()->children().back();
    if (!found || found->parent() != lastCategory || found->link()->title() != LastTitle)
        std::fprintf(stderr, "the search did not find the last link\n");
    // For comparison: sorting each category, then scanning (every sorted list is built).
    r.sortThenScan =
        medianOf(5, nothing, [&] { LinkFinder::findAllLinksWithSearchCriteria(store, criteria, false, 1); });

    // Importing the database's own file: into an empty database, and into itself replacing every link.
    const QByteArray file = store.dataRepresentation();
    std::unique_ptr<CollectionManager> empty;
    r.importIntoEmpty = medianOf(
        3, [&] { empty = std::make_unique<CollectionManager>(); },
        [&] { LinkImporter::importLinksFromData(*empty, file, nullptr); });
    r.importReplacingAll = medianOf(3, nothing, [&] {
        LinkImporter::importLinksFromData(store, file, [] { return DuplicateAnswer::Replace; });
    });
    return r;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const Result small = measure(10000, 1);
    const Result large = measure(50000, 20);
    std::printf("%-52s %10s %10s %7s\n", "median, ms", "10k/1 cat", "50k/20 cat", "ratio");
    auto row = [](const char *name, double a, double b) {
        std::printf("%-52s %10.2f %10.2f %7.2f\n", name, a, b, b / a);
    };
    row("computeNotifications, building every container", small.firstNotifications, large.firstNotifications);
    row("computeNotifications, again (warm caches)", small.notifications, large.notifications);
    row("computeNotifications, again (cold caches)", small.coldNotifications, large.coldNotifications);
    row("findLinkWithSearchCriteria, last link (warm)", small.find, large.find);
    row("findLinkWithSearchCriteria, last link (cold)", small.coldFind, large.coldFind);
    row("for comparison: sort every category, then scan", small.sortThenScan, large.sortThenScan);
    row("importLinks of its own file into an empty database", small.importIntoEmpty, large.importIntoEmpty);
    row("importLinks of its own file, replacing every link", small.importReplacingAll,
        large.importReplacingAll);
    return 0;
}
