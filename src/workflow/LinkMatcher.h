#pragma once

#include "LatestCheck.h"
#include "SearchCriterion.h"
#include "model/Codes.h"

#include <QList>

class Link;

// Tests links against search criteria.
namespace LinkMatcher {

// All criteria (or, with `any`, one of them) hold; false for no criteria. Category criteria
// must carry the category's ID in their string (LinkFinder fills it in). `recorded` is the history's
// latest check of the link, which tells whether it is followed.
bool matchesCriteria(const Link &link, const QList<SearchCriterion> &criteria, bool any,
                     const std::optional<LatestCheck> &recorded = std::nullopt);

// One criterion against one field value.
bool matchesString(const SearchCriterion &criterion, const QString &value);
bool matchesDate(const SearchCriterion &criterion, const QDate &value);
bool matchesCategory(const SearchCriterion &criterion, const QString &categoryID);
bool matchesStatus(const SearchCriterion &criterion, LinkStatus status);
bool matchesType(const SearchCriterion &criterion, LinkType type);
bool matchesResult(const SearchCriterion &criterion, const Link &link);
bool matchesFollowed(const SearchCriterion &criterion, const LatestCheck &check);

} // namespace LinkMatcher
