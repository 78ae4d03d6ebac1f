#include "PrintPainter.h"

#include "PageFonts.h"

#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/DateTexts.h"
#include "model/FontTextMeasurer.h"
#include "model/TextUtils.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <algorithm>

namespace {

const QColor IconBlue(0, 139, 211);
const QColor IconOrange(239, 131, 24);
const QColor IconGreen(56, 158, 56);
const QColor IconRed(194, 29, 32);
const QColor IconGray(96, 96, 96);

// Draws text cut to a width with its line centred on the plain font's height (`top` is the line's top).
void drawTruncString(QPainter &painter, const QString &text, const QPointF &topLeft, qreal maxWidth,
                     const QFont &font, const PageFonts &fonts, const TextMeasurer &measurer)
{
    const qreal textHeight = fonts.lineSpacing(font);
    const qreal top = topLeft.y() + (fonts.fontHeight() - textHeight) / 2;
    const QString shown =
        maxWidth > 0 ? TextUtils::truncatedStringWithMaximumWidth(text, maxWidth - 2, measurer) : text;
    painter.setFont(font);
    painter.drawText(QPointF(topLeft.x(), top + fonts.ascent(font)), shown);
}

} // namespace

PrintPainter::PrintPainter(const CollectionManager &collectionManager)
    : m_collectionManager(collectionManager)
{}

// ---------------------------------------------------------------- output

bool PrintPainter::print(QPagedPaintDevice &device, QString *error) const
{
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = tr("The pages could not be drawn.");
        return false;
    }
    PageFonts::beginPoints(painter);
    const PageFonts fonts(&device);
    const PrintView view(m_collectionManager, device.pageLayout().fullRectPoints().size(),
                         fonts.lineHeight());
    const int pages = view.numberOfPages();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !device.newPage()) {
            if (error)
                *error = tr("Page %1 could not be started.").arg(page);
            painter.end();
            return false;
        }
        drawPage(painter, view, fonts, page);
    }
    return painter.end();
}

QByteArray PrintPainter::pdfData(const QPageSize &pageSize, int *pages) const
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    bool drawn = false;
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(m_collectionManager.selfInfo().title());
        writer.setCreator(QStringLiteral("Quillmarsh"));
        drawn = print(writer);
        if (pages) {
            const PageFonts fonts(&writer);
            *pages = PrintView(m_collectionManager, writer.pageLayout().fullRectPoints().size(),
                               fonts.lineHeight())
                         .numberOfPages();
        }
    }
    return drawn ? pdf : QByteArray();
}

bool PrintPainter::writePdf(const QString &path, const QPageSize &pageSize, FileError *error,
                            int *pages) const
{
    const QByteArray pdf = pdfData(pageSize, pages);
    if (pdf.isEmpty())
        return FileError::fail(error, FileError::Kind::NotMade, tr("The pages could not be drawn."));
    return DatabaseFile::writeAtomically(path, pdf, error);
}

// ---------------------------------------------------------------- pages

void PrintPainter::drawPage(QPainter &painter, const PrintView &view, const PageFonts &fonts, int page) const
{
    const QRectF rect = view.rectForPage(page);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    drawHeaderInRect(painter, rect, view, fonts);
    drawFooterInRect(painter, rect, view, fonts, page);
    drawLinksInRect(painter, rect, view, fonts, page);
    painter.restore();
}

void PrintPainter::drawHeaderInRect(QPainter &painter, const QRectF &rect, const PrintView &view,
                                    const PageFonts &fonts) const
{
    const qreal x = rect.x(), y = rect.y(), w = rect.width();
    const qreal lineHeight = view.lineHeight();
    const qreal ruleY = y + view.headerHeight() - lineHeight + 0.5;
    painter.setPen(QPen(Qt::black, 0.25));
    painter.drawLine(QPointF(x, ruleY), QPointF(x + w, ruleY));

    painter.setPen(Qt::black);
    painter.setFont(fonts.titleFont());
    painter.drawText(QPointF(x, y + fonts.ascent(fonts.titleFont())), m_collectionManager.selfInfo().title());

    const QFont &font = fonts.plainFont();
    const qreal baseline = y + view.headerHeight() - 2 * lineHeight + 1 + fonts.ascent(font);
    const QString dateHeading = tr("Last status change date");
    painter.setFont(font);
    painter.drawText(QPointF(x, baseline), tr("Link"));
    painter.drawText(QPointF(x + view.widthOfColumn(0) + view.widthOfColumn(1), baseline), tr("URL"));
    painter.drawText(QPointF(x + w - fonts.width(font, dateHeading), baseline), dateHeading);
}

void PrintPainter::drawFooterInRect(QPainter &painter, const QRectF &rect, const PrintView &view,
                                    const PageFonts &fonts, int page) const
{
    const QFont &font = fonts.plainFont();
    const qreal x = rect.x(), w = rect.width();
    const qreal baseline = rect.bottom() - view.lineHeight() + fonts.ascent(font);
    const int links = m_collectionManager.numberOfLinks();
    const QString count = (links == 1 ? tr("%1 link in database") : tr("%1 links in database")).arg(links);
    const QString pageText = tr("Page %1 of %2").arg(page).arg(view.numberOfPages());
    painter.setPen(Qt::black);
    painter.setFont(font);
    painter.drawText(QPointF(x, baseline), DateTexts::stringForDate(Clock::today()));
    painter.drawText(QPointF(x + w / 2 - fonts.width(font, count) / 2, baseline), count);
    painter.drawText(QPointF(x + w - fonts.width(font, pageText), baseline), pageText);
}

void PrintPainter::drawLinksInRect(QPainter &painter, const QRectF &rect, const PrintView &view,
                                   const PageFonts &fonts, int page) const
{
    const qreal x = rect.x(), w = rect.width();
    const qreal lineHeight = view.lineHeight();
    const qreal titleX = x + view.widthOfColumn(0);
    const qreal urlX = titleX + view.widthOfColumn(1);
    const FontTextMeasurer plainMeasurer(fonts.plainFont(), painter.device());
    const FontTextMeasurer boldMeasurer(fonts.boldFont(), painter.device());
    const QSizeF icon = iconSize();

    const int first = view.firstLineOfPage(page);
    const int end = std::min(first + view.linesPerPage(), view.numberOfLines());
    qreal top = rect.y() + view.headerHeight();
    for (int i = first; i < end; ++i, top += lineHeight) {
        const PrintLine &line = view.lines()[size_t(i)];
        if (line.isBlank())
            continue;
        if (line.image != PrintIcon::None)
            drawIcon(painter, line.image, QPointF(x, top + lineHeight / 2 - icon.height() / 2));
        const qreal ruleY = top + lineHeight - 0.5;
        painter.setPen(Qt::black);
        if (line.isCategory()) {
            drawTruncString(painter, line.text, QPointF(titleX, top + 1), view.widthOfColumn(1),
                            fonts.boldFont(), fonts, boldMeasurer);
            painter.setPen(QPen(Qt::black, 1));
        } else {
            drawTruncString(painter, line.text, QPointF(titleX, top + 1), view.widthOfColumn(1),
                            fonts.plainFont(), fonts, plainMeasurer);
            drawTruncString(painter, line.URL, QPointF(urlX, top + 1), view.widthOfColumn(2),
                            fonts.plainFont(), fonts, plainMeasurer);
            const QString date = DateTexts::shortStringForDate(line.date);
            drawTruncString(painter, date, QPointF(x + w - fonts.width(fonts.plainFont(), date), top + 1), 0,
                            fonts.plainFont(), fonts, plainMeasurer);
            painter.setPen(QPen(Qt::black, 0.25));
        }
        painter.drawLine(QPointF(x, ruleY), QPointF(x + w, ruleY));
    }
}

// ---------------------------------------------------------------- icons

void PrintPainter::drawIcon(QPainter &painter, PrintIcon icon, const QPointF &topLeft)
{
    if (icon == PrintIcon::None)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(topLeft);
    const QRectF circle(0.5, 0.5, 8, 8);
    switch (icon) {
    case PrintIcon::Category: {
        // A folder.
        QPainterPath folder;
        folder.moveTo(0.5, 1.5);
        folder.lineTo(3.5, 1.5);
        folder.lineTo(4.5, 2.5);
        folder.lineTo(8.5, 2.5);
        folder.lineTo(8.5, 8.0);
        folder.lineTo(0.5, 8.0);
        folder.closeSubpath();
        painter.setPen(QPen(IconGray, 0.75));
        painter.setBrush(QColor(220, 220, 220));
        painter.drawPath(folder);
        break;
    }
    case PrintIcon::New:
        // Hollow: nothing has happened yet.
        painter.setPen(QPen(IconBlue, 1));
        painter.setBrush(Qt::white);
        painter.drawEllipse(circle);
        painter.setPen(Qt::NoPen);
        painter.setBrush(IconBlue);
        painter.drawEllipse(QRectF(3.25, 3.25, 2.5, 2.5));
        break;
    case PrintIcon::Negotiating: {
        // Half full: under way.
        painter.setPen(QPen(IconOrange, 1));
        painter.setBrush(Qt::white);
        painter.drawEllipse(circle);
        QPainterPath half;
        half.moveTo(circle.center());
        half.arcTo(circle, 90, 180);
        half.closeSubpath();
        painter.fillPath(half, IconOrange);
        break;
    }
    case PrintIcon::Approved: {
        // Full, with a tick.
        painter.setPen(Qt::NoPen);
        painter.setBrush(IconGreen);
        painter.drawEllipse(circle);
        QPainterPath tick;
        tick.moveTo(2.5, 4.6);
        tick.lineTo(3.9, 6.0);
        tick.lineTo(6.6, 3.0);
        painter.setPen(QPen(Qt::white, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
        break;
    }
    case PrintIcon::Blocked:
        // A no-entry sign.
        painter.setPen(QPen(IconRed, 1.2));
        painter.setBrush(Qt::white);
        painter.drawEllipse(circle);
        painter.drawLine(QPointF(2.2, 6.8), QPointF(6.8, 2.2));
        break;
    case PrintIcon::None:
        break;
    }
    painter.restore();
}
