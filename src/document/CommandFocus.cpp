#include "CommandFocus.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

CommandFocus::CommandFocus(QWidget *window) : QObject(window), m_window(window)
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusChanged(now); });
}

bool CommandFocus::isMenu(const QWidget *widget)
{
    return qobject_cast<const QMenuBar *>(widget) || qobject_cast<const QMenu *>(widget);
}

void CommandFocus::focusChanged(QWidget *now)
{
    if (now && now->window() == m_window && !isMenu(now))
        m_lastView = now;
}

QWidget *CommandFocus::widget() const
{
    QWidget *focus = m_window->focusWidget();
    if (focus && !isMenu(focus))
        return focus;
    // The menu bar took the keyboard: the view it took it from, while it is still in the window.
    if (m_lastView && m_lastView->window() == m_window && m_lastView->isVisible())
        return m_lastView;
    return focus;
}
