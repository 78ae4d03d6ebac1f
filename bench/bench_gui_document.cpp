// The document window on a 10,000-link database: opening until painted, re-sorting by a column
// click, selecting a link (details refill), and the memory the open window takes.
// Usage: bench_gui_document   (runs offscreen unless a platform is chosen)
#include "ResidentMemory.h"
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
#include <QFile>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// All links in one category, so that one click sorts all 10,000; a few other categories beside it.
void generate(CollectionManager &store, int links)
{
    QRandomGenerator random(7);
    const QString big =
        store.addCategoryWithName(QStringLiteral("Everything"), QStringLiteral("all"))->attachmentID();
    for (int i = 0; i < 9; ++i)
        store.addCategoryWithName(QStringLiteral("Other %1").arg(i), QStringLiteral("o%1").arg(i));
    const LinkStatus statuses[] = {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved,
                                   LinkStatusBlocked};
    LinkFields f;
    f.categoryID = big;
    for (int i = 0; i < links; ++i) {
        f.title = QStringLiteral("Partner %1").arg(random.bounded(1000000));
        f.description = QStringLiteral("Site about topic %1").arg(random.bounded(5000));
        f.URL = QStringLiteral("http://www.partner%1.example/").arg(i);
        f.counterpartURL = QStringLiteral("http://www.partner%1.example/links.html").arg(i);
        f.contactFirstName = QStringLiteral("Webmaster");
        f.contactEmail = QStringLiteral("webmaster@partner%1.example").arg(i);
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

double best(const std::vector<double> &values)
{
    return *std::min_element(values.begin(), values.end());
}

double worst(const std::vector<double> &values)
{
    return *std::max_element(values.begin(), values.end());
}

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
    const QString path = folder.filePath(QStringLiteral("bench.site"));
    {
        CollectionManager store;
        generate(store, links);
        DatabaseFile::write(store, path);
    }
    // Warm up fonts, styles and icons once, so the measurement is the document's own work.
    {
        MyDocument warm;
        warm.show();
        app.processEvents();
        (void)warm.grab();
    }

    const long before = residentKilobytes();
    QElapsedTimer timer;
    timer.start();
    MyDocument *document = controller.openDocument(path);
    document->show();
    app.processEvents();
    (void)document->grab(); // paints the whole window
    const double openMs = timer.nsecsElapsed() / 1e6;
    const long after = residentKilobytes();

    // Show the big category, one link selected, then click each column header in turn.
    document->showAndSelectCategoryNode(
        document->collectionManager().categoryWithName(QStringLiteral("Everything")));
    LinkListController *list = document->linkListController();
    document->selectLinksWithIDs({list->linkIDAtRow(links / 2)});
    QHeaderView *header = document->linksTable()->horizontalHeader();
    std::vector<double> sorts;
    for (int round = 0; round < 5; ++round) {
        for (int column = 0; column < LinkListController::ColumnCount; ++column) {
            timer.restart();
            emit header->sectionClicked(column);
            app.processEvents();
            sorts.push_back(timer.nsecsElapsed() / 1e6);
        }
    }

    std::vector<double> selections;
    QRandomGenerator random(3);
    for (int i = 0; i < 200; ++i) {
        const QString id = list->linkIDAtRow(int(random.bounded(links)));
        timer.restart();
        document->selectLinksWithIDs({id});
        selections.push_back(timer.nsecsElapsed() / 1e6);
    }

    std::vector<double> refreshes;
    for (int i = 0; i < 5; ++i) {
        timer.restart();
        document->collectionManager().computeNotifications();
        document->refreshUI();
        refreshes.push_back(timer.nsecsElapsed() / 1e6);
    }

    std::printf("document window, %d links in one category\n", links);
    std::printf("  open until painted:          %8.1f ms\n", openMs);
    std::printf("  re-sort by a column click:   %8.2f ms median, %.2f best, %.2f worst (%zu clicks)\n",
                median(sorts), best(sorts), worst(sorts), sorts.size());
    std::printf("  select a link + details:     %8.3f ms median, %.3f best, %.3f worst (%zu selections)\n",
                median(selections), best(selections), worst(selections), selections.size());
    std::printf("  recompute + refresh window:  %8.2f ms median, %.2f best\n", median(refreshes),
                best(refreshes));
    std::printf("  memory of the open window:   %8.1f MB resident (%ld kB before, %ld kB after)\n",
                (after - before) / 1024.0, before, after);
    document->setWindowModified(false);
    delete document;
    return 0;
}
