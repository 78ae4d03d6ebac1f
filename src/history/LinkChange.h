#pragma once

#include "CheckRecord.h"
#include "model/CheckSettings.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// What the change rules need to know of one link's recorded checks: its last two judged checks (the
// link linked or not linked), its latest check, and the checks since the last judged one when they
// were all unreachable or blocked.
struct LinkTrail
{
    std::optional<CheckRecord> previousJudged;
    std::optional<CheckRecord> lastJudged;
    std::optional<CheckRecord> latest;
    // Every check after the last judged one was unreachable or blocked (also when there is none).
    bool onlyOutagesSinceJudged = true;
    QDateTime outageSince;        // the first of those checks
    QList<QDateTime> outageTimes; // when they ran, oldest first; those long before the latest may be left out

    // The trail once `check` is recorded after its checks.
    LinkTrail appended(const CheckRecord &check) const;
    // The trail of checks recorded in this order.
    static LinkTrail of(const QList<CheckRecord> &oldestFirst);
    // The site has been unreachable or blocked at every check since the link was last found there.
    bool outageAfterLinked() const;
};

// What happened to a link, judged on its trail of checks. A check that could not judge the link
// (unreachable or blocked) never makes it lost or recovered; a site that stays unreachable or blocked
// for days after the link was found is a change of its own.
struct LinkChange
{
    enum Kind
    {
        Lost,        // linked, then not linked on a second look too, and not found elsewhere on the site
        Moved,       // linked, then gone from the links page but found on another page of the site
        Unfollowed,  // linked both times, followed before and not now (robots.txt included)
        Recovered,   // not linked, then linked
        Unreachable, // every check of the last days unreachable or blocked, at least two, after a linked one
    };
    static constexpr int DefaultUnreachableDays = CheckSettings::DefaultUnreachableAlertDays;
    static constexpr int MinimumUnreachableDays = CheckSettings::MinimumUnreachableAlertDays;
    static constexpr int MaximumUnreachableDays = CheckSettings::MaximumUnreachableAlertDays;

    QString linkID;
    QString title;
    Kind kind = Lost;
    VerificationResult previous = VerificationNotVerified; // of the check the change is measured from
    VerificationResult current = VerificationNotVerified;
    CheckOutcome currentOutcome = CheckOutcome::None;
    QDateTime since; // when the check that made the change ran; for Unreachable, the first such check
    QString movedTo; // for Moved: where the link is now

    // The change the trail stands in now, if any.
    static std::optional<LinkChange> of(const LinkTrail &trail, int unreachableDays = DefaultUnreachableDays);
    // The change that recording `check` after `before` brings up, if it is new: a lost, moved,
    // unfollowed or recovered link by the check that found it so, an unreachable site once, when it
    // first becomes one.
    static std::optional<LinkChange> raisedBy(const LinkTrail &before, const CheckRecord &check,
                                              int unreachableDays = DefaultUnreachableDays);

    // "lost", "moved", "unfollowed", "recovered", "unreachable": the words of the command line and its JSON.
    static QString keyword(Kind kind);
    // In plain words for the windows, translated.
    static QString text(Kind kind);
    // What the user can do about it, translated.
    static QString advice(Kind kind);
    // The preference "UnreachableAlertDays", brought into its range.
    static int unreachableDaysFromPreferences();
};
