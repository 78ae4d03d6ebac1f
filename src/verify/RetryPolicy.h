#pragma once

#include "FetchOutcome.h"
#include "FetchSettings.h"

#include <QDateTime>
#include <QSet>
#include <optional>

// Decides whether a fetch that ended badly is tried again, and after what pause. Transient failures
// (a dropped connection, or one of the given statuses such as 429 and 502-504) get up to the
// settings' number of retries with a growing pause; a time-out is never retried, and a server that
// asks for a longer wait than the settings allow is taken at its word and not retried.
class RetryPolicy
{
public:
    RetryPolicy(const FetchSettings &settings, const QSet<int> &retryStatuses);

    // The pause before the next attempt, or none when `outcome` is final. `attempt` counts from 1.
    std::optional<int> delayBeforeRetry(const FetchOutcome &outcome, int attempt,
                                        const QDateTime &now = QDateTime::currentDateTimeUtc()) const;

    // The seconds or HTTP date of a Retry-After header as milliseconds from `now`; none if unreadable.
    static std::optional<qint64> retryAfterMs(const QByteArray &header, const QDateTime &now);

    static QSet<int> transientStatuses() { return {429, 502, 503, 504}; }

private:
    FetchSettings m_settings;
    QSet<int> m_retryStatuses;
};
