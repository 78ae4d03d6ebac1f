#pragma once

#include <QString>

// The bash completion of quillmarsh-cli, made from the command table: commands first, then the
// options of the command typed, and .site files (or any file where the command writes one).
class CliCompletion
{
public:
    static QString bashScript();
};
