#include "CheckSettings.h"

#include "Preferences.h"

#include <QtGlobal>

CheckSettings CheckSettings::fromPreferences()
{
    CheckSettings settings;
    settings.confirmDelayMs =
        qBound(0, Preferences::intValue(Preferences::ConfirmLossDelay), MaximumConfirmDelaySeconds) * 1000;
    settings.robotsUserAgent = Preferences::stringValue(Preferences::RobotsUserAgent).trimmed();
    settings.movedSearchPages =
        qBound(0, Preferences::intValue(Preferences::MovedSearchPages), MaximumMovedSearchPages);
    settings.crowdedPageLinks =
        qBound(MinimumCrowdedPageLinks, Preferences::intValue(Preferences::CrowdedPageLinks),
               MaximumCrowdedPageLinks);
    return settings;
}

int CheckSettings::unreachableAlertDaysFromPreferences()
{
    return qBound(MinimumUnreachableAlertDays, Preferences::intValue(Preferences::UnreachableAlertDays),
                  MaximumUnreachableAlertDays);
}
