// Publishing from the document window: the print preview of the link list on 10,000 links (open
// until the first page is shown, pages drawn by then, a jump to the last page), the statistics
// sheet on 50,000 links (open until the chart is painted), and the links page setup sheet on
// 50,000 links (open, then a switch through all eight styles).
// Usage: bench_gui_publishing   (runs offscreen unless a platform is chosen)
#include "document/DocumentController.h"
#include "document/DocumentMenus.h"
#include "document/MyDocument.h"
#include "document/PublishCommands.h"
#include "document/ReportCommands.h"
#include "gui/MessageBox.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/Preferences.h"
#include "publish/PageSource.h"
#include "publish/ui/HTMLSetupDialogController.h"
#include "publish/ui/PrintPreviewDialogController.h"
#include "publish/ui/PrintPreviewView.h"
#include "publish/ui/StatisticsDialogController.h"
#include "publish/ui/StatisticsView.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPageSize>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// `links` links spread over `categories` categories, every status and verification result.
void generate(CollectionManager &store, int links, int categories)
{
    QRandomGenerator random(11);
    QStringList ids;
    for (int c = 0; c < categories; ++c)
        ids.append(
            store.addCategoryWithName(QStringLiteral("Category %1").arg(c), QStringLiteral("c%1").arg(c))
                ->attachmentID());
    const LinkStatus statuses[] = {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved,
                                   LinkStatusBlocked};
    LinkFields f;
    for (int i = 0; i < links; ++i) {
        f.categoryID = ids.at(i % categories);
        f.title = QStringLiteral("Partner site number %1").arg(random.bounded(1000000));
        f.description = QStringLiteral("A site about topic %1").arg(random.bounded(5000));
        f.URL = QStringLiteral("http://www.partner%1.example/").arg(i);
        f.status = statuses[random.bounded(4)];
        f.type = random.bounded(2) ? LinkTypeSent : LinkTypeReceived;
        f.lastStatusChangedOn = QDate(2024, 1, 1).addDays(random.bounded(400));
        store.addLinkFromFields(f);
    }
}

QString writeDatabase(const QTemporaryDir &folder, const QString &name, int links, int categories)
{
    const QString path = folder.filePath(name);
    CollectionManager store;
    generate(store, links, categories);
    DatabaseFile::write(store, path);
    return path;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double worst(const std::vector<double> &values)
{
    return *std::max_element(values.begin(), values.end());
}

// Runs the event loop until `done` holds (or a minute has passed).
template <class Done> void waitFor(Done done)
{
    QElapsedTimer limit;
    limit.start();
    while (!done() && limit.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
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
    QElapsedTimer timer;

    // --- Print preview, 10,000 links
    MyDocument *document = controller.openDocument(writeDatabase(folder, "preview.site", 10000, 60));
    document->show();
    app.processEvents();
    ReportCommands *reports = document->commandArea<ReportCommands>();
    reports->printer().setPageSize(QPageSize(QPageSize::A4));
    const int pages = reports->linkListPages()->pageCount();

    std::vector<double> opens, jumps;
    int paintedAtFirst = 0;
    for (int round = 0; round < 7; ++round) {
        bool firstShown = false;
        timer.start();
        document->menus()->action(ActionId::PrintPreview)->trigger();
        PrintPreviewDialogController *preview = reports->printPreviewDialog();
        PrintPreviewView *view = preview->view();
        QObject::connect(view, &PrintPreviewView::pagePainted, [&firstShown](int page) {
            if (page == 1)
                firstShown = true;
        });
        waitFor([&] { return firstShown; });
        opens.push_back(timer.nsecsElapsed() / 1e6);
        paintedAtFirst = int(view->paintedPages().size());

        bool lastShown = false;
        QObject::connect(view, &PrintPreviewView::pagePainted, [&lastShown, pages](int page) {
            if (page == pages)
                lastShown = true;
        });
        timer.restart();
        view->lastPage();
        waitFor([&] { return lastShown; });
        jumps.push_back(timer.nsecsElapsed() / 1e6);
        preview->reject();
        app.processEvents();
    }
    timer.restart();
    const QByteArray all = reports->linkListPages()->pdfData();
    const double allPagesMs = timer.nsecsElapsed() / 1e6;
    document->close();
    app.processEvents();

    // --- Statistics and the setup sheet, 50,000 links
    document = controller.openDocument(writeDatabase(folder, "statistics.site", 50000, 200));
    document->show();
    app.processEvents();
    std::vector<double> statistics;
    for (int round = 0; round < 7; ++round) {
        timer.restart();
        document->menus()->action(ActionId::ShowStatistics)->trigger();
        StatisticsDialogController *sheet = document->commandArea<ReportCommands>()->statisticsDialog();
        (void)sheet->statisticsView()->grab(); // the chart painted
        app.processEvents();
        statistics.push_back(timer.nsecsElapsed() / 1e6);
        sheet->reject();
        app.processEvents();
    }

    std::vector<double> setups, switches;
    for (int round = 0; round < 7; ++round) {
        timer.restart();
        document->menus()->action(ActionId::HTMLSetup)->trigger();
        HTMLSetupDialogController *sheet = document->commandArea<PublishCommands>()->HTMLSetupDialog();
        app.processEvents();
        setups.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        for (int tag = 2; tag <= 8; ++tag)
            sheet->selectStyle(tag);
        sheet->selectStyle(1);
        switches.push_back(timer.nsecsElapsed() / 1e6 / 8);
        sheet->cancel();
        app.processEvents();
    }
    document->close();

    std::printf("print preview, 10,000 links in 60 categories: %d A4 pages\n", pages);
    std::printf("  open until the first page is shown: %8.1f ms median, %.1f worst (%zu opens)\n",
                median(opens), worst(opens), opens.size());
    std::printf("  pages drawn by then:                %8d of %d\n", paintedAtFirst, pages);
    std::printf("  jump to the last page, painted:     %8.1f ms median, %.1f worst\n", median(jumps),
                worst(jumps));
    std::printf("  (all pages drawn, as a PDF:         %8.1f ms, %lld kB)\n", allPagesMs,
                qint64(all.size() / 1024));
    std::printf("statistics sheet, 50,000 links\n");
    std::printf("  open until the chart is painted:    %8.1f ms median, %.1f worst\n", median(statistics),
                worst(statistics));
    std::printf("links page setup sheet, 50,000 links\n");
    std::printf("  open:                               %8.2f ms median, %.2f worst\n", median(setups),
                worst(setups));
    std::printf("  switch to another style:            %8.3f ms median, %.3f worst\n", median(switches),
                worst(switches));
    return 0;
}
