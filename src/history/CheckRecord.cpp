#include "CheckRecord.h"

#include "model/Link.h"
#include "verify/VerificationDetails.h"

CheckRecord CheckRecord::fromCheck(const Link &link, VerificationResult result,
                                   const VerificationDetails &details, const QDateTime &when)
{
    CheckRecord record;
    record.linkID = link.ID();
    record.title = link.title();
    record.checkedOn = when.addMSecs(-when.time().msec());
    record.result = result;
    record.httpStatus = details.pageStatus;
    record.finalURL = details.pageFinalURL.toString();
    record.addressFound = details.addressFound;
    record.inAnchor = details.inAnchor;
    record.followed = details.followed;
    record.anchorText = details.anchorText;
    record.rel = details.rel;
    record.noindex = details.noindex;
    record.outcome = details.outcome;
    record.confirmed = details.confirmed;
    record.robots = details.robots;
    record.movedTo = details.movedTo.toString();
    return record;
}

std::optional<CheckRecord> CheckRecord::fromStoredResult(const Link &link)
{
    const CheckOutcome outcome = CheckOutcomes::fromResult(link.lastVerificationResult());
    if (!link.lastVerifiedOn().isValid() || outcome == CheckOutcome::None)
        return std::nullopt;
    CheckRecord record;
    record.linkID = link.ID();
    record.title = link.title();
    record.checkedOn = link.lastVerifiedOn().startOfDay();
    record.result = link.lastVerificationResult();
    record.outcome = outcome;
    // The result was believed when it was stored; whether the link was followed is not known, so
    // nothing can have stopped being followed.
    record.confirmed = outcome == CheckOutcome::NotLinked;
    return record;
}
