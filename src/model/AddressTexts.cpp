#include "AddressTexts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace AddressTexts {

namespace {

bool hasSpace(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); });
}

// Whether the address begins with the prefix as a browser reads an href: leading spaces and control
// characters skipped, tabs and line breaks anywhere dropped, case ignored. Called for every link when
// pages are counted, so it copies nothing.
bool beginsAsBrowserReadsIt(const QString &address, QLatin1String prefix)
{
    qsizetype i = 0;
    while (i < address.size() && address.at(i).unicode() <= 0x20)
        ++i;
    qsizetype matched = 0;
    for (; i < address.size() && matched < prefix.size(); ++i) {
        const char16_t c = address.at(i).unicode();
        if (c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if (QChar(c).toLower() != QLatin1Char(prefix.at(matched)))
            return false;
        ++matched;
    }
    return matched == prefix.size();
}

} // namespace

QString completedURL(const QString &address)
{
    if (address.contains(QLatin1String("://")))
        return address;
    return QStringLiteral("http://%1").arg(address);
}

bool isMissingURL(const QString &address)
{
    return address.isEmpty() || address == QLatin1String("http://");
}

QStringView withoutTrailingSlash(const QString &address)
{
    QStringView view(address);
    if (view.endsWith(u'/'))
        view.chop(1);
    return view;
}

bool looksLikeWebAddress(const QString &address)
{
    if (isMissingURL(address))
        return true;
    if (hasSpace(address))
        return false;
    const QUrl url(completedURL(address), QUrl::TolerantMode);
    return url.isValid() && !url.host().isEmpty();
}

bool looksLikeEmailAddress(const QString &address)
{
    if (address.isEmpty())
        return true;
    if (hasSpace(address))
        return false;
    const qsizetype at = address.lastIndexOf(QLatin1Char('@'));
    if (at <= 0)
        return false;
    // A domain has a name and a top level: "example.com", not "example" nor "example.".
    const QString domain = address.mid(at + 1);
    const qsizetype dot = domain.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && dot < domain.size() - 1;
}

bool isWebAddress(const QString &address)
{
    return beginsAsBrowserReadsIt(address, QLatin1String("http://")) ||
           beginsAsBrowserReadsIt(address, QLatin1String("https://"));
}

QString siteHost(const QString &host)
{
    const QString lower = host.toLower();
    return lower.startsWith(QLatin1String("www.")) ? lower.mid(4) : lower;
}

bool isStorableAddress(const QString &address)
{
    return isMissingURL(address) || isWebAddress(address);
}

bool isRefusedAddress(const QString &address)
{
    if (isMissingURL(address))
        return false;
    if (!isWebAddress(completedURL(address)))
        return true;
    // Completion would hide the scheme of "javascript:alert(1)" behind "http://"; a colon followed by
    // digits and the end of the host ("example.com:8080/") is a port.
    static const QRegularExpression scheme(
        QStringLiteral("^[\\x00-\\x20]*[A-Za-z][A-Za-z0-9+.\\t\\n\\r-]*:(?!\\d*(?:[/?#]|$))"));
    return !address.contains(QLatin1String("://")) && scheme.match(address).hasMatch();
}

QString refusedAddressMessage(const QString &address)
{
    return QCoreApplication::translate(
               "AddressTexts", "\"%1\" is not a web address: only addresses that begin with http:// or "
                               "https:// can be used.")
        .arg(address);
}

} // namespace AddressTexts
