#pragma once

#include "PageSource.h"
#include "PrintPainter.h"
#include "PrintView.h"

#include <QCoreApplication>

class CollectionManager;
class QPaintDevice;

// The printed link list as pages: laid out once, for one paper size, then drawn a page at a time.
class LinkListPages : public PageSource
{
    Q_DECLARE_TR_FUNCTIONS(LinkListPages)

public:
    // `metricsDevice` gives the fonts' line height (the printer that will print, or any device:
    // the fonts measure alike on all of them).
    LinkListPages(const CollectionManager &collectionManager, const QSizeF &paperSize,
                  const QPaintDevice *metricsDevice);

    int pageCount() const override { return m_view.numberOfPages(); }
    QSizeF paperSize() const override { return m_view.paperSize(); }
    void drawPage(QPainter &painter, int page) const override;
    bool print(QPagedPaintDevice &device, int fromPage = 0, int toPage = 0,
               QString *error = nullptr) const override;
    QString jobTitle() const override { return m_view.printJobTitle(); }

    const PrintView &view() const { return m_view; }

private:
    PrintPainter m_painter;
    PrintView m_view;
};
