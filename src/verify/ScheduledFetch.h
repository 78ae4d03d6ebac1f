#pragma once

#include "FetchOutcome.h"
#include "FetchSettings.h"
#include "PageFetcher.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUrl>

class HostScheduler;
class QNetworkAccessManager;

// One page fetch that first waits for its slot on the server, when the run has a host scheduler, and
// gives the slot back as soon as it ends or is cancelled: the fetches a check adds beyond its two
// (robots.txt, sitemaps, pages searched for a moved link) keep to the run's limit per server.
class ScheduledFetch : public QObject
{
    Q_OBJECT
public:
    ScheduledFetch(QNetworkAccessManager *network, HostScheduler *hosts, QObject *parent = nullptr);
    ~ScheduledFetch() override;

    void start(const QUrl &url, const FetchSettings &settings, const QSet<int> &retryStatuses,
               PageFetcher::Body body);
    // Nothing is emitted afterwards.
    void cancel();

signals:
    void finished(const FetchOutcome &outcome);

private:
    void releaseSlot();

    PageFetcher *m_fetcher;
    QPointer<HostScheduler> m_hosts;
    QString m_host;
    quint64 m_ticket = 0;
    bool m_holdsSlot = false;
};
