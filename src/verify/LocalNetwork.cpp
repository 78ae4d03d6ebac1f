#include "LocalNetwork.h"

#include <QPair>

namespace {

const QList<QPair<QHostAddress, int>> &ranges()
{
    static const QList<QPair<QHostAddress, int>> list = [] {
        QList<QPair<QHostAddress, int>> parsed;
        for (const char *range : {"0.0.0.0/8", "10.0.0.0/8", "127.0.0.0/8", "169.254.0.0/16", "172.16.0.0/12",
                                  "192.168.0.0/16", "::/128", "::1/128", "fc00::/7", "fe80::/10"})
            parsed.append(QHostAddress::parseSubnet(QString::fromLatin1(range)));
        return parsed;
    }();
    return list;
}

} // namespace

bool LocalNetwork::contains(const QHostAddress &address)
{
    // An IPv4 address written as IPv6 (::ffff:10.0.0.1) is the IPv4 address.
    bool isIPv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIPv4);
    const QHostAddress plain = isIPv4 ? QHostAddress(ipv4) : address;
    for (const auto &range : ranges()) {
        if (plain.isInSubnet(range))
            return true;
    }
    return false;
}

bool LocalNetwork::containsAny(const QList<QHostAddress> &addresses)
{
    for (const QHostAddress &address : addresses) {
        if (contains(address))
            return true;
    }
    return false;
}

bool LocalNetwork::allowsRedirect(const QList<QHostAddress> &from, const QList<QHostAddress> &to)
{
    return !containsAny(to) || containsAny(from);
}
