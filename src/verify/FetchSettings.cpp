#include "FetchSettings.h"

#include "model/Preferences.h"

FetchSettings FetchSettings::fromPreferences()
{
    FetchSettings settings;
    int seconds = Preferences::intValue(Preferences::VerificationTimeout);
    if (seconds <= 0)
        seconds = Preferences::defaultValue(Preferences::VerificationTimeout).toInt();
    settings.timeoutMs = int(qMin<qint64>(qint64(seconds) * 1000, 24 * 3600 * 1000));
    settings.userAgent = Preferences::stringValue(Preferences::VerificationUserAgent);
    return settings;
}
