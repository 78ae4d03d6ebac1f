#pragma once

#include "PageSource.h"
#include "StatisticsChartPainter.h"

class CollectionManager;

// The printed statistics chart: always one portrait page.
class StatisticsPages : public PageSource
{
public:
    // `paperSize` is turned upright when it is given in landscape.
    StatisticsPages(const CollectionManager &collectionManager, int view, const QSizeF &paperSize,
                    const RecordedChecks &recorded = {});

    int pageCount() const override { return 1; }
    QSizeF paperSize() const override { return m_paperSize; }
    void drawPage(QPainter &painter, int page) const override;
    // Prints the one page in portrait; the device's orientation is put back afterwards.
    bool print(QPagedPaintDevice &device, int fromPage = 0, int toPage = 0,
               QString *error = nullptr) const override;
    QString jobTitle() const override { return m_painter.printJobTitle(); }

private:
    StatisticsChartPainter m_painter;
    QSizeF m_paperSize;
};
