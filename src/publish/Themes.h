#pragma once

#include "model/NamedString.h"

#include <QList>
#include <QString>

// The five ready-made style sets of the links page. Loading one sets all eight style keys.
namespace Themes {

enum Theme
{
    Default = 1,
    Candy = 2,
    Classic = 3,
    Oblique = 4,
    Plain = 5
};

inline constexpr int FirstTheme = Default;
inline constexpr int LastTheme = Plain;

// The eight style settings of a theme, in style-sheet order; empty for a number outside 1 to 5.
QList<NamedString> stylesOfTheme(int theme);
// The theme's title as the theme menu shows it; the Default title for any other number.
QString nameOfTheme(int theme);

} // namespace Themes
