#include "VerificationLimits.h"

#include "Preferences.h"

#include <QtGlobal>

VerificationLimits VerificationLimits::fromPreferences()
{
    VerificationLimits limits;
    limits.concurrency = qBound(
        MinimumConcurrency, Preferences::intValue(Preferences::VerificationConcurrency), MaximumConcurrency);
    limits.perHost =
        qBound(MinimumPerHost, Preferences::intValue(Preferences::VerificationPerHost), MaximumPerHost);
    return limits;
}
