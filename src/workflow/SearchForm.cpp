#include "SearchForm.h"

#include <QCoreApplication>

namespace SearchForm {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(SearchForm)
};

} // namespace

bool canAddRow(int rows)
{
    return rows < MaximumRows;
}

bool canRemoveRow(int rows)
{
    return rows >= 2;
}

bool showsCombination(int rows)
{
    return rows >= 2;
}

QList<Item> objectItems()
{
    using C = SearchCriterion;
    return {{C::Title, Tr::tr("Title"), {}},
            {C::Description, Tr::tr("Description"), {}},
            {C::CategoryObject, Tr::tr("Category"), {}},
            {C::URL, Tr::tr("URL"), {}},
            {C::CounterpartURL, Tr::tr("Links Page URL"), {}},
            {C::CounterpartCategoryName, Tr::tr("Category on Partner Site"), {}},
            {C::ContactFirstName, Tr::tr("Webmaster First Name"), {}},
            {C::ContactLastName, Tr::tr("Webmaster Last Name"), {}},
            {C::ContactEmail, Tr::tr("Webmaster E-mail"), {}},
            {C::Status, Tr::tr("Status"), {}},
            {C::Type, Tr::tr("Requested By"), {}},
            {C::CreatedOn, Tr::tr("Date Created"), {}},
            {C::Notes, Tr::tr("Notes"), {}},
            {C::LastStatusChangedOn, Tr::tr("Last Status Change"), {}},
            {C::LastVerifiedOn, Tr::tr("Last Verified"), {}},
            {C::VerificationResultObject, Tr::tr("Verification Result"), {}},
            {C::Followed, Tr::tr("Link Followed"), {}}};
}

QList<Item> operationItems(SearchCriterion::Kind kind)
{
    using C = SearchCriterion;
    switch (kind) {
    case C::DateKind:
        return {{C::DateIs, Tr::tr("is"), {}},
                {C::DateIsNot, Tr::tr("is not"), {}},
                {C::IsBefore, Tr::tr("is before"), {}},
                {C::IsAfter, Tr::tr("is after"), {}}};
    case C::ChoiceKind:
        return {{C::ChoiceIs, Tr::tr("is"), {}}, {C::ChoiceIsNot, Tr::tr("is not"), {}}};
    case C::TextKind:
        break;
    }
    return {{C::Contains, Tr::tr("contains"), {}},
            {C::DoesNotContain, Tr::tr("does not contain"), {}},
            {C::TextIs, Tr::tr("is"), {}},
            {C::TextIsNot, Tr::tr("is not"), {}}};
}

QList<Item> statusItems()
{
    using C = SearchCriterion;
    return {{C::StatusNew, Tr::tr("New"), QStringLiteral("new")},
            {C::StatusNegotiating, Tr::tr("Negotiating"), QStringLiteral("negotiating")},
            {C::StatusApproved, Tr::tr("Approved"), QStringLiteral("verified")},
            {C::StatusBlocked, Tr::tr("Blocked"), QStringLiteral("blocked")}};
}

QList<Item> typeItems()
{
    using C = SearchCriterion;
    return {{C::TypeReceived, Tr::tr("Received"), {}}, {C::TypeSent, Tr::tr("Sent"), {}}};
}

QList<Item> resultItems()
{
    using C = SearchCriterion;
    return {{C::ResultVerified, Tr::tr("Verified successfully"), {}},
            {C::ResultMarked, Tr::tr("Marked as verified (no check)"), {}},
            {C::ResultNotFound, Tr::tr("Link not found"), {}},
            {C::ResultPageNotLoaded, Tr::tr("Links page not loaded"), {}},
            {C::ResultNotResponding, Tr::tr("Site not responding"), {}},
            {C::ResultNoLinksPage, Tr::tr("No links page address"), {}},
            {C::ResultNever, Tr::tr("Never verified"), {}}};
}

QList<Item> followedItems()
{
    using C = SearchCriterion;
    return {{C::FollowedYes, Tr::tr("Yes"), {}}, {C::FollowedNo, Tr::tr("No (nofollow or hidden)"), {}}};
}

CheckResult check(const QList<SearchCriterion> &criteria, bool any)
{
    CheckResult result;
    auto refuse = [&result](int row) {
        result.passed = false;
        result.row = row;
        result.title = Tr::tr("One or more conditions are empty or conflict with each other.");
        result.message = Tr::tr("This will result in never matching a link.");
        return result;
    };
    for (int row = 0; row < criteria.size(); ++row) {
        if (!criteria.at(row).isValid())
            return refuse(row);
    }
    if (any || criteria.size() < 2)
        return result;
    for (int first = 0; first < criteria.size(); ++first) {
        for (int second = first + 1; second < criteria.size(); ++second) {
            if (criteria.at(first).conflictsWithSearchCriterion(criteria.at(second)))
                return refuse(second);
        }
    }
    return result;
}

QString notFoundTitle()
{
    return Tr::tr("No links were found.");
}

QString notFoundMessage()
{
    return Tr::tr("None of the links match the specified search conditions.");
}

} // namespace SearchForm
