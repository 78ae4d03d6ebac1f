#pragma once

#include "CheckRecord.h"

#include <QDateTime>
#include <QString>
#include <optional>

// What happened to a link between its last two checks.
struct LinkChange
{
    enum Kind
    {
        Lost,       // verified before, any other result now
        Unfollowed, // verified both times, followed before and not now
        Recovered,  // not verified before, verified now
    };

    QString linkID;
    QString title;
    Kind kind = Lost;
    VerificationResult previous = VerificationNotVerified;
    VerificationResult current = VerificationNotVerified;
    QDateTime since; // when the latest check ran

    // The change from `before` to `after`, or none.
    static std::optional<Kind> between(const CheckRecord &before, const CheckRecord &after);
    static std::optional<LinkChange> of(const CheckRecord &before, const CheckRecord &after);

    // "lost", "unfollowed", "recovered": the words of the command line and its JSON.
    static QString keyword(Kind kind);
    // "Lost", "No longer followed", "Recovered", translated.
    static QString text(Kind kind);
};
