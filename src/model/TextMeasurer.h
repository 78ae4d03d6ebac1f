#pragma once

#include <QString>

// Measures how wide a text is drawn, so that cutting texts to a width can be tested without fonts.
class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    // The advance width of text, in the units of the caller's width (points or device pixels).
    virtual qreal width(const QString &text) const = 0;
};
