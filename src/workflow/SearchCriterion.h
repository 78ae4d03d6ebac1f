#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <cstdint>

class CollectionManager;

// One condition of a search: a link field (the object), an operation and a value. The row that
// edits a criterion belongs to the search sheet; the criterion itself is plain data.
class SearchCriterion
{
public:
    // Link fields, by their stored codes.
    enum Object : int32_t
    {
        Title = 1,
        Description = 2,
        CategoryObject = 3,
        URL = 4,
        CounterpartURL = 5, // the partner's links page
        CounterpartCategoryName = 6,
        ContactFirstName = 7,
        ContactLastName = 8,
        ContactEmail = 9,
        Status = 10,
        Type = 11,
        CreatedOn = 12,
        Notes = 13,
        LastStatusChangedOn = 14,
        LastVerifiedOn = 15, // the day of the last check
        VerificationResultObject = 16,
        Followed = 17, // the latest check found the link followed by search engines
    };
    enum Kind : int32_t
    {
        TextKind = 1,
        DateKind = 2,
        ChoiceKind = 3
    };
    // Operation codes; their meaning depends on the kind.
    enum TextOperation : int32_t
    {
        Contains = 1,
        DoesNotContain = 2,
        TextIs = 3,
        TextIsNot = 4
    };
    enum DateOperation : int32_t
    {
        DateIs = 1,
        DateIsNot = 2,
        IsBefore = 3,
        IsAfter = 4
    };
    enum ChoiceOperation : int32_t
    {
        ChoiceIs = 1,
        ChoiceIsNot = 2
    };
    // Choice values of the status and type objects.
    enum StatusValue : int32_t
    {
        StatusNew = 1,
        StatusNegotiating = 2,
        StatusApproved = 3,
        StatusBlocked = 4
    };
    enum TypeValue : int32_t
    {
        TypeReceived = 1,
        TypeSent = 2
    };
    // Choice values of the result object; ResultNever matches a link never checked.
    enum ResultValue : int32_t
    {
        ResultVerified = 1,
        ResultMarked = 2,
        ResultNotFound = 3,
        ResultPageNotLoaded = 4,
        ResultNotResponding = 5,
        ResultNoLinksPage = 6,
        ResultNever = 7
    };
    enum FollowedValue : int32_t
    {
        FollowedYes = 1,
        FollowedNo = 2
    };

    SearchCriterion(); // title contains ""
    SearchCriterion(int32_t object, int32_t operation, const QString &stringValue,
                    const CollectionManager *manager = nullptr);
    SearchCriterion(int32_t object, int32_t operation, const QDate &dateValue,
                    const CollectionManager *manager = nullptr);
    SearchCriterion(int32_t object, int32_t operation, int32_t intValue,
                    const CollectionManager *manager = nullptr);

    // 1 text, 2 date, 3 choice; unknown codes count as text.
    static Kind typeOfObject(int32_t object);
    Kind kind() const { return typeOfObject(m_object); }

    int32_t object() const { return m_object; }
    int32_t operation() const { return m_operation; }
    const QString &stringValue() const { return m_stringValue; }
    const QDate &dateValue() const { return m_dateValue; }
    int32_t intValue() const { return m_intValue; }
    const CollectionManager *manager() const { return m_manager; }
    // The value of the criterion's kind: a string, a date or an integer.
    QVariant objectValue() const;

    void setObject(int32_t object) { m_object = object; }
    void setOperation(int32_t operation) { m_operation = operation; }
    void setStringValue(const QString &value) { m_stringValue = value; }
    void setDateValue(const QDate &value) { m_dateValue = value; }
    void setIntValue(int32_t value) { m_intValue = value; }
    void setManager(const CollectionManager *manager) { m_manager = manager; }

    // The category pop-up lists the categories in tree order with a separator after the first one
    // when there are two or more, so later categories sit one item further down.
    static int popupIndexOfCategoryWithIndex(int categoryIndex, int numberOfCategories);
    // The category index of a pop-up item; -1 for the separator.
    static int indexOfSelectedCategoryInPopup(int popupIndex, int numberOfCategories);

    // False when the criterion can never match anything by itself (an empty "contains", no date).
    bool isValid() const;
    // True when both test the same object and can never hold together.
    bool conflictsWithSearchCriterion(const SearchCriterion &other) const;

private:
    int32_t m_object = Title;
    int32_t m_operation = Contains;
    QString m_stringValue = QStringLiteral("");
    QDate m_dateValue;
    int32_t m_intValue = 0;
    const CollectionManager *m_manager = nullptr;
};
