#include "RetryPolicy.h"

#include <QLocale>

RetryPolicy::RetryPolicy(const FetchSettings &settings, const QSet<int> &retryStatuses)
    : m_settings(settings), m_retryStatuses(retryStatuses)
{}

std::optional<int> RetryPolicy::delayBeforeRetry(const FetchOutcome &outcome, int attempt,
                                                 const QDateTime &now) const
{
    if (attempt > m_settings.maximumRetries || outcome.timedOut)
        return std::nullopt;
    const bool transient =
        outcome.loaded() ? m_retryStatuses.contains(outcome.httpStatus) : outcome.transientFailure;
    if (!transient)
        return std::nullopt;
    qint64 delay = qint64(m_settings.retryDelayMs) << (attempt - 1);
    if (outcome.loaded() && !outcome.retryAfter.isEmpty()) {
        const std::optional<qint64> asked = retryAfterMs(outcome.retryAfter, now);
        if (asked) {
            if (*asked > m_settings.maximumRetryAfterMs)
                return std::nullopt;
            delay = qMax(delay, *asked);
        }
    }
    return int(qMin<qint64>(delay, m_settings.maximumRetryAfterMs));
}

std::optional<qint64> RetryPolicy::retryAfterMs(const QByteArray &header, const QDateTime &now)
{
    const QByteArray text = header.trimmed();
    bool isNumber = false;
    const qint64 seconds = text.toLongLong(&isNumber);
    if (isNumber)
        return seconds < 0 ? std::nullopt : std::optional<qint64>(qMin<qint64>(seconds, 1LL << 31) * 1000);
    // The HTTP date form, e.g. "Wed, 21 Oct 2015 07:28:00 GMT".
    QDateTime when =
        QLocale::c().toDateTime(QString::fromLatin1(text), QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'"));
    if (!when.isValid())
        return std::nullopt;
    when.setTimeSpec(Qt::UTC);
    return qMax<qint64>(0, now.msecsTo(when));
}
