#pragma once

#include "DocumentCommandArea.h"

#include <QMetaObject>
#include <QPointer>

class QWidget;

// Cut, Copy, Paste and Select All of a document window. They act on the text field that has the
// keyboard focus; without one, Copy copies the selected links (title and address, one per line)
// and Select All selects every link of the list.
class EditCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit EditCommands(MyDocument *document);

    void validateMenuItems() override;

    // The selected links as text: one line per link, its title and its address separated by a tab.
    QString selectedLinksText() const;

public slots:
    void cut();
    void copy();
    void paste();
    void selectAll();

private:
    // The window's focused line or text editor, null when the focus is elsewhere.
    QWidget *focusedTextField() const;
    bool linkListHasFocus() const;
    void focusChanged(QWidget *now);

    QPointer<QWidget> m_watchedField;
    QList<QMetaObject::Connection> m_fieldConnections;
};
