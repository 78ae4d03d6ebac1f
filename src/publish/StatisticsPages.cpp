#include "StatisticsPages.h"

#include "PageFonts.h"

#include <QPagedPaintDevice>
#include <QPainter>

StatisticsPages::StatisticsPages(const CollectionManager &collectionManager, int view,
                                 const QSizeF &paperSize, const RecordedChecks &recorded)
    : m_painter(collectionManager, view, recorded),
      m_paperSize(paperSize.width() > paperSize.height() ? paperSize.transposed() : paperSize)
{}

void StatisticsPages::drawPage(QPainter &painter, int page) const
{
    if (page != 1)
        return;
    const PageFonts fonts(painter.device());
    m_painter.drawPage(painter, m_paperSize, fonts);
}

bool StatisticsPages::print(QPagedPaintDevice &device, int, int, QString *error) const
{
    const QPageLayout::Orientation orientation = device.pageLayout().orientation();
    const bool printed = m_painter.print(device, error);
    device.setPageOrientation(orientation);
    return printed;
}
