#include "LinkListPages.h"

#include "PageFonts.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

LinkListPages::LinkListPages(const CollectionManager &collectionManager, const QSizeF &paperSize,
                             const QPaintDevice *metricsDevice)
    : m_painter(collectionManager),
      m_view(collectionManager, paperSize, PageFonts(metricsDevice).lineHeight())
{}

void LinkListPages::drawPage(QPainter &painter, int page) const
{
    if (page < 1 || page > pageCount())
        return;
    const PageFonts fonts(painter.device());
    m_painter.drawPage(painter, m_view, fonts, page);
}

bool LinkListPages::print(QPagedPaintDevice &device, int fromPage, int toPage, QString *error) const
{
    const int last = pageCount();
    const int from = fromPage < 1 ? 1 : std::min(fromPage, last);
    const int to = toPage < 1 ? last : std::clamp(toPage, from, last);
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = tr("The printer could not be started.");
        return false;
    }
    PageFonts::beginPoints(painter);
    for (int page = from; page <= to; ++page) {
        if (page > from && !device.newPage()) {
            if (error)
                *error = tr("Page %1 could not be started.").arg(page);
            painter.end();
            return false;
        }
        drawPage(painter, page);
    }
    return painter.end();
}
