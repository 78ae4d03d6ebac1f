#pragma once

#include "CheckOutcome.h"
#include "FetchOutcome.h"

#include <QString>
#include <optional>

// What the answer to a links page fetch says before the page is read: a failed load or a server in
// trouble is `unreachable`, a refusal or a bot wall is `blocked`, a page that is gone (404, 410) has
// no link; anything else is a page to read, and then the page decides.
namespace FetchVerdict {
struct Verdict
{
    std::optional<CheckOutcome> outcome; // none: read the page
    QString why;                         // for the details, when decided here
    QString challengeService;            // the bot wall's service, when it was one
};

Verdict of(const FetchOutcome &fetch);
} // namespace FetchVerdict
