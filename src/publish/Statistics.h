#pragma once

#include "NameValuePair.h"
#include "workflow/LatestCheck.h"

#include <QColor>
#include <QList>
#include <QString>

class CollectionManager;

// The three distributions of a database's links that the statistics chart shows. Each always has
// the same slices in the same order, zero counts included; links with a code outside a
// distribution's table are not counted in it.
namespace Statistics {

enum View
{
    LatestVerificationResults = 0,
    LinkStatuses = 1,
    OriginalRequests = 2
};

// Verified successfully, no response, no links page URL, links page not loaded, reciprocal link not
// found, not verified, marked as verified by hand, and found but not followed by search engines (as the
// history's latest check of the link says, when `recorded` holds it). "Not verified" counts every link
// that was never checked, Blocked links included: like the other slices it ignores the status, so the
// slices always add up to the links of the database.
QList<NameValuePair> latestVerificationResults(const CollectionManager &collectionManager,
                                               const RecordedChecks &recorded = {});
// New, Negotiating, Approved, Blocked.
QList<NameValuePair> linkStatusDistribution(const CollectionManager &collectionManager);
// Received, Sent.
QList<NameValuePair> originalRequestDistribution(const CollectionManager &collectionManager);

// The distribution and slice colours of a view; empty for another number.
QList<NameValuePair> distributionForView(const CollectionManager &collectionManager, int view,
                                         const RecordedChecks &recorded = {});
QList<QColor> colorsForView(int view);
// "Latest Verification Results", "Link Status Distribution", "Original Request Distribution"; ""
// for another number.
QString titleForView(int view);

// "Label (count—percent %)", the percentage with one decimal (3 of 7 gives 42.9; 0.0 when the
// total is 0).
QString legendStringForNameValuePair(const NameValuePair &pair, double total);

} // namespace Statistics
