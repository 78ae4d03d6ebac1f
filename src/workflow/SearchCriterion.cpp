#include "SearchCriterion.h"

SearchCriterion::SearchCriterion() = default;

SearchCriterion::SearchCriterion(int32_t object, int32_t operation, const QString &stringValue,
                                 const CollectionManager *manager)
    : m_object(object), m_operation(operation), m_stringValue(stringValue), m_manager(manager)
{}

SearchCriterion::SearchCriterion(int32_t object, int32_t operation, const QDate &dateValue,
                                 const CollectionManager *manager)
    : m_object(object), m_operation(operation), m_dateValue(dateValue), m_manager(manager)
{}

SearchCriterion::SearchCriterion(int32_t object, int32_t operation, int32_t intValue,
                                 const CollectionManager *manager)
    : m_object(object), m_operation(operation), m_intValue(intValue), m_manager(manager)
{}

SearchCriterion::Kind SearchCriterion::typeOfObject(int32_t object)
{
    switch (object) {
    case CategoryObject:
    case Status:
    case Type:
    case VerificationResultObject:
    case Followed:
        return ChoiceKind;
    case CreatedOn:
    case LastStatusChangedOn:
    case LastVerifiedOn:
        return DateKind;
    default:
        return TextKind;
    }
}

QVariant SearchCriterion::objectValue() const
{
    switch (kind()) {
    case DateKind:
        return m_dateValue;
    case ChoiceKind:
        return m_intValue;
    default:
        return m_stringValue;
    }
}

int SearchCriterion::popupIndexOfCategoryWithIndex(int categoryIndex, int numberOfCategories)
{
    return numberOfCategories >= 2 && categoryIndex >= 1 ? categoryIndex + 1 : categoryIndex;
}

int SearchCriterion::indexOfSelectedCategoryInPopup(int popupIndex, int numberOfCategories)
{
    if (numberOfCategories < 2 || popupIndex < 1)
        return popupIndex;
    return popupIndex == 1 ? -1 : popupIndex - 1;
}

bool SearchCriterion::isValid() const
{
    switch (kind()) {
    case TextKind:
        if (m_operation == Contains || m_operation == DoesNotContain)
            return !m_stringValue.isEmpty();
        return m_operation == TextIs || m_operation == TextIsNot;
    case DateKind:
        return m_dateValue.isValid() && m_operation >= DateIs && m_operation <= IsAfter;
    case ChoiceKind:
        return m_operation == ChoiceIs || m_operation == ChoiceIsNot;
    }
    return false;
}

namespace {

// Both "is" with different values.
template <typename T> bool bothIsDiffer(int32_t a, int32_t b, int32_t is, const T &x, const T &y)
{
    return a == is && b == is && x != y;
}

// One operation and its negation, in either order, with equal values.
template <typename T>
bool oppositesAgree(int32_t a, int32_t b, int32_t positive, int32_t negative, const T &x, const T &y)
{
    return ((a == positive && b == negative) || (a == negative && b == positive)) && x == y;
}

} // namespace

bool SearchCriterion::conflictsWithSearchCriterion(const SearchCriterion &other) const
{
    if (m_object != other.m_object)
        return false;
    const int32_t a = m_operation;
    const int32_t b = other.m_operation;
    switch (kind()) {
    case DateKind: {
        const QDate &x = m_dateValue;
        const QDate &y = other.m_dateValue;
        return bothIsDiffer(a, b, DateIs, x, y) || oppositesAgree(a, b, DateIs, DateIsNot, x, y);
    }
    case ChoiceKind: {
        const int32_t x = m_intValue;
        const int32_t y = other.m_intValue;
        return bothIsDiffer(a, b, ChoiceIs, x, y) || oppositesAgree(a, b, ChoiceIs, ChoiceIsNot, x, y);
    }
    case TextKind: {
        // Compared exactly although matching ignores case, so two spellings of one text are refused.
        const QString &x = m_stringValue;
        const QString &y = other.m_stringValue;
        return bothIsDiffer(a, b, TextIs, x, y) || oppositesAgree(a, b, TextIs, TextIsNot, x, y) ||
               oppositesAgree(a, b, Contains, DoesNotContain, x, y);
    }
    }
    return false;
}
