#pragma once

#include "model/Codes.h"

#include <QString>
#include <QStringView>
#include <optional>

// What one check found out about the link, beside its result code: the link is there, it is not,
// or the check could not tell because the page could not be loaded or the site refused to serve it.
// Only `Linked` and `NotLinked` say anything about the link itself.
enum class CheckOutcome
{
    None,        // no check of the links page was possible (no address)
    Linked,      // the links page loaded and a visible link to the own site is on it
    NotLinked,   // the links page loaded and has no visible link to the own site
    Unreachable, // the site or links page could not be loaded (DNS, connection, TLS, time-out, 5xx...)
    Blocked,     // the site refused the check: 401, 403, 451 or a bot challenge
};

namespace CheckOutcomes {
// "linked", "notLinked", "unreachable", "blocked", "none": the words of the JSON and the history.
QString keyword(CheckOutcome outcome);
std::optional<CheckOutcome> fromKeyword(QStringView keyword);
// The outcome in plain words for people ("Link found", "Site unreachable"), translated.
QString text(CheckOutcome outcome);
// What the user can do about it, one sentence, translated.
QString advice(CheckOutcome outcome);

// The link's presence was judged: linked or not linked.
inline bool isDecisive(CheckOutcome outcome)
{
    return outcome == CheckOutcome::Linked || outcome == CheckOutcome::NotLinked;
}
// The check could not judge because of the partner's server.
inline bool isOutage(CheckOutcome outcome)
{
    return outcome == CheckOutcome::Unreachable || outcome == CheckOutcome::Blocked;
}

// The outcome a stored result code stands for, where nothing more is known (a check recorded before
// outcomes were, or the result kept in the database): a failed load is unreachable, or blocked when
// the links page answered 401, 403 or 451.
CheckOutcome fromResult(VerificationResult result, int httpStatus = 0);
} // namespace CheckOutcomes
