#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Reads what a search engine would make of a reciprocal link: the rel keywords of the <a> element
// that holds the found address, and whether the page asks not to be indexed. Display only; the
// verification result never depends on it.
class PageAnalyzer
{
public:
    struct Anchor
    {
        bool inAnchor = false; // the position lies in an <a> start tag or between <a> and </a>
        QStringList rel;       // of "nofollow", "sponsored", "ugc", in that order, as the tag carries them
    };

    static Anchor anchorAt(const QString &text, qsizetype position);
    // A robots meta tag or an X-Robots-Tag header with "noindex" or "none".
    static bool saysNoindex(const QString &text, const QByteArray &robotsHeader);
    // The attributes of a start tag ("<a href=x rel='nofollow'>"), names in lower case, in order.
    static QList<QPair<QString, QString>> attributes(QStringView tag);

private:
    static bool hasNoindexDirective(QStringView directives);
};
