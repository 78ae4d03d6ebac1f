#include "LinkChange.h"

#include <QCoreApplication>

std::optional<LinkChange::Kind> LinkChange::between(const CheckRecord &before, const CheckRecord &after)
{
    const bool wasVerified = before.result == VerificationSucceeded;
    const bool isVerified = after.result == VerificationSucceeded;
    if (wasVerified && !isVerified)
        return Lost;
    if (!wasVerified && isVerified)
        return Recovered;
    if (wasVerified && isVerified && before.followed && !after.followed)
        return Unfollowed;
    return std::nullopt;
}

std::optional<LinkChange> LinkChange::of(const CheckRecord &before, const CheckRecord &after)
{
    const std::optional<Kind> kind = between(before, after);
    if (!kind)
        return std::nullopt;
    LinkChange change;
    change.linkID = after.linkID;
    change.title = after.title;
    change.kind = *kind;
    change.previous = before.result;
    change.current = after.result;
    change.since = after.checkedOn;
    return change;
}

QString LinkChange::keyword(Kind kind)
{
    switch (kind) {
    case Lost:
        return QStringLiteral("lost");
    case Unfollowed:
        return QStringLiteral("unfollowed");
    case Recovered:
        return QStringLiteral("recovered");
    }
    return QString();
}

QString LinkChange::text(Kind kind)
{
    switch (kind) {
    case Lost:
        return QCoreApplication::translate("LinkChange", "Lost");
    case Unfollowed:
        return QCoreApplication::translate("LinkChange", "No longer followed");
    case Recovered:
        return QCoreApplication::translate("LinkChange", "Recovered");
    }
    return QString();
}
