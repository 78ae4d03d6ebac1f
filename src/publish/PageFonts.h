#pragma once

#include <QFont>
#include <QString>

class QPaintDevice;
class QPainter;

// The fonts of printed pages (Palatino, or the closest serif face installed) and their line metrics,
// for a painter that draws in points on `device` (see `beginPoints`). Needs a QGuiApplication.
class PageFonts
{
public:
    explicit PageFonts(const QPaintDevice *device);

    const QFont &plainFont() const { return m_plainFont; } // 10 points
    const QFont &boldFont() const { return m_boldFont; }   // 10 points, bold
    const QFont &titleFont() const { return m_titleFont; } // 12 points, bold
    // The plain font's default line height.
    qreal fontHeight() const { return m_fontHeight; }
    // One printed line: the font height plus 2, cut to whole points.
    qreal lineHeight() const { return m_lineHeight; }
    qreal headerHeight() const { return qreal(int(3 * m_lineHeight)); }
    qreal footerHeight() const { return qreal(int(2 * m_lineHeight)); }

    // Line metrics of any font on this device, in points.
    qreal lineSpacing(const QFont &font) const;
    qreal ascent(const QFont &font) const;
    qreal descent(const QFont &font) const;
    qreal width(const QFont &font, const QString &text) const;

    // A font of `points` points as drawn by a painter scaled to points on the device.
    static QFont font(qreal points, bool bold, const QPaintDevice *device);
    // Scales the painter so that one unit is one point on its device.
    static void beginPoints(QPainter &painter);

private:
    const QPaintDevice *m_device;
    QFont m_plainFont;
    QFont m_boldFont;
    QFont m_titleFont;
    qreal m_fontHeight;
    qreal m_lineHeight;
};
