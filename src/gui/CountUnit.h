#pragma once

#include <QString>
#include <functional>

class QLabel;
class QSpinBox;

// Keeps the words beside a spin box's number in the number's form ("1 day", "2 days"), for the
// languages whose nouns change with the count.
namespace CountUnit {

// `text(n)` is a translated text with the number n in it once ("%n day(s)"): what stands before the
// number becomes the box's prefix, what follows its suffix, at every change of the value.
void follow(QSpinBox *box, const std::function<QString(int)> &text);
// The label beside the box reads `text(n)` at every change of the value.
void follow(QSpinBox *box, QLabel *label, const std::function<QString(int)> &text);

} // namespace CountUnit
