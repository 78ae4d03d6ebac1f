#include "LinkMatcher.h"

#include "model/Link.h"

#include <optional>

namespace LinkMatcher {

namespace {

// The result of a criterion whose object is not a link field leaves the running result as is.
std::optional<bool> matchesField(const SearchCriterion &c, const Link &link,
                                 const std::optional<LatestCheck> &recorded)
{
    using S = SearchCriterion;
    switch (c.object()) {
    case S::Title:
        return matchesString(c, link.title());
    case S::Description:
        return matchesString(c, link.description());
    case S::CategoryObject:
        return matchesCategory(c, link.categoryID());
    case S::URL:
        return matchesString(c, link.URL());
    case S::CounterpartURL:
        return matchesString(c, link.counterpartURL());
    case S::CounterpartCategoryName:
        return matchesString(c, link.counterpartCategoryName());
    case S::ContactFirstName:
        return matchesString(c, link.contactFirstName());
    case S::ContactLastName:
        return matchesString(c, link.contactLastName());
    case S::ContactEmail:
        return matchesString(c, link.contactEmail());
    case S::Status:
        return matchesStatus(c, link.status());
    case S::Type:
        return matchesType(c, link.type());
    case S::CreatedOn:
        return matchesDate(c, link.createdOnDay());
    case S::Notes:
        return matchesString(c, link.notes());
    case S::LastStatusChangedOn:
        return matchesDate(c, link.lastStatusChangedOn());
    case S::LastVerifiedOn:
        return matchesDate(c, link.lastVerifiedOn());
    case S::VerificationResultObject:
        return matchesResult(c, link);
    case S::Followed:
        return matchesFollowed(c, LatestCheck::of(link, recorded));
    default:
        return std::nullopt;
    }
}

// "is" holds when the codes are equal, "is not" when they differ; other operations never hold.
bool choiceHolds(const SearchCriterion &criterion, bool equal)
{
    return criterion.operation() == (equal ? SearchCriterion::ChoiceIs : SearchCriterion::ChoiceIsNot);
}

} // namespace

bool matchesCriteria(const Link &link, const QList<SearchCriterion> &criteria, bool any,
                     const std::optional<LatestCheck> &recorded)
{
    if (criteria.isEmpty())
        return false;
    bool result = !any;
    for (const SearchCriterion &criterion : criteria) {
        if (const std::optional<bool> field = matchesField(criterion, link, recorded))
            result = *field;
        if (any && result)
            return true;
        if (!any && !result)
            return false;
    }
    return result;
}

bool matchesString(const SearchCriterion &criterion, const QString &value)
{
    const QString &wanted = criterion.stringValue();
    if (value.isNull() || criterion.kind() != SearchCriterion::TextKind || wanted.isNull())
        return false;
    bool result = false;
    switch (criterion.operation()) {
    case SearchCriterion::Contains:
        result = value.contains(wanted, Qt::CaseInsensitive);
        break;
    case SearchCriterion::DoesNotContain:
        result = !value.contains(wanted, Qt::CaseInsensitive);
        break;
    case SearchCriterion::TextIs:
        result = value.compare(wanted, Qt::CaseInsensitive) == 0;
        break;
    case SearchCriterion::TextIsNot:
        result = value.compare(wanted, Qt::CaseInsensitive) != 0;
        break;
    default:
        return false;
    }
    // A links page address of just "http://" is what an untouched field holds: it counts as empty.
    if (!result && criterion.object() == SearchCriterion::CounterpartURL && value == QLatin1String("http://"))
        result = wanted.isEmpty();
    return result;
}

bool matchesDate(const SearchCriterion &criterion, const QDate &value)
{
    const QDate &wanted = criterion.dateValue();
    if (!value.isValid() || criterion.kind() != SearchCriterion::DateKind || !wanted.isValid())
        return false;
    switch (criterion.operation()) {
    case SearchCriterion::DateIs:
        return value == wanted;
    case SearchCriterion::DateIsNot:
        return value != wanted;
    case SearchCriterion::IsBefore:
        return value < wanted;
    case SearchCriterion::IsAfter:
        return value > wanted;
    default:
        return false;
    }
}

bool matchesCategory(const SearchCriterion &criterion, const QString &categoryID)
{
    if (criterion.object() != SearchCriterion::CategoryObject || criterion.stringValue().isNull())
        return false;
    return choiceHolds(criterion, criterion.stringValue() == categoryID);
}

bool matchesStatus(const SearchCriterion &criterion, LinkStatus status)
{
    static constexpr LinkStatus codes[] = {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved,
                                           LinkStatusBlocked};
    const int32_t value = criterion.intValue();
    const bool known = value >= 1 && value <= 4;
    return choiceHolds(criterion, known && codes[value - 1] == status);
}

bool matchesType(const SearchCriterion &criterion, LinkType type)
{
    const int32_t value = criterion.intValue();
    const bool known = value == SearchCriterion::TypeReceived || value == SearchCriterion::TypeSent;
    const LinkType code = value == SearchCriterion::TypeReceived ? LinkTypeReceived : LinkTypeSent;
    return choiceHolds(criterion, known && code == type);
}

bool matchesResult(const SearchCriterion &criterion, const Link &link)
{
    using S = SearchCriterion;
    if (criterion.object() != S::VerificationResultObject)
        return false;
    int32_t value = 0;
    if (!link.lastVerifiedOn().isValid() && link.lastVerificationResult() != VerificationMarkedVerified) {
        value = S::ResultNever;
    } else {
        switch (link.lastVerificationResult()) {
        case VerificationSucceeded:
            value = S::ResultVerified;
            break;
        case VerificationMarkedVerified:
            value = S::ResultMarked;
            break;
        case VerificationLinkNotFound:
            value = S::ResultNotFound;
            break;
        case VerificationLinksPageNotLoaded:
            value = S::ResultPageNotLoaded;
            break;
        case VerificationNoResponse:
            value = S::ResultNotResponding;
            break;
        case VerificationNoLinksPageURL:
            value = S::ResultNoLinksPage;
            break;
        default:
            value = S::ResultNever;
            break;
        }
    }
    return choiceHolds(criterion, value == criterion.intValue());
}

bool matchesFollowed(const SearchCriterion &criterion, const LatestCheck &check)
{
    using S = SearchCriterion;
    if (criterion.object() != S::Followed)
        return false;
    // Only a link that was found can be followed or not; any other is neither.
    int32_t value = 0;
    if (check.finding == LatestCheck::Linked)
        value = check.followed ? S::FollowedYes : S::FollowedNo;
    return choiceHolds(criterion, value == criterion.intValue());
}

} // namespace LinkMatcher
