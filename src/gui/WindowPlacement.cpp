#include "WindowPlacement.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QtMath>
#include <memory>

namespace WindowPlacement {

namespace {

// How long a shown window may stay undecorated before we take it that no window manager runs.
constexpr int DecorationPollInterval = 20; // milliseconds
constexpr int DecorationPollCount = 50;

// The gap between a window and the help window beside it, and the narrowest help window worth
// putting beside it rather than over it.
constexpr int HelpGap = 8;
constexpr int HelpMinimumWidth = 420;

QMargins marginsOf(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
            frame.bottom() - inside.bottom()};
}

bool isFrameless(const QWidget *window)
{
    const Qt::WindowType type = window->windowType();
    return window->windowFlags().testFlag(Qt::FramelessWindowHint) || type == Qt::Popup ||
           type == Qt::ToolTip || type == Qt::SplashScreen;
}

QScreen *screenOf(const QWidget *window)
{
    if (QScreen *screen = window->screen())
        return screen;
    return QGuiApplication::primaryScreen();
}

} // namespace

// ---------------------------------------------------------------- arithmetic

QPoint alertPosition(const QRect &area, const QSize &windowSize)
{
    const int freeWidth = qMax(0, area.width() - windowSize.width());
    const int freeHeight = qMax(0, area.height() - windowSize.height());
    const int x = area.x() + int(qFloor(freeWidth * 0.5));
    // The area's y grows downward here, so the three quarters below come after the window.
    const int below = int(qFloor(freeHeight * 0.75));
    return {x, area.y() + freeHeight - below};
}

QRect geometryForFrame(const QRect &frame, const QMargins &decoration)
{
    return frame.marginsRemoved(decoration);
}

QRect frameForGeometry(const QRect &geometry, const QMargins &decoration)
{
    return geometry.marginsAdded(decoration);
}

QRect clampedFrame(const QRect &frame, const QRect &area, const QSize &minimumSize)
{
    if (area.isEmpty())
        return frame;
    const QSize size = frame.size().boundedTo(area.size()).expandedTo(minimumSize);
    // The right and bottom edges first, then the left and top ones: when the frame is larger than
    // the area its top left corner wins.
    int x = qMin(frame.x(), area.x() + area.width() - size.width());
    int y = qMin(frame.y(), area.y() + area.height() - size.height());
    x = qMax(x, area.x());
    y = qMax(y, area.y());
    return {QPoint(x, y), size};
}

QRect defaultDocumentFrame(const QRect &area, const QSize &minimumSize)
{
    const QSize size = QSize(area.width() * 3 / 4, area.height() * 3 / 4).expandedTo(minimumSize);
    const QPoint centred(area.x() + (area.width() - size.width()) / 2,
                         area.y() + (area.height() - size.height()) / 2);
    return clampedFrame(QRect(centred, size), area, minimumSize);
}

QRect cascadedFrame(const QRect &frame, const QList<QPoint> &occupied, const QRect &area, int step)
{
    const int near = qMax(1, step / 2);
    auto isTaken = [&](const QPoint &corner) {
        for (const QPoint &other : occupied) {
            if (qAbs(other.x() - corner.x()) <= near && qAbs(other.y() - corner.y()) <= near)
                return true;
        }
        return false;
    };
    QRect result = frame;
    // Each try lands on a new corner or on one already counted, so this many tries visit them all.
    for (qsizetype tries = 0; tries <= occupied.size() && isTaken(result.topLeft()); ++tries) {
        const QRect next = result.translated(step, step);
        const bool leavesArea = next.x() + next.width() > area.x() + area.width() ||
                                next.y() + next.height() > area.y() + area.height();
        result = leavesArea ? QRect(area.topLeft(), result.size()) : next;
    }
    return result;
}

QRect helpFrame(const QRect &requester, const QSize &helpSize, const QRect &area)
{
    const QSize size = area.isEmpty() ? helpSize : helpSize.boundedTo(area.size());
    if (requester.isEmpty())
        return clampedFrame(QRect(alertPosition(area, size), size), area);
    const int rightRoom = area.x() + area.width() - (requester.x() + requester.width()) - HelpGap;
    const int leftRoom = requester.x() - HelpGap - area.x();
    const int rightX = requester.x() + requester.width() + HelpGap;
    QRect frame;
    if (rightRoom >= size.width())
        frame = QRect(QPoint(rightX, requester.y()), size);
    else if (leftRoom >= size.width())
        frame = QRect(QPoint(requester.x() - HelpGap - size.width(), requester.y()), size);
    else if (qMax(rightRoom, leftRoom) >= HelpMinimumWidth)
        // Narrower, but beside it rather than over it.
        frame = rightRoom >= leftRoom ? QRect(rightX, requester.y(), rightRoom, size.height())
                                      : QRect(area.x(), requester.y(), leftRoom, size.height());
    else
        frame = QRect(QPoint(requester.x() + (requester.width() - size.width()) / 2,
                             requester.y() + (requester.height() - size.height()) / 2),
                      size);
    return clampedFrame(frame, area);
}

// ---------------------------------------------------------------- windows

bool isDecorated(const QWidget *window)
{
    return window->isVisible() && window->frameGeometry() != window->geometry();
}

QMargins decorationMargins(const QWidget *window)
{
    if (isDecorated(window))
        return marginsOf(window);
    if (isFrameless(window))
        return {};
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (const QWidget *other : windows) {
        if (other != window && !isFrameless(other) && isDecorated(other))
            return marginsOf(other);
    }
    return {};
}

QRect availableArea(const QWidget *window)
{
    const QScreen *screen = screenOf(window);
    return screen ? screen->availableGeometry() : QRect();
}

QRect availableAreaHolding(const QRect &frame)
{
    QRect best;
    qint64 bestOverlap = 0;
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens) {
        const QRect overlap = screen->availableGeometry().intersected(frame);
        const qint64 size = qint64(overlap.width()) * overlap.height();
        if (!overlap.isEmpty() && size > bestOverlap) {
            bestOverlap = size;
            best = screen->availableGeometry();
        }
    }
    return best;
}

void setFrame(QWidget *window, const QRect &frame)
{
    window->resize(geometryForFrame(frame, decorationMargins(window)).size());
    // A top-level window moves by its frame: its title bar goes exactly there.
    window->move(frame.topLeft());
}

void whenDecorated(QWidget *window, const std::function<void()> &action)
{
    if (isDecorated(window) || isFrameless(window)) {
        action();
        return;
    }
    auto *poll = new QTimer(window);
    poll->setInterval(DecorationPollInterval);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, window, [window, poll, ticks, action] {
        if (!isDecorated(window) && ++*ticks < DecorationPollCount)
            return;
        poll->stop();
        poll->deleteLater();
        if (window->isVisible())
            action();
    });
    poll->start();
}

void clampToScreen(QWidget *window)
{
    const QRect area = availableArea(window);
    if (area.isEmpty())
        return;
    const QMargins decoration = decorationMargins(window);
    const QRect frame(window->pos(), window->size().grownBy(decoration));
    const QRect wanted = clampedFrame(frame, area, window->minimumSize().grownBy(decoration));
    if (wanted != frame)
        setFrame(window, wanted);
}

namespace {

void moveInto(QWidget *window, const QRect &area)
{
    // The frame is what the user sees as the window.
    window->move(alertPosition(area, window->size().grownBy(decorationMargins(window))));
}

} // namespace

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
