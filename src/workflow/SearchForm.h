#pragma once

#include "SearchCriterion.h"

#include <QList>
#include <QString>
#include <cstdint>

// The rules of the search sheet without its widgets: how many condition rows it holds, when the
// all/any choice shows, the items of each row's pop-ups, and the check made before a search.
namespace SearchForm {

inline constexpr int MaximumRows = 10;

bool canAddRow(int rows);
bool canRemoveRow(int rows);
// With two or more rows the sheet asks whether all or any of them must hold.
bool showsCombination(int rows);

// One item of a pop-up: the code it stands for, its title and, for statuses, its image's name.
struct Item
{
    int32_t tag;
    QString title;
    QString image;
};
// The link fields that can be searched, in the order the field pop-up lists them.
QList<Item> objectItems();
QList<Item> operationItems(SearchCriterion::Kind kind);
QList<Item> statusItems();
QList<Item> typeItems();
// The results of the last check, and whether the link found is followed.
QList<Item> resultItems();
QList<Item> followedItems();

// What the check before a search found. When it did not pass, `row` is the condition the user
// goes back to (the later one of two that conflict).
struct CheckResult
{
    bool passed = true;
    int row = -1;
    QString title;
    QString message;
};

// Every condition must be able to match by itself; under "all" no two conditions may exclude each
// other (each pair once, the earlier as the first). Under "any" conflicting conditions are fine.
CheckResult check(const QList<SearchCriterion> &criteria, bool any);

// The alert when nothing matches a new search.
QString notFoundTitle();
QString notFoundMessage();

} // namespace SearchForm
