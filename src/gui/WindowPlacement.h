#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

// Where the windows of the application appear on the screen.
//
// A window's frame is its outer rectangle, title bar and borders included; its geometry is what lies
// inside them. Positions are frame positions, so a window whose title bar is inside the screen can
// be dragged. The window manager tells the decoration's size only once a window is on the screen.
//
// The arithmetic works on plain rectangles, so it is tested without a window; the functions after
// it apply it to widgets.
namespace WindowPlacement {

// --- Arithmetic

// Centred across `area`, with the free space split 3 : 1 vertically, the larger part below the
// window: the place of alerts. A window larger than the area starts at its top left corner.
QPoint alertPosition(const QRect &area, const QSize &windowSize);

// The geometry inside a frame with these decoration margins, and the frame around a geometry.
QRect geometryForFrame(const QRect &frame, const QMargins &decoration);
QRect frameForGeometry(const QRect &geometry, const QMargins &decoration);

// The frame shrunk to the area's size, never below `minimumSize`, and moved into the area. A frame
// that cannot fit keeps its top left corner, and so its title bar, inside the area.
QRect clampedFrame(const QRect &frame, const QRect &area, const QSize &minimumSize = QSize());

// A new document window: three quarters of the area each way, never below `minimumSize`, centred.
QRect defaultDocumentFrame(const QRect &area, const QSize &minimumSize);

// Moves the frame `step` down and right while its top left corner lies on (within `step` / 2 of)
// one of the `occupied` corners of other windows; when that would take it out of the area it starts
// again at the area's top left corner. Returned inside the area.
QRect cascadedFrame(const QRect &frame, const QList<QPoint> &occupied, const QRect &area, int step);

// The help window beside the window that asked for it, on its right or else on its left, level
// with it; narrower on the roomier side when neither holds it whole; when no side has room enough
// even for that, centred on it. Always inside the area.
QRect helpFrame(const QRect &requester, const QSize &helpSize, const QRect &area);

// --- Windows

// The window's decoration, or before the window manager has decorated it, the decoration of
// another window of the application (the window manager decorates them alike); none without one.
QMargins decorationMargins(const QWidget *window);
// The window is shown and the window manager has told the size of its decoration.
bool isDecorated(const QWidget *window);
// The available area (screen less panels) of the screen the window is on.
QRect availableArea(const QWidget *window);
// The available area of the screen holding the largest part of the frame; null when the frame lies
// on no attached screen.
QRect availableAreaHolding(const QRect &frame);

// Puts the window's frame there, before or after the window is shown. Before the window manager
// has decorated the window its size is estimated from decorationMargins(); its position is exact.
void setFrame(QWidget *window, const QRect &frame);
// Runs `action` once the shown window is decorated, or after a short wait when no window manager
// decorates it. Nothing runs if the window goes first.
void whenDecorated(QWidget *window, const std::function<void()> &action);
// Keeps the window's frame inside the available area of its screen.
void clampToScreen(QWidget *window);

// Moves the window (its frame) to the alert position of the available area of its screen.
void centerAtAlertPosition(QWidget *window);
// The same in the screen's full area, for the about box.
void centerAtAlertPositionOfFullScreen(QWidget *window);

} // namespace WindowPlacement
