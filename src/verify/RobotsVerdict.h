#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// What the partner's robots.txt says about the links page for the search engine the user cares for.
enum class RobotsVerdict
{
    Unavailable, // not read: no file could be had (5xx, no answer), or the check never got that far
    Allowed,
    Disallowed,
};

namespace RobotsVerdicts {
// "allowed", "disallowed", "unavailable": the words of the JSON and the history.
inline QString keyword(RobotsVerdict verdict)
{
    switch (verdict) {
    case RobotsVerdict::Allowed:
        return QStringLiteral("allowed");
    case RobotsVerdict::Disallowed:
        return QStringLiteral("disallowed");
    case RobotsVerdict::Unavailable:
        break;
    }
    return QStringLiteral("unavailable");
}

inline RobotsVerdict fromKeyword(QStringView keyword)
{
    if (keyword == QLatin1String("allowed"))
        return RobotsVerdict::Allowed;
    if (keyword == QLatin1String("disallowed"))
        return RobotsVerdict::Disallowed;
    return RobotsVerdict::Unavailable;
}
} // namespace RobotsVerdicts
