#pragma once

#include <QString>

// How a check judges what it loaded, beyond fetching: the second look before a loss is believed,
// the search engine whose robots.txt rules count, the search for a link that moved, and when a page
// counts as crowded; and how long a site must stay unreachable before that is a change of its own.
struct CheckSettings
{
    static constexpr int DefaultConfirmDelaySeconds = 30;
    static constexpr int MaximumConfirmDelaySeconds = 600;
    static constexpr int DefaultMovedSearchPages = 20;
    static constexpr int MaximumMovedSearchPages = 200;
    static constexpr int DefaultCrowdedPageLinks = 100;
    static constexpr int MinimumCrowdedPageLinks = 1;
    static constexpr int MaximumCrowdedPageLinks = 100000;
    static inline const QString DefaultRobotsUserAgent = QStringLiteral("Googlebot");
    static constexpr int DefaultUnreachableAlertDays = 7;
    static constexpr int MinimumUnreachableAlertDays = 1;
    static constexpr int MaximumUnreachableAlertDays = 90;

    int confirmDelayMs = DefaultConfirmDelaySeconds * 1000; // before a missing link is looked for again
    // Whose robots.txt rules decide whether a links page is followed; empty: none, and robots.txt is
    // read only to search for a link that moved.
    QString robotsUserAgent = DefaultRobotsUserAgent;
    int movedSearchPages = DefaultMovedSearchPages; // pages searched for a lost link; 0: none
    int crowdedPageLinks = DefaultCrowdedPageLinks; // more followed links out: the page is crowded

    // The user's preferences, read now; values out of range are brought to the nearest bound.
    static CheckSettings fromPreferences();
    // "UnreachableAlertDays", read now and brought into its range.
    static int unreachableAlertDaysFromPreferences();
};
