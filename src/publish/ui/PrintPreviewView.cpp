#include "PrintPreviewView.h"

#include "publish/PageSource.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// The fixed steps of zooming in and out.
const qreal ZoomSteps[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};

} // namespace

PrintPreviewView::PrintPreviewView(QWidget *parent) : QAbstractScrollArea(parent), m_layout(QSizeF(), 0)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(24);
    horizontalScrollBar()->setSingleStep(24);
}

void PrintPreviewView::setSource(const PageSource *source)
{
    m_source = source;
    m_paintedPages.clear();
    m_layout = source ? PreviewLayout(source->paperSize(), source->pageCount()) : PreviewLayout(QSizeF(), 0);
    m_currentPage = 0;
    setZoomMode(m_zoomMode == FixedZoom ? FitWidth : m_zoomMode);
    verticalScrollBar()->setValue(0);
    setCurrentPage(pageCount() > 0 ? 1 : 0);
    viewport()->update();
}

int PrintPreviewView::pageCount() const
{
    return m_layout.pageCount();
}

qreal PrintPreviewView::screenScale() const
{
    return logicalDpiX() / 72.0;
}

qreal PrintPreviewView::zoom() const
{
    return m_layout.scale() / screenScale();
}

void PrintPreviewView::setZoomMode(ZoomMode mode)
{
    m_zoomMode = mode;
    const QSizeF view = viewport()->size();
    if (mode == FitWidth)
        applyScale(m_layout.scaleToFitWidth(view.width() - 1));
    else if (mode == FitPage)
        applyScale(m_layout.scaleToFitPage(view - QSizeF(1, 1)));
    else
        applyScale(m_layout.scale());
}

void PrintPreviewView::setZoom(qreal zoom)
{
    m_zoomMode = FixedZoom;
    applyScale(zoom * screenScale());
}

void PrintPreviewView::zoomIn()
{
    const qreal now = zoom();
    for (const qreal step : ZoomSteps) {
        if (step > now + 0.001) {
            setZoom(step);
            return;
        }
    }
}

void PrintPreviewView::zoomOut()
{
    const qreal now = zoom();
    for (auto it = std::rbegin(ZoomSteps); it != std::rend(ZoomSteps); ++it) {
        if (*it < now - 0.001) {
            setZoom(*it);
            return;
        }
    }
}

void PrintPreviewView::applyScale(qreal scale)
{
    // The page in sight stays in sight, at the same place within it.
    const int page = std::max(1, m_currentPage);
    const QRectF before = m_layout.pageRect(page);
    const qreal within =
        before.height() > 0 ? (verticalScrollBar()->value() - before.top()) / before.height() : 0;
    const bool changed = !qFuzzyCompare(scale, m_layout.scale());
    m_layout.setScale(scale);
    m_layout.setViewWidth(viewport()->width());
    updateScrollBars();
    if (changed) {
        const QRectF after = m_layout.pageRect(page);
        m_navigating = true;
        verticalScrollBar()->setValue(int(std::lround(after.top() + within * after.height())));
        m_navigating = false;
        viewport()->update();
    }
    emit zoomChanged();
}

void PrintPreviewView::updateScrollBars()
{
    const QSizeF content = m_layout.contentSize();
    const QSize view = viewport()->size();
    verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(content.height())) - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(content.width())) - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
}

void PrintPreviewView::goToPage(int page)
{
    if (pageCount() == 0)
        return;
    page = std::clamp(page, 1, pageCount());
    m_navigating = true;
    verticalScrollBar()->setValue(int(m_layout.pageRect(page).top() - PreviewLayout::Margin));
    m_navigating = false;
    setCurrentPage(page);
    viewport()->update();
}

void PrintPreviewView::setCurrentPage(int page)
{
    if (page == m_currentPage)
        return;
    m_currentPage = page;
    emit currentPageChanged(page);
}

void PrintPreviewView::updateCurrentPage()
{
    if (pageCount() == 0)
        return;
    const QScrollBar *bar = verticalScrollBar();
    if (bar->maximum() > 0 && bar->value() == bar->maximum()) {
        setCurrentPage(pageCount());
        return;
    }
    const qreal into = std::min<qreal>(viewport()->height(), m_layout.pageSize().height()) / 2;
    setCurrentPage(m_layout.pageAt(bar->value() + PreviewLayout::Margin + into));
}

void PrintPreviewView::paintEvent(QPaintEvent *)
{
    if (!m_source || pageCount() == 0)
        return;
    QPainter painter(viewport());
    const QPointF offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QRectF visible(offset, QSizeF(viewport()->size()));
    const int first = m_layout.firstVisiblePage(visible);
    const int last = m_layout.lastVisiblePage(visible);
    const qreal scale = m_layout.scale();
    for (int page = first; page <= last; ++page) {
        const QRectF sheet = m_layout.pageRect(page).translated(-offset);
        painter.fillRect(sheet.translated(3, 3), QColor(0, 0, 0, 70));
        painter.fillRect(sheet, Qt::white);
        painter.save();
        painter.setClipRect(sheet);
        painter.translate(sheet.topLeft());
        painter.scale(scale, scale);
        m_source->drawPage(painter, page);
        painter.restore();
        m_paintedPages.insert(page);
        emit pagePainted(page);
    }
}

void PrintPreviewView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    setZoomMode(m_zoomMode);
}

void PrintPreviewView::scrollContentsBy(int, int)
{
    viewport()->update();
    if (!m_navigating)
        updateCurrentPage();
}

void PrintPreviewView::keyPressEvent(QKeyEvent *event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Home:
        firstPage();
        return;
    case Qt::Key_End:
        lastPage();
        return;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        if (control) {
            zoomIn();
            return;
        }
        break;
    case Qt::Key_Minus:
        if (control) {
            zoomOut();
            return;
        }
        break;
    default:
        break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void PrintPreviewView::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->angleDelta().y() > 0)
            zoomIn();
        else if (event->angleDelta().y() < 0)
            zoomOut();
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}
