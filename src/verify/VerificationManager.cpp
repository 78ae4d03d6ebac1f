#include "VerificationManager.h"

#include "HostScheduler.h"
#include "PageAnalyzer.h"
#include "PageDecoder.h"
#include "PageFetcher.h"
#include "RetryPolicy.h"
#include "VerificationTarget.h"
#include "model/Link.h"
#include "model/TemporaryFolder.h"
#include "model/TextUtils.h"

#include <QUrl>

VerificationManager::VerificationManager(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent), m_network(network)
{}

VerificationManager::~VerificationManager()
{
    releaseHandles();
}

QUrl VerificationManager::fetchURL(const QString &text)
{
    return QUrl(text.trimmed(), QUrl::TolerantMode);
}

bool VerificationManager::verifyLink(const Link *link, int index, const QString &ownURL,
                                     VerificationTarget *target)
{
    releaseHandles();
    m_link = link;
    m_index = index;
    m_target = target;
    m_ownURL = ownURL;
    m_details = VerificationDetails();
    return startBrokenLinkDetection();
}

bool VerificationManager::isRunning() const
{
    return (m_download1 && m_download1->isRunning()) || (m_download2 && m_download2->isRunning());
}

FetchSettings VerificationManager::fetchSettings() const
{
    return m_settings ? *m_settings : FetchSettings::fromPreferences();
}

bool VerificationManager::startBrokenLinkDetection()
{
    const QString url = m_link->URL();
    if (!TextUtils::isValidURL(url)) {
        m_details.failure = tr("The partner's address is not a valid web address.");
        report(VerificationNoResponse);
        return false;
    }
    m_verifyingBrokenLink = true;
    m_download1 = new PageFetcher(m_network, this);
    connect(m_download1, &PageFetcher::finished, this, &VerificationManager::brokenLinkDetectionFinished);
    // Any answer proves the site is up, so no status is worth another try here.
    startFetch(m_download1, fetchURL(url), {}, PageFetcher::Body::Discard);
    return true;
}

void VerificationManager::brokenLinkDetectionFinished(const FetchOutcome &outcome)
{
    m_details.retries += outcome.attempts - 1;
    m_details.siteWaitMs += outcome.waitedMs;
    m_details.siteFinalURL = outcome.finalURL;
    if (!outcome.loaded()) {
        m_details.failure = outcome.errorText;
        releaseHandles();
        report(VerificationNoResponse);
        return;
    }
    m_details.siteStatus = outcome.httpStatus;
    releaseHandles();
    startPartnerLinkVerification();
}

bool VerificationManager::startPartnerLinkVerification()
{
    const QString url = m_link->counterpartURL();
    if (url.isEmpty() || url == QLatin1String("http://")) {
        report(VerificationNoLinksPageURL);
        return false;
    }
    if (!TextUtils::isValidURL(url)) {
        m_details.failure = tr("The links page address is not a valid web address.");
        report(VerificationLinksPageNotLoaded);
        return false;
    }
    m_verifyingBrokenLink = false;
    fetchLinksPage(fetchURL(url), {});
    return true;
}

void VerificationManager::fetchLinksPage(const QUrl &url, const QList<RedirectHop> &earlierHops)
{
    m_download2 = new PageFetcher(m_network, this);
    connect(m_download2, &PageFetcher::finished, this, &VerificationManager::partnerLinkVerificationFinished);
    startFetch(m_download2, url, RetryPolicy::transientStatuses(), PageFetcher::Body::Keep, earlierHops);
}

void VerificationManager::startFetch(PageFetcher *fetcher, const QUrl &url, const QSet<int> &retryStatuses,
                                     PageFetcher::Body body, const QList<RedirectHop> &earlierHops)
{
    const FetchSettings settings = fetchSettings();
    if (!m_hosts) {
        fetcher->start(url, settings, retryStatuses, body, earlierHops);
        return;
    }
    fetcher->setHostScheduler(m_hosts);
    m_slotHost = HostScheduler::hostKey(url);
    const qint64 askedAt = m_hosts->now();
    const bool sitePhase = m_verifyingBrokenLink;
    QPointer<PageFetcher> guard(fetcher);
    // May run at once, or later from the scheduler once the host has room.
    m_slotTicket = m_hosts->request(m_slotHost, [=, this] {
        m_slotTicket = 0;
        m_holdsSlot = true;
        const qint64 waited = m_hosts->now() - askedAt;
        (sitePhase ? m_details.siteWaitMs : m_details.pageWaitMs) += waited;
        if (guard)
            guard->start(url, settings, retryStatuses, body, earlierHops);
    });
}

void VerificationManager::partnerLinkVerificationFinished(const FetchOutcome &outcome)
{
    m_details.retries += outcome.attempts - 1;
    m_details.pageWaitMs += outcome.waitedMs;
    m_details.pageFinalURL = outcome.finalURL;
    m_details.pageRedirects = outcome.redirects;
    m_details.pageRedirected = !outcome.redirects.isEmpty();
    m_details.pageStatus = outcome.httpStatus;
    releaseHandles();
    if (!outcome.loaded()) {
        m_details.failure = outcome.errorText;
        report(VerificationLinksPageNotLoaded);
        return;
    }
    if (outcome.httpStatus >= 400) {
        report(VerificationLinksPageNotLoaded);
        return;
    }
    m_details.pageTruncated = outcome.truncated;
    // The page is kept for the user to look at; the search works on the bytes in memory, so a
    // failure to write it changes nothing.
    TemporaryFolder::writeFile(QStringLiteral("verify%1.html").arg(m_index), outcome.body);

    const PageAnalyzer analyzer(m_ownURL);
    // A partner can point the links page at the user's own pages, which link to the own site.
    if (m_details.pageRedirected && analyzer.leadsToOwnSite(outcome.finalURL)) {
        m_details.redirectedToOwnSite = true;
        report(VerificationLinkNotFound);
        return;
    }
    const QString text = PageDecoder::decode(outcome.body, outcome.contentType);
    const PageAnalysis analysis = analyzer.analyze(text, outcome.finalURL, outcome.robotsTag);
    if (!analysis.parsed) {
        // Not read is not searched: no judgement on the link.
        m_details.pageTooComplex = true;
        m_details.failure = tr("the page is too complex to analyse");
        report(VerificationLinksPageNotLoaded);
        return;
    }
    if (analysis.refreshTarget.isValid()) {
        // The page has moved: judged where it went, one more hop of the same chain.
        QList<RedirectHop> hops = outcome.redirects;
        hops.append({outcome.finalURL, outcome.httpStatus, true});
        fetchLinksPage(analysis.refreshTarget, hops);
        return;
    }
    m_details.setAnalysis(analysis);
    // Only a link a visitor can see counts: the address in text, comments or scripts, links
    // hidden from view and links to look-alike hosts are no reciprocal link.
    report(analysis.linkVisible() ? VerificationSucceeded : VerificationLinkNotFound);
}

void VerificationManager::report(VerificationResult result)
{
    m_result = result;
    if (m_target)
        m_target->verificationCompleted(this);
}

void VerificationManager::cancel()
{
    releaseHandles();
}

void VerificationManager::releaseSlot()
{
    if (!m_hosts)
        return;
    if (m_slotTicket != 0)
        m_hosts->withdraw(m_slotTicket);
    m_slotTicket = 0;
    if (m_holdsSlot) {
        m_holdsSlot = false;
        // Gives the slot to a waiting fetch, which starts now.
        m_hosts->release(m_slotHost);
    }
}

void VerificationManager::releaseHandles()
{
    for (QPointer<PageFetcher> *handle : {&m_download1, &m_download2}) {
        if (PageFetcher *fetcher = *handle) {
            *handle = nullptr;
            fetcher->disconnect(this);
            fetcher->cancel();
            // It may be inside its own signal right now.
            fetcher->deleteLater();
        }
    }
    // Only now that its own request is stopped may the host serve another.
    releaseSlot();
}

bool VerificationManager::data(const QByteArray &bytes, const QString &string)
{
    return PageDecoder::decode(bytes).contains(string);
}

QString VerificationManager::tempFilePath() const
{
    return TemporaryFolder::filePath(QStringLiteral("verify%1.html").arg(m_index));
}
