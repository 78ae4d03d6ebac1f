#pragma once

#include "model/Codes.h"
#include "verify/CheckOutcome.h"
#include "verify/RobotsVerdict.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

class Link;
struct VerificationDetails;

// One completed check of one link, as the history keeps it.
struct CheckRecord
{
    QString linkID;
    QString title;       // the link's title when it was checked
    QDateTime checkedOn; // to the second
    VerificationResult result = VerificationNotVerified;
    int httpStatus = 0; // the links page's status; 0 when none came
    QString finalURL;   // the links page after redirects
    bool addressFound = false;
    bool inAnchor = false;
    bool followed = false; // a search engine follows the link: in an <a> without nofollow, sponsored or ugc
    QStringList rel;
    QString anchorText;
    bool noindex = false;
    CheckOutcome outcome = CheckOutcome::None;
    bool confirmed = false; // not linked on a second look too
    RobotsVerdict robots = RobotsVerdict::Unavailable;
    QString movedTo; // another page of the partner's site that carries the link; "" when none

    // The record of a check that has just ended.
    static CheckRecord fromCheck(const Link &link, VerificationResult result,
                                 const VerificationDetails &details, const QDateTime &when);
    // What the database itself remembers of the link's last check (its day and result), for a link the
    // history does not know or cannot tell; none when the link was never checked.
    static std::optional<CheckRecord> fromStoredResult(const Link &link);
};
