#pragma once

#include <QUrl>

// One step by which a fetch was sent on from one address to another: an HTTP redirect (301, 302,
// 303, 307, 308 with a Location), or a page that moved by a Refresh header or a
// <meta http-equiv="refresh"> within a few seconds.
struct RedirectHop
{
    QUrl url;             // the address that sent the fetch on, without user name and password
    int status = 0;       // the HTTP status it answered with (200 or so for a refresh)
    bool refresh = false; // moved by a refresh rather than an HTTP redirect

    bool operator==(const RedirectHop &) const = default;
};
