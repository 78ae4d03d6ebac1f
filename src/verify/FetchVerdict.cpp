#include "FetchVerdict.h"

#include "BotChallenge.h"

#include <QCoreApplication>

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(FetchVerdict)
};
} // namespace

FetchVerdict::Verdict FetchVerdict::of(const FetchOutcome &fetch)
{
    Verdict verdict;
    if (!fetch.loaded()) {
        verdict.outcome = CheckOutcome::Unreachable;
        verdict.why = fetch.errorText;
        return verdict;
    }
    // A wall may answer 200, 403, 429 or 503: it is recognised before the status is.
    if (const std::optional<QString> service = BotChallenge::service(fetch.headers, fetch.body)) {
        verdict.outcome = CheckOutcome::Blocked;
        verdict.challengeService = *service;
        verdict.why = Tr::tr("The partner's site refused the check (bot protection)");
        return verdict;
    }
    const int status = fetch.httpStatus;
    if (status == 401 || status == 403 || status == 451) {
        verdict.outcome = CheckOutcome::Blocked;
        verdict.why = Tr::tr("The partner's site refused the check (HTTP %1)").arg(status);
    } else if (status == 404 || status == 410) {
        verdict.outcome = CheckOutcome::NotLinked;
        verdict.why = Tr::tr("The links page is gone (HTTP %1)").arg(status);
    } else if (status >= 400) {
        // A busy or broken server (408, 429, 5xx...) says nothing about the page.
        verdict.outcome = CheckOutcome::Unreachable;
        verdict.why = Tr::tr("The partner's server could not serve the page (HTTP %1)").arg(status);
    }
    return verdict;
}
