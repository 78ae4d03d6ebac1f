#include "PageFonts.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

PageFonts::PageFonts(const QPaintDevice *device)
    : m_device(device), m_plainFont(font(10, false, device)), m_boldFont(font(10, true, device)),
      m_titleFont(font(12, true, device)), m_fontHeight(lineSpacing(m_plainFont)),
      m_lineHeight(qreal(int(m_fontHeight + 2)))
{}

QFont PageFonts::font(qreal points, bool bold, const QPaintDevice *device)
{
    QFont result;
    // Free look-alikes of Palatino first, then any serif face.
    result.setFamilies({QStringLiteral("Palatino"), QStringLiteral("Palatino Linotype"),
                        QStringLiteral("P052"), QStringLiteral("URW Palladio L"),
                        QStringLiteral("TeX Gyre Pagella")});
    result.setStyleHint(QFont::Serif, QFont::PreferOutline);
    result.setWeight(bold ? QFont::Bold : QFont::Normal);
    // The painter is scaled to points, so the size the device would give must shrink by as much.
    const qreal dpi = device ? device->logicalDpiY() : 72.0;
    result.setPointSizeF(points * 72.0 / dpi);
    // Hinting would snap widths to device pixels, which are not the points we lay out in.
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

void PageFonts::beginPoints(QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    painter.scale(device->logicalDpiX() / 72.0, device->logicalDpiY() / 72.0);
}

qreal PageFonts::lineSpacing(const QFont &font) const
{
    return QFontMetricsF(font, m_device).lineSpacing();
}

qreal PageFonts::ascent(const QFont &font) const
{
    return QFontMetricsF(font, m_device).ascent();
}

qreal PageFonts::descent(const QFont &font) const
{
    return QFontMetricsF(font, m_device).descent();
}

qreal PageFonts::width(const QFont &font, const QString &text) const
{
    return QFontMetricsF(font, m_device).horizontalAdvance(text);
}
