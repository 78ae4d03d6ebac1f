#pragma once

#include "CheckRecord.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>

class CollectionManager;

// Which links are due for another check.
namespace DueLinks {
// The verifiable links, in their order, whose last check is more than `days` days before `now`
// or who were never checked. The last check is the latest in the history or, for a link the history
// does not know, the day stored in the database. Links marked verified by hand are left alone.
QStringList dueLinkIDs(const CollectionManager &store, const QHash<QString, CheckRecord> &latestChecks,
                       const QDateTime &now, int days);
} // namespace DueLinks
