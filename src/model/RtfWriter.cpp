#include "RtfWriter.h"

#include <QFont>
#include <QGuiApplication>
#include <cmath>

namespace RtfWriter {

namespace {

// What readers without Unicode show: Latin 1 letters are the same in code page 1252.
void appendFallback(QByteArray &out, char16_t unit)
{
    if (unit >= 0xA0 && unit <= 0xFF) {
        static const char Hex[] = "0123456789abcdef";
        out.append("\\'").append(Hex[unit >> 4]).append(Hex[unit & 0xF]);
    } else {
        out.append('?');
    }
}

void appendEscaped(QByteArray &out, const QString &text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        switch (u) {
        case u'\\':
            out.append("\\\\");
            break;
        case u'{':
            out.append("\\{");
            break;
        case u'}':
            out.append("\\}");
            break;
        case u'\r':
            if (i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            out.append("\\par\n");
            break;
        case u'\n':
        case 0x2029:
            out.append("\\par\n");
            break;
        case 0x2028:
            out.append("\\line ");
            break;
        case u'\t':
            out.append("\\tab ");
            break;
        default:
            if (u < 0x20 || u == 0x7F)
                break; // no meaning in plain text
            if (u < 0x80) {
                out.append(static_cast<char>(u));
            } else {
                out.append("\\u");
                out.append(QByteArray::number(static_cast<qint16>(u)));
                appendFallback(out, u);
            }
        }
    }
}

} // namespace

QByteArray RTFData(const QString &text, const QString &fontFamily, qreal pointSize)
{
    const int halfPoints = pointSize > 0 ? qRound(pointSize * 2) : 24;
    QString family = fontFamily.isEmpty() ? QStringLiteral("Helvetica") : fontFamily;
    family.remove(u';'); // ends the entry in the font table

    QByteArray out;
    out.reserve(text.size() + 128);
    out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss\\fcharset0 ");
    appendEscaped(out, family);
    out.append(";}}\n\\f0\\fs");
    out.append(QByteArray::number(halfPoints));
    out.append(' ');
    appendEscaped(out, text);
    out.append("}");
    return out;
}

QByteArray RTFData(const QString &text)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        const QFont font = QGuiApplication::font();
        return RTFData(text, font.family(), font.pointSizeF());
    }
    return RTFData(text, QStringLiteral("Helvetica"), 12);
}

} // namespace RtfWriter
