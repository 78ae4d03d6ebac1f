#include "SearchForm.h"

#include <QCoreApplication>

namespace SearchForm {

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("SearchForm", text);
}
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
    return {{C::Title, tr("Title"), {}},
            {C::Description, tr("Description"), {}},
            {C::CategoryObject, tr("Category"), {}},
            {C::URL, tr("URL"), {}},
            {C::CounterpartURL, tr("Links Page URL"), {}},
            {C::CounterpartCategoryName, tr("Category on Partner Site"), {}},
            {C::ContactFirstName, tr("Webmaster First Name"), {}},
            {C::ContactLastName, tr("Webmaster Last Name"), {}},
            {C::ContactEmail, tr("Webmaster E-mail"), {}},
            {C::Status, tr("Status"), {}},
            {C::Type, tr("Requested By"), {}},
            {C::CreatedOn, tr("Date Created"), {}},
            {C::Notes, tr("Notes"), {}},
            {C::LastStatusChangedOn, tr("Last Status Change"), {}}};
}

QList<Item> operationItems(SearchCriterion::Kind kind)
{
    using C = SearchCriterion;
    switch (kind) {
    case C::DateKind:
        return {{C::DateIs, tr("is"), {}},
                {C::DateIsNot, tr("is not"), {}},
                {C::IsBefore, tr("is before"), {}},
                {C::IsAfter, tr("is after"), {}}};
    case C::ChoiceKind:
        return {{C::ChoiceIs, tr("is"), {}}, {C::ChoiceIsNot, tr("is not"), {}}};
    case C::TextKind:
        break;
    }
    return {{C::Contains, tr("contains"), {}},
            {C::DoesNotContain, tr("does not contain"), {}},
            {C::TextIs, tr("is"), {}},
            {C::TextIsNot, tr("is not"), {}}};
}

QList<Item> statusItems()
{
    using C = SearchCriterion;
    return {{C::StatusNew, tr("New"), QStringLiteral("new")},
            {C::StatusNegotiating, tr("Negotiating"), QStringLiteral("negotiating")},
            {C::StatusApproved, tr("Approved"), QStringLiteral("verified")},
            {C::StatusBlocked, tr("Blocked"), QStringLiteral("blocked")}};
}

QList<Item> typeItems()
{
    using C = SearchCriterion;
    return {{C::TypeReceived, tr("Received"), {}}, {C::TypeSent, tr("Sent"), {}}};
}

CheckResult check(const QList<SearchCriterion> &criteria, bool any)
{
    CheckResult result;
    auto refuse = [&result](int row) {
        result.passed = false;
        result.row = row;
        result.title = tr("One or more conditions are empty or conflict with each other.");
        result.message = tr("This will result in never matching a link.");
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
    return tr("No links were found.");
}

QString notFoundMessage()
{
    return tr("None of the links match the specified search conditions.");
}

} // namespace SearchForm
