#pragma once

#include "RedirectHop.h"

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
        Failed, // no usable answer: DNS, connection, TLS, a redirect refused or in a loop, time-out
    };

    Kind kind = Kind::Failed;
    int httpStatus = 0; // of the final response; 0 when there was none or the address is a file
    QUrl finalURL;      // after redirects
    // Every hop before `finalURL`, in order (also of a fetch that failed on the way); the first
    // one's address is the one asked for.
    QList<RedirectHop> redirects;
    bool redirected = false; // redirects is not empty
    QByteArray body;         // at most the settings' maximum; empty unless asked for
    bool truncated = false;  // the body was longer and was cut
    QByteArray contentType;  // the Content-Type header, whose charset tells how to read the body
    QByteArray robotsTag;    // the X-Robots-Tag header
    QByteArray retryAfter;   // the Retry-After header
    QList<QPair<QByteArray, QByteArray>> headers; // every header of the final response
    QString errorText;                            // why it failed, for display
    bool timedOut = false;
    bool transientFailure = false; // a connection dropped by the server: worth another try
    int attempts = 1;
    qint64 waitedMs = 0; // held back between attempts because the server asked for a pause

    bool loaded() const { return kind == Kind::Loaded; }
};
