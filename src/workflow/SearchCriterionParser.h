#pragma once

#include "SearchCriterion.h"

#include <QString>
#include <optional>

class CollectionManager;

// Search conditions written as text, "field:operation:value", for the command line:
//   title:contains:widget   status:is:approved   created:before:2024-05-01   category:is-not:Shop
// The value is everything after the second colon, so it may hold colons itself (URLs).
namespace SearchCriterionParser {

// None with `error` set when the field, operation or value is not understood. Categories are named
// by their name or their ID (anchor) and stored as their index, as the search sheet stores them.
std::optional<SearchCriterion> parse(const QString &text, const CollectionManager &store, QString *error);

// The fields, operations and values accepted, for a usage message.
QString grammar();

} // namespace SearchCriterionParser
