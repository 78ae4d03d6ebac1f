#include "DatabaseBuilder.h"

#include "publish/ClipboardWriter.h"
#include "publish/ExportTexts.h"
#include "publish/LinkListPages.h"
#include "publish/PreviewLayout.h"
#include "publish/StatisticsPages.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QPdfWriter>
#include <QTest>
#include <memory>

// The pieces behind the publishing commands that need no window: the names and messages of the
// export panels, the pages of the printed link list and chart, and where a preview places them.
class TestPublishPages : public QObject
{
    Q_OBJECT

private:
    static int pdfPages(const QByteArray &pdf) { return int(pdf.count("/Type /Page\n")); }

private slots:
    void proposedNamesAndMessages()
    {
        QCOMPARE(ExportTexts::proposedSpreadsheetName(QDate(2007, 3, 5)),
                 QString("Links Database 03-05-2007"));
        QCOMPARE(ExportTexts::proposedSpreadsheetName(QDate(2024, 12, 31)),
                 QString("Links Database 12-31-2024"));
        QCOMPARE(ExportTexts::filesCreatedMessage(1), QString("1 file was created."));
        QCOMPARE(ExportTexts::filesCreatedMessage(4), QString("4 files were created."));
        QCOMPARE(ExportTexts::linksExportedMessage(1), QString("1 link was exported."));
        QCOMPARE(ExportTexts::linksExportedMessage(0), QString("0 links were exported."));
        QCOMPARE(ExportTexts::fileNameFromTitle("Marsh / Meadow", "Links"), QString("Marsh - Meadow"));
        QCOMPARE(ExportTexts::fileNameFromTitle("..hidden", "Links"), QString("hidden"));
        QCOMPARE(ExportTexts::fileNameFromTitle("  ", "Links"), QString("Links"));
    }

    void extensionsAreAddedWhenMissing()
    {
        using ExportTexts::pathWithExtension;
        QCOMPARE(pathWithExtension("/out/index", "html"), QString("/out/index.html"));
        QCOMPARE(pathWithExtension("/out/index.html", "html"), QString("/out/index.html"));
        QCOMPARE(pathWithExtension("/out/INDEX.HTML", "html"), QString("/out/INDEX.HTML"));
        QCOMPARE(pathWithExtension("/out/index.htm", "html", {"htm"}), QString("/out/index.htm"));
        QCOMPARE(pathWithExtension("/out/index.php", "html"), QString("/out/index.php.html"));
        QCOMPARE(pathWithExtension("/out/links.", "txt"), QString("/out/links.txt"));
        QCOMPARE(pathWithExtension("/out.d/links", "txt"), QString("/out.d/links.txt"));
        QCOMPARE(pathWithExtension(QString(), "txt"), QString());
    }

    void pageCopiesCarryTheirHTML()
    {
        const QString body = "<TABLE>\n<A href=\"x\">Kestrel &amp; Co</A></TABLE>\n";
        std::unique_ptr<QMimeData> page(ClipboardWriter::mimeDataForPage(body));
        QCOMPARE(page->text(), body);
        QCOMPARE(page->html(), body);
        QVERIFY(page->hasFormat("text/rtf"));
        std::unique_ptr<QMimeData> text(ClipboardWriter::mimeDataForText(body));
        QVERIFY(!text->hasHtml());
    }

    void previewLayoutFindsThePagesInSight()
    {
        PreviewLayout layout(QSizeF(600, 800), 266);
        layout.setScale(0.5); // pages of 300 × 400 pixels, 416 apart
        layout.setViewWidth(500);
        QCOMPARE(layout.pageRect(1), QRectF(100, PreviewLayout::Margin, 300, 400));
        QCOMPARE(layout.pageRect(3).top(), PreviewLayout::Margin + 2 * 416.0);
        QCOMPARE(layout.contentSize().height(),
                 2 * PreviewLayout::Margin + 266 * 400.0 + 265 * PreviewLayout::Gap);

        // A view of 500 pixels at the top shows pages 1 and 2.
        QCOMPARE(layout.firstVisiblePage(QRectF(0, 0, 500, 500)), 1);
        QCOMPARE(layout.lastVisiblePage(QRectF(0, 0, 500, 500)), 2);
        // Its top in the gap after page 10: page 10 is out of sight.
        const qreal gapTop = layout.pageRect(10).bottom() + 2;
        QCOMPARE(layout.firstVisiblePage(QRectF(0, gapTop, 500, 300)), 11);
        QCOMPARE(layout.lastVisiblePage(QRectF(0, gapTop, 500, 300)), 11);
        // At the end: the last page, never one past it.
        const qreal end = layout.contentSize().height();
        QCOMPARE(layout.lastVisiblePage(QRectF(0, end - 300, 500, 300)), 266);
        QCOMPARE(layout.firstVisiblePage(QRectF(0, end - 300, 500, 300)), 266);
        QCOMPARE(layout.pageAt(layout.pageRect(100).center().y()), 100);
        QCOMPARE(layout.pageAt(-50), 1);
        QCOMPARE(layout.pageAt(end + 50), 266);

        QCOMPARE(layout.scaleToFitWidth(632), 1.0);
        QCOMPARE(layout.scaleToFitPage(QSizeF(632, 432)), 0.5);
        layout.setScale(100);
        QCOMPARE(layout.scale(), PreviewLayout::MaximumScale);
    }

    void linkListPagesFollowTheLines()
    {
        DatabaseBuilder db;
        db.category("Alpha").link("A1").link("A2").link("A3");
        db.category("Beta").link("B1").link("B2");
        db.category("Empty");
        QPdfWriter metrics(QStringLiteral("/dev/null"));
        const LinkListPages small(db.store(), QSizeF(595, 842), &metrics);
        QCOMPARE(small.view().numberOfLines(), 8);
        QCOMPARE(small.pageCount(), 1);

        DatabaseBuilder big;
        for (int c = 0; c < 40; ++c) {
            big.category(QString("Category %1").arg(c));
            for (int i = 0; i < 250; ++i)
                big.link(QString("Partner %1-%2").arg(c).arg(i));
        }
        const LinkListPages pages(big.store(), QSizeF(595, 842), &metrics);
        const int lines = 10000 + 2 * 40 - 1;
        QCOMPARE(pages.view().numberOfLines(), lines);
        QCOMPARE(pages.pageCount(), (lines + pages.view().linesPerPage() - 1) / pages.view().linesPerPage());
        QCOMPARE(pages.jobTitle(), big.store().selfInfo().title());
    }

    void printingHonoursThePageRange()
    {
        DatabaseBuilder db;
        for (int i = 0; i < 200; ++i)
            db.link(QString("Link %1").arg(i));
        QPdfWriter metrics(QStringLiteral("/dev/null"));
        const LinkListPages pages(db.store(), QSizeF(595, 842), &metrics);
        QVERIFY(pages.pageCount() >= 4);
        QCOMPARE(pdfPages(pages.pdfData()), pages.pageCount());

        auto printed = [&](int from, int to) {
            QByteArray pdf;
            QBuffer buffer(&pdf);
            buffer.open(QIODevice::WriteOnly);
            {
                QPdfWriter writer(&buffer);
                writer.setPageLayout(
                    QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
                if (!pages.print(writer, from, to))
                    return -1;
            }
            return pdfPages(pdf);
        };
        QCOMPARE(printed(2, 3), 2);
        QCOMPARE(printed(3, 0), 1 + pages.pageCount() - 3); // from 3 to the end
        QCOMPARE(printed(99, 120), 1);                      // past the end: the last page
    }

    void statisticsPrintOnOnePortraitPage()
    {
        DatabaseBuilder db;
        db.link("One").link("Two", LinkStatusNew);
        const StatisticsPages landscape(db.store(), 1, QSizeF(842, 595));
        QCOMPARE(landscape.paperSize(), QSizeF(595, 842));
        QCOMPARE(landscape.pageCount(), 1);
        QCOMPARE(landscape.jobTitle(), QString("%1 Statistics").arg(db.store().selfInfo().title()));
        QCOMPARE(pdfPages(landscape.pdfData()), 1);

        // The chart is printed upright; the printer keeps the orientation it had.
        QPdfWriter writer(QStringLiteral("/dev/null"));
        writer.setPageOrientation(QPageLayout::Landscape);
        QVERIFY(landscape.print(writer));
        QCOMPARE(writer.pageLayout().orientation(), QPageLayout::Landscape);
    }
};

QTEST_MAIN(TestPublishPages)
#include "tst_publishpages.moc"
