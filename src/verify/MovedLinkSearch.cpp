#include "MovedLinkSearch.h"

#include "FetchVerdict.h"
#include "HostScheduler.h"
#include "PageAnalysisTask.h"
#include "ScheduledFetch.h"
#include "SitemapReader.h"

#include "model/AddressTexts.h"

#include <algorithm>

namespace {

const QStringList Keywords = {QStringLiteral("link"), QStringLiteral("partner"), QStringLiteral("friend"),
                              QStringLiteral("resource"), QStringLiteral("directory")};

bool isWeb(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QString siteHost(const QUrl &url)
{
    return AddressTexts::siteHost(url.host());
}

// The same page, written either way.
QString pageKey(const QUrl &url)
{
    return url.adjusted(QUrl::RemoveFragment | QUrl::NormalizePathSegments).toString(QUrl::FullyEncoded);
}

bool speaksOfLinks(const QUrl &url)
{
    const QString address = (url.path() + u'?' + url.query()).toLower();
    return std::any_of(Keywords.begin(), Keywords.end(),
                       [&](const QString &keyword) { return address.contains(keyword); });
}

} // namespace

MovedLinkSearch::MovedLinkSearch(QNetworkAccessManager *network, HostScheduler *hosts, QObject *parent)
    : QObject(parent), m_network(network), m_hosts(hosts)
{}

MovedLinkSearch::~MovedLinkSearch()
{
    cancel();
}

bool MovedLinkSearch::sameSite(const QUrl &url, const QUrl &page)
{
    return isWeb(url) && !url.host().isEmpty() && siteHost(url) == siteHost(page);
}

QList<QUrl> MovedLinkSearch::candidates(const Request &request, const QStringList &sitemapPages, int limit)
{
    QSet<QString> seen{pageKey(request.linksPage), pageKey(request.linksPageAsGiven)};
    QList<QUrl> first, rest;
    const auto consider = [&](const QString &text) {
        const QUrl url(text, QUrl::TolerantMode);
        if (!sameSite(url, request.linksPage) || text.size() > MaximumAddressLength)
            return;
        const QString key = pageKey(url);
        if (seen.contains(key))
            return;
        seen.insert(key);
        if (request.robots.verdict(OwnProductToken, url) == RobotsVerdict::Disallowed)
            return;
        (speaksOfLinks(url) ? first : rest).append(url.adjusted(QUrl::RemoveFragment));
    };
    for (const QString &page : request.neighbours)
        consider(page);
    for (const QString &page : sitemapPages)
        consider(page);
    return (first + rest).mid(0, qMax(0, limit));
}

void MovedLinkSearch::start(const Request &request)
{
    cancel();
    m_request = request;
    m_running = true;
    m_sitemapQueue.clear();
    m_sitemapsSeen.clear();
    m_sitemapPages.clear();
    m_sitemapsRead = 0;
    m_pagesSearched = 0;
    if (request.maximumPages <= 0) {
        finish(QUrl());
        return;
    }
    const auto queue = [this](const QUrl &url, int depth) {
        if (sameSite(url, m_request.linksPage) && !m_sitemapsSeen.contains(pageKey(url))) {
            m_sitemapsSeen.insert(pageKey(url));
            m_sitemapQueue.append({url, depth});
        }
    };
    for (const QString &sitemap : request.robots.rules.sitemaps())
        queue(QUrl(sitemap, QUrl::TolerantMode), 0);
    queue(request.linksPage.resolved(QUrl(QStringLiteral("/sitemap.xml"))), 0);
    readNextSitemap();
}

void MovedLinkSearch::readNextSitemap()
{
    if (m_sitemapQueue.isEmpty() || m_sitemapsRead >= MaximumSitemapFiles) {
        searchPages();
        return;
    }
    const auto [url, depth] = m_sitemapQueue.takeFirst();
    m_currentSitemapDepth = depth;
    ++m_sitemapsRead;
    FetchSettings settings = m_request.fetch;
    settings.maximumBodySize = MaximumSitemapSize;
    settings.maximumRetries = 0;
    settings.noCache = false;
    m_sitemapFetch = new ScheduledFetch(m_network, m_hosts, this);
    connect(m_sitemapFetch, &ScheduledFetch::finished, this, &MovedLinkSearch::sitemapRead);
    m_sitemapFetch->start(url, settings, {}, PageFetcher::Body::Keep);
}

void MovedLinkSearch::sitemapRead(const FetchOutcome &outcome)
{
    m_sitemapFetch->deleteLater();
    m_sitemapFetch = nullptr;
    if (outcome.loaded() && outcome.httpStatus < 400 && !FetchVerdict::of(outcome).outcome) {
        const SitemapReader::Sitemap sitemap = SitemapReader::read(outcome.body);
        m_sitemapPages += sitemap.pages;
        if (m_currentSitemapDepth == 0) {
            // An index: its sitemaps that speak of links first.
            QList<QUrl> children;
            for (const QString &child : sitemap.sitemaps)
                children.append(QUrl(child, QUrl::TolerantMode));
            std::stable_partition(children.begin(), children.end(), speaksOfLinks);
            for (const QUrl &child : children.mid(0, MaximumIndexChildren)) {
                if (sameSite(child, m_request.linksPage) && !m_sitemapsSeen.contains(pageKey(child))) {
                    m_sitemapsSeen.insert(pageKey(child));
                    m_sitemapQueue.append({child, 1});
                }
            }
        }
    }
    readNextSitemap();
}

void MovedLinkSearch::searchPages()
{
    m_candidates = candidates(m_request, m_sitemapPages, m_request.maximumPages);
    m_sitemapPages.clear();
    m_nextCandidate = 0;
    const int parallel = qBound(1, m_hosts ? m_hosts->perHost() : 1, MaximumParallelPages);
    for (int i = 0; i < parallel && m_running; ++i)
        loadNextPage();
    if (m_running && m_pageFetches.isEmpty() && m_pageAnalyses.isEmpty())
        finish(QUrl());
}

void MovedLinkSearch::loadNextPage()
{
    if (m_nextCandidate >= m_candidates.size())
        return;
    const QUrl url = m_candidates.at(m_nextCandidate++);
    auto *fetch = new ScheduledFetch(m_network, m_hosts, this);
    m_pageFetches.append(fetch);
    connect(fetch, &ScheduledFetch::finished, this,
            [this, fetch, url](const FetchOutcome &outcome) { pageLoaded(fetch, url, outcome); });
    FetchSettings settings = m_request.fetch;
    settings.maximumRetries = 0;
    settings.noCache = false;
    fetch->start(url, settings, {}, PageFetcher::Body::Keep);
}

void MovedLinkSearch::pageLoaded(ScheduledFetch *fetch, const QUrl &asked, const FetchOutcome &outcome)
{
    m_pageFetches.removeOne(fetch);
    fetch->deleteLater();
    ++m_pagesSearched;
    if (outcome.loaded() && outcome.httpStatus < 400 && !FetchVerdict::of(outcome).outcome) {
        PageAnalysisJob job;
        job.body = outcome.body;
        job.pageURL = outcome.finalURL;
        job.robotsTag = outcome.robotsTag;
        job.ownURL = m_request.ownURL;
        auto *task = new PageAnalysisTask(this);
        m_pageAnalyses.append(task);
        const QUrl finalURL = outcome.finalURL;
        connect(task, &PageAnalysisTask::finished, this,
                [this, task, asked, finalURL](const PageAnalysis &analysis) {
                    pageAnalysed(task, asked, finalURL, analysis);
                });
        task->start(job);
        return;
    }
    loadMoreOrFinish();
}

void MovedLinkSearch::pageAnalysed(PageAnalysisTask *task, const QUrl &asked, const QUrl &finalURL,
                                   const PageAnalysis &analysis)
{
    m_pageAnalyses.removeOne(task);
    task->deleteLater(); // it is inside its own signal
    if (analysis.linkVisible()) {
        // Where the link is, unless the page sent us off the site or to an address too long to keep.
        const QUrl found =
            sameSite(finalURL, m_request.linksPage) && finalURL.toString().size() <= MaximumAddressLength
                ? finalURL
                : asked;
        finish(found);
        return;
    }
    loadMoreOrFinish();
}

void MovedLinkSearch::loadMoreOrFinish()
{
    loadNextPage();
    if (m_running && m_pageFetches.isEmpty() && m_pageAnalyses.isEmpty())
        finish(QUrl());
}

void MovedLinkSearch::finish(const QUrl &foundOn)
{
    cancel();
    emit finished(foundOn);
}

void MovedLinkSearch::cancel()
{
    m_running = false;
    if (m_sitemapFetch) {
        m_sitemapFetch->disconnect(this);
        m_sitemapFetch->cancel();
        m_sitemapFetch->deleteLater();
        m_sitemapFetch = nullptr;
    }
    for (ScheduledFetch *fetch : std::exchange(m_pageFetches, {})) {
        fetch->disconnect(this);
        fetch->cancel();
        fetch->deleteLater();
    }
    for (PageAnalysisTask *task : std::exchange(m_pageAnalyses, {})) {
        task->disconnect(this);
        task->cancel();
        task->deleteLater();
    }
    m_sitemapQueue.clear();
    m_candidates.clear();
}
