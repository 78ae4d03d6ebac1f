#include "CheckRecord.h"

#include "model/Link.h"
#include "verify/VerificationDetails.h"

namespace {

// Until the page analysis reports them itself, whether the link is followed is read from its rel
// values. LEAD: when VerificationDetails gains `followed` and `anchorText`, take them here.
bool followedFromRel(const VerificationDetails &details)
{
    if (!details.addressFound || !details.inAnchor)
        return false;
    for (const QString &value : details.rel) {
        const QString lower = value.toLower();
        if (lower == QLatin1String("nofollow") || lower == QLatin1String("sponsored") ||
            lower == QLatin1String("ugc"))
            return false;
    }
    return true;
}

} // namespace

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
    record.followed = followedFromRel(details);
    record.rel = details.rel;
    record.noindex = details.noindex;
    return record;
}
