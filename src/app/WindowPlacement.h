#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where small windows of the application appear on the screen.
namespace WindowPlacement {

// Centred across `area`, with the free space split 3 : 1 vertically, the larger part below the
// window: the place of alerts. A window larger than the area starts at its top left corner.
QPoint alertPosition(const QRect &area, const QSize &windowSize);

// Moves the window (its frame) to the alert position of the available area of its screen.
void centerAtAlertPosition(QWidget *window);
// The same in the screen's full area, for the about box.
void centerAtAlertPositionOfFullScreen(QWidget *window);

} // namespace WindowPlacement
