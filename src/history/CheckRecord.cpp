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
    return record;
}
