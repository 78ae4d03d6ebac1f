#include "CheckOutcome.h"

#include <QCoreApplication>

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(CheckOutcome)
};

bool refusesAccess(int status)
{
    return status == 401 || status == 403 || status == 451;
}
} // namespace

QString CheckOutcomes::keyword(CheckOutcome outcome)
{
    switch (outcome) {
    case CheckOutcome::Linked:
        return QStringLiteral("linked");
    case CheckOutcome::NotLinked:
        return QStringLiteral("notLinked");
    case CheckOutcome::Unreachable:
        return QStringLiteral("unreachable");
    case CheckOutcome::Blocked:
        return QStringLiteral("blocked");
    case CheckOutcome::None:
        break;
    }
    return QStringLiteral("none");
}

std::optional<CheckOutcome> CheckOutcomes::fromKeyword(QStringView keyword)
{
    for (CheckOutcome outcome : {CheckOutcome::None, CheckOutcome::Linked, CheckOutcome::NotLinked,
                                 CheckOutcome::Unreachable, CheckOutcome::Blocked}) {
        if (keyword == CheckOutcomes::keyword(outcome))
            return outcome;
    }
    return std::nullopt;
}

QString CheckOutcomes::text(CheckOutcome outcome)
{
    switch (outcome) {
    case CheckOutcome::Linked:
        return Tr::tr("Link found");
    case CheckOutcome::NotLinked:
        return Tr::tr("Link missing");
    case CheckOutcome::Unreachable:
        return Tr::tr("Site unreachable");
    case CheckOutcome::Blocked:
        return Tr::tr("Check refused by the site");
    case CheckOutcome::None:
        break;
    }
    return Tr::tr("Not checked");
}

QString CheckOutcomes::advice(CheckOutcome outcome)
{
    switch (outcome) {
    case CheckOutcome::Linked:
        return Tr::tr("Nothing to do.");
    case CheckOutcome::NotLinked:
        return Tr::tr("Look at the links page; if your link is gone, ask the partner to put it back.");
    case CheckOutcome::Unreachable:
        return Tr::tr("Nothing is known about your link; it is checked again next time.");
    case CheckOutcome::Blocked:
        return Tr::tr("Open the links page in your browser to see whether your link is still there.");
    case CheckOutcome::None:
        break;
    }
    return Tr::tr("Enter the links page address in the link editor.");
}

CheckOutcome CheckOutcomes::fromResult(VerificationResult result, int httpStatus)
{
    switch (result) {
    case VerificationSucceeded:
        return CheckOutcome::Linked;
    case VerificationLinkNotFound:
        return CheckOutcome::NotLinked;
    case VerificationNoResponse:
    case VerificationLinksPageNotLoaded:
        return refusesAccess(httpStatus) ? CheckOutcome::Blocked : CheckOutcome::Unreachable;
    default:
        return CheckOutcome::None;
    }
}
