#pragma once

#include <QList>

class QDialogButtonBox;
class QWidget;

// Tab order that follows the screen for windows whose controls come and go.
namespace KeyOrder {

// Tab goes through the widgets in the given order (hidden and disabled ones are skipped by Tab).
void chain(const QList<QWidget *> &widgets);

// The buttons of a button box from left to right as the box lays them out for this desktop; the
// box keeps them in its own order of roles otherwise.
QList<QWidget *> buttonsOnScreen(const QDialogButtonBox *box);

} // namespace KeyOrder
