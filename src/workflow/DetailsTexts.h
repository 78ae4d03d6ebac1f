#pragma once

#include "model/Codes.h"

#include <QString>

class Link;

// The texts of the details pane that follow rules of their own.
namespace DetailsTexts {

// "First Last (address)", with whichever parts exist.
QString contactLine(const Link &link);
// The translated status name; an unknown code reads as New.
QString statusName(LinkStatus status);
// The image name of a status ("new", "verified"...); an unknown code has New's.
QString statusImage(LinkStatus status);

} // namespace DetailsTexts
