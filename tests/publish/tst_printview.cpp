#include "DatabaseBuilder.h"
#include "RecordingPaintDevice.h"

#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/DateTexts.h"
#include "publish/PageFonts.h"
#include "publish/PrintPainter.h"
#include "publish/PrintView.h"

#include <QPainter>
#include <QTest>

namespace {

using Kind = PrintLine::Kind;

QList<Kind> kindsOf(const PrintView &view)
{
    QList<Kind> kinds;
    for (const PrintLine &line : view.lines())
        kinds.append(line.kind);
    return kinds;
}

// Draws one page and returns what was drawn on it.
PageRecord drawn(const PrintPainter &painter, const PrintView &view, int page)
{
    RecordingPaintDevice device(view.paperSize().toSize());
    QPainter p(&device);
    const PageFonts fonts(&device);
    painter.drawPage(p, view, fonts, page);
    p.end();
    return device.record();
}

} // namespace

class TestPrintView : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private slots:
    void linesOfCategoriesWithLinks()
    {
        DatabaseBuilder db;
        db.category("Alpha").link("A1").link("A2", LinkStatusBlocked).link("A3", LinkStatusNew);
        db.category("Beta").link("B1", LinkStatusNegotiating).link("B2");
        db.category("Empty");
        const PrintView view(db.store(), QSizeF(595, 842), 14);
        QCOMPARE(view.numberOfLines(), 8);
        QCOMPARE(kindsOf(view), QList<Kind>({Kind::Category, Kind::Link, Kind::Link, Kind::Link, Kind::Blank,
                                             Kind::Category, Kind::Link, Kind::Link}));
        QCOMPARE(view.lines().at(0).text, QString("Alpha"));
        QCOMPARE(view.lines().at(2).image, PrintIcon::Blocked);
        QCOMPARE(view.lines().at(3).image, PrintIcon::New);
        QCOMPARE(view.lines().at(6).image, PrintIcon::Negotiating);
        QCOMPARE(view.lines().at(7).image, PrintIcon::Approved);
        QCOMPARE(view.lines().at(7).URL, QString("http://www.b2.example/"));
        QCOMPARE(view.numberOfPages(), 1);
    }

    void defaultCategoryPrintsUnderItsName()
    {
        DatabaseBuilder db;
        db.link("Home").category("Other").link("Away");
        const PrintView view(db.store(), QSizeF(595, 842), 14);
        QCOMPARE(view.lines().at(0).text, QString("General"));
        QCOMPARE(view.numberOfLines(), 1 + 2 * 2 - 1 + 1);
    }

    void pagesAndColumns()
    {
        DatabaseBuilder db;
        for (int i = 0; i < 100; ++i)
            db.link(QString("Link %1").arg(i, 3, 10, QChar('0')));
        // 842 − 108 = 734 points; header 3 × 14 = 42, footer 28: (734 − 70) / 14 = 47 lines a page.
        const PrintView view(db.store(), QSizeF(595, 842), 14);
        QCOMPARE(view.linesPerPage(), 47);
        QCOMPARE(view.numberOfLines(), 101);
        QCOMPARE(view.numberOfPages(), 3);
        QCOMPARE(view.firstLineOfPage(3), 94);
        QCOMPARE(view.widthOfColumn(0), 13.0);
        QCOMPARE(view.widthOfColumn(1), (451.0 - 13) * 0.35);
        QCOMPARE(view.widthOfColumn(2), (451.0 - 13) * 0.5);
        QCOMPARE(view.widthOfColumn(3), (451.0 - 13) * 0.15);
        QCOMPARE(view.widthOfColumn(4), 0.0);
        QCOMPARE(view.printArea(), QRectF(72, 54, 451, 734));
    }

    void aDatabaseWithoutLinksPrintsOneEmptyPage()
    {
        CollectionManager store;
        const PrintView view(store, QSizeF(595, 842), 14);
        QCOMPARE(view.numberOfLines(), 0);
        QCOMPARE(view.numberOfPages(), 1);
        const PageRecord page = drawn(PrintPainter(store), view, 1);
        QVERIFY(page.find("Page 1 of 1") && page.find("0 links in database"));
        QVERIFY(page.find("Link") && page.find("URL") && page.find("Last status change date"));
        QCOMPARE(page.lines.size(), size_t(1)); // the header's rule only
        // Tiny paper still has one line a page.
        QCOMPARE(PrintView(store, QSizeF(100, 100), 14).linesPerPage(), 1);
    }

    void pageBreakCanFallAfterACategoryLine()
    {
        DatabaseBuilder db;
        for (int i = 0; i < 46; ++i)
            db.link(QString("Home %1").arg(i, 2, 10, QChar('0')));
        db.category("Next").link("First of next").link("Second of next");
        const PrintView view(db.store(), QSizeF(595, 842), 14);
        // 47 lines: General and 46 links; then the blank and "Next" on page 2.
        QCOMPARE(view.lines().at(size_t(view.firstLineOfPage(2))).kind, Kind::Blank);
        const PageRecord second = drawn(PrintPainter(db.store()), view, 2);
        QVERIFY(second.find("Next") && second.find("First of next"));
        QVERIFY(!second.find("Home 45"));
        QVERIFY(second.find("Page 2 of 2"));
        const PageRecord first = drawn(PrintPainter(db.store()), view, 1);
        QVERIFY(first.find("Home 45") && first.find("Page 1 of 2"));
        // The same date and count on every page.
        const QString today = DateTexts::stringForDate(Clock::today());
        QVERIFY(first.find(today) && second.find(today));
        QVERIFY(first.find("48 links in database") && second.find("48 links in database"));
    }

    void longTextsAreCutToTheirColumns()
    {
        DatabaseBuilder db;
        const QString longTitle = QString("A very long partner site title that never ends ").repeated(3);
        LinkFields f;
        f.title = longTitle;
        f.URL = "http://www." + QString("long").repeated(40) + ".example/";
        f.status = LinkStatusApproved;
        f.lastStatusChangedOn = QDate(2005, 3, 5);
        db.link(f);
        const PrintView view(db.store(), QSizeF(595, 842), 14);
        RecordingPaintDevice device(QSize(595, 842));
        QPainter p(&device);
        const PageFonts fonts(&device);
        PrintPainter(db.store()).drawPage(p, view, fonts, 1);
        p.end();
        const PageRecord &page = device.record();
        const PageRecord::Text *title = nullptr, *url = nullptr;
        for (const PageRecord::Text &text : page.texts) {
            if (text.text.startsWith("A very long"))
                title = &text;
            if (text.text.startsWith("http://www.long"))
                url = &text;
        }
        QVERIFY(title && url);
        QVERIFY(title->text.endsWith("...") && url->text.endsWith("..."));
        QVERIFY(fonts.width(fonts.plainFont(), title->text) <= view.widthOfColumn(1) - 2 + 0.01);
        // The title ends before the URL column starts.
        QVERIFY(title->baseline.x() + fonts.width(fonts.plainFont(), title->text) < url->baseline.x());
        QVERIFY(qAbs(url->baseline.x() - (72 + 13 + view.widthOfColumn(1))) < 0.02);
        // The date is never cut and ends at the right edge.
        const PageRecord::Text *date = page.find(DateTexts::shortStringForDate(QDate(2005, 3, 5)));
        QVERIFY(date);
        QVERIFY(qAbs(date->baseline.x() + fonts.width(fonts.plainFont(), date->text) - (72 + 451)) < 0.02);
    }

    void categoryLinesAreBoldWithAHeavyRule()
    {
        DatabaseBuilder db;
        db.category("Heading").link("Entry");
        const PrintView view(db.store(), QSizeF(595, 842), 14);
        const PageRecord page = drawn(PrintPainter(db.store()), view, 1);
        QVERIFY(page.find("Heading")->font.bold());
        QVERIFY(!page.find("Entry")->font.bold());
        // Header rule, category rule, link rule, each across the whole print area.
        QCOMPARE(page.lines.size(), size_t(3));
        QCOMPARE(page.lines.at(1).width, 1.0);
        QCOMPARE(page.lines.at(2).width, 0.25);
        QCOMPARE(page.lines.at(1).line.x1(), 72.0);
        QCOMPARE(page.lines.at(1).line.x2(), 72.0 + 451);
    }

    void aLinkWithAnUnknownStatusStillPrints()
    {
        DatabaseBuilder db;
        db.link("Odd one", '9');
        const PrintView view(db.store(), QSizeF(595, 842), 14);
        QCOMPARE(view.lines().at(1).kind, Kind::Link);
        QCOMPARE(view.lines().at(1).image, PrintIcon::None);
        QVERIFY(drawn(PrintPainter(db.store()), view, 1).find("Odd one"));
    }

    void pdfHasOnePagePerPrintedPage()
    {
        DatabaseBuilder db;
        for (int i = 0; i < 120; ++i)
            db.link(QString("Link %1").arg(i));
        int pages = 0;
        const QByteArray pdf = PrintPainter(db.store()).pdfData(QPageSize(QPageSize::A4), &pages);
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(pages >= 2);
        QCOMPARE(int(pdf.count("/Type /Page\n")), pages);
    }
};

QTEST_MAIN(TestPrintView)
#include "tst_printview.moc"
