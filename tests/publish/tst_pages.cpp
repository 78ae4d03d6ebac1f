// The printed pages (the link list, the statistics chart) and where a preview places them; what a
// page shows and where is recorded by a paint engine rather than read back from a PDF.
#include "DatabaseBuilder.h"

#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/DateTexts.h"
#include "publish/LinkListPages.h"
#include "publish/PageFonts.h"
#include "publish/PreviewLayout.h"
#include "publish/PrintPainter.h"
#include "publish/PrintView.h"
#include "publish/Statistics.h"
#include "publish/StatisticsChartPainter.h"
#include "publish/StatisticsPages.h"

#include <QBuffer>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>
#include <QTextItem>

namespace {

// What was drawn on a page: texts and lines in device points.
struct PageRecord
{
    struct Text
    {
        QString text;
        QPointF baseline;
        QFont font;
    };
    struct Line
    {
        QLineF line;
        qreal width;
    };

    const Text *find(const QString &text, bool prefix = false) const
    {
        const auto it = std::find_if(texts.begin(), texts.end(), [&](const Text &t) {
            return prefix ? t.text.startsWith(text) : t.text == text;
        });
        return it == texts.end() ? nullptr : &*it;
    }

    std::vector<Text> texts;
    std::vector<Line> lines;
};

class RecordingPaintEngine : public QPaintEngine
{
public:
    RecordingPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    Type type() const override { return QPaintEngine::User; }
    void drawTextItem(const QPointF &p, const QTextItem &textItem) override
    {
        record.texts.push_back({textItem.text(), state->transform().map(p), textItem.font()});
    }
    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            record.lines.push_back({state->transform().map(lines[i]), state->pen().widthF()});
    }
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}

    PageRecord record;
};

// A 72 dpi image whose engine records instead of painting.
class RecordingPaintDevice : public QImage
{
public:
    explicit RecordingPaintDevice(const QSize &size) : QImage(size, QImage::Format_RGB32)
    {
        setDotsPerMeterX(2835);
        setDotsPerMeterY(2835);
    }
    QPaintEngine *paintEngine() const override { return &m_engine; }
    const PageRecord &record() const { return m_engine.record; }

private:
    mutable RecordingPaintEngine m_engine;
};

using Kind = PrintLine::Kind;

// Draws one page of the link list on A4 and returns what was drawn on it.
PageRecord drawn(const CollectionManager &store, const PrintView &view, int page)
{
    RecordingPaintDevice device(QSize(595, 842));
    QPainter painter(&device);
    PrintPainter(store).drawPage(painter, view, PageFonts(&device), page);
    painter.end();
    return device.record();
}

QList<float> valuesOf(const QList<NameValuePair> &pairs)
{
    QList<float> values;
    for (const NameValuePair &pair : pairs)
        values.append(pair.value());
    return values;
}

LinkFields linkWith(LinkStatus status, LinkType type, VerificationResult result)
{
    LinkFields f;
    f.title = QStringLiteral("Link");
    f.status = status;
    f.type = type;
    f.lastVerificationResult = result;
    return f;
}

// A colour at 30 % over white, as the chart shows it, give or take 2 in each channel.
bool isOverWhite(QColor actual, int red, int green, int blue)
{
    auto mix = [](int c) { return qRound(255 * 0.7 + c * 0.3); };
    return qAbs(actual.red() - mix(red)) <= 2 && qAbs(actual.green() - mix(green)) <= 2 &&
           qAbs(actual.blue() - mix(blue)) <= 2;
}

// The chart alone on a white image of 400 × 200: the pie is the square (1, 10) to (181, 190).
QImage chartImage(const QList<float> &numbers,
                  const QList<QColor> &colors = Statistics::colorsForView(Statistics::LinkStatuses))
{
    QList<NameValuePair> pairs;
    for (float number : numbers)
        pairs.append(NameValuePair(QStringLiteral("slice"), number));
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    StatisticsChartPainter::drawPieChartWithNumbers(painter, QRectF(0, 0, 400, 200), pairs, colors, QFont());
    return image;
}

// The pixel at `degrees` clockwise from 12 o'clock, at 70 % of the radius.
QColor pieColorAt(const QImage &image, qreal degrees)
{
    const qreal radians = qDegreesToRadians(degrees);
    return image.pixelColor(
        (QPointF(91, 100) + QPointF(std::sin(radians), -std::cos(radians)) * 63).toPoint());
}

int pdfPages(const QByteArray &pdf)
{
    return int(pdf.count("/Type /Page\n"));
}

} // namespace

class TestPages : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private slots:
    void linesOfCategoriesWithLinksOrNone()
    {
        DatabaseBuilder db;
        db.link("Home").category("Alpha").link("A1").link("A2", LinkStatusBlocked).link("A3", LinkStatusNew);
        db.category("Beta").link("B1", LinkStatusNegotiating).link("B2").link("Odd one", '9');
        db.category("Empty");
        const PrintView view(db.store(), QSizeF(595, 842), 14);
        QCOMPARE(view.lines().size(), size_t(12));
        const QList<Kind> kinds{Kind::Category, Kind::Link, Kind::Blank, Kind::Category,
                                Kind::Link,     Kind::Link, Kind::Link,  Kind::Blank,
                                Kind::Category, Kind::Link, Kind::Link,  Kind::Link};
        const QList<QPair<size_t, PrintIcon>> icons{{4, PrintIcon::Approved},
                                                    {5, PrintIcon::Blocked},
                                                    {6, PrintIcon::New},
                                                    {9, PrintIcon::Negotiating},
                                                    {11, PrintIcon::None}};
        for (int i = 0; i < 12; ++i)
            QCOMPARE(view.lines().at(size_t(i)).kind, kinds.at(i));
        for (const auto &[line, icon] : icons)
            QCOMPARE(view.lines().at(line).image, icon);
        QCOMPARE(view.lines().at(0).text, QString("General"));
        QCOMPARE(view.lines().at(3).text, QString("Alpha"));
        QCOMPARE(view.lines().at(10).URL, QString("http://www.b2.example/"));
        QCOMPARE(view.numberOfPages(), 1);
        QVERIFY(drawn(db.store(), view, 1).find("Odd one")); // an unknown status still prints

        // A database without links prints one page with the header.
        CollectionManager store;
        const PrintView empty(store, QSizeF(595, 842), 14);
        QCOMPARE(empty.numberOfLines(), 0);
        QCOMPARE(empty.numberOfPages(), 1);
        const PageRecord page = drawn(store, empty, 1);
        QVERIFY(page.find("Page 1 of 1") && page.find("0 links in database"));
        QVERIFY(page.find("Link") && page.find("URL") && page.find("Last status change date"));
        QCOMPARE(page.lines.size(), size_t(1)); // the header's rule only
        // Tiny paper still has one line a page.
        QCOMPARE(PrintView(store, QSizeF(100, 100), 14).linesPerPage(), 1);
    }

    void pagesColumnsAndABreakAfterACategoryLine()
    {
        DatabaseBuilder db;
        for (int i = 0; i < 46; ++i)
            db.link(QString("Home %1").arg(i, 2, 10, QChar('0')));
        db.category("Next").link("First of next").link("Second of next");
        // 842 − 108 = 734 points; header 3 × 14 = 42, footer 28: (734 − 70) / 14 = 47 lines a page.
        const PrintView view(db.store(), QSizeF(595, 842), 14);
        QCOMPARE(view.linesPerPage(), 47);
        QCOMPARE(view.numberOfLines(), 51);
        QCOMPARE(view.numberOfPages(), 2);
        QCOMPARE(view.firstLineOfPage(2), 47);
        const QList<qreal> widths{13.0, (451.0 - 13) * 0.35, (451.0 - 13) * 0.5, (451.0 - 13) * 0.15, 0.0};
        for (int column = 0; column < widths.size(); ++column)
            QCOMPARE(view.widthOfColumn(column), widths.at(column));
        QCOMPARE(view.printArea(), QRectF(72, 54, 451, 734));

        // General and 46 links on page 1; the blank and "Next" on page 2.
        QCOMPARE(view.lines().at(47).kind, Kind::Blank);
        const PageRecord first = drawn(db.store(), view, 1);
        const PageRecord second = drawn(db.store(), view, 2);
        QVERIFY(second.find("Next") && second.find("First of next") && !second.find("Home 45"));
        QVERIFY(first.find("Home 45") && first.find("Page 1 of 2") && second.find("Page 2 of 2"));
        // The same date and count on every page.
        const QString today = DateTexts::stringForDate(Clock::today());
        QVERIFY(first.find(today) && second.find(today));
        QVERIFY(first.find("48 links in database") && second.find("48 links in database"));
    }

    void textsAreCutToTheirColumnsAndCategoriesAreBold()
    {
        DatabaseBuilder db;
        LinkFields f;
        f.title = QString("A very long partner site title that never ends ").repeated(3);
        f.URL = "http://www." + QString("long").repeated(40) + ".example/";
        f.status = LinkStatusApproved;
        f.lastStatusChangedOn = QDate(2005, 3, 5);
        db.category("Heading").link(f);
        const PrintView view(db.store(), QSizeF(595, 842), 14);
        const PageRecord page = drawn(db.store(), view, 1);
        RecordingPaintDevice device(QSize(595, 842));
        const PageFonts fonts(&device);
        const PageRecord::Text *title = page.find("A very long", true);
        const PageRecord::Text *url = page.find("http://www.long", true);
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

        // Category lines are bold with a heavy rule, links have a thin one, across the print area.
        QVERIFY(page.find("Heading")->font.bold() && !title->font.bold());
        QCOMPARE(page.lines.size(), size_t(3)); // and the header's rule
        QCOMPARE(page.lines.at(1).width, 1.0);
        QCOMPARE(page.lines.at(2).width, 0.25);
        QCOMPARE(page.lines.at(1).line,
                 QLineF(72, page.lines.at(1).line.y1(), 72 + 451, page.lines.at(1).line.y1()));
    }

    void linkListPrintsItsPagesAndRanges()
    {
        DatabaseBuilder db;
        for (int i = 0; i < 200; ++i)
            db.link(QString("Link %1").arg(i));
        QPdfWriter metrics(QStringLiteral("/dev/null"));
        const LinkListPages pages(db.store(), QSizeF(595, 842), &metrics);
        int printed = 0;
        const QByteArray pdf = PrintPainter(db.store()).pdfData(QPageSize(QPageSize::A4), &printed);
        QCOMPARE(pdfPages(pdf), printed);
        QCOMPARE(printed, pages.pageCount());
        auto printedPages = [&](int from, int to) {
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
        QCOMPARE(printedPages(3, 0), 1 + pages.pageCount() - 3); // from 3 to the end
        QCOMPARE(printedPages(99, 120), 1);                      // past the end: the last page
    }

    void previewLayoutFindsThePagesInSight()
    {
        PreviewLayout layout(QSizeF(600, 800), 266);
        layout.setScale(0.5); // pages of 300 × 400 pixels, 416 apart
        layout.setViewWidth(500);
        QCOMPARE(layout.pageRect(1), QRectF(100, PreviewLayout::Margin, 300, 400));
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

    void distributionsCountEverySlice()
    {
        CollectionManager empty;
        QCOMPARE(valuesOf(Statistics::latestVerificationResults(empty)),
                 QList<float>({0, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(valuesOf(Statistics::linkStatusDistribution(empty)), QList<float>({0, 0, 0, 0}));
        QCOMPARE(valuesOf(Statistics::originalRequestDistribution(empty)), QList<float>({0, 0}));
        QCOMPARE(Statistics::latestVerificationResults(empty).at(2).name(),
                 QString("Links page URL not specified"));

        DatabaseBuilder db;
        db.link(linkWith(LinkStatusApproved, LinkTypeReceived, VerificationSucceeded))
            .link(linkWith(LinkStatusApproved, LinkTypeSent, VerificationMarkedVerified))
            .category("Other")
            .link(linkWith(LinkStatusNew, LinkTypeSent, VerificationNoResponse))
            .link(linkWith(LinkStatusNegotiating, LinkTypeSent, VerificationNoLinksPageURL))
            .link(linkWith(LinkStatusBlocked, LinkTypeReceived, VerificationNotVerified))
            .link(linkWith(LinkStatusBlocked, LinkTypeSent, VerificationLinkNotFound))
            .link(linkWith(LinkStatusApproved, LinkTypeSent, VerificationLinksPageNotLoaded))
            // Codes outside the tables are left out, but for an unknown status, which counts as New.
            .link(linkWith('7', 'Z', '9'));
        const CollectionManager &store = db.store();
        // A hand approval is counted apart from a check that found the link; without the history no
        // link is known to be found but not followed.
        QCOMPARE(valuesOf(Statistics::latestVerificationResults(store)),
                 QList<float>({1, 1, 1, 1, 1, 1, 1, 0}));
        QCOMPARE(Statistics::latestVerificationResults(store).at(6).name(),
                 QString("Marked as verified (no check)"));
        QCOMPARE(valuesOf(Statistics::linkStatusDistribution(store)), QList<float>({2, 1, 3, 2}));
        QCOMPARE(valuesOf(Statistics::originalRequestDistribution(store)), QList<float>({2, 5}));
        QCOMPARE(Statistics::distributionForView(store, 1), Statistics::linkStatusDistribution(store));
        QVERIFY(Statistics::distributionForView(store, 3).isEmpty());
        QCOMPARE(Statistics::colorsForView(0).size(), 8);
        QCOMPARE(Statistics::colorsForView(0).at(5).alpha(), 0);

        const QList<std::tuple<const char *, float, float, const char *>> legends{
            {"New", 3, 7, "New (3, 42.9 %)"},
            {"Sent", 0, 0, "Sent (0, 0.0 %)"},
            {"50%2 off", 2, 4, "50%2 off (2, 50.0 %)"}}; // a label is inserted as it stands
        for (const auto &[name, value, total, text] : legends)
            QCOMPARE(Statistics::legendStringForNameValuePair(NameValuePair(name, value), total),
                     QString(text));
    }

    void pieSlicesGoClockwiseWithTheLegendBeside()
    {
        // 1 : 0 : 2 : 1 gives 0-90 blue, nothing orange, 90-270 green, 270-360 red.
        const QImage image = chartImage({1, 0, 2, 1});
        QVERIFY(isOverWhite(pieColorAt(image, 45), 0, 139, 211));
        QVERIFY(isOverWhite(pieColorAt(image, 100), 56, 158, 56));
        QVERIFY(isOverWhite(pieColorAt(image, 260), 56, 158, 56));
        QVERIFY(isOverWhite(pieColorAt(image, 315), 194, 29, 32));

        const QImage whole = chartImage({0, 0, 4, 0});
        for (qreal angle : {0.0, 91.0, 180.0, 269.0})
            QVERIFY(isOverWhite(pieColorAt(whole, angle), 56, 158, 56));
        // No line from the centre: the full circle is not a slice.
        QVERIFY(isOverWhite(whole.pixelColor(91, 60), 56, 158, 56));

        const QImage empty = chartImage({0, 0});
        QCOMPARE(pieColorAt(empty, 45), QColor(Qt::white));
        QVERIFY(empty.pixelColor(91, 10).lightness() < 200); // the outline at 12 o'clock
        // More numbers than colours: nothing at all.
        const QImage nothing = chartImage({1, 1}, {Qt::red});
        QVERIFY(nothing.pixelColor(91, 10) == QColor(Qt::white) &&
                pieColorAt(nothing, 45) == QColor(Qt::white));

        // The legend is centred on the pie.
        const QImage four = chartImage({1, 1, 1, 1});
        int top = four.height(), bottom = -1;
        for (int y = 0; y < four.height(); ++y) {
            for (int x = 200; x < four.width(); ++x) {
                if (four.pixelColor(x, y).saturation() > 40) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        // Four 12-point squares 36 apart: 120 points from the first top to the last bottom.
        QVERIFY2(qAbs((bottom + 1 - top) - 120) <= 2, qPrintable(QString("%1 %2").arg(top).arg(bottom)));
        QVERIFY(qAbs((top + bottom + 1) / 2.0 - 100) <= 1.5);
    }

    void statisticsPageHasHeaderChartAndFooterUpright()
    {
        DatabaseBuilder db;
        SiteProfileTexts profile;
        profile.title = "Quiet Trails";
        db.store().setSiteProfile(profile);
        db.link("Only one");
        const StatisticsChartPainter chart(db.store(), Statistics::LinkStatuses);
        RecordingPaintDevice device(QSize(595, 842));
        QPainter painter(&device);
        const PageFonts fonts(&device);
        chart.drawPage(painter, QSizeF(595, 842), fonts);
        painter.end();
        const PageRecord &page = device.record();
        const PageRecord::Text *count = page.find("1 link in database");
        const PageRecord::Text *number = page.find("Page 1 of 1");
        const PageRecord::Text *legend = page.find("Approved (1, 100.0 %)");
        QVERIFY(count && number && legend && page.find("Link Status Distribution"));
        QVERIFY(page.find(DateTexts::stringForDate(Clock::today())));
        // The footer sits on the bottom of the print area (842 − 54), the page number flush right.
        QVERIFY(count->baseline.y() < 788 && count->baseline.y() > 780);
        QVERIFY(number->baseline.x() > 400 && number->baseline.x() < 523);
        // The title is above the chart area, which starts under the header.
        QVERIFY(page.find("Quiet Trails")->baseline.y() < 54 + fonts.headerHeight());
        QVERIFY(legend->baseline.y() > 54 + fonts.headerHeight());

        // One portrait page, whatever the paper's orientation (printed through the window in
        // tst_reportcommands, which keeps the printer's own).
        QCOMPARE(StatisticsPages(db.store(), 1, QSizeF(842, 595)).paperSize(), QSizeF(595, 842));
        const QByteArray a4 = chart.pagePdfData(QPageSize(QPageSize::A4));
        QCOMPARE(pdfPages(a4), 1);
        QVERIFY(a4.contains("/MediaBox [0 0 595.000000 842.000000]"));
        QVERIFY(chart.pdfData(QSizeF(400, 200)).contains("/MediaBox [0 0 400.000000 200.000000]"));
    }
};

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
