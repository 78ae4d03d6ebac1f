#pragma once

#include "model/Codes.h"

#include <QString>

class Link;

// The texts of the details pane that follow rules of their own.
namespace DetailsTexts {

// "First Last (address)", with whichever parts exist.
QString contactLine(const Link &link);
// The translated status name; empty for an unknown code.
QString statusName(LinkStatus status);
// The image name of a status ("new", "verified"...); empty for an unknown code.
QString statusImage(LinkStatus status);

} // namespace DetailsTexts
