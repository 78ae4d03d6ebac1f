#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// Every link of one page of the user's own site, read in one walk of the tree a browser builds:
// where it leads, its rel keywords and whether a visitor sees it. The rules are those by which a
// partner's page is read for the user's link (noscript, template, the hidden attribute and inline
// styles hide; a <base> moves every address; a robots meta tag or header can forbid following),
// applied to all links at once, so a page with thousands of partners is parsed once, not once per
// partner.
struct OwnPageLinks
{
    struct Link
    {
        QUrl url; // resolved against the page's base
        QStringList rel;
        bool visible = true;
    };

    QList<Link> links;
    bool nofollowPage = false;
    bool parsed = true; // false when the page was too complex to parse

    static OwnPageLinks read(const QString &pageText, const QUrl &pageURL, const QByteArray &robotsHeader);
};
