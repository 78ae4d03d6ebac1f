#pragma once

#include <QObject>

// Keeps every window of the application inside the available area of its screen: when a window is
// shown it is made no larger than that area, and once the window manager has decorated it, its
// frame is moved (and if need be shrunk) into the area. Document windows place themselves and are
// left alone. Installed on the application by the application controller.
class ScreenClamp : public QObject
{
    Q_OBJECT

public:
    explicit ScreenClamp(QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
