#pragma once

#include "model/FileError.h"

#include <QString>
#include <optional>

// What a read of the history handed back: the value, or why there is none. `busy` says the failure
// was another process holding the file, which passes.
template <typename T> struct HistoryReply
{
    std::optional<T> value;
    FileError error;
    bool busy = false;
};
