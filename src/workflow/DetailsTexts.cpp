#include "DetailsTexts.h"

#include "model/DateTexts.h"
#include "model/Link.h"

#include <QCoreApplication>

namespace DetailsTexts {

QString contactLine(const Link &link)
{
    QString name = link.contactFirstName();
    if (!link.contactLastName().isEmpty())
        name = name.isEmpty() ? link.contactLastName() : name + QLatin1Char(' ') + link.contactLastName();
    const QString &email = link.contactEmail();
    if (name.isEmpty())
        return email.isEmpty() ? QString(QLatin1String("")) : email;
    if (email.isEmpty())
        return name;
    return QStringLiteral("%1 (%2)").arg(name, email);
}

QString statusName(LinkStatus status)
{
    // A status byte outside the four codes (the file keeps any byte) reads as New, as the editor's
    // pop-up shows it.
    switch (status) {
    case LinkStatusNegotiating:
        return QCoreApplication::translate("MyDocument", "Negotiating");
    case LinkStatusApproved:
        return QCoreApplication::translate("MyDocument", "Approved");
    case LinkStatusBlocked:
        return QCoreApplication::translate("MyDocument", "Blocked");
    default:
        return QCoreApplication::translate("MyDocument", "New");
    }
}

QString statusImage(LinkStatus status)
{
    switch (status) {
    case LinkStatusNegotiating:
        return QStringLiteral("negotiating");
    case LinkStatusApproved:
        return QStringLiteral("verified");
    case LinkStatusBlocked:
        return QStringLiteral("blocked");
    default: // New, and any unknown code
        return QStringLiteral("new");
    }
}

QString notFollowedText()
{
    return QCoreApplication::translate("DetailsTexts", "Link found, not followed (nofollow)");
}

QString resultText(VerificationResult result, std::optional<bool> followed)
{
    switch (result) {
    case VerificationSucceeded:
        if (followed == false)
            return QCoreApplication::translate("DetailsTexts", "Verified: %1").arg(notFollowedText());
        return Codes::verificationLabel(result);
    default:
        return Codes::verificationLabel(result);
    }
}

QString lastCheckLine(const Link &link, std::optional<bool> followed)
{
    if (!link.lastVerifiedOn().isValid())
        return QCoreApplication::translate("DetailsTexts", "Never checked");
    return QCoreApplication::translate("DetailsTexts", "%1: %2")
        .arg(DateTexts::stringForDate(link.lastVerifiedOn()),
             resultText(link.lastVerificationResult(), followed));
}

QString resultMark(VerificationResult result, std::optional<bool> followed)
{
    switch (result) {
    case VerificationSucceeded:
        return followed == false ? QStringLiteral("\u26A0") : QStringLiteral("\u2713");
    case VerificationMarkedVerified:
        return QStringLiteral("\u2713");
    case VerificationNoResponse:
    case VerificationLinksPageNotLoaded:
    case VerificationLinkNotFound:
    case VerificationNoLinksPageURL:
        return QStringLiteral("\u2717");
    default:
        return QStringLiteral("\u2013");
    }
}

} // namespace DetailsTexts
