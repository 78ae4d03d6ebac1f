#include "StatisticsView.h"

#include "publish/Statistics.h"
#include "publish/StatisticsChartPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

StatisticsView::StatisticsView(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void StatisticsView::setView(const CollectionManager *collectionManager, int view,
                             const RecordedChecks &recorded)
{
    m_selectedView = view;
    m_numbers = collectionManager ? Statistics::distributionForView(*collectionManager, view, recorded)
                                  : QList<NameValuePair>();
    m_colors = Statistics::colorsForView(view);
    // A screen reader reads the legend, which holds every number of the chart.
    double total = 0;
    for (const NameValuePair &pair : std::as_const(m_numbers))
        total += pair.value();
    QStringList legend;
    const QFontMetricsF metrics(legendFont(), this);
    m_legendWidth = 0;
    for (const NameValuePair &pair : std::as_const(m_numbers)) {
        legend.append(Statistics::legendStringForNameValuePair(pair, total));
        m_legendWidth = std::max(m_legendWidth, metrics.horizontalAdvance(legend.constLast()));
    }
    setAccessibleDescription(legend.join(QStringLiteral("; ")));
    updateGeometry();
    update();
}

QFont StatisticsView::legendFont() const
{
    // The size the copy on the clipboard uses too.
    QFont legend = font();
    legend.setPointSizeF(11);
    return legend;
}

QSize StatisticsView::minimumSizeHint() const
{
    constexpr int ChartHeight = 260;
    // The pie is as wide as the chart is high; the legend (square, gap, text) and some air follow.
    const int legend = int(std::ceil(12 + 6 + m_legendWidth)) + 48;
    return QSize(ChartHeight + legend + 2 * SheetMargin, ChartHeight + 2 * SheetMargin);
}

QSize StatisticsView::sizeHint() const
{
    return minimumSizeHint().expandedTo(QSize(580, 320));
}

QSizeF StatisticsView::chartSize() const
{
    return QSizeF(size() - QSize(2 * SheetMargin, 2 * SheetMargin));
}

void StatisticsView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The chart's colours are meant for paper: the sheet stays white on a dark desktop too.
    const QRectF sheet = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(sheet, 4, 4);
    if (m_numbers.isEmpty())
        return;
    StatisticsChartPainter::drawPieChartWithNumbers(
        painter, QRectF(QPointF(SheetMargin, SheetMargin), chartSize()), m_numbers, m_colors, legendFont());
}
