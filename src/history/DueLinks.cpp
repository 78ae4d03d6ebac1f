#include "DueLinks.h"

#include "model/CollectionManager.h"

QStringList DueLinks::dueLinkIDs(const CollectionManager &store,
                                 const QHash<QString, CheckRecord> &latestChecks, const QDateTime &now,
                                 int days)
{
    const QDateTime limit = now.addDays(-days);
    QStringList due;
    for (const Link *link : store.verifiableLinks()) {
        if (link->lastVerificationResult() == VerificationMarkedVerified)
            continue;
        QDateTime last;
        const auto check = latestChecks.constFind(link->ID());
        if (check != latestChecks.constEnd())
            last = check->checkedOn;
        else if (link->lastVerifiedOn().isValid())
            last = link->lastVerifiedOn().startOfDay();
        if (!last.isValid() || last < limit)
            due.append(link->ID());
    }
    return due;
}
