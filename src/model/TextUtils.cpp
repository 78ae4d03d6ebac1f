#include "TextUtils.h"

namespace TextUtils {

QString oneLineString(const QString &text)
{
    if (text.isNull())
        return text;
    QString result = text;
    for (QChar &c : result) {
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    }
    return result;
}

QString HTMLString(const QString &text)
{
    QString result = text;
    result.replace(u'&', QStringLiteral("&amp;"));
    result.replace(u'<', QStringLiteral("&lt;"));
    result.replace(u'>', QStringLiteral("&gt;"));
    return result;
}

QStringList splitWithDelimiter(const QString &text, QChar delimiter)
{
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == delimiter) {
            pieces.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    if (start < text.size())
        pieces.append(text.mid(start));
    return pieces;
}

} // namespace TextUtils
