#include "PageAnalyzer.h"

#include <QRegularExpression>

namespace {

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// True when the tag name that `opening` ("<a", "</a", "<meta") begins ends right after it at `at`:
// "<a " and "</a>" but not "<abbr" or "</abbr>", "<meta " but not "<metadata".
bool tagNameEndsAfter(const QString &text, qsizetype at, QLatin1String opening)
{
    const qsizetype next = at + opening.size();
    return next < text.size() && (isSpace(text.at(next)) || text.at(next) == u'>' || text.at(next) == u'/');
}

// The start of the last tag opened by `opening` at or before `from`, or -1.
qsizetype lastTagStart(const QString &text, QLatin1String opening, qsizetype from)
{
    while (from >= 0) {
        const qsizetype at = text.lastIndexOf(opening, from, Qt::CaseInsensitive);
        if (at < 0)
            return -1;
        if (tagNameEndsAfter(text, at, opening))
            return at;
        from = at - 1;
    }
    return -1;
}

qsizetype lastAnchorStart(const QString &text, qsizetype from)
{
    return lastTagStart(text, QLatin1String("<a"), from);
}

QString attributeValue(const QList<QPair<QString, QString>> &attributes, const QString &name)
{
    for (const auto &attribute : attributes) {
        if (attribute.first == name)
            return attribute.second;
    }
    return QString();
}

} // namespace

QList<QPair<QString, QString>> PageAnalyzer::attributes(QStringView tag)
{
    QList<QPair<QString, QString>> result;
    qsizetype i = tag.startsWith(u'<') ? 1 : 0;
    const qsizetype n = tag.size();
    // The element name.
    while (i < n && !isSpace(tag[i]) && tag[i] != u'>' && tag[i] != u'/')
        ++i;
    while (i < n) {
        while (i < n && (isSpace(tag[i]) || tag[i] == u'/'))
            ++i;
        if (i >= n || tag[i] == u'>')
            break;
        const qsizetype nameStart = i;
        while (i < n && !isSpace(tag[i]) && tag[i] != u'=' && tag[i] != u'>' && tag[i] != u'/')
            ++i;
        const QString name = tag.mid(nameStart, i - nameStart).toString().toLower();
        while (i < n && isSpace(tag[i]))
            ++i;
        QString value;
        if (i < n && tag[i] == u'=') {
            ++i;
            while (i < n && isSpace(tag[i]))
                ++i;
            if (i < n && (tag[i] == u'"' || tag[i] == u'\'')) {
                const QChar quote = tag[i++];
                const qsizetype valueStart = i;
                while (i < n && tag[i] != quote)
                    ++i;
                value = tag.mid(valueStart, i - valueStart).toString();
                if (i < n)
                    ++i;
            } else {
                const qsizetype valueStart = i;
                while (i < n && !isSpace(tag[i]) && tag[i] != u'>')
                    ++i;
                value = tag.mid(valueStart, i - valueStart).toString();
            }
        }
        if (!name.isEmpty())
            result.append({name, value});
    }
    return result;
}

PageAnalyzer::Anchor PageAnalyzer::anchorAt(const QString &text, qsizetype position)
{
    Anchor anchor;
    if (position < 0 || position >= text.size())
        return anchor;
    qsizetype tagStart = -1;
    const qsizetype lastOpen = text.lastIndexOf(u'<', position);
    const qsizetype lastClose = lastOpen < 0 ? -1 : text.indexOf(u'>', lastOpen);
    if (lastOpen >= 0 && (lastClose < 0 || lastClose > position)) {
        // Inside a tag: only an <a> tag counts.
        if (lastAnchorStart(text, lastOpen) == lastOpen)
            tagStart = lastOpen;
    } else {
        // In text: inside the last <a> unless it was closed before the position.
        const qsizetype open = lastAnchorStart(text, position);
        const qsizetype close = lastTagStart(text, QLatin1String("</a"), position);
        if (open >= 0 && open > close)
            tagStart = open;
    }
    if (tagStart < 0)
        return anchor;
    const qsizetype tagEnd = text.indexOf(u'>', tagStart);
    const QStringView tag = QStringView(text).mid(tagStart, tagEnd < 0 ? -1 : tagEnd - tagStart + 1);
    anchor.inAnchor = true;
    const QStringList keywords = attributeValue(attributes(tag), QStringLiteral("rel"))
                                     .toLower()
                                     .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (const QString &wanted :
         {QStringLiteral("nofollow"), QStringLiteral("sponsored"), QStringLiteral("ugc")}) {
        if (keywords.contains(wanted))
            anchor.rel.append(wanted);
    }
    return anchor;
}

bool PageAnalyzer::hasNoindexDirective(QStringView directives)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,;:]+"));
    const QStringList tokens = directives.toString().toLower().split(separators, Qt::SkipEmptyParts);
    return tokens.contains(QStringLiteral("noindex")) || tokens.contains(QStringLiteral("none"));
}

bool PageAnalyzer::saysNoindex(const QString &text, const QByteArray &robotsHeader)
{
    if (hasNoindexDirective(QString::fromLatin1(robotsHeader)))
        return true;
    const QLatin1String meta("<meta");
    qsizetype from = 0;
    while ((from = text.indexOf(meta, from, Qt::CaseInsensitive)) >= 0) {
        if (!tagNameEndsAfter(text, from, meta)) {
            from += meta.size();
            continue;
        }
        const qsizetype end = text.indexOf(u'>', from);
        const QStringView tag = QStringView(text).mid(from, end < 0 ? -1 : end - from + 1);
        const auto list = attributes(tag);
        const QString name = attributeValue(list, QStringLiteral("name")).trimmed().toLower();
        if ((name == QLatin1String("robots") || name == QLatin1String("googlebot")) &&
            hasNoindexDirective(attributeValue(list, QStringLiteral("content"))))
            return true;
        if (end < 0)
            break;
        from = end;
    }
    return false;
}
