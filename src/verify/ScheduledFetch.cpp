#include "ScheduledFetch.h"

#include "HostScheduler.h"

ScheduledFetch::ScheduledFetch(QNetworkAccessManager *network, HostScheduler *hosts, QObject *parent)
    : QObject(parent), m_fetcher(new PageFetcher(network, this)), m_hosts(hosts)
{
    m_fetcher->setHostScheduler(hosts);
    connect(m_fetcher, &PageFetcher::finished, this, [this](const FetchOutcome &outcome) {
        // The slot goes back before anyone hears of the end, who may want to fetch again.
        releaseSlot();
        emit finished(outcome);
    });
}

ScheduledFetch::~ScheduledFetch()
{
    cancel();
}

void ScheduledFetch::start(const QUrl &url, const FetchSettings &settings, const QSet<int> &retryStatuses,
                           PageFetcher::Body body)
{
    cancel();
    if (!m_hosts) {
        m_fetcher->start(url, settings, retryStatuses, body);
        return;
    }
    m_host = HostScheduler::hostKey(url);
    // Called at once when the server has room, else once it has.
    m_ticket = m_hosts->request(m_host, [this, url, settings, retryStatuses, body] {
        m_ticket = 0;
        m_holdsSlot = true;
        m_fetcher->start(url, settings, retryStatuses, body);
    });
}

void ScheduledFetch::cancel()
{
    m_fetcher->cancel();
    releaseSlot();
}

void ScheduledFetch::releaseSlot()
{
    if (!m_hosts) {
        m_ticket = 0;
        m_holdsSlot = false;
        return;
    }
    if (m_ticket != 0)
        m_hosts->withdraw(std::exchange(m_ticket, 0));
    if (std::exchange(m_holdsSlot, false))
        m_hosts->release(m_host);
}
