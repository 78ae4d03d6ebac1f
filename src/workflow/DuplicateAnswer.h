#pragma once

#include <functional>

// The user's answer when an import brings records whose IDs the database already holds.
enum class DuplicateAnswer
{
    Keep,    // existing records stay, imported ones with their IDs are skipped
    Replace, // imported records take the place of existing ones
    Cancel,  // nothing is imported
};

// Asked at most once per import, before anything changes; the dialog, the command line or a test
// answers it. Without one the default answer, Keep, applies.
using DuplicateQuestion = std::function<DuplicateAnswer()>;
