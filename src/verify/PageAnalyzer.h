#pragma once

#include "PageAnalysis.h"
#include "ReciprocalLinkMatcher.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <atomic>

// Reads a partner's links page as a browser builds it: the links to the user's own site with
// their rel keywords, visibility and text, what the page's robots directives say, and the page it
// names as canonical. The own site is the host of the own address, compared without letter case
// and without one leading "www." on either side; any path and port lead to it.
class PageAnalyzer
{
public:
    // A negative time limit means the parser's default for the page's size.
    explicit PageAnalyzer(const QString &ownURL, int timeLimitMs = -1);

    // `pageURL` is the page's final address, after redirects; `robotsHeader` its X-Robots-Tag. Once
    // `abandoned` is set, a parse under way gives up as at its limits.
    PageAnalysis analyze(const QString &pageText, const QUrl &pageURL, const QByteArray &robotsHeader,
                         const std::atomic<bool> *abandoned = nullptr) const;

    // The host a link must lead to ("mysite.example" for "http://www.MySite.example/x"); empty
    // when the address has none.
    const QString &ownHost() const { return m_ownHost; }
    // Whether `url` is an http or https address on the own host.
    bool leadsToOwnSite(const QUrl &url) const;

    // "noindex", "nofollow" or both, in a robots meta tag's content or the X-Robots-Tag header.
    struct Directives
    {
        bool noindex = false;
        bool nofollow = false;
    };
    static Directives robotsDirectives(QStringView text);

    // The page's links to its own host that are kept for a later search, at most.
    static constexpr int MaximumSameSiteLinks = 500;

private:
    ReciprocalLinkMatcher m_matcher;
    QString m_ownHost;
    int m_timeLimitMs;
};
