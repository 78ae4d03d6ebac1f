#pragma once

#include "FetchOutcome.h"
#include "FetchSettings.h"
#include "RobotsFiles.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QUrl>

class HostScheduler;
class PageAnalysisTask;
class QNetworkAccessManager;
struct PageAnalysis;
class ScheduledFetch;

// Looks for the user's link elsewhere on a partner's site once it is gone from the links page: on
// the pages the site's sitemaps name (robots.txt's Sitemap lines and /sitemap.xml, an index one level
// down) and on the site's pages the links page links to, those whose address speaks of links,
// partners, friends, resources or a directory first. At most the given number of pages is loaded,
// a few at a time within the run's limit per server, and none that robots.txt closes to this
// program. Ends with the first page that carries a visible link to the own site, or with none.
// Pages are read on the pool of page analyses; a page being read counts among those loading.
class MovedLinkSearch : public QObject
{
    Q_OBJECT
public:
    // The product token this program answers to in robots.txt.
    static inline const QString OwnProductToken = QStringLiteral("Quillmarsh");
    static constexpr int MaximumSitemapFiles = 8;
    static constexpr int MaximumIndexChildren = 5;
    static constexpr qint64 MaximumSitemapSize = 10 * 1024 * 1024;
    // A links page address longer than this does not fit the database.
    static constexpr int MaximumAddressLength = 249;
    static constexpr int MaximumParallelPages = 4;

    struct Request
    {
        QUrl linksPage;         // where the links page ended, after redirects
        QUrl linksPageAsGiven;  // the link's own links page address
        QStringList neighbours; // pages of the same site the links page links to, in page order
        RobotsFiles::File robots;
        QString ownURL;
        int maximumPages = 20;
        FetchSettings fetch;
    };

    MovedLinkSearch(QNetworkAccessManager *network, HostScheduler *hosts, QObject *parent = nullptr);
    ~MovedLinkSearch() override;

    void start(const Request &request);
    // Nothing is emitted afterwards.
    void cancel();
    int pagesSearched() const { return m_pagesSearched; }

    // The pages to search, in order, at most `limit`: same site as the links page (a leading www.
    // aside), over http or https, short enough to be stored, allowed to this program by robots.txt,
    // each once, neither the links page nor its given address; the keyword pages first, the
    // neighbours before the sitemaps' pages otherwise.
    static QList<QUrl> candidates(const Request &request, const QStringList &sitemapPages, int limit);
    // Whether `url` is on the same site as `page`.
    static bool sameSite(const QUrl &url, const QUrl &page);

signals:
    // `foundOn` is empty when no page carries the link.
    void finished(const QUrl &foundOn);

private:
    void readNextSitemap();
    void sitemapRead(const FetchOutcome &outcome);
    void searchPages();
    void loadNextPage();
    void pageLoaded(ScheduledFetch *fetch, const QUrl &asked, const FetchOutcome &outcome);
    void pageAnalysed(PageAnalysisTask *task, const QUrl &asked, const QUrl &finalURL,
                      const PageAnalysis &analysis);
    void loadMoreOrFinish();
    void finish(const QUrl &foundOn);

    QNetworkAccessManager *m_network;
    QPointer<HostScheduler> m_hosts;
    Request m_request;
    bool m_running = false;
    QList<QPair<QUrl, int>> m_sitemapQueue; // with the depth below robots.txt and /sitemap.xml
    QSet<QString> m_sitemapsSeen;
    int m_sitemapsRead = 0;
    int m_currentSitemapDepth = 0;
    QStringList m_sitemapPages;
    ScheduledFetch *m_sitemapFetch = nullptr;
    QList<QUrl> m_candidates;
    int m_nextCandidate = 0;
    QList<ScheduledFetch *> m_pageFetches;
    QList<PageAnalysisTask *> m_pageAnalyses; // pages loaded and being read on the pool
    int m_pagesSearched = 0;
};
