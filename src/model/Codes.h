#pragma once

#include <QString>

// One-byte codes shared by the whole system. They are stored in the file as the ASCII
// character, so they are plain chars: a file may hold any byte and it is kept as held.
using LinkStatus = char;
inline constexpr LinkStatus LinkStatusNew = '1';
inline constexpr LinkStatus LinkStatusNegotiating = '2';
inline constexpr LinkStatus LinkStatusApproved = '3';
inline constexpr LinkStatus LinkStatusBlocked = '4';

using LinkType = char;
inline constexpr LinkType LinkTypeReceived = 'R';
inline constexpr LinkType LinkTypeSent = 'A';

using VerificationResult = char;
inline constexpr VerificationResult VerificationNotVerified = '0';
inline constexpr VerificationResult VerificationSucceeded = '1';
inline constexpr VerificationResult VerificationNoResponse = '2';
inline constexpr VerificationResult VerificationLinksPageNotLoaded = '3';
inline constexpr VerificationResult VerificationLinkNotFound = '4';
inline constexpr VerificationResult VerificationMarkedVerified = '5';
inline constexpr VerificationResult VerificationNoLinksPageURL = '6';
// Only inside a verification run, never stored in a link.
inline constexpr VerificationResult VerificationInProgress = 'X';

inline constexpr char DraftMarkerFinal = 'F';

enum RenderMode : int
{
    RenderModeSinglePage = 1,
    RenderModePagePerCategory = 2,
};

inline const QString NoneCategoryID = QStringLiteral("CAT0000000000");

namespace Codes {
// English display texts; callers translate them with tr() where they show them.
QString statusText(LinkStatus status);                  // "New", "Negotiating", ...
QString typeText(LinkType type);                        // "Received", "Sent"
QString verificationRunText(VerificationResult result); // "Verified successfully.", ...
QString verificationLabel(VerificationResult result);   // statistics labels
} // namespace Codes
