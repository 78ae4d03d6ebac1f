#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// The view of a window that the window's commands act on. While the menu bar holds the keyboard
// (Alt, F10 or a menu's mnemonic) it is the view that had the focus before, so a menu opened from
// the keyboard offers what the same menu opened with the mouse offers.
class CommandFocus : public QObject
{
    Q_OBJECT

public:
    explicit CommandFocus(QWidget *window);

    QWidget *widget() const;

private:
    void focusChanged(QWidget *now);
    static bool isMenu(const QWidget *widget);

    QWidget *m_window;
    QPointer<QWidget> m_lastView;
};
