#pragma once

// What a screen reader could not name in a window: every input (text field, text view, pop-up,
// stepper, list or table) needs an accessible name, given directly or through a buddy label, and
// every button a text or an accessible name. Hidden widgets (other pages of a wizard, tabs not
// shown) count too: they are shown later.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextEdit>
#include <QWidget>

namespace AccessibilityCheck {

inline QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
}

inline bool isInput(QWidget *widget)
{
    // A pop-up's own line edit and a spin box's editor are named through their owner.
    if (qobject_cast<QLineEdit *>(widget))
        return !qobject_cast<QComboBox *>(widget->parentWidget()) &&
               !qobject_cast<QAbstractSpinBox *>(widget->parentWidget());
    return qobject_cast<QTextEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget) ||
           qobject_cast<QComboBox *>(widget) || qobject_cast<QAbstractSpinBox *>(widget) ||
           qobject_cast<QAbstractItemView *>(widget) || qobject_cast<QAbstractSlider *>(widget) ||
           qobject_cast<QAbstractButton *>(widget);
}

// "ClassName objectName" of every input below `root` that has no accessible name.
inline QStringList unnamedInputs(QWidget *root)
{
    QStringList unnamed;
    const QList<QWidget *> widgets = root->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!isInput(widget) || widget->window() != root->window())
            continue;
        // The headers and corner button of a table, and the scroll bars of a text view or an item
        // view, belong to their view.
        if (qobject_cast<QAbstractItemView *>(widget->parentWidget()))
            continue;
        if (qobject_cast<QAbstractSlider *>(widget) && widget->parentWidget() &&
            qobject_cast<QAbstractScrollArea *>(widget->parentWidget()->parentWidget()))
            continue;
        if (widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (accessibleName(widget).isEmpty())
            unnamed.append(QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ') +
                           widget->objectName());
    }
    return unnamed;
}

} // namespace AccessibilityCheck
