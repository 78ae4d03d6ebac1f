#pragma once

#include "model/SelfInfo.h"

#include <QString>
#include <array>
#include <optional>

// The rules of the notification settings sheet: the four numbers beside the five switches, their
// ranges, and the check of what the user typed before it becomes the database's settings.
namespace NotificationSettingsForm {

enum Number
{
    NegotiationStartTimeout,
    LastingNegotiationTimeout,
    LinkVerificationTimeout,
    LinksInCategoryNumber
};
inline constexpr int NumberCount = 4;

// The name the number's field goes by in messages and for screen readers.
QString numberName(Number number);
// The range the sheet offers: days from 0 (remind from the next day on) and a number of links.
int minimum(Number number);
int maximum(Number number);
// The setting the number is stored in.
int32_t &value(NotificationSettings &settings, Number number);
int32_t value(const NotificationSettings &settings, Number number);

// What the check found: the settings to store, or the number to correct with the alert to show.
struct CheckResult
{
    bool passed = true;
    Number number = NegotiationStartTimeout;
    QString title;
    QString message;
    NotificationSettings settings;
};

// `switches` gives the five switches; `numbers` holds what each number field holds, none when its
// text is not a whole number. Each number must lie in its range; the first one that does not stops
// the check.
CheckResult check(const NotificationSettings &switches,
                  const std::array<std::optional<int>, NumberCount> &numbers);

} // namespace NotificationSettingsForm
