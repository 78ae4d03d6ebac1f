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
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>

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
        QWidget *parent = widget->parentWidget();
        // The headers and corner button of a table, and the scroll bars of a text view or an item
        // view, belong to their view.
        const bool partOfAView = qobject_cast<QAbstractItemView *>(parent) ||
                                 (qobject_cast<QAbstractSlider *>(widget) && parent &&
                                  qobject_cast<QAbstractScrollArea *>(parent->parentWidget()));
        if (isInput(widget) && widget->window() == root->window() && !partOfAView &&
            !widget->objectName().startsWith(QLatin1String("qt_")) && accessibleName(widget).isEmpty())
            unnamed.append(QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ') +
                           widget->objectName());
    }
    return unnamed;
}

// The letter after a single "&" of a text, or a null QChar.
inline QChar mnemonic(const QString &text)
{
    const QString plain = QString(text).remove(QLatin1String("&&"));
    const qsizetype at = plain.indexOf(u'&');
    return at >= 0 && at + 1 < plain.size() ? plain.at(at + 1).toLower() : QChar();
}

inline bool hiddenOnPurpose(const QWidget *widget)
{
    return widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

// The page that holds the widget: a page of a tab view or stack, or a part the window shows in turn
// with others (a step of an assistant); `root` outside every page.
inline QWidget *pageOf(QWidget *widget, QWidget *root)
{
    for (QWidget *w = widget->parentWidget(); w && w != root; w = w->parentWidget()) {
        if (qobject_cast<QStackedWidget *>(w->parentWidget()) || hiddenOnPurpose(w))
            return w;
    }
    return root;
}

// "'x': A and B" for every keyboard mnemonic that two parts of a window shown at the same time
// share: labels, buttons, group boxes and the tabs of tab views.
inline QStringList mnemonicClashes(QWidget *root)
{
    struct Owner
    {
        QChar letter;
        QString text;
        QWidget *page;
    };
    QList<Owner> owners;
    auto note = [&](const QString &text, QWidget *page) {
        if (const QChar letter = mnemonic(text); !letter.isNull())
            owners.append({letter, text, page});
    };
    const QList<QWidget *> widgets = root->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        // A widget hidden on purpose has no working mnemonic; the pages of a stack are told apart below.
        if (widget->window() != root->window() || hiddenOnPurpose(widget))
            continue;
        QWidget *page = pageOf(widget, root);
        if (auto *label = qobject_cast<QLabel *>(widget); label && label->buddy())
            note(label->text(), page);
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            note(button->text(), page);
        else if (auto *group = qobject_cast<QGroupBox *>(widget))
            note(group->title(), page);
        else if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                note(tabs->tabText(i), page);
        }
    }
    QStringList clashes;
    for (qsizetype i = 0; i < owners.size(); ++i) {
        for (qsizetype j = i + 1; j < owners.size(); ++j) {
            const Owner &a = owners.at(i);
            const Owner &b = owners.at(j);
            // Widgets of two pages are never shown together.
            if (a.letter == b.letter &&
                (a.page->isAncestorOf(b.page) || b.page->isAncestorOf(a.page) || a.page == b.page))
                clashes.append(QStringLiteral("'%1': %2 and %3").arg(a.letter, a.text, b.text));
        }
    }
    return clashes;
}

} // namespace AccessibilityCheck
