#include "CsvText.h"

#include <algorithm>

namespace CsvText {

QString cell(const QString &text, QChar delimiter)
{
    const bool plain = std::none_of(text.cbegin(), text.cend(), [delimiter](QChar c) {
        return c == delimiter || c == u'"' || c == u'\n' || c == u'\r';
    });
    if (plain)
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString line(const QStringList &cells, QChar delimiter)
{
    QString text;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            text += delimiter;
        text += cell(cells.at(i), delimiter);
    }
    text += QStringLiteral("\r\n");
    return text;
}

} // namespace CsvText
