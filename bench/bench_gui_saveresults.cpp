// Saving the results of a verification of 100 links into a 10,000-link database whose links all show
// in the window: the GUI thread's time from the change to the painted window, the rows the link list
// is told to repaint, and whether the selection, current row and scroll position stay. For comparison
// the same save followed by what every change cost before the lists followed changes row by row: the
// reminders computed a second time and both lists read again.
// Usage: bench_gui_saveresults   (runs offscreen unless a platform is chosen)
#include "document/Document.h"
#include "document/DocumentController.h"
#include "document/LinkListController.h"
#include "document/MyDocument.h"
#include "gui/MessageBox.h"
#include "gui/RightClickTableView.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/Preferences.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void generate(CollectionManager &store, int links)
{
    QRandomGenerator random(11);
    const QString big =
        store.addCategoryWithName(QStringLiteral("Everything"), QStringLiteral("all"))->attachmentID();
    const LinkStatus statuses[] = {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved,
                                   LinkStatusBlocked};
    LinkFields f;
    f.categoryID = big;
    for (int i = 0; i < links; ++i) {
        f.title = QStringLiteral("Partner %1").arg(random.bounded(1000000));
        f.description = QStringLiteral("Site about topic %1").arg(random.bounded(5000));
        f.URL = QStringLiteral("http://www.partner%1.example/").arg(i);
        f.counterpartURL = QStringLiteral("http://www.partner%1.example/links.html").arg(i);
        f.status = statuses[random.bounded(4)];
        f.lastStatusChangedOn = QDate(2024, 1, 1).addDays(random.bounded(400));
        store.addLinkFromFields(f);
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Counts
{
    long changedRows = 0;
    int resets = 0;
    int layouts = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    Preferences::useSettingsFile(folder.filePath(QStringLiteral("settings.ini")));
    MessageBox::setScripted(true);
    DocumentController controller;

    const int links = 10000;
    const int checked = 100;
    const QString path = folder.filePath(QStringLiteral("bench.site"));
    {
        CollectionManager store;
        generate(store, links);
        DatabaseFile::write(store, path);
    }
    MyDocument *window = controller.openDocument(path);
    window->show();
    window->showAndSelectCategoryNode(
        window->collectionManager().categoryWithName(QStringLiteral("Everything")));
    app.processEvents();
    LinkListController *list = window->linkListController();
    RightClickTableView *table = window->linksTable();
    CollectionManager &store = window->collectionManager();
    Document *document = window->document();

    Counts counts;
    const QAbstractItemModel *model = table->model();
    QObject::connect(model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex &from, const QModelIndex &to) {
                         counts.changedRows += to.row() - from.row() + 1;
                     });
    QObject::connect(model, &QAbstractItemModel::modelReset, [&] { ++counts.resets; });
    QObject::connect(model, &QAbstractItemModel::layoutChanged, [&] { ++counts.layouts; });

    QRandomGenerator random(5);
    const VerificationResult results[] = {VerificationSucceeded, VerificationLinkNotFound,
                                          VerificationSucceeded};
    auto save = [&](bool asBefore, Counts *seen, bool *kept) {
        // A link in the middle selected and scrolled to, as a user would have it.
        const QString selected = list->linkIDAtRow(links / 2);
        window->selectLinksWithIDs({selected});
        table->scrollTo(table->currentIndex());
        app.processEvents();
        (void)table->viewport()->grab();
        const int scroll = table->verticalScrollBar()->value();
        QList<std::pair<QString, VerificationResult>> batch;
        for (int i = 0; i < checked; ++i)
            batch.append({list->linkIDAtRow(int(random.bounded(links))), results[random.bounded(3)]});
        counts = Counts();
        QElapsedTimer timer;
        timer.start();
        document->perform(QStringLiteral("Save Verification Results"), [&](DocumentChange &) {
            return store.recordVerificationResults(batch, QDate(2025, 1, 1).addDays(random.bounded(300)));
        });
        if (asBefore) {
            store.computeNotifications();
            window->refreshUI();
            window->selectLinksWithIDs({selected});
        }
        app.processEvents();
        (void)table->viewport()->grab(); // paints what changed
        const double ms = timer.nsecsElapsed() / 1e6;
        *seen = counts;
        *kept = list->linkIDAtRow(table->currentIndex().row()) == selected &&
                window->selectedLinkIDs() == QStringList{selected} &&
                table->verticalScrollBar()->value() == scroll;
        return ms;
    };

    for (const bool asBefore : {true, false}) {
        std::vector<double> times;
        Counts seen;
        bool kept = true;
        for (int round = 0; round < 7; ++round) {
            bool keptNow = false;
            times.push_back(save(asBefore, &seen, &keptNow));
            kept = kept && keptNow;
        }
        std::printf("%s\n", asBefore ? "save, then the lists read again (as every change did before)"
                                     : "save, the lists following row by row");
        std::printf("  GUI thread, change to painted: %8.2f ms median, %.2f best, %.2f worst\n",
                    median(times), *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()));
        std::printf(
            "  rows told changed: %ld, resets: %d, layout changes: %d; selection and scroll kept: %s\n",
            seen.changedRows, seen.resets, seen.layouts, kept ? "yes" : "no");
    }
    window->setWindowModified(false);
    delete window;
    return 0;
}
