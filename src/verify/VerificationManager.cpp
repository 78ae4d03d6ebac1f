#include "VerificationManager.h"

#include "FetchVerdict.h"
#include "HostScheduler.h"
#include "MovedLinkSearch.h"
#include "PageAnalysisTask.h"
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
{
    m_pauseTimer.setSingleShot(true);
    connect(&m_pauseTimer, &QTimer::timeout, this, [this] {
        m_step = Step::WaitingToResume;
        if (m_target)
            m_target->verificationReadyToResume(this);
        else
            resume();
    });
}

VerificationManager::~VerificationManager()
{
    cancel();
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
    m_secondLook = false;
    return startBrokenLinkDetection();
}

bool VerificationManager::isRunning() const
{
    return m_step != Step::Idle && m_step != Step::Done;
}

FetchSettings VerificationManager::fetchSettings() const
{
    return m_settings ? *m_settings : FetchSettings::fromPreferences();
}

const CheckSettings &VerificationManager::checkSettings()
{
    if (!m_checkSettings)
        m_checkSettings = CheckSettings::fromPreferences();
    return *m_checkSettings;
}

bool VerificationManager::startBrokenLinkDetection()
{
    const QString url = m_link->URL();
    if (!TextUtils::isValidURL(url)) {
        // Nothing could be asked: no address to check.
        m_details.failure = tr("The partner's address is not a valid web address.");
        m_details.outcome = CheckOutcome::None;
        report(VerificationNoResponse);
        return false;
    }
    m_step = Step::Site;
    m_verifyingBrokenLink = true;
    m_download1 = new PageFetcher(m_network, this);
    connect(m_download1, &PageFetcher::finished, this, &VerificationManager::brokenLinkDetectionFinished);
    // Any answer proves the site is up, so no status is worth another try here.
    startFetch(m_download1, fetchURL(url), {}, PageFetcher::Body::Discard, fetchSettings());
    return true;
}

void VerificationManager::brokenLinkDetectionFinished(const FetchOutcome &outcome)
{
    m_details.retries += outcome.attempts - 1;
    m_details.siteWaitMs += outcome.waitedMs;
    m_details.siteFinalURL = outcome.finalURL;
    if (!outcome.loaded()) {
        m_details.failure = outcome.errorText;
        m_details.outcome = CheckOutcome::Unreachable;
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
        m_details.outcome = CheckOutcome::None;
        report(VerificationNoLinksPageURL);
        return false;
    }
    if (!TextUtils::isValidURL(url)) {
        m_details.failure = tr("The links page address is not a valid web address.");
        m_details.outcome = CheckOutcome::None;
        report(VerificationLinksPageNotLoaded);
        return false;
    }
    startPageFetch();
    return true;
}

void VerificationManager::startPageFetch()
{
    m_verifyingBrokenLink = false;
    fetchLinksPage(fetchURL(m_link->counterpartURL()), {});
}

void VerificationManager::fetchLinksPage(const QUrl &url, const QList<RedirectHop> &earlierHops)
{
    m_step = Step::Page;
    m_download2 = new PageFetcher(m_network, this);
    connect(m_download2, &PageFetcher::finished, this, &VerificationManager::partnerLinkVerificationFinished);
    FetchSettings settings = fetchSettings();
    // The second look must see the page as the partner's server has it now, past any cache.
    settings.noCache = m_secondLook;
    startFetch(m_download2, url, RetryPolicy::transientStatuses(), PageFetcher::Body::Keep, settings,
               earlierHops);
}

void VerificationManager::startFetch(PageFetcher *fetcher, const QUrl &url, const QSet<int> &retryStatuses,
                                     PageFetcher::Body body, const FetchSettings &settings,
                                     const QList<RedirectHop> &earlierHops)
{
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
    // The second look's answer replaces what the first one said.
    m_details.failure.clear();
    m_details.challengeService.clear();
    const FetchVerdict::Verdict verdict = FetchVerdict::of(outcome);
    if (verdict.outcome) {
        m_details.failure = verdict.why;
        m_details.challengeService = verdict.challengeService;
        judged(*verdict.outcome, VerificationLinksPageNotLoaded);
        return;
    }
    m_details.pageTruncated = outcome.truncated;
    PageAnalysisJob job;
    job.body = outcome.body;
    job.contentType = outcome.contentType;
    job.pageURL = outcome.finalURL;
    job.robotsTag = outcome.robotsTag;
    job.ownURL = m_ownURL;
    job.keepAs = QStringLiteral("verify%1.html").arg(m_index);
    // A partner can point the links page at the user's own pages, which link to the own site.
    if (m_details.pageRedirected && PageAnalyzer(m_ownURL).leadsToOwnSite(outcome.finalURL)) {
        m_details.redirectedToOwnSite = true;
        job.analyse = false;
    }
    m_step = Step::Analysis;
    m_analysis = new PageAnalysisTask(this);
    const quint64 generation = m_generation;
    connect(m_analysis, &PageAnalysisTask::finished, this, [this, generation](const PageAnalysis &analysis) {
        if (generation != m_generation || m_step != Step::Analysis)
            return;
        m_analysis->deleteLater(); // it is inside its own signal
        m_analysis = nullptr;
        pageAnalysed(analysis);
    });
    m_analysis->start(job);
}

void VerificationManager::pageAnalysed(const PageAnalysis &analysis)
{
    if (m_details.redirectedToOwnSite) {
        // The partner's own doing, not a cache: no second look, and nothing to search on our site.
        m_details.outcome = CheckOutcome::NotLinked;
        m_details.confirmed = true;
        report(VerificationLinkNotFound);
        return;
    }
    if (!analysis.parsed) {
        // Not read is not searched: no judgement on the link.
        m_details.pageTooComplex = true;
        m_details.failure = tr("the page is too complex to analyse");
        judged(CheckOutcome::Unreachable, VerificationLinksPageNotLoaded);
        return;
    }
    if (analysis.refreshTarget.isValid()) {
        // The page has moved: judged where it went, one more hop of the same chain.
        QList<RedirectHop> hops = m_details.pageRedirects;
        hops.append({m_details.pageFinalURL, m_details.pageStatus, true});
        fetchLinksPage(analysis.refreshTarget, hops);
        return;
    }
    m_details.setAnalysis(analysis);
    m_details.externalFollowed = analysis.externalFollowed;
    m_details.crowdedPageLinks = checkSettings().crowdedPageLinks;
    m_sameSiteLinks = analysis.sameSiteLinks;
    // Only a link a visitor can see counts: the address in text, comments or scripts, links
    // hidden from view and links to look-alike hosts are no reciprocal link. A page too complex to
    // read says nothing either way.
    const bool visible = analysis.linkVisible();
    const CheckOutcome judgement = !analysis.parsed ? CheckOutcome::Unreachable
                                   : visible        ? CheckOutcome::Linked
                                                    : CheckOutcome::NotLinked;
    judged(judgement, visible ? VerificationSucceeded : VerificationLinkNotFound);
}

void VerificationManager::judged(CheckOutcome outcome, VerificationResult result)
{
    m_details.outcome = outcome;
    m_judgedResult = result;
    if (!CheckOutcomes::isDecisive(outcome)) {
        // Down or closed: the missing link of a first look stays unproven.
        m_details.missingFromFirstFetch = m_secondLook;
        report(result);
        return;
    }
    // Without a search engine to ask for, robots.txt matters only to the search for a moved link.
    const bool robotsWanted =
        !checkSettings().robotsUserAgent.trimmed().isEmpty() || outcome != CheckOutcome::Linked;
    if (!m_robots || !robotsWanted) {
        robotsRead(RobotsFiles::File());
        return;
    }
    m_step = Step::Robots;
    const quint64 generation = m_generation;
    m_robots->request(m_details.pageFinalURL.isEmpty() ? fetchURL(m_link->counterpartURL())
                                                       : m_details.pageFinalURL,
                      this, [this, generation](const RobotsFiles::File &file) {
                          if (generation == m_generation && m_step == Step::Robots)
                              robotsRead(file);
                      });
}

void VerificationManager::robotsRead(const RobotsFiles::File &file)
{
    m_robotsFile = file;
    const QUrl page =
        m_details.pageFinalURL.isEmpty() ? fetchURL(m_link->counterpartURL()) : m_details.pageFinalURL;
    m_details.robots = file.verdict(checkSettings().robotsUserAgent, page);
    // A page search engines may not read passes on nothing, whatever its links say.
    if (m_details.robots == RobotsVerdict::Disallowed)
        m_details.followed = false;
    if (m_details.outcome == CheckOutcome::Linked) {
        m_details.missingFromFirstFetch = m_secondLook;
        report(m_judgedResult);
    } else if (m_secondLook) {
        m_details.confirmed = true;
        searchElsewhere();
    } else if (m_confirmLoss) {
        pauseBeforeSecondLook();
    } else {
        report(m_judgedResult);
    }
}

void VerificationManager::pauseBeforeSecondLook()
{
    const int delayMs = checkSettings().confirmDelayMs;
    m_details.confirmDelaySeconds = delayMs / 1000;
    m_step = Step::Pause;
    m_pauseTimer.start(qMax(0, delayMs));
    if (m_target)
        m_target->verificationPaused(this);
}

void VerificationManager::resume()
{
    if (m_step != Step::WaitingToResume && m_step != Step::Pause)
        return;
    m_pauseTimer.stop();
    m_secondLook = true;
    startPageFetch();
}

void VerificationManager::searchElsewhere()
{
    const CheckSettings &settings = checkSettings();
    if (settings.movedSearchPages <= 0) {
        report(m_judgedResult);
        return;
    }
    m_step = Step::Search;
    m_search = new MovedLinkSearch(m_network, m_hosts, this);
    connect(m_search, &MovedLinkSearch::finished, this, &VerificationManager::searchFinished);
    MovedLinkSearch::Request request;
    request.linksPage =
        m_details.pageFinalURL.isEmpty() ? fetchURL(m_link->counterpartURL()) : m_details.pageFinalURL;
    request.linksPageAsGiven = fetchURL(m_link->counterpartURL());
    request.neighbours = m_sameSiteLinks;
    request.robots = m_robotsFile;
    request.ownURL = m_ownURL;
    request.maximumPages = settings.movedSearchPages;
    request.fetch = fetchSettings();
    m_search->start(request);
}

void VerificationManager::searchFinished(const QUrl &foundOn)
{
    if (m_step != Step::Search)
        return;
    m_details.movedTo = foundOn;
    m_details.pagesSearched = m_search->pagesSearched();
    m_search->deleteLater(); // it is inside its own signal
    m_search = nullptr;
    report(m_judgedResult);
}

void VerificationManager::report(VerificationResult result)
{
    m_step = Step::Done;
    m_result = result;
    if (m_target)
        m_target->verificationCompleted(this);
}

void VerificationManager::cancel()
{
    ++m_generation;
    m_pauseTimer.stop();
    releaseHandles();
    if (m_search) {
        m_search->disconnect(this);
        m_search->cancel();
        m_search->deleteLater();
        m_search = nullptr;
    }
    if (m_step != Step::Done)
        m_step = Step::Idle;
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
    if (PageAnalysisTask *analysis = std::exchange(m_analysis, nullptr)) {
        analysis->disconnect(this);
        analysis->cancel();
        analysis->deleteLater();
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
