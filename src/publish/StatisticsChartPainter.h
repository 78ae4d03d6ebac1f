#pragma once

#include "NameValuePair.h"
#include "model/FileError.h"
#include "workflow/LatestCheck.h"

#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPageSize>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class CollectionManager;
class PageFonts;
class QPagedPaintDevice;
class QPainter;

// Draws one distribution of the statistics as a pie chart with a legend, into any paint device:
// the dialog's view, an image, a PDF or a printer. Slices start at 12 o'clock and run clockwise.
class StatisticsChartPainter
{
    Q_DECLARE_TR_FUNCTIONS(StatisticsChartPainter)

public:
    // `recorded`: the history's latest checks, which tell the links found but not followed.
    StatisticsChartPainter(const CollectionManager &collectionManager, int view,
                           const RecordedChecks &recorded = {});

    int selectedView() const { return m_selectedView; }
    void setView(int view) { m_selectedView = view; }

    // --- On screen and for the clipboard: the chart fills `area` (painter units), with the legend in
    // `legendFont` (the system's small font by default).
    void drawChart(QPainter &painter, const QRectF &area, const QFont &legendFont) const;
    void drawChart(QPainter &painter, const QRectF &area) const;
    // The chart of `size` as an image (white behind it) and as a one-page PDF of that size.
    QImage image(const QSize &size, qreal devicePixelRatio = 2.0) const;
    QByteArray pdfData(const QSizeF &size) const;
    // Puts the chart of that size on the clipboard as PDF with a PNG companion.
    void copyToClipboard(const QSizeF &size) const;

    // --- Printed: one portrait page with the header, the chart under it and the footer.
    void drawPage(QPainter &painter, const QSizeF &paperSize, const PageFonts &fonts) const;
    // Prints on the device's current page (for a printer: call setFullPage(true) first).
    bool print(QPagedPaintDevice &device, QString *error = nullptr) const;
    QByteArray pagePdfData(const QPageSize &pageSize = QPageSize(QPageSize::A4)) const;
    bool writePagePdf(const QString &path, const QPageSize &pageSize = QPageSize(QPageSize::A4),
                      FileError *error = nullptr) const;
    bool writeImage(const QString &path, const QSize &size, FileError *error = nullptr) const;
    QString printJobTitle() const;

    // The drawing itself, also usable with any numbers. Draws nothing with fewer colours than numbers.
    static void drawPieChartWithNumbers(QPainter &painter, const QRectF &area,
                                        const QList<NameValuePair> &numbers, const QList<QColor> &colors,
                                        const QFont &legendFont);
    // A slice of the circle inscribed in `square`, starting `startAngle` degrees clockwise from
    // 12 o'clock and running clockwise for `delta` degrees (painter coordinates, y down).
    static QPainterPath bezierPathWithPieInSquare(const QRectF &square, qreal startAngle, qreal delta);
    // The print area of a page and the chart's place in it (points).
    static QRectF printAreaForPaperSize(const QSizeF &paperSize);
    static QRectF chartAreaForPrintArea(const QRectF &printArea, qreal headerHeight);

private:
    void drawHeader(QPainter &painter, const QRectF &rect, const PageFonts &fonts) const;
    void drawFooter(QPainter &painter, const QRectF &rect, const PageFonts &fonts) const;

    const CollectionManager &m_collectionManager;
    int m_selectedView;
    RecordedChecks m_recorded;
};
