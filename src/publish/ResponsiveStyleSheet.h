#pragma once

#include <QString>

class CollectionManager;

// The style sheet of the responsive links page: a base for phones and desktops (the reader's system
// font at 16 px or more, links at least 24 px high, nothing wider than the screen, a dark scheme
// that follows the reader's setting), then the user's eight style texts as the page's qm_ classes.
namespace ResponsiveStyleSheet {

// The smallest text the page lets a style set, in CSS pixels.
inline constexpr double MinimumFontSizePx = 16;

// The whole sheet for the database's stored styles (the defaults for absent keys).
QString styleSheet(const CollectionManager &collectionManager);

// A stored style text as the responsive page carries it: declarations that would undo the page's
// typography (a font family, a font shorthand, a size below the minimum) are left out, and so is
// anything that could end the rule or the style element (braces, angle brackets, comments, an
// unbalanced quote). Every other declaration stays as written.
QString adaptedDeclarations(const QString &styleText);

// The size in CSS pixels of a font-size value (px, pt, em, rem, %, the keywords), relative sizes
// taken against the page's 16 px; negative when the value cannot be read.
double fontSizeInPixels(const QString &value);

} // namespace ResponsiveStyleSheet
