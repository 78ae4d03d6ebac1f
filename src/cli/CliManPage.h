#pragma once

#include <QString>

// The manual page quillmarsh-cli(1) in roff (man macros), made from the command table that the
// tool's help prints, so the two never disagree. Built at build time and installed.
class CliManPage
{
public:
    // `date` is the page's date as the footer shows it ("2026-12-07").
    static QString page(const QString &date);
    // Text made safe for roff: backslashes, leading dots and quotes, hyphens of options.
    static QString escaped(const QString &text);
};
