#include "Codes.h"

#include <QCoreApplication>

namespace Codes {

QString statusText(LinkStatus status)
{
    switch (status) {
    case LinkStatusNew:
        return QCoreApplication::translate("Codes", "New");
    case LinkStatusNegotiating:
        return QCoreApplication::translate("Codes", "Negotiating");
    case LinkStatusApproved:
        return QCoreApplication::translate("Codes", "Approved");
    case LinkStatusBlocked:
        return QCoreApplication::translate("Codes", "Blocked");
    default:
        return QString();
    }
}

QString typeText(LinkType type)
{
    switch (type) {
    case LinkTypeReceived:
        return QCoreApplication::translate("Codes", "Received");
    case LinkTypeSent:
        return QCoreApplication::translate("Codes", "Sent");
    default:
        return QString();
    }
}

QString verificationRunText(VerificationResult result)
{
    switch (result) {
    case VerificationSucceeded:
        return QCoreApplication::translate("Codes", "Verified successfully.");
    case VerificationNoResponse:
        return QCoreApplication::translate("Codes", "Partner site does not respond.");
    case VerificationLinksPageNotLoaded:
        return QCoreApplication::translate("Codes", "Links page cannot be loaded.");
    case VerificationLinkNotFound:
        return QCoreApplication::translate("Codes", "Reciprocal link cannot be found.");
    case VerificationMarkedVerified:
        return QCoreApplication::translate("Codes", "Marked as verified.");
    case VerificationNoLinksPageURL:
        return QCoreApplication::translate("Codes", "Links page URL is not specified.");
    default:
        return QStringLiteral("");
    }
}

QString verificationLabel(VerificationResult result)
{
    switch (result) {
    case VerificationSucceeded:
        return QCoreApplication::translate("Codes", "Verified successfully");
    case VerificationMarkedVerified:
        return QCoreApplication::translate("Codes", "Marked as verified (no check)");
    case VerificationNoResponse:
        return QCoreApplication::translate("Codes", "Partner site does not respond");
    case VerificationLinksPageNotLoaded:
        return QCoreApplication::translate("Codes", "Links page cannot be loaded");
    case VerificationLinkNotFound:
        return QCoreApplication::translate("Codes", "Reciprocal link not found");
    case VerificationNoLinksPageURL:
        return QCoreApplication::translate("Codes", "Links page URL not specified");
    default:
        return QCoreApplication::translate("Codes", "Not verified");
    }
}

} // namespace Codes
