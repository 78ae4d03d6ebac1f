#pragma once

#include "CheckOutcome.h"
#include "PageAnalysis.h"
#include "RedirectHop.h"
#include "RobotsVerdict.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QUrl>

// What a check learned beyond its result code, shown beside the result and never stored.
struct VerificationDetails
{
    Q_DECLARE_TR_FUNCTIONS(VerificationDetails)

public:
    int siteStatus = 0; // HTTP status of the partner's site; 0 when none came
    int pageStatus = 0; // HTTP status of the links page
    QUrl siteFinalURL;  // the partner's site after redirects
    QUrl pageFinalURL;  // the links page after redirects
    bool pageRedirected = false;
    QList<RedirectHop> pageRedirects; // every hop from the links page's address to pageFinalURL
    bool redirectedToOwnSite = false; // the links page leads to a page of the user's own site
    QString failure;                  // why a fetch failed ("Connection refused", a time-out...)
    int retries = 0;                  // transient failures tried again, both steps together
    bool pageTruncated = false;       // the links page was longer than the body cap and was cut
    bool addressFound = false;        // the address text is somewhere on the page, link or not
    QString foundString;              // which of the search strings was found
    bool inAnchor = false;            // some <a> or <area> leads to the own site
    QStringList rel;                  // "nofollow", "sponsored", "ugc" on the link the anchor text comes from
    bool noindex = false;             // the links page asks search engines not to index it
    bool followed = false;            // a visible link to the own site that search engines follow
    QString anchorText;          // the text of the link that counts most (followed, else visible, else any)
    QList<OwnSiteLink> links;    // every link to the own site, in page order
    bool nofollowPage = false;   // the links page asks search engines to follow none of its links
    QString canonical;           // the page the links page names as canonical; "" when none
    bool pageTooComplex = false; // the page could not be parsed within the limits: not loaded
    qint64 siteWaitMs = 0; // held back before or between loads of the partner's site (busy or paused host)
    qint64 pageWaitMs = 0; // the same for the links page
    CheckOutcome outcome = CheckOutcome::None; // what the check found out, beside its result code
    bool confirmed = false;                    // a second fetch after a pause also found no link
    bool missingFromFirstFetch = false;        // the first fetch had no link; the second look decided
    int confirmDelaySeconds = 0;               // the pause before that second look
    QString challengeService;                  // the bot wall that answered ("Cloudflare"), if one did
    RobotsVerdict robots = RobotsVerdict::Unavailable; // robots.txt on the links page
    QUrl movedTo;                                      // another page of the partner's site carrying the link
    int pagesSearched = 0;                             // pages of the partner's site searched for the link
    int externalFollowed = 0;                          // followed links of the links page to other sites
    int crowdedPageLinks = 0;                          // more than this is a crowded page; 0: no warning

    // Takes what the analysis of the links page found.
    void setAnalysis(const PageAnalysis &analysis);
    // The page names another page as its canonical one.
    bool canonicalElsewhere() const;
    enum class Notes
    {
        WithAnchorText,
        WarningsOnly,
    };
    // What the analysis found wrong with the link or the page, in plain words ("the page says
    // noindex"), and the anchor text of a found link.
    QStringList analysisNotes(Notes which = Notes::WithAnchorText) const;

    // A page with more followed links out than the limit.
    bool crowded() const { return crowdedPageLinks > 0 && externalFollowed > crowdedPageLinks; }
    // What the second look and the search for a moved link found, in plain words.
    QStringList confirmationNotes() const;
    // Where the redirects of the links page led, when that matters: to the own site, or to another
    // host, which the page was judged on.
    QStringList redirectNotes() const;

    // One line for people: statuses, final address and the analysis notes; empty when nothing is known.
    QString summary() const;
};
