#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// One <a> or <area> element of a links page whose address leads to the user's own site.
struct OwnSiteLink
{
    QString href;    // the attribute as written, character references decoded
    QStringList rel; // of "nofollow", "sponsored", "ugc", in that order
    QString text;    // its text, white space collapsed; an image's alt when it has none
    QString hidden;  // "" when visible, else "noscript", "template", "hidden" or "style"

    bool visible() const { return hidden.isEmpty(); }
    bool operator==(const OwnSiteLink &) const = default;
};

// What a links page says about the user's own site, as a browser and a search engine read it.
struct PageAnalysis
{
    QList<OwnSiteLink> links;  // in document order
    bool addressFound = false; // the address text is somewhere on the page, link or not
    QString foundString;       // which of the search strings was found
    bool nofollowPage = false; // a robots meta tag or the X-Robots-Tag header says nofollow or none
    bool noindex = false;      // ... says noindex or none
    bool followed = false;     // a visible link without rel keywords on a page that lets it be followed
    QString anchorText;        // of the first followed link, else the first visible, else the first
    QStringList rel;           // of the link the anchor text comes from
    QString canonical;         // the page's <link rel="canonical"> target, resolved; "" when none
    // Where a <meta http-equiv="refresh"> sends visitors on to within a few seconds, resolved: the
    // page has moved there. Empty when it does not (no refresh, a slow one, or one that reloads it).
    QUrl refreshTarget;
    bool parsed = true;        // false when the page was too complex to parse within the limits
    int externalFollowed = 0;  // followed <a> and <area> links to hosts other than the page's own
    QStringList sameSiteLinks; // addresses of the page's links to its own host, resolved, in page order

    bool inAnchor() const { return !links.isEmpty(); }
    // The reciprocal link is there when a visitor can see it.
    bool linkVisible() const;
};
