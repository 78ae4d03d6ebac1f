#include "ScreenClamp.h"

#include "WindowPlacement.h"

#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>

ScreenClamp::ScreenClamp(QObject *parent) : QObject(parent) {}

bool ScreenClamp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || event->spontaneous() || !watched->isWidgetType())
        return false;
    auto *window = static_cast<QWidget *>(watched);
    const Qt::WindowType type = window->windowType();
    if (!window->isWindow() || type == Qt::Popup || type == Qt::ToolTip ||
        qobject_cast<QMainWindow *>(window))
        return false;
    // The size now, before a dialog centres itself on its parent with it; the position once it has
    // been placed and decorated.
    const QRect area = WindowPlacement::availableArea(window);
    const QSize room = area.size().shrunkBy(WindowPlacement::decorationMargins(window));
    if (!area.isEmpty() && (window->width() > room.width() || window->height() > room.height()))
        window->resize(window->size().boundedTo(room));
    QTimer::singleShot(0, window, [window] {
        WindowPlacement::whenDecorated(window, [window] { WindowPlacement::clampToScreen(window); });
    });
    return false;
}
