#pragma once

#include "publish/PreviewLayout.h"

#include <QAbstractScrollArea>
#include <QSet>

class PageSource;

// The pages of a print preview in one scrolling column. A page is drawn through its source only
// while it is in sight, so a preview of hundreds of pages opens as fast as one of a single page.
class PrintPreviewView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    enum ZoomMode
    {
        FitWidth,
        FitPage,
        FixedZoom
    };

    explicit PrintPreviewView(QWidget *parent = nullptr);

    // The pages to show (not owned); null shows none. Starts at the first page.
    void setSource(const PageSource *source);
    const PageSource *source() const { return m_source; }
    int pageCount() const;
    int currentPage() const { return m_currentPage; }

    ZoomMode zoomMode() const { return m_zoomMode; }
    // 1.0 is the paper's real size on the screen.
    qreal zoom() const;
    void setZoomMode(ZoomMode mode);
    void setZoom(qreal zoom); // switches to FixedZoom
    const PreviewLayout &pageLayout() const { return m_layout; }

    // The pages drawn since the source was set, for tests and measurements.
    const QSet<int> &paintedPages() const { return m_paintedPages; }

public slots:
    void goToPage(int page);
    void nextPage() { goToPage(m_currentPage + 1); }
    void previousPage() { goToPage(m_currentPage - 1); }
    void firstPage() { goToPage(1); }
    void lastPage() { goToPage(pageCount()); }
    void zoomIn();
    void zoomOut();

signals:
    void currentPageChanged(int page);
    void zoomChanged();
    void pagePainted(int page);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Pixels per point at zoom 1.0.
    qreal screenScale() const;
    void applyScale(qreal scale);
    void updateScrollBars();
    void updateCurrentPage();
    void setCurrentPage(int page);

    const PageSource *m_source = nullptr;
    PreviewLayout m_layout;
    ZoomMode m_zoomMode = FitWidth;
    int m_currentPage = 0;
    bool m_navigating = false;
    QSet<int> m_paintedPages;
};
