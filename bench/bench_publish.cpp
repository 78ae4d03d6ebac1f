// Times the links page, the spreadsheet text and the printed list on large databases.
#include "model/CollectionManager.h"
#include "publish/HTMLBuilder.h"
#include "publish/LinksPageExporter.h"
#include "publish/PrintPainter.h"
#include "publish/SpreadsheetBuilder.h"

#include <QDate>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>

namespace {

std::unique_ptr<CollectionManager> makeDatabase(int links)
{
    auto store = std::make_unique<CollectionManager>();
    QStringList categoryIDs = {NoneCategoryID};
    for (int c = 1; c < 50; ++c)
        categoryIDs.append(
            store->addCategoryWithName(QStringLiteral("Category %1").arg(c), QStringLiteral("cat%1").arg(c))
                ->attachmentID());
    const LinkStatus statuses[] = {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved,
                                   LinkStatusApproved, LinkStatusBlocked};
    for (int i = 0; i < links; ++i) {
        LinkFields f;
        f.title = QStringLiteral("Partner site number %1 & friends").arg((i * 7919) % links);
        f.categoryID = categoryIDs.at(i % categoryIDs.size());
        f.URL = QStringLiteral("http://www.partner%1.example/links/?ref=%1&lang=en").arg(i);
        f.description = QStringLiteral("Description of partner %1 with <some> markup-like text").arg(i);
        f.counterpartURL = QStringLiteral("http://www.partner%1.example/friends.html").arg(i);
        f.contactFirstName = QStringLiteral("Ann");
        f.contactLastName = QStringLiteral("Example");
        f.contactEmail = QStringLiteral("ann@partner%1.example").arg(i);
        f.status = statuses[i % 5];
        f.lastStatusChangedOn = QDate(2024, 1, 1).addDays(i % 300);
        if (i % 3)
            f.lastVerifiedOn = QDate(2024, 6, 1).addDays(i % 90);
        f.notes = QStringLiteral("Line one\nline two");
        store->addLinkFromFields(f);
    }
    return store;
}

template <typename Work> double bestOf(int runs, Work work)
{
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;

    for (int links : {10000, 50000}) {
        const auto store = makeDatabase(links);
        qsizetype size = 0;
        store->setRenderMode(RenderModeSinglePage);
        const double single = bestOf(5, [&] { size = HTMLBuilder(*store).HTMLForSinglePage().size(); });
        const double singleFile = bestOf(5, [&] {
            LinksPageExporter::exportHTMLWithCollectionManager(*store, dir.filePath("single.html"));
        });
        store->setRenderMode(RenderModePagePerCategory);
        const double perCategoryText = bestOf(5, [&] {
            const HTMLBuilder builder(*store);
            for (const TreeNode *node : store->categoryRoot()->children())
                builder.HTMLForCategoryPageWithCategory(node);
        });
        const double perCategory = bestOf(5, [&] {
            LinksPageExporter::exportHTMLWithCollectionManager(*store, dir.filePath("index.html"));
        });
        qsizetype sheetSize = 0;
        const double sheet = bestOf(5, [&] { sheetSize = SpreadsheetBuilder(*store).string().size(); });
        const double sheetFile = bestOf(5, [&] {
            SpreadsheetBuilder(*store).exportSiteAtPath(dir.filePath("sheet.txt"), TextEncoding::MacOSRoman);
        });
        out << links << " links: single page text " << single << " ms (" << size / 1024 << " KiB), written "
            << singleFile << " ms; per-category pages text " << perCategoryText << " ms, export (50 files) "
            << perCategory << " ms; spreadsheet text " << sheet << " ms (" << sheetSize / 1024
            << " KiB), Mac OS Roman file " << sheetFile << " ms" << Qt::endl;
    }

    const auto store = makeDatabase(10000);
    int pages = 0;
    const double print = bestOf(2, [&] { PrintPainter(*store).pdfData(QPageSize(QPageSize::A4), &pages); });
    out << "print 10000 links: " << pages << " A4 pages in " << print << " ms, "
        << qRound(pages / (print / 1000)) << " pages/s" << Qt::endl;
    return 0;
}
