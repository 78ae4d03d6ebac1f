#include "LinkTabForm.h"

#include <QLineEdit>
#include <QPlainTextEdit>

void LinkTabForm::showText(QLineEdit *field, const QString &text)
{
    if (field->text() != text) {
        field->setText(text);
        field->setCursorPosition(0);
    }
}

void LinkTabForm::showText(QPlainTextEdit *field, const QString &text)
{
    if (field->toPlainText() != text)
        field->setPlainText(text);
}
