#include "LatestCheck.h"

#include "model/Link.h"

LatestCheck LatestCheck::fromStoredResult(VerificationResult result)
{
    switch (result) {
    case VerificationSucceeded:
        return {Linked, true};
    case VerificationLinkNotFound:
        return {NotLinked, false};
    case VerificationNoResponse:
    case VerificationLinksPageNotLoaded:
        return {Unreachable, false};
    default:
        return {NotJudged, false};
    }
}

LatestCheck LatestCheck::fromRecorded(VerificationResult result, bool followed)
{
    LatestCheck check = fromStoredResult(result);
    check.followed = check.finding == Linked && followed;
    return check;
}

std::optional<LatestCheck> LatestCheck::recordedFor(const Link &link,
                                                    const QHash<QString, LatestCheck> *recorded)
{
    if (!recorded)
        return std::nullopt;
    const auto found = recorded->constFind(link.ID());
    if (found == recorded->constEnd())
        return std::nullopt;
    return *found;
}

LatestCheck LatestCheck::of(const Link &link, const std::optional<LatestCheck> &recorded)
{
    const VerificationResult stored = link.lastVerificationResult();
    const bool byHand = stored == VerificationMarkedVerified || stored == VerificationNotVerified;
    if (recorded && !byHand && link.lastVerifiedOn().isValid())
        return *recorded;
    return fromStoredResult(stored);
}
