#include "VerificationDetails.h"

#include "model/AddressTexts.h"

#include <QCoreApplication>

namespace {
QString hiddenReasonText(const QString &reason)
{
    if (reason == QLatin1String("noscript"))
        return VerificationDetails::tr("inside <noscript>");
    if (reason == QLatin1String("template"))
        return VerificationDetails::tr("inside <template>");
    if (reason == QLatin1String("hidden"))
        return VerificationDetails::tr("hidden attribute");
    return VerificationDetails::tr("display:none or visibility:hidden");
}
} // namespace

void VerificationDetails::setAnalysis(const PageAnalysis &analysis)
{
    addressFound = analysis.addressFound;
    foundString = analysis.foundString;
    inAnchor = analysis.inAnchor();
    rel = analysis.rel;
    noindex = analysis.noindex;
    followed = analysis.followed;
    anchorText = analysis.anchorText;
    links = analysis.links;
    nofollowPage = analysis.nofollowPage;
    canonical = analysis.canonical;
    pageTooComplex = !analysis.parsed;
}

bool VerificationDetails::canonicalElsewhere() const
{
    if (canonical.isEmpty() || pageFinalURL.isEmpty())
        return false;
    const auto normal = [](const QUrl &url) {
        return url.adjusted(QUrl::RemoveFragment | QUrl::NormalizePathSegments | QUrl::StripTrailingSlash);
    };
    return normal(QUrl(canonical)) != normal(pageFinalURL);
}

QStringList VerificationDetails::redirectNotes() const
{
    if (redirectedToOwnSite)
        return {tr("the links page leads to your own site (%1)").arg(pageFinalURL.toString())};
    // A site that only adds or drops its "www." has not moved.
    const auto site = [](const QUrl &url) { return AddressTexts::siteHost(url.host()); };
    const QString from = pageRedirects.isEmpty() ? QString() : site(pageRedirects.constFirst().url);
    if (!from.isEmpty() && !site(pageFinalURL).isEmpty() && from != site(pageFinalURL))
        return {tr("the links page moved to another site, %1").arg(pageFinalURL.host())};
    return {};
}

QStringList VerificationDetails::analysisNotes(Notes which) const
{
    QStringList notes;
    bool visible = false;
    QStringList reasons;
    for (const OwnSiteLink &link : links) {
        visible = visible || link.visible();
        const QString reason = link.visible() ? QString() : hiddenReasonText(link.hidden);
        if (!reason.isEmpty() && !reasons.contains(reason))
            reasons << reason;
    }
    if (links.isEmpty() && addressFound)
        notes << tr("your address is on the page, but not as a link");
    if (!links.isEmpty() && !visible)
        notes << tr("the only links to your site are hidden (%1)").arg(reasons.join(QStringLiteral(", ")));
    if (visible && !followed) {
        // A link kept from search engines by robots.txt alone is said below.
        if (nofollowPage)
            notes << tr("no followed link: the page says nofollow");
        else if (!rel.isEmpty())
            notes << tr("no followed link: marked %1").arg(rel.join(QStringLiteral(", ")));
    }
    if (robots == RobotsVerdict::Disallowed)
        notes << tr("Search engines are not allowed to read this page (robots.txt)");
    if (noindex)
        notes << tr("the page says noindex");
    if (canonicalElsewhere())
        notes << tr("the page names %1 as canonical").arg(canonical);
    if (crowded())
        notes << tr("a crowded page: %1 followed links to other sites").arg(externalFollowed);
    if (visible && which == Notes::WithAnchorText)
        notes << tr("anchor text \"%1\"").arg(anchorText);
    return notes;
}

QStringList VerificationDetails::confirmationNotes() const
{
    QStringList notes;
    if (missingFromFirstFetch)
        notes << tr("the link was missing from the first fetch");
    if (confirmed)
        notes << tr("still missing when looked at again %1 s later").arg(confirmDelaySeconds);
    if (!movedTo.isEmpty())
        notes << tr("your link was found on %1").arg(movedTo.toDisplayString());
    else if (confirmed && pagesSearched > 0)
        notes << tr("not found on %1 other pages of the site").arg(pagesSearched);
    return notes;
}

QString VerificationDetails::summary() const
{
    // Waits too short to notice are left out.
    constexpr qint64 NoticeableWaitMs = 100;
    auto seconds = [](qint64 ms) { return QString::number(double(ms) / 1000.0, 'f', 1); };
    QStringList parts;
    if (siteStatus > 0)
        parts << tr("site: HTTP %1").arg(siteStatus);
    if (pageStatus > 0)
        parts << tr("links page: HTTP %1").arg(pageStatus);
    if (pageRedirected && !pageFinalURL.isEmpty()) // a chain that failed on the way has no end
        parts << tr("redirected to %1").arg(pageFinalURL.toString());
    if (!failure.isEmpty())
        parts << failure;
    if (retries > 0)
        parts << tr("retried %n times", nullptr, retries);
    if (siteWaitMs >= NoticeableWaitMs)
        parts << tr("waited %1 s before the partner's site").arg(seconds(siteWaitMs));
    if (pageWaitMs >= NoticeableWaitMs)
        parts << tr("waited %1 s before the links page").arg(seconds(pageWaitMs));
    if (pageTruncated)
        parts << tr("only the beginning of the page searched");
    parts << redirectNotes();
    parts << confirmationNotes();
    parts << analysisNotes();
    return parts.join(QStringLiteral("; "));
}
