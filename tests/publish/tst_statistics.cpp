#include "DatabaseBuilder.h"
#include "RecordingPaintDevice.h"

#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/DateTexts.h"
#include "publish/PageFonts.h"
#include "publish/Statistics.h"
#include "publish/StatisticsChartPainter.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

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

// A colour at 30 % over white, as the chart shows it.
QColor overWhite(int red, int green, int blue)
{
    auto mix = [](int c) { return qRound(255 * 0.7 + c * 0.3); };
    return QColor(mix(red), mix(green), mix(blue));
}

bool near(QColor actual, QColor expected)
{
    return qAbs(actual.red() - expected.red()) <= 2 && qAbs(actual.green() - expected.green()) <= 2 &&
           qAbs(actual.blue() - expected.blue()) <= 2;
}

// The chart alone on a white image of 400 × 200: the pie is the square (1, 10) to (181, 190).
QImage chartImage(const QList<NameValuePair> &numbers, const QList<QColor> &colors)
{
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    StatisticsChartPainter::drawPieChartWithNumbers(painter, QRectF(0, 0, 400, 200), numbers, colors,
                                                    QFont());
    return image;
}

// The pixel at `degrees` clockwise from 12 o'clock, at 70 % of the radius.
QColor pieColorAt(const QImage &image, qreal degrees)
{
    const QPointF centre(1 + 90, 10 + 90);
    const qreal radians = qDegreesToRadians(degrees);
    const QPointF p = centre + QPointF(std::sin(radians), -std::cos(radians)) * 63;
    return image.pixelColor(p.toPoint());
}

} // namespace

class TestStatistics : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private slots:
    void distributionsKeepEverySlice()
    {
        CollectionManager empty;
        QCOMPARE(valuesOf(Statistics::latestVerificationResults(empty)), QList<float>({0, 0, 0, 0, 0, 0}));
        QCOMPARE(valuesOf(Statistics::linkStatusDistribution(empty)), QList<float>({0, 0, 0, 0}));
        QCOMPARE(valuesOf(Statistics::originalRequestDistribution(empty)), QList<float>({0, 0}));
        QCOMPARE(Statistics::latestVerificationResults(empty).at(2).name(),
                 QString("Links page URL not specified"));
        QCOMPARE(Statistics::latestVerificationResults(empty).at(5).name(), QString("Not verified"));
        QCOMPARE(Statistics::originalRequestDistribution(empty).at(1).name(), QString("Sent"));
    }

    void distributionsCountEveryCategory()
    {
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
        QCOMPARE(valuesOf(Statistics::latestVerificationResults(store)), QList<float>({2, 1, 1, 1, 1, 1}));
        QCOMPARE(valuesOf(Statistics::linkStatusDistribution(store)), QList<float>({2, 1, 3, 2}));
        QCOMPARE(valuesOf(Statistics::originalRequestDistribution(store)), QList<float>({2, 5}));
        QCOMPARE(Statistics::distributionForView(store, 1), Statistics::linkStatusDistribution(store));
        QVERIFY(Statistics::distributionForView(store, 3).isEmpty());
        QCOMPARE(Statistics::colorsForView(0).size(), 6);
        QCOMPARE(Statistics::colorsForView(0).at(5).alpha(), 0);
    }

    void legendTexts()
    {
        const auto legend = [](const char *name, float value, float total) {
            return Statistics::legendStringForNameValuePair(NameValuePair(name, value), total);
        };
        QCOMPARE(legend("New", 3, 7), QString("New (3, 42.9 %)"));
        QCOMPARE(legend("Sent", 0, 0), QString("Sent (0, 0.0 %)"));
        QCOMPARE(legend("All", 5, 5), QString("All (5, 100.0 %)"));
        QCOMPARE(legend("One", 1, 3), QString("One (1, 33.3 %)"));
        // A label is inserted as it stands.
        QCOMPARE(legend("50%2 off", 2, 4), QString("50%2 off (2, 50.0 %)"));
    }

    void quartersFollowTheOrderOfTheSlices()
    {
        // 1 : 0 : 2 : 1 gives 0-90 blue, nothing orange, 90-270 green, 270-360 red.
        const QImage image = chartImage(
            {NameValuePair("a", 1), NameValuePair("b", 0), NameValuePair("c", 2), NameValuePair("d", 1)},
            Statistics::colorsForView(Statistics::LinkStatuses));
        QVERIFY(near(pieColorAt(image, 45), overWhite(0, 139, 211)));
        QVERIFY(near(pieColorAt(image, 100), overWhite(56, 158, 56)));
        QVERIFY(near(pieColorAt(image, 260), overWhite(56, 158, 56)));
        QVERIFY(near(pieColorAt(image, 315), overWhite(194, 29, 32)));
    }

    void aWholeCircleAndAnEmptyOne()
    {
        const QList<QColor> colors = Statistics::colorsForView(Statistics::LinkStatuses);
        const QImage whole = chartImage(
            {NameValuePair("a", 0), NameValuePair("b", 0), NameValuePair("c", 4), NameValuePair("d", 0)},
            colors);
        for (qreal angle : {0.0, 91.0, 180.0, 269.0})
            QVERIFY(near(pieColorAt(whole, angle), overWhite(56, 158, 56)));
        // No line from the centre: the full circle is not a slice.
        QVERIFY(near(whole.pixelColor(91, 60), overWhite(56, 158, 56)));

        const QImage empty = chartImage({NameValuePair("a", 0), NameValuePair("b", 0)}, colors);
        QCOMPARE(pieColorAt(empty, 45), QColor(Qt::white));
        QVERIFY(empty.pixelColor(91, 10).lightness() < 200); // the outline at 12 o'clock
        // More numbers than colours: nothing at all.
        const QImage nothing = chartImage({NameValuePair("a", 1), NameValuePair("b", 1)}, {Qt::red});
        QVERIFY(nothing.pixelColor(91, 10) == QColor(Qt::white) &&
                pieColorAt(nothing, 45) == QColor(Qt::white));
    }

    void legendIsCentredOnThePie()
    {
        const QImage image = chartImage(
            {NameValuePair("a", 1), NameValuePair("b", 1), NameValuePair("c", 1), NameValuePair("d", 1)},
            Statistics::colorsForView(Statistics::LinkStatuses));
        int top = image.height(), bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 200; x < image.width(); ++x) {
                if (image.pixelColor(x, y).saturation() > 40) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        // Four 12-point squares 36 apart: 120 points from the first top to the last bottom.
        QVERIFY2(qAbs((bottom + 1 - top) - 120) <= 2, qPrintable(QString("%1 %2").arg(top).arg(bottom)));
        QVERIFY(qAbs((top + bottom + 1) / 2.0 - 100) <= 1.5);
    }

    void printedPageHasHeaderChartAndFooter()
    {
        DatabaseBuilder db;
        SiteProfileTexts profile;
        profile.title = "Quiet Trails";
        db.store().setSiteProfile(profile);
        db.link("Only one");
        const StatisticsChartPainter chart(db.store(), Statistics::LinkStatuses);
        QCOMPARE(chart.printJobTitle(), QString("Quiet Trails Statistics"));

        RecordingPaintDevice device(QSize(595, 842));
        QPainter painter(&device);
        const PageFonts fonts(&device);
        chart.drawPage(painter, QSizeF(595, 842), fonts);
        painter.end();
        const PageRecord &page = device.record();
        QVERIFY(page.find("Quiet Trails") && page.find("Link Status Distribution"));
        QVERIFY(page.find(DateTexts::stringForDate(Clock::today())));
        const PageRecord::Text *count = page.find("1 link in database");
        const PageRecord::Text *number = page.find("Page 1 of 1");
        QVERIFY(count && number);
        QVERIFY(page.find(QString("Approved (1, 100.0 %)")));
        // The footer sits on the bottom of the print area (842 − 54), the page number flush right.
        QVERIFY(count->baseline.y() < 788 && count->baseline.y() > 780);
        QVERIFY(number->baseline.x() > 400 && number->baseline.x() < 523);
        // The title is above the chart area, which starts under the header.
        QVERIFY(page.find("Quiet Trails")->baseline.y() < 54 + fonts.headerHeight());
        QVERIFY(page.find(QString("Approved (1, 100.0 %)"))->baseline.y() > 54 + fonts.headerHeight());
    }

    void pdfOutputsHaveOnePortraitPage()
    {
        DatabaseBuilder db;
        db.link("A").link("B", LinkStatusBlocked);
        const StatisticsChartPainter chart(db.store(), Statistics::OriginalRequests);
        const QByteArray page = chart.pagePdfData(QPageSize(QPageSize::A4));
        QVERIFY(page.startsWith("%PDF"));
        QCOMPARE(page.count("/Type /Page\n"), 1);
        QVERIFY(page.contains("/MediaBox [0 0 595.000000 842.000000]"));
        const QByteArray copy = chart.pdfData(QSizeF(400, 200));
        QVERIFY(copy.startsWith("%PDF") && copy.contains("/MediaBox [0 0 400.000000 200.000000]"));
        QCOMPARE(chart.image(QSize(300, 150), 2).size(), QSize(600, 300));
    }
};

QTEST_MAIN(TestStatistics)
#include "tst_statistics.moc"
