#pragma once

#include "LatestCheck.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

class Link;

// The ready views of the link list: the questions a user asks of many partners ("what is lost?",
// "what has not been checked for a month?"). Each is a rule on one link, its latest check and today.
namespace LinkView {

enum Kind
{
    All,
    Lost,         // the latest check loaded the page and did not find the link
    NotFollowed,  // found, but search engines do not follow it (nofollow, hidden, robots.txt)
    NotChecked,   // not checked for `days` days, never-checked links included
    NeverChecked, // never checked
    Unreachable,  // the latest check could not load the page, or the site refused it
    RemindersDue, // a reminder of the link is due today or earlier
};
inline constexpr int DefaultNotCheckedDays = 30;
inline constexpr int MaximumNotCheckedDays = 3650;

struct Choice
{
    Kind kind = All;
    int days = DefaultNotCheckedDays; // for NotChecked
    bool operator==(const Choice &) const = default;
};

// What a view looks at beside the link itself.
struct LinkFacts
{
    std::optional<LatestCheck> recordedCheck; // from the history, when it has one
    QDate firstReminder;                      // the earliest reminder of the link; null when none
};

bool matches(const Choice &choice, const Link &link, const LinkFacts &facts, const QDate &today);

// Every view in the order the window shows them.
QList<Kind> kinds();
// "lost", "not-followed", "not-checked:DAYS", "never-checked", "unreachable", "reminders"; "all".
QString keyword(const Choice &choice);
// None for an unknown word or a day count out of 1..MaximumNotCheckedDays.
std::optional<Choice> fromKeyword(const QString &text);
// "Lost", "Not Followed", ... translated.
QString title(Kind kind);

} // namespace LinkView
