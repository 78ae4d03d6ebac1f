#pragma once

// A translator that wraps every text of the translation catalogue in ⟦ ⟧ under exactly the context
// the catalogue files it in. A text that the user sees without the brackets was never passed
// through tr(), or went through it under a context that lupdate does not know. Qt's own texts
// (contexts named Q...) are left to Qt and marked too, since they are translated by Qt's catalogue.

#include "TsCatalogue.h"

#include <QTranslator>

class PseudoTranslator : public QTranslator
{
public:
    explicit PseudoTranslator(const TsCatalogue &catalogue) : m_keys(catalogue.keys()) {}

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int) const override
    {
        const QString ctx = QString::fromUtf8(context);
        const QString source = QString::fromUtf8(sourceText);
        const QString key = ctx + u'\x1f' + source + u'\x1f' + QString::fromUtf8(disambiguation);
        if (m_keys.contains(key) || (ctx.startsWith(u'Q') && ctx.size() > 1 && ctx.at(1).isUpper()))
            return Open + source + Close;
        return {};
    }
    bool isEmpty() const override { return false; }

    static constexpr QChar Open = QChar(0x27e6);
    static constexpr QChar Close = QChar(0x27e7);

    // True when `text` has a letter outside the brackets: a text that escaped translation.
    static bool escapes(const QString &text)
    {
        int depth = 0;
        for (const QChar c : text) {
            if (c == Open)
                ++depth;
            else if (c == Close)
                depth = qMax(0, depth - 1);
            else if (depth == 0 && c.isLetter())
                return true;
        }
        return false;
    }

private:
    QSet<QString> m_keys;
};
