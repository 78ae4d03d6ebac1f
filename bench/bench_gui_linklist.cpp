// The link list's columns on a 50,000-link category: sorting by each column both ways (a header click,
// until the view is painted), reading the history's columns on the pool, and the memory the further
// columns and the history's facts add to the open window.
// Usage: bench_gui_linklist [links]   (runs offscreen unless a platform is chosen)
#include "ResidentMemory.h"
#include "document/DocumentController.h"
#include "document/FreedMemory.h"
#include "document/LinkHistoryLoader.h"
#include "document/LinkListController.h"
#include "document/MyDocument.h"
#include "document/RecordedChecksCache.h"
#include "gui/MessageBox.h"
#include "gui/RightClickTableView.h"
#include "history/HistoryStore.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/Preferences.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

void generate(CollectionManager &store, int links)
{
    QRandomGenerator random(7);
    const QString big =
        store.addCategoryWithName(QStringLiteral("Everything"), QStringLiteral("all"))->attachmentID();
    const LinkStatus statuses[] = {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved,
                                   LinkStatusBlocked};
    const VerificationResult results[] = {VerificationNotVerified, VerificationSucceeded,
                                          VerificationMarkedVerified, VerificationLinkNotFound,
                                          VerificationNoResponse};
    LinkFields f;
    f.categoryID = big;
    for (int i = 0; i < links; ++i) {
        f.title = QStringLiteral("Partner %1").arg(random.bounded(1000000));
        f.description = QStringLiteral("Site about topic %1").arg(random.bounded(5000));
        f.URL = QStringLiteral("http://www.partner%1.example/").arg(random.bounded(1000000));
        f.counterpartURL = QStringLiteral("http://www.partner%1.example/links.html").arg(i);
        f.contactFirstName = QStringLiteral("Webmaster %1").arg(random.bounded(100));
        f.contactEmail = QStringLiteral("webmaster@partner%1.example").arg(random.bounded(1000000));
        f.status = statuses[random.bounded(4)];
        f.lastVerificationResult = results[random.bounded(5)];
        f.lastVerifiedOn = f.lastVerificationResult == VerificationNotVerified
                               ? QDate()
                               : QDate(2024, 1, 1).addDays(random.bounded(700));
        store.addLinkFromFields(f);
    }
}

// One check of every link, a quarter of them not followed, a tenth lost since.
QList<CheckRecord> checksOf(const CollectionManager &store)
{
    QList<CheckRecord> checks;
    QRandomGenerator random(11);
    int i = 0;
    for (const TreeNode *node : store.categoryWithName(QStringLiteral("Everything"))->children()) {
        CheckRecord check;
        check.linkID = node->attachmentID();
        check.title = node->link()->title();
        check.checkedOn = QDateTime::fromSecsSinceEpoch(1'700'000'000 + random.bounded(5'000'000));
        check.result = VerificationSucceeded;
        check.httpStatus = 200;
        check.addressFound = check.inAnchor = true;
        check.followed = i % 4 != 0;
        if (!check.followed)
            check.rel = QStringList{QStringLiteral("nofollow")};
        check.anchorText = QStringLiteral("Anchor %1").arg(random.bounded(3000));
        check.outcome = CheckOutcome::Linked;
        checks.append(check);
        if (i % 10 == 0) {
            CheckRecord lost = check;
            lost.checkedOn = check.checkedOn.addDays(3);
            lost.result = VerificationLinkNotFound;
            lost.addressFound = lost.inAnchor = lost.followed = false;
            lost.outcome = CheckOutcome::NotLinked;
            lost.confirmed = true;
            checks.append(lost);
        }
        ++i;
    }
    return checks;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    keepFreedMemoryReturnable();
    QApplication app(argc, argv);
    QTemporaryDir folder;
    Preferences::useSettingsFile(folder.filePath(QStringLiteral("settings.ini")));
    MessageBox::setScripted(true);
    DocumentController controller;

    const int links = argc > 1 ? std::max(1, atoi(argv[1])) : 50000;
    const QString path = folder.filePath(QStringLiteral("bench.site"));
    const QString historyPath = HistoryStore::pathForDatabase(path);
    const QString historyAside = historyPath + QStringLiteral(".aside");
    {
        CollectionManager store;
        generate(store, links);
        DatabaseFile::write(store, path);
        HistoryStore history(path);
        history.record(checksOf(store));
    }
    // The window first opens without the history, as the list was before its further columns.
    QFile::rename(historyPath, historyAside);
    {
        MyDocument warm;
        warm.show();
        app.processEvents();
        (void)warm.grab();
    }

    // What stays once the allocator has handed back every freed buffer: figures that do not depend on
    // when the window's own trims ran. Beside it, the bytes the program holds, which no allocator's
    // bookkeeping changes.
    auto settledKilobytes = [] {
#if defined(__GLIBC__)
        malloc_trim(0);
#endif
        return residentKilobytes();
    };
    auto liveKilobytes = [] {
#if defined(__GLIBC__)
        const struct mallinfo2 info = mallinfo2();
        return long((info.uordblks + info.hblkhd) / 1024);
#else
        return 0L;
#endif
    };
    // Until the history thread's replies are gone.
    auto settle = [&app] {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 1000)
            app.processEvents(QEventLoop::WaitForMoreEvents, 20);
    };
    const long settledBefore = settledKilobytes();
    const long liveBefore = liveKilobytes();
    MyDocument *document = controller.openDocument(path);
    LinkListController *list = document->linkListController();
    document->show();
    document->showAndSelectCategoryNode(
        document->collectionManager().categoryWithName(QStringLiteral("Everything")));
    app.processEvents();
    (void)document->grab();
    // The rows are shown; the idle work has not begun (it waits for the rows to be quiet).
    const long settledOpened = settledKilobytes();
    const long liveOpened = liveKilobytes();
    QElapsedTimer timer;
    timer.start();
    while (list->model()->isPreparing() && timer.elapsed() < 20000)
        app.processEvents(QEventLoop::WaitForMoreEvents, 50);
    settle();
    const long settledIdle = settledKilobytes();
    const long liveIdle = liveKilobytes();

    // Then the history is read (on the history thread), as a window that opens on a database with a
    // history reads it: the columns' facts and the views' latest checks; and every column is shown.
    QFile::rename(historyAside, historyPath);
    timer.restart();
    QEventLoop loop;
    QObject::connect(list->model()->historyLoader(), &LinkHistoryLoader::loaded, &loop, &QEventLoop::quit);
    list->model()->loadHistory(path);
    loop.exec();
    const double historyMs = timer.nsecsElapsed() / 1e6;
    QObject::connect(document->recordedChecks(), &RecordedChecksCache::checksChanged, &loop,
                     &QEventLoop::quit);
    document->recordedChecks()->reload(path);
    loop.exec();
    QStringList every;
    for (int column = 0; column < LinkListController::ColumnCount; ++column)
        every.append(LinkRowsModel::columnKey(column));
    list->setColumns(every, std::nullopt);
    app.processEvents();
    (void)document->grab();

    // The idle work follows the new columns' values.
    timer.restart();
    while (list->model()->isPreparing() && timer.elapsed() < 20000)
        app.processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double idleMs = timer.nsecsElapsed() / 1e6;
    settle();
    const long settled = settledKilobytes();
    const long liveWithHistory = liveKilobytes();
    document->selectLinksWithIDs({list->linkIDAtRow(links / 2)});
    QHeaderView *header = document->linksTable()->horizontalHeader();
    std::printf("link list, %d links in one category (history: %lld checks)\n", links,
                (long long)list->model()->historyLoader()->facts().size());
    std::printf("  history's columns read on the pool: %8.1f ms\n", historyMs);
    std::printf("  idle work after the columns show:   %8.1f ms\n", idleMs);
    double worstSort = 0;
    for (int column = 1; column < LinkListController::ColumnCount; ++column) {
        double times[2] = {0, 0};
        for (int way = 0; way < 2; ++way) {
            // The first click sorts up, the second down.
            if (way == 0 && list->sortCriterion() == column)
                emit header->sectionClicked(column);
            timer.restart();
            emit header->sectionClicked(column);
            app.processEvents();
            (void)document->linksTable()->viewport()->grab();
            times[way] = timer.nsecsElapsed() / 1e6;
            worstSort = std::max(worstSort, times[way]);
        }
        std::printf("  sort by %-14s %8.1f ms up, %8.1f ms down\n",
                    qPrintable(LinkListModel::columnTitle(column) + QLatin1Char(':')), times[0], times[1]);
    }
    std::printf("  slowest sort:                       %8.1f ms\n", worstSort);
    // Memory, as the allocator holds it after a trim, and as data the program holds.
    const double window = (settledOpened - settledBefore) / 1024.0;
    auto share = [window](double megabytes) { return window > 0 ? 100.0 * megabytes / window : 0.0; };
    const double idle = (settledIdle - settledOpened) / 1024.0, history = (settled - settledIdle) / 1024.0;
    std::printf("  the window, its rows shown:          %7.1f MB resident, %.1f MB of data\n", window,
                (liveOpened - liveBefore) / 1024.0);
    std::printf("  added by the idle work:              %7.1f MB resident (%.1f %%), %.1f MB of data\n", idle,
                share(idle), (liveIdle - liveOpened) / 1024.0);
    std::printf("  added by the history and its columns: %6.1f MB resident (%.1f %%), %.1f MB of data\n",
                history, share(history), (liveWithHistory - liveIdle) / 1024.0);
    document->setWindowModified(false);
    delete document;
    return 0;
}
