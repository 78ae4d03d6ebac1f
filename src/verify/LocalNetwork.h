#pragma once

#include <QHostAddress>
#include <QList>

// The addresses of this machine and of the networks around it: loopback (127/8, ::1), the private
// ranges (10/8, 172.16/12, 192.168/16, fc00::/7), link-local (169.254/16, fe80::/10) and the
// unspecified address (0/8, ::), which reaches this machine. A partner's page on the internet has no
// business sending a check there: a redirect could make the checker read a router's or an
// intranet's pages.
class LocalNetwork
{
public:
    static bool contains(const QHostAddress &address);
    static bool containsAny(const QList<QHostAddress> &addresses);

    // Whether a redirect from a host with the `from` addresses may go to one with the `to`
    // addresses: always, unless it leads from outside into the local network. Where the fetch began
    // inside it already (an intranet's own links page), it may stay there.
    static bool allowsRedirect(const QList<QHostAddress> &from, const QList<QHostAddress> &to);
};
