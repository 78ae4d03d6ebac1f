#include "FontTextMeasurer.h"

#include <QPaintDevice>

FontTextMeasurer::FontTextMeasurer(const QFont &font, const QPaintDevice *device)
    : m_metrics(device ? QFontMetricsF(font, device) : QFontMetricsF(font))
{}

qreal FontTextMeasurer::width(const QString &text) const
{
    const bool pair = text.size() == 2 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate();
    if (text.size() != 1 && !pair)
        return m_metrics.horizontalAdvance(text);
    const char32_t character = pair ? QChar::surrogateToUcs4(text.at(0), text.at(1)) : text.at(0).unicode();
    auto it = m_characterWidths.constFind(character);
    if (it == m_characterWidths.constEnd())
        it = m_characterWidths.insert(character, m_metrics.horizontalAdvance(text));
    return *it;
}
