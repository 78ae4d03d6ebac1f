#include "VerificationDetails.h"

#include <QCoreApplication>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("VerificationDetails", text);
}
} // namespace

QString VerificationDetails::summary() const
{
    // Waits too short to notice are left out.
    constexpr qint64 NoticeableWaitMs = 100;
    auto seconds = [](qint64 ms) { return QString::number(double(ms) / 1000.0, 'f', 1); };
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
    if (siteWaitMs >= NoticeableWaitMs)
        parts << tr("waited %1 s before the partner's site").arg(seconds(siteWaitMs));
    if (pageWaitMs >= NoticeableWaitMs)
        parts << tr("waited %1 s before the links page").arg(seconds(pageWaitMs));
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
