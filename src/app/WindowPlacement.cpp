#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtMath>

namespace WindowPlacement {

namespace {

void moveInto(QWidget *window, const QRect &area)
{
    // The frame is what the user sees as the window; before the first showing it equals the geometry.
    const QSize frame = window->frameGeometry().size();
    window->move(alertPosition(area, frame));
}

QScreen *screenOf(QWidget *window)
{
    if (QScreen *screen = window->screen())
        return screen;
    return QGuiApplication::primaryScreen();
}

} // namespace

QPoint alertPosition(const QRect &area, const QSize &windowSize)
{
    const int freeWidth = qMax(0, area.width() - windowSize.width());
    const int freeHeight = qMax(0, area.height() - windowSize.height());
    const int x = area.x() + int(qFloor(freeWidth * 0.5));
    // The area's y grows downward here, so the three quarters below come after the window.
    const int below = int(qFloor(freeHeight * 0.75));
    return {x, area.y() + freeHeight - below};
}

void centerAtAlertPosition(QWidget *window)
{
    if (QScreen *screen = screenOf(window))
        moveInto(window, screen->availableGeometry());
}

void centerAtAlertPositionOfFullScreen(QWidget *window)
{
    if (QScreen *screen = screenOf(window))
        moveInto(window, screen->geometry());
}

} // namespace WindowPlacement
