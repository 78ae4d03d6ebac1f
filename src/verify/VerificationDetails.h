#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// What a check learned beyond its result code, shown beside the result and never stored.
struct VerificationDetails
{
    int siteStatus = 0; // HTTP status of the partner's site; 0 when none came
    int pageStatus = 0; // HTTP status of the links page
    QUrl siteFinalURL;  // the partner's site after redirects
    QUrl pageFinalURL;  // the links page after redirects
    bool pageRedirected = false;
    QString failure;            // why a fetch failed ("Connection refused", a time-out...)
    int retries = 0;            // transient failures tried again, both steps together
    bool pageTruncated = false; // the links page was longer than the body cap and was cut
    bool addressFound = false;
    QString foundString;   // which of the search strings was found
    bool inAnchor = false; // the found address sits in an <a> element
    QStringList rel;       // "nofollow", "sponsored", "ugc" on that <a>
    bool noindex = false;  // the links page asks search engines not to index it
    qint64 siteWaitMs = 0; // held back before or between loads of the partner's site (busy or paused host)
    qint64 pageWaitMs = 0; // the same for the links page

    // One line for people: statuses, final address, rel and noindex notes; empty when nothing is known.
    QString summary() const;
};
