#include "LinkChange.h"

#include <QCoreApplication>

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(LinkChange)
};

bool is(const std::optional<CheckRecord> &check, CheckOutcome outcome)
{
    return check && check->outcome == outcome;
}
} // namespace

LinkTrail LinkTrail::appended(const CheckRecord &check) const
{
    LinkTrail trail = *this;
    trail.latest = check;
    if (CheckOutcomes::isDecisive(check.outcome)) {
        trail.previousJudged = lastJudged;
        trail.lastJudged = check;
        trail.onlyOutagesSinceJudged = true;
        trail.outageSince = QDateTime();
        trail.outageTimes.clear();
    } else if (CheckOutcomes::isOutage(check.outcome)) {
        if (trail.onlyOutagesSinceJudged) {
            if (trail.outageTimes.isEmpty() && !trail.outageSince.isValid())
                trail.outageSince = check.checkedOn;
            trail.outageTimes.append(check.checkedOn);
        }
    } else {
        // A check with no links page address breaks the run.
        trail.onlyOutagesSinceJudged = false;
        trail.outageSince = QDateTime();
        trail.outageTimes.clear();
    }
    return trail;
}

LinkTrail LinkTrail::of(const QList<CheckRecord> &oldestFirst)
{
    LinkTrail trail;
    for (const CheckRecord &check : oldestFirst)
        trail = trail.appended(check);
    return trail;
}

bool LinkTrail::outageAfterLinked() const
{
    return is(lastJudged, CheckOutcome::Linked) && onlyOutagesSinceJudged && outageSince.isValid() &&
           latest && CheckOutcomes::isOutage(latest->outcome);
}

std::optional<LinkChange> LinkChange::of(const LinkTrail &trail, int unreachableDays)
{
    LinkChange change;
    if (trail.outageAfterLinked()) {
        // Every check of the last days: the found link lies before them, and at least two lie within.
        const QDateTime windowStart = trail.latest->checkedOn.addDays(-unreachableDays);
        qsizetype recent = 0;
        for (const QDateTime &time : trail.outageTimes)
            recent += time > windowStart ? 1 : 0;
        if (trail.lastJudged->checkedOn <= windowStart && recent >= 2) {
            change.linkID = trail.latest->linkID;
            change.title = trail.latest->title;
            change.kind = Unreachable;
            change.previous = trail.lastJudged->result;
            change.current = trail.latest->result;
            change.currentOutcome = trail.latest->outcome;
            change.since = trail.outageSince;
            return change;
        }
    }
    if (!trail.previousJudged || !trail.lastJudged)
        return std::nullopt;
    const CheckRecord &before = *trail.previousJudged;
    const CheckRecord &after = *trail.lastJudged;
    const bool wasLinked = before.outcome == CheckOutcome::Linked;
    const bool isLinked = after.outcome == CheckOutcome::Linked;
    if (wasLinked && !isLinked && !after.movedTo.isEmpty())
        change.kind = Moved;
    else if (wasLinked && !isLinked && after.confirmed)
        change.kind = Lost;
    else if (!wasLinked && isLinked)
        change.kind = Recovered;
    else if (wasLinked && isLinked && before.followed && !after.followed)
        change.kind = Unfollowed;
    else
        return std::nullopt;
    change.linkID = after.linkID;
    change.title = after.title;
    change.previous = before.result;
    change.current = after.result;
    change.currentOutcome = after.outcome;
    change.since = after.checkedOn;
    change.movedTo = after.movedTo;
    return change;
}

std::optional<LinkChange> LinkChange::raisedBy(const LinkTrail &before, const CheckRecord &check,
                                               int unreachableDays)
{
    const std::optional<LinkChange> change = of(before.appended(check), unreachableDays);
    if (!change)
        return std::nullopt;
    if (change->kind == Unreachable) {
        const std::optional<LinkChange> earlier = of(before, unreachableDays);
        if (earlier && earlier->kind == Unreachable)
            return std::nullopt;
        return change;
    }
    // Only the check that judged the link makes the change; later ones leave it standing.
    return CheckOutcomes::isDecisive(check.outcome) ? change : std::nullopt;
}

QString LinkChange::keyword(Kind kind)
{
    switch (kind) {
    case Lost:
        return QStringLiteral("lost");
    case Moved:
        return QStringLiteral("moved");
    case Unfollowed:
        return QStringLiteral("unfollowed");
    case Recovered:
        return QStringLiteral("recovered");
    case Unreachable:
        return QStringLiteral("unreachable");
    }
    return QString();
}

QString LinkChange::text(Kind kind)
{
    switch (kind) {
    case Lost:
        return Tr::tr("Lost");
    case Moved:
        return Tr::tr("Moved to another page");
    case Unfollowed:
        return Tr::tr("No longer followed");
    case Recovered:
        return Tr::tr("Recovered");
    case Unreachable:
        return Tr::tr("Unreachable for days");
    }
    return QString();
}

QString LinkChange::advice(Kind kind)
{
    switch (kind) {
    case Lost:
        return Tr::tr(
            "The link was missing twice and is nowhere else on the site: ask the partner to put it back.");
    case Moved:
        return Tr::tr("The link is on another page of the partner's site: use that page as the links page.");
    case Unfollowed:
        return Tr::tr("Search engines no longer follow the link: ask the partner for a plain link.");
    case Recovered:
        return Tr::tr("The link is back.");
    case Unreachable:
        return Tr::tr("The site has not answered for days: ask the partner whether it still runs.");
    }
    return QString();
}

int LinkChange::unreachableDaysFromPreferences()
{
    return CheckSettings::unreachableAlertDaysFromPreferences();
}
