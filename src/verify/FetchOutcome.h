#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

// How one page fetch ended.
struct FetchOutcome
{
    enum class Kind
    {
        Loaded, // the server answered (whatever its status)
        Failed, // no answer: DNS, connection, TLS, redirect loop or time-out
    };

    Kind kind = Kind::Failed;
    int httpStatus = 0; // of the final response; 0 when there was none or the address is a file
    QUrl finalURL;      // after redirects
    bool redirected = false;
    QByteArray body;                              // at most the settings' maximum; empty unless asked for
    bool truncated = false;                       // the body was longer and was cut
    QByteArray robotsTag;                         // the X-Robots-Tag header
    QByteArray retryAfter;                        // the Retry-After header
    QList<QPair<QByteArray, QByteArray>> headers; // every header of the final response
    QString errorText;                            // why it failed, for display
    bool timedOut = false;
    bool transientFailure = false; // a connection dropped by the server: worth another try
    int attempts = 1;
    qint64 waitedMs = 0; // held back between attempts because the server asked for a pause

    bool loaded() const { return kind == Kind::Loaded; }
};
