#pragma once

#include "FetchOutcome.h"
#include "FetchSettings.h"
#include "HostScheduler.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// One GET of one address on an HTTP client of its own (set up like the given one), with a time-out
// per attempt, a time-out for the first byte of the body, a cap on the body and retries of
// transient failures. Redirects are followed here, each one a hop of the outcome's `redirects`: HTTP
// redirects, and for a page that is kept a Refresh header that moves on within a few seconds. Hops go
// to http and https only, at most the settings' number of them, never round in a loop, and never
// from the internet into the local network (see LocalNetwork). It ends in exactly one `finished`
// (always from the event loop, never inside `start`) unless it is cancelled first.
class PageFetcher : public QObject
{
    Q_OBJECT
public:
    // Whether the body is wanted: a page to search, or only proof that the server answers.
    enum class Body
    {
        Keep,
        Discard
    };

    // Without a body to keep, reading stops here: enough to see the server answer.
    static constexpr qint64 DiscardedBodyLimit = 1024 * 1024;
    // A redirect's address longer than this is refused.
    static constexpr qsizetype MaximumLocationLength = 8 * 1024;
    // What the HTTP client may hold before the body is read, inflated bytes included.
    static constexpr qint64 ReadBufferSize = 1024 * 1024;

    // The address without user name and password, as it may be shown or printed.
    static QUrl shownURL(const QUrl &url);

    // A client with this property set to true is fetched through as it is, never copied.
    static constexpr const char *SharedClientProperty = "quillmarshSharedClient";

    explicit PageFetcher(QNetworkAccessManager *network, QObject *parent = nullptr);
    ~PageFetcher() override;

    // `earlierHops` continues a chain of hops that led to `url` (a page whose <meta> refresh was
    // followed): their number counts against the limit, and a return to one of them is a loop.
    void start(const QUrl &url, const FetchSettings &settings, const QSet<int> &retryStatuses, Body body,
               const QList<RedirectHop> &earlierHops = {});
    // Stops the fetch; `finished` is not emitted afterwards.
    void cancel();
    bool isRunning() const { return m_running; }
    // The run's hosts: told of every answer, so a 429 or 503 can pause its host, and asked before
    // each retry whether the host is still paused.
    void setHostScheduler(HostScheduler *hosts) { m_hosts = hosts; }

signals:
    void finished(const FetchOutcome &outcome);

private:
    void startAttempt();
    void sendRequest(const QUrl &url);
    void headersArrived();
    void followRedirect();
    bool followRefresh();
    void hopTo(const QUrl &target, const RedirectHop &hop);
    QString hopRefusal(const QUrl &target) const;
    void sendAfterAddressCheck(const QUrl &target);
    void lookUp(const QString &host, std::function<void(const QList<QHostAddress> &)> done);
    bool hasRedirectStatus() const;
    bool isRedirect() const;
    void readBody();
    void replyFinished();
    void timedOut();
    void firstByteTimedOut();
    void bodyStarted();
    void endAttempt(FetchOutcome outcome);
    void complete(const FetchOutcome &outcome);
    FetchOutcome outcomeFromReply() const;
    void releaseReply();
    qint64 bodyLimit() const;

    bool m_ownsNetwork;
    QNetworkAccessManager *m_network; // owned unless marked shared, see the constructor
    QPointer<QNetworkReply> m_reply;
    QUrl m_url;
    QList<RedirectHop> m_earlierHops;
    QList<RedirectHop> m_hops;      // of this attempt, the earlier ones included
    quint64 m_lookupGeneration = 0; // an address look-up that answers for an older one is ignored
    FetchSettings m_settings;
    QSet<int> m_retryStatuses;
    Body m_bodyMode = Body::Keep;
    QByteArray m_body;
    qint64 m_bodyBytesSeen = 0;
    bool m_truncated = false;
    QStringList m_tlsErrors; // what the secure connection of the current request objected to
    int m_attempt = 0;
    bool m_running = false;
    QTimer m_timeout;
    QTimer m_firstByteTimeout;
    QTimer m_retryPause;
    QPointer<HostScheduler> m_hosts;
    qint64 m_waitedMs = 0;
};
