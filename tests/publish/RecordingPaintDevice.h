#pragma once

#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QString>
#include <QTextItem>
#include <memory>
#include <vector>

// What was drawn on a page: texts and lines in device points.
struct PageRecord
{
    struct Text
    {
        QString text;
        QPointF baseline;
        QFont font;
    };
    struct Line
    {
        QLineF line;
        qreal width;
    };

    const Text *find(const QString &text) const
    {
        for (const Text &entry : texts) {
            if (entry.text == text)
                return &entry;
        }
        return nullptr;
    }

    std::vector<Text> texts;
    std::vector<Line> lines;
};

// Records instead of painting, so tests can check what a page shows and where without reading a PDF.
class RecordingPaintEngine : public QPaintEngine
{
public:
    RecordingPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawTextItem(const QPointF &p, const QTextItem &textItem) override
    {
        record.texts.push_back({textItem.text(), state->transform().map(p), textItem.font()});
    }
    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            record.lines.push_back({state->transform().map(lines[i]), state->pen().widthF()});
    }
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}

    PageRecord record;
};

// A 72 dpi paint device whose engine records.
class RecordingPaintDevice : public QPaintDevice
{
public:
    explicit RecordingPaintDevice(const QSize &size) : m_size(size) {}
    QPaintEngine *paintEngine() const override { return &m_engine; }
    const PageRecord &record() const { return m_engine.record; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return qRound(m_size.width() * 25.4 / 72);
        case PdmHeightMM:
            return qRound(m_size.height() * 25.4 / 72);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 72;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    QSize m_size;
    mutable RecordingPaintEngine m_engine;
};
