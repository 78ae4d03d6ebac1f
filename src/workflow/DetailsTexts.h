#pragma once

#include "model/Codes.h"

#include <QString>
#include <optional>

class Link;

// The texts of the details pane that follow rules of their own.
namespace DetailsTexts {

// "First Last (address)", with whichever parts exist.
QString contactLine(const Link &link);
// The translated status name; an unknown code reads as New.
QString statusName(LinkStatus status);
// The image name of a status ("new", "verified"...); an unknown code has New's.
QString statusImage(LinkStatus status);

// The last check's result in plain words: a hand approval says that nothing was checked, and a link
// found where search engines do not follow it (`followed` false, as the history's latest check tells)
// says so beside the result. "Not verified" for a link never checked.
QString resultText(VerificationResult result, std::optional<bool> followed = std::nullopt);
// A small mark that goes before the result's words, so that no colour has to tell it: a tick for a
// link found, a cross for a failed check, a warning sign for a link found but not followed, a dash
// for no check.
QString resultMark(VerificationResult result, std::optional<bool> followed = std::nullopt);
// The day and result of the link's last check ("March 1, 2026: Marked as verified (no check)"), or
// "Never checked".
QString lastCheckLine(const Link &link, std::optional<bool> followed = std::nullopt);
// "Link found, not followed (nofollow)".
QString notFollowedText();

} // namespace DetailsTexts
