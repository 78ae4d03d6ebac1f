// The link list's filter bar and views on a 50,000-link category: the GUI thread's time from a
// keystroke in the filter field (or a click on a view) to the painted window, with the counts of the
// views and the status line brought up to date. A third of the links carry a checked result. Then the
// time All Links takes to open over them.
// Usage: bench_gui_views   (runs offscreen unless a platform is chosen)
#include "ResidentMemory.h"
#include "document/DocumentController.h"
#include "document/LinkFilterBar.h"
#include "document/LinkListController.h"
#include "document/MyDocument.h"
#include "gui/MessageBox.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/Preferences.h"
#include "model/TreeNode.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTabBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void generate(CollectionManager &store, int links)
{
    QRandomGenerator random(7);
    const QString big =
        store.addCategoryWithName(QStringLiteral("Everything"), QStringLiteral("all"))->attachmentID();
    const LinkStatus statuses[] = {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved,
                                   LinkStatusBlocked};
    const VerificationResult results[] = {VerificationSucceeded, VerificationLinkNotFound,
                                          VerificationNoResponse, VerificationMarkedVerified};
    LinkFields f;
    f.categoryID = big;
    for (int i = 0; i < links; ++i) {
        f.title = QStringLiteral("Partner %1").arg(random.bounded(1000000));
        f.description = QStringLiteral("Site about topic %1 with café and garden").arg(random.bounded(5000));
        f.URL = QStringLiteral("http://www.partner%1.example/").arg(i);
        f.counterpartURL = QStringLiteral("http://www.partner%1.example/links.html").arg(i);
        f.contactFirstName = QStringLiteral("Jürgen");
        f.contactEmail = QStringLiteral("webmaster@partner%1.example").arg(i);
        f.notes = QStringLiteral("Asked on %1").arg(i);
        f.status = statuses[random.bounded(4)];
        f.lastStatusChangedOn = QDate(2024, 1, 1).addDays(random.bounded(400));
        f.lastVerifiedOn = random.bounded(3) == 0 ? QDate(2024, 1, 1).addDays(random.bounded(400)) : QDate();
        f.lastVerificationResult =
            f.lastVerifiedOn.isValid() ? results[random.bounded(4)] : VerificationNotVerified;
        store.addLinkFromFields(f);
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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

    const int links = 50000;
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
    LinkFilterBar *bar = window->filterBar();
    QElapsedTimer timer;
    // A user looks at the list before typing: the idle work (the filter's texts, the columns' ranks)
    // runs meanwhile.
    timer.start();
    while (window->linkListController()->model()->isPreparing() && timer.elapsed() < 20000)
        app.processEvents(QEventLoop::WaitForMoreEvents, 50);
    std::printf("idle work after the list is shown: %.0f ms\n", timer.nsecsElapsed() / 1e6);
    // What the filter and the views keep of each row (prepared texts, the views' facts) is made as they
    // are first used: the resident memory before and after tells its size.
    const long shown = residentKilobytes();

    // Typing "partner 12 cafe" a key at a time, then deleting it again a key at a time.
    const QString typed = QStringLiteral("partner 12 cafe");
    std::vector<double> keys;
    for (int round = 0; round < 2; ++round) {
        for (qsizetype n = 1; n <= typed.size(); ++n) {
            timer.start();
            bar->field()->setText(typed.left(n));
            app.processEvents();
            keys.push_back(timer.nsecsElapsed() / 1e6);
        }
        for (qsizetype n = typed.size() - 1; n >= 0; --n) {
            timer.start();
            bar->field()->setText(typed.left(n));
            app.processEvents();
            keys.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    std::printf("filter keystroke, %d links: median %.1f ms, worst %.1f ms, first %.1f ms (%zu keys)\n",
                links, median(keys), *std::max_element(keys.begin(), keys.end()), keys.front(), keys.size());

    std::vector<double> views;
    for (int round = 0; round < 3; ++round) {
        for (int index = 0; index < bar->viewBar()->count(); ++index) {
            timer.start();
            bar->viewBar()->setCurrentIndex((index + 1) % bar->viewBar()->count());
            app.processEvents();
            views.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    std::printf("switching views, %d links: median %.1f ms, worst %.1f ms (%zu switches)\n", links,
                median(views), *std::max_element(views.begin(), views.end()), views.size());
    std::printf("rows shown at the end: %d of %d\n", window->linkListController()->rowCount(), links);
    std::printf("resident memory: %.1f MB with the list shown, %.1f MB after filtering and the views\n",
                shown / 1024.0, residentKilobytes() / 1024.0);

    // Opening All Links (every link, sorted by the list's column) from the category, until painted.
    bar->clear();
    app.processEvents();
    TreeNode *everything = window->collectionManager().categoryWithName(QStringLiteral("Everything"));
    std::vector<double> opens;
    for (int round = 0; round < 5; ++round) {
        window->showAndSelectCategoryNode(everything);
        app.processEvents();
        timer.start();
        window->showAllLinks();
        app.processEvents();
        (void)window->grab();
        opens.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("opening All Links, %d links: median %.1f ms, worst %.1f ms (%zu opens, %d rows)\n", links,
                median(opens), *std::max_element(opens.begin(), opens.end()), opens.size(),
                window->linkListController()->rowCount());
    window->setWindowModified(false);
    delete window;
    return 0;
}
