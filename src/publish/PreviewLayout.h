#pragma once

#include <QRectF>
#include <QSizeF>

// Where the pages of a print preview lie: one column of equal pages with a margin around them and
// a gap between them, centred in the width of the view. Everything is arithmetic on the page
// number, so a preview of hundreds of pages knows which of them are in sight without laying out any.
class PreviewLayout
{
public:
    static constexpr qreal Margin = 16; // pixels around the column of pages
    static constexpr qreal Gap = 16;    // pixels between two pages
    static constexpr qreal MinimumScale = 0.1;
    static constexpr qreal MaximumScale = 8.0;

    PreviewLayout(const QSizeF &paperSize = QSizeF(595, 842), int pageCount = 1);

    int pageCount() const { return m_pageCount; }
    const QSizeF &paperSize() const { return m_paperSize; }
    // Pixels per point, kept between MinimumScale and MaximumScale.
    qreal scale() const { return m_scale; }
    void setScale(qreal scale);
    // The width the pages are centred in (the view's width, or less when the pages are wider).
    void setViewWidth(qreal width) { m_viewWidth = width; }

    QSizeF pageSize() const { return m_paperSize * m_scale; }
    QSizeF contentSize() const;
    // Page `page` (1-based) in content coordinates.
    QRectF pageRect(int page) const;
    // The first and last page that meet `visible` (content coordinates); first > last when none does.
    int firstVisiblePage(const QRectF &visible) const;
    int lastVisiblePage(const QRectF &visible) const;
    // The page that holds the y coordinate, or the nearest one.
    int pageAt(qreal y) const;

    // Scales that show a whole page width, or a whole page, in a view of that size.
    qreal scaleToFitWidth(qreal viewWidth) const;
    qreal scaleToFitPage(const QSizeF &viewSize) const;

private:
    qreal pitch() const { return pageSize().height() + Gap; }

    QSizeF m_paperSize;
    int m_pageCount;
    qreal m_scale = 1.0;
    qreal m_viewWidth = 0;
};
