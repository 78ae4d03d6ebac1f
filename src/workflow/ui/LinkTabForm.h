#pragma once

#include "workflow/LinkForm.h"

class Link;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// One tab of the link editor: fills its controls from a link and gives back what they hold. The
// editor composes its tabs and keeps the working link.
class LinkTabForm
{
public:
    virtual ~LinkTabForm() = default;

    // As a new link starts.
    virtual void reset() { loadTexts(LinkForm::Texts()); }
    // From a link: the stored one when the editor opens on it, the working one for the reminders.
    virtual void load(const Link &link) = 0;
    virtual void loadTexts(const LinkForm::Texts &texts) { (void)texts; }
    virtual void storeTexts(LinkForm::Texts &texts) const { (void)texts; }
    virtual void storeChoices(LinkForm::Choices &choices) const { (void)choices; }
    // The control of the field when it sits on this tab, else null.
    virtual QWidget *fieldWidget(LinkForm::Field field) const
    {
        (void)field;
        return nullptr;
    }
    // Where the focus goes when the tab is shown.
    virtual QWidget *firstField() const = 0;

protected:
    // A long address shows its beginning, as it is read; an unchanged text keeps its cursor.
    static void showText(QLineEdit *field, const QString &text);
    static void showText(QPlainTextEdit *field, const QString &text);
};
