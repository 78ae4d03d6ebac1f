#include "StatisticsChartPainter.h"

#include "ClipboardWriter.h"
#include "PageFonts.h"
#include "Statistics.h"

#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/DateTexts.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace {

constexpr qreal OutlineWidth = 0.5;
constexpr qreal LegendSquare = 12;
constexpr qreal LegendGap = 6;
constexpr qreal LegendRowDistance = 36;
constexpr qreal ChartHeight = 250;

QFont screenLegendFont()
{
    QFont font = QGuiApplication::font();
    font.setPointSizeF(11); // the desktop's small size
    return font;
}

} // namespace

StatisticsChartPainter::StatisticsChartPainter(const CollectionManager &collectionManager, int view,
                                               const RecordedChecks &recorded)
    : m_collectionManager(collectionManager), m_selectedView(view), m_recorded(recorded)
{}

// ---------------------------------------------------------------- geometry

QPainterPath StatisticsChartPainter::bezierPathWithPieInSquare(const QRectF &square, qreal startAngle,
                                                               qreal delta)
{
    // Qt counts angles counter-clockwise from 3 o'clock; 12 o'clock clockwise is 90 minus the angle.
    QPainterPath path;
    path.moveTo(square.center());
    path.arcTo(square, 90.0 - startAngle, -delta);
    path.closeSubpath();
    return path;
}

QRectF StatisticsChartPainter::printAreaForPaperSize(const QSizeF &paperSize)
{
    return QRectF(72, 54, paperSize.width() - 144, paperSize.height() - 108);
}

QRectF StatisticsChartPainter::chartAreaForPrintArea(const QRectF &printArea, qreal headerHeight)
{
    return QRectF(printArea.x(), printArea.y() + headerHeight, printArea.width(), ChartHeight);
}

// ---------------------------------------------------------------- the chart

void StatisticsChartPainter::drawPieChartWithNumbers(QPainter &painter, const QRectF &area,
                                                     const QList<NameValuePair> &numbers,
                                                     const QList<QColor> &colors, const QFont &legendFont)
{
    if (numbers.size() > colors.size())
        return;
    double total = 0;
    for (const NameValuePair &pair : numbers)
        total += pair.value();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal x = area.x(), y = area.y(), w = area.width(), h = area.height();
    const QRectF square(x + 1, y + 0.05 * h, 0.9 * h, 0.9 * h);
    painter.setPen(QPen(Qt::black, OutlineWidth));

    if (total > 0) {
        qreal start = 0;
        for (qsizetype i = 0; i < numbers.size(); ++i) {
            const qreal sweep = numbers.at(i).value() / total * 360.0;
            if (sweep == 360.0) {
                painter.setBrush(colors.at(i));
                painter.drawEllipse(square);
                break;
            }
            if (sweep > 0) {
                const QPainterPath slice = bezierPathWithPieInSquare(square, start, sweep);
                painter.fillPath(slice, colors.at(i));
                painter.strokePath(slice, painter.pen());
                start += sweep;
            }
        }
    } else {
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(square);
    }

    // The legend: one row per slice, 36 apart, the block centred on the pie and in the space right of it.
    const QFontMetricsF metrics(legendFont, painter.device());
    QStringList texts;
    qreal widest = 0;
    for (const NameValuePair &pair : numbers) {
        texts.append(Statistics::legendStringForNameValuePair(pair, total));
        widest = std::max(widest, metrics.horizontalAdvance(texts.constLast()));
    }
    const qreal blockWidth = LegendSquare + LegendGap + widest;
    const qreal left = x + h + ((w - h) - blockWidth) / 2;
    const qreal firstTop = y + h / 2 - 18 * numbers.size() + LegendSquare;
    painter.setFont(legendFont);
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        const qreal top = firstTop + LegendRowDistance * i;
        const QRectF box(left + 0.5, top - 0.5, LegendSquare, LegendSquare);
        painter.setPen(QPen(Qt::black, OutlineWidth));
        painter.setBrush(colors.at(i));
        painter.drawRect(box);
        // The text's line is centred on the square.
        const qreal lineTop = top + LegendSquare / 2 - metrics.height() / 2;
        painter.setPen(Qt::black);
        painter.drawText(QPointF(left + LegendSquare + LegendGap, lineTop + metrics.ascent()), texts.at(i));
    }
    painter.restore();
}

void StatisticsChartPainter::drawChart(QPainter &painter, const QRectF &area, const QFont &legendFont) const
{
    const QList<NameValuePair> numbers =
        Statistics::distributionForView(m_collectionManager, m_selectedView, m_recorded);
    if (numbers.isEmpty())
        return;
    drawPieChartWithNumbers(painter, area, numbers, Statistics::colorsForView(m_selectedView), legendFont);
}

void StatisticsChartPainter::drawChart(QPainter &painter, const QRectF &area) const
{
    drawChart(painter, area, screenLegendFont());
}

QImage StatisticsChartPainter::image(const QSize &size, qreal devicePixelRatio) const
{
    QImage result(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    result.setDevicePixelRatio(devicePixelRatio);
    result.fill(Qt::white);
    QPainter painter(&result);
    drawChart(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return result;
}

QByteArray StatisticsChartPainter::pdfData(const QSizeF &size) const
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72); // one unit is one point, as on the screen
        writer.setPageSize(QPageSize(size, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QStringLiteral("Quillmarsh"));
        QPainter painter(&writer);
        drawChart(painter, QRectF(QPointF(0, 0), size));
    }
    return pdf;
}

void StatisticsChartPainter::copyToClipboard(const QSizeF &size) const
{
    ClipboardWriter::copyPdf(pdfData(size), image(size.toSize()));
}

// ---------------------------------------------------------------- the printed page

QString StatisticsChartPainter::printJobTitle() const
{
    return tr("%1 Statistics").arg(m_collectionManager.selfInfo().title());
}

void StatisticsChartPainter::drawHeader(QPainter &painter, const QRectF &rect, const PageFonts &fonts) const
{
    const qreal lineHeight = fonts.lineHeight();
    const qreal headerHeight = fonts.headerHeight();
    painter.setPen(Qt::black);
    painter.setFont(fonts.titleFont());
    painter.drawText(QPointF(rect.x(), rect.y() + fonts.ascent(fonts.titleFont())),
                     m_collectionManager.selfInfo().title());
    const qreal ruleY = rect.y() + headerHeight - lineHeight + 0.5;
    painter.setPen(QPen(Qt::black, 0.25));
    painter.drawLine(QPointF(rect.x(), ruleY), QPointF(rect.right(), ruleY));
    painter.setPen(Qt::black);
    painter.setFont(fonts.plainFont());
    // The view's title stands on the rule.
    const qreal titleBottom = rect.y() + headerHeight - lineHeight + 1;
    painter.drawText(QPointF(rect.x(), titleBottom - fonts.descent(fonts.plainFont())),
                     Statistics::titleForView(m_selectedView));
}

void StatisticsChartPainter::drawFooter(QPainter &painter, const QRectF &rect, const PageFonts &fonts) const
{
    const QFont &font = fonts.plainFont();
    const qreal baseline = rect.bottom() - fonts.descent(font);
    const int links = m_collectionManager.numberOfLinks();
    const QString count = (links == 1 ? tr("%1 link in database") : tr("%1 links in database")).arg(links);
    const QString page = tr("Page %1 of %2").arg(1).arg(1);
    painter.setPen(Qt::black);
    painter.setFont(font);
    painter.drawText(QPointF(rect.x(), baseline), DateTexts::stringForDate(Clock::today()));
    painter.drawText(QPointF(rect.center().x() - fonts.width(font, count) / 2, baseline), count);
    painter.drawText(QPointF(rect.right() - fonts.width(font, page), baseline), page);
}

void StatisticsChartPainter::drawPage(QPainter &painter, const QSizeF &paperSize,
                                      const PageFonts &fonts) const
{
    const QRectF printArea = printAreaForPaperSize(paperSize);
    painter.save();
    drawHeader(painter, printArea, fonts);
    drawFooter(painter, printArea, fonts);
    const QList<NameValuePair> numbers =
        Statistics::distributionForView(m_collectionManager, m_selectedView, m_recorded);
    if (!numbers.isEmpty())
        drawPieChartWithNumbers(painter, chartAreaForPrintArea(printArea, fonts.headerHeight()), numbers,
                                Statistics::colorsForView(m_selectedView), fonts.plainFont());
    painter.restore();
}

bool StatisticsChartPainter::print(QPagedPaintDevice &device, QString *error) const
{
    device.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = tr("The page could not be drawn.");
        return false;
    }
    PageFonts::beginPoints(painter);
    const PageFonts fonts(&device);
    drawPage(painter, device.pageLayout().fullRectPoints().size(), fonts);
    return painter.end();
}

QByteArray StatisticsChartPainter::pagePdfData(const QPageSize &pageSize) const
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    bool drawn = false;
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(printJobTitle());
        writer.setCreator(QStringLiteral("Quillmarsh"));
        drawn = print(writer);
    }
    return drawn ? pdf : QByteArray();
}

bool StatisticsChartPainter::writePagePdf(const QString &path, const QPageSize &pageSize,
                                          FileError *error) const
{
    const QByteArray pdf = pagePdfData(pageSize);
    if (pdf.isEmpty())
        return FileError::fail(error, FileError::Kind::NotMade, tr("The page could not be drawn."));
    return DatabaseFile::writeAtomically(path, pdf, error);
}

bool StatisticsChartPainter::writeImage(const QString &path, const QSize &size, FileError *error) const
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image(size).save(&buffer, "PNG"))
        return FileError::fail(error, FileError::Kind::NotMade, tr("The image could not be made."));
    return DatabaseFile::writeAtomically(path, png, error);
}
