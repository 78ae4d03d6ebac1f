#include "AddressTexts.h"

#include <QUrl>
#include <algorithm>

namespace AddressTexts {

namespace {

bool hasSpace(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); });
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

} // namespace AddressTexts
