#pragma once

#include "TextMeasurer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>

class QPaintDevice;

// Measures with a font, for the screen or for a paint device such as a printer (its resolution
// changes the widths). Needs a QGuiApplication.
class FontTextMeasurer : public TextMeasurer
{
public:
    explicit FontTextMeasurer(const QFont &font, const QPaintDevice *device = nullptr);
    qreal width(const QString &text) const override;

private:
    QFontMetricsF m_metrics;
    // Cutting to a width measures one character at a time, the same few characters over and over.
    mutable QHash<char32_t, qreal> m_characterWidths;
};
