#include "FontTextMeasurer.h"

#include <QPaintDevice>

FontTextMeasurer::FontTextMeasurer(const QFont &font, const QPaintDevice *device)
    : m_metrics(device ? QFontMetricsF(font, device) : QFontMetricsF(font))
{}

qreal FontTextMeasurer::width(const QString &text) const
{
    return m_metrics.horizontalAdvance(text);
}
