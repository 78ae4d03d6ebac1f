#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <functional>

class QObject;

// How one page is fetched: limits that keep a slow or hostile server from stalling a run or
// exhausting memory, and the pauses between retries of transient failures.
struct FetchSettings
{
    static constexpr qint64 DefaultMaximumBodySize = 10 * 1024 * 1024;

    int timeoutMs = 30000; // per attempt; a time-out ends the fetch as a failure
    // Longest wait for the first byte of the body (the whole head included), within the time-out:
    // a server that keeps sending headers is given up early.
    int firstByteTimeoutMs = 15000;
    QString userAgent;         // empty: the HTTP client's own
    int maximumRedirects = 10; // hops of any kind, HTTP redirects and refreshes together
    qint64 maximumBodySize = DefaultMaximumBodySize; // a longer body is cut here
    int maximumRetries = 2;
    int retryDelayMs = 500;         // the pause before the first retry; doubles for the next
    int maximumRetryAfterMs = 5000; // a longer Retry-After is not waited for
    bool noCache = false;           // ask caches on the way for a fresh copy

    // Looks up the addresses of a host name and hands them to `done` from the event loop, unless
    // `context` is gone by then (an empty list when the name is unknown). Empty: the system's
    // resolver. Redirects are judged by the addresses their hosts have.
    using HostLookup = std::function<void(const QString &host, QObject *context,
                                          std::function<void(const QList<QHostAddress> &)> done)>;
    HostLookup lookUpHost;

    // The time-out and user agent of the user's preferences, read now.
    static FetchSettings fromPreferences();
};
