#pragma once

#include "model/FileError.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>

class QPagedPaintDevice;
class QPainter;

// A document laid out on pages of one paper size, which a preview draws page by page when each page
// comes into sight and a printer draws whole.
class PageSource
{
public:
    virtual ~PageSource() = default;

    virtual int pageCount() const = 0;
    // The paper, in points.
    virtual QSizeF paperSize() const = 0;
    // Draws page `page` (1-based) on a painter whose unit is one point and whose origin is the
    // paper's top-left corner.
    virtual void drawPage(QPainter &painter, int page) const = 0;
    // Draws pages `fromPage` to `toPage` (1-based; 0 for both means all) on the device, one per sheet.
    virtual bool print(QPagedPaintDevice &device, int fromPage = 0, int toPage = 0,
                       QString *error = nullptr) const = 0;
    // The title of the print job.
    virtual QString jobTitle() const = 0;

    // Every page as a PDF document of the paper's size, written atomically.
    QByteArray pdfData() const;
    bool writePdf(const QString &path, FileError *error = nullptr) const;
};
