#pragma once

#include "PrintView.h"
#include "model/FileError.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QPageSize>
#include <QPointF>
#include <QString>

class CollectionManager;
class PageFonts;
class QPagedPaintDevice;
class QPainter;

// Draws the printed link list page by page: the header (site title and column headings), the lines
// of the page with their status icons, and the footer (date, link count, page number).
class PrintPainter
{
    Q_DECLARE_TR_FUNCTIONS(PrintPainter)

public:
    explicit PrintPainter(const CollectionManager &collectionManager);

    // Prints every page on the device (for a printer: call setFullPage(true) first).
    bool print(QPagedPaintDevice &device, QString *error = nullptr) const;
    QByteArray pdfData(const QPageSize &pageSize = QPageSize(QPageSize::A4), int *pages = nullptr) const;
    bool writePdf(const QString &path, const QPageSize &pageSize = QPageSize(QPageSize::A4),
                  FileError *error = nullptr, int *pages = nullptr) const;

    // One page, on a painter that draws in points (PageFonts::beginPoints).
    void drawPage(QPainter &painter, const PrintView &view, const PageFonts &fonts, int page) const;
    void drawHeaderInRect(QPainter &painter, const QRectF &rect, const PrintView &view,
                          const PageFonts &fonts) const;
    void drawFooterInRect(QPainter &painter, const QRectF &rect, const PrintView &view,
                          const PageFonts &fonts, int page) const;
    void drawLinksInRect(QPainter &painter, const QRectF &rect, const PrintView &view, const PageFonts &fonts,
                         int page) const;

    // The status and category icons, drawn as vectors so they stay sharp on paper.
    static QSizeF iconSize() { return QSizeF(9, 9); }
    static void drawIcon(QPainter &painter, PrintIcon icon, const QPointF &topLeft);

private:
    const CollectionManager &m_collectionManager;
};
