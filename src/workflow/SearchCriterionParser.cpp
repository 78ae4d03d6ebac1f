#include "SearchCriterionParser.h"

#include "model/CollectionManager.h"

#include <QStringList>
#include <array>

namespace SearchCriterionParser {

namespace {

using S = SearchCriterion;

struct Name
{
    const char *text;
    int32_t code;
};

constexpr std::array<Name, 17> Fields{{
    {"title", S::Title},
    {"description", S::Description},
    {"category", S::CategoryObject},
    {"url", S::URL},
    {"links-page", S::CounterpartURL},
    {"partner-category", S::CounterpartCategoryName},
    {"first-name", S::ContactFirstName},
    {"last-name", S::ContactLastName},
    {"email", S::ContactEmail},
    {"status", S::Status},
    {"type", S::Type},
    {"created", S::CreatedOn},
    {"notes", S::Notes},
    {"status-changed", S::LastStatusChangedOn},
    {"verified", S::LastVerifiedOn},
    {"result", S::VerificationResultObject},
    {"followed", S::Followed},
}};

constexpr std::array<Name, 4> TextOperations{{
    {"contains", S::Contains},
    {"not-contains", S::DoesNotContain},
    {"is", S::TextIs},
    {"is-not", S::TextIsNot},
}};
constexpr std::array<Name, 4> DateOperations{{
    {"is", S::DateIs},
    {"is-not", S::DateIsNot},
    {"before", S::IsBefore},
    {"after", S::IsAfter},
}};
constexpr std::array<Name, 2> ChoiceOperations{{{"is", S::ChoiceIs}, {"is-not", S::ChoiceIsNot}}};
constexpr std::array<Name, 4> Statuses{{
    {"new", S::StatusNew},
    {"negotiating", S::StatusNegotiating},
    {"approved", S::StatusApproved},
    {"blocked", S::StatusBlocked},
}};
constexpr std::array<Name, 2> Types{{{"received", S::TypeReceived}, {"sent", S::TypeSent}}};
constexpr std::array<Name, 7> Results{{
    {"verified", S::ResultVerified},
    {"marked", S::ResultMarked},
    {"not-found", S::ResultNotFound},
    {"page-not-loaded", S::ResultPageNotLoaded},
    {"not-responding", S::ResultNotResponding},
    {"no-links-page", S::ResultNoLinksPage},
    {"never", S::ResultNever},
}};
constexpr std::array<Name, 2> FollowedValues{{{"yes", S::FollowedYes}, {"no", S::FollowedNo}}};

template <size_t N> std::optional<int32_t> lookUp(const std::array<Name, N> &names, const QString &text)
{
    for (const Name &name : names) {
        if (text.compare(QLatin1String(name.text), Qt::CaseInsensitive) == 0)
            return name.code;
    }
    return std::nullopt;
}

// The choice named by `value` for a choice field other than the category.
std::optional<int32_t> choiceNamed(int32_t object, const QString &value)
{
    switch (object) {
    case S::Status:
        return lookUp(Statuses, value);
    case S::Type:
        return lookUp(Types, value);
    case S::VerificationResultObject:
        return lookUp(Results, value);
    default:
        return lookUp(FollowedValues, value);
    }
}

template <size_t N> QString list(const std::array<Name, N> &names)
{
    QStringList texts;
    for (const Name &name : names)
        texts.append(QLatin1String(name.text));
    return texts.join(u'|');
}

std::optional<SearchCriterion> fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return std::nullopt;
}

} // namespace

std::optional<SearchCriterion> parse(const QString &text, const CollectionManager &store, QString *error)
{
    const qsizetype first = text.indexOf(u':');
    const qsizetype second = first < 0 ? -1 : text.indexOf(u':', first + 1);
    if (second < 0)
        return fail(error, QStringLiteral("\"%1\" is not written field:operation:value").arg(text));
    const QString fieldText = text.left(first);
    const QString operationText = text.mid(first + 1, second - first - 1);
    const QString value = text.mid(second + 1);

    const std::optional<int32_t> object = lookUp(Fields, fieldText);
    if (!object)
        return fail(error, QStringLiteral("unknown field \"%1\"").arg(fieldText));
    std::optional<int32_t> operation;
    switch (S::typeOfObject(*object)) {
    case S::TextKind:
        operation = lookUp(TextOperations, operationText);
        break;
    case S::DateKind:
        operation = lookUp(DateOperations, operationText);
        break;
    case S::ChoiceKind:
        operation = lookUp(ChoiceOperations, operationText);
        break;
    }
    if (!operation)
        return fail(error, QStringLiteral("unknown operation \"%1\" for %2").arg(operationText, fieldText));

    switch (*object) {
    case S::Status:
    case S::Type:
    case S::VerificationResultObject:
    case S::Followed: {
        const std::optional<int32_t> choice = choiceNamed(*object, value);
        if (!choice)
            return fail(error, QStringLiteral("unknown %1 \"%2\"").arg(fieldText, value));
        return SearchCriterion(*object, *operation, *choice, &store);
    }
    case S::CategoryObject: {
        TreeNode *category = store.categoryWithName(value);
        if (!category)
            category = store.categoryWithAnchor(value);
        if (!category)
            return fail(error, QStringLiteral("no category named \"%1\"").arg(value));
        return SearchCriterion(*object, *operation, store.categoryRoot()->indexOfChild(category), &store);
    }
    case S::CreatedOn:
    case S::LastStatusChangedOn:
    case S::LastVerifiedOn: {
        const QDate date = QDate::fromString(value, Qt::ISODate);
        if (!date.isValid())
            return fail(error, QStringLiteral("\"%1\" is not a date written YYYY-MM-DD").arg(value));
        return SearchCriterion(*object, *operation, date, &store);
    }
    default:
        return SearchCriterion(*object, *operation, value, &store);
    }
}

QString grammar()
{
    return QStringLiteral("A condition is written field:operation:value.\n"
                          "  fields: %1\n"
                          "  text fields: %2 (ignoring case)\n"
                          "  created, status-changed, verified (the last check): %3, with a date YYYY-MM-DD\n"
                          "  status: %4 with %5\n"
                          "  type: %4 with %6\n"
                          "  result (of the last check): %4 with %7\n"
                          "  followed (the link found by the last check): %4 with %8\n"
                          "  category: %4 with a category's name or ID\n"
                          "All conditions must hold; with --any one of them suffices.")
        .arg(list(Fields), list(TextOperations), list(DateOperations), list(ChoiceOperations), list(Statuses),
             list(Types), list(Results), list(FollowedValues));
}

} // namespace SearchCriterionParser
