#include "VerificationDetails.h"

#include <QCoreApplication>

QString VerificationDetails::summary() const
{
    QStringList parts;
    if (siteStatus > 0)
        parts << tr("site: HTTP %1").arg(siteStatus);
    if (pageStatus > 0)
        parts << tr("links page: HTTP %1").arg(pageStatus);
    if (pageRedirected)
        parts << tr("redirected to %1").arg(pageFinalURL.toString());
    if (!failure.isEmpty())
        parts << failure;
    if (retries > 0)
        parts << tr("retried %1 times").arg(retries);
    if (pageTruncated)
        parts << tr("only the beginning of the page searched");
    if (addressFound && !rel.isEmpty())
        parts << tr("link marked %1").arg(rel.join(QStringLiteral(", ")));
    if (addressFound && !inAnchor)
        parts << tr("address not inside a link");
    if (noindex)
        parts << tr("links page marked noindex");
    return parts.join(QStringLiteral("; "));
}
