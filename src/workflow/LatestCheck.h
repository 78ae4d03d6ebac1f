#pragma once

#include "model/Codes.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <optional>

class Link;

// What the latest check of a link found, as far as the views and the search ask: whether the link
// was on the partner's page, whether search engines follow it, or whether the site could not be read.
struct LatestCheck
{
    enum Finding
    {
        NotJudged,   // no check of the page was possible, or the link was approved by hand
        Linked,      // the page carries the link
        NotLinked,   // the page loaded without the link
        Unreachable, // the site could not be loaded or refused the check
    };
    Finding finding = NotJudged;
    bool followed = false; // only meaningful when linked

    // What the database itself remembers (the result of the last check) when the history knows
    // nothing more. A found link counts as followed there: only the history can tell otherwise.
    static LatestCheck fromStoredResult(VerificationResult result);
    // A check as the history recorded it: its result and whether the link found was followed.
    static LatestCheck fromRecorded(VerificationResult result, bool followed);
    // The history's latest check while the link still stands on a check result; a result set by hand
    // (marked as verified, or reset to never verified) comes after any check, so the stored one wins.
    static LatestCheck of(const Link &link, const std::optional<LatestCheck> &recorded);
    // The history's latest check of the link, if the table has one.
    static std::optional<LatestCheck> recordedFor(const Link &link,
                                                  const QHash<QString, LatestCheck> *recorded);
};

// The history's latest check of each link, by link ID.
using RecordedChecks = QHash<QString, LatestCheck>;
