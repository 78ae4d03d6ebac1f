#include "PreviewLayout.h"

#include <algorithm>
#include <cmath>

PreviewLayout::PreviewLayout(const QSizeF &paperSize, int pageCount)
    : m_paperSize(paperSize.isEmpty() ? QSizeF(595, 842) : paperSize), m_pageCount(std::max(0, pageCount))
{}

void PreviewLayout::setScale(qreal scale)
{
    m_scale = std::clamp(scale, MinimumScale, MaximumScale);
}

QSizeF PreviewLayout::contentSize() const
{
    const QSizeF page = pageSize();
    const qreal width = std::max(m_viewWidth, page.width() + 2 * Margin);
    if (m_pageCount == 0)
        return QSizeF(width, 2 * Margin);
    return QSizeF(width, 2 * Margin + m_pageCount * page.height() + (m_pageCount - 1) * Gap);
}

QRectF PreviewLayout::pageRect(int page) const
{
    const QSizeF size = pageSize();
    const qreal left = std::max(Margin, (contentSize().width() - size.width()) / 2);
    return QRectF(QPointF(left, Margin + (page - 1) * pitch()), size);
}

int PreviewLayout::firstVisiblePage(const QRectF &visible) const
{
    // The first page whose bottom lies below the top of the visible area.
    const qreal y = visible.top() - Margin;
    const int page = y <= 0 ? 1 : int(std::floor(y / pitch())) + 1;
    // Inside the gap after a page, that page is out of sight.
    const int first = pageRect(page).bottom() < visible.top() ? page + 1 : page;
    return std::max(1, first);
}

int PreviewLayout::lastVisiblePage(const QRectF &visible) const
{
    const qreal y = visible.bottom() - Margin;
    if (y < 0)
        return 0;
    return std::min(m_pageCount, int(std::floor(y / pitch())) + 1);
}

int PreviewLayout::pageAt(qreal y) const
{
    if (m_pageCount == 0)
        return 0;
    const int page = int(std::floor((y - Margin + Gap / 2) / pitch())) + 1;
    return std::clamp(page, 1, m_pageCount);
}

qreal PreviewLayout::scaleToFitWidth(qreal viewWidth) const
{
    return std::clamp((viewWidth - 2 * Margin) / m_paperSize.width(), MinimumScale, MaximumScale);
}

qreal PreviewLayout::scaleToFitPage(const QSizeF &viewSize) const
{
    const qreal byWidth = (viewSize.width() - 2 * Margin) / m_paperSize.width();
    const qreal byHeight = (viewSize.height() - 2 * Margin) / m_paperSize.height();
    return std::clamp(std::min(byWidth, byHeight), MinimumScale, MaximumScale);
}
