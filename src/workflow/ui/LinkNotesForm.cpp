#include "LinkNotesForm.h"

#include "model/Link.h"
#include "ui_LinkDialog.h"

LinkNotesForm::LinkNotesForm(Ui::LinkDialog &ui) : m_ui(ui) {}

void LinkNotesForm::load(const Link &link)
{
    showText(m_ui.notesField, link.notes());
}

void LinkNotesForm::loadTexts(const LinkForm::Texts &texts)
{
    showText(m_ui.notesField, texts.notes);
}

void LinkNotesForm::storeTexts(LinkForm::Texts &texts) const
{
    texts.notes = m_ui.notesField->toPlainText();
}

QWidget *LinkNotesForm::fieldWidget(LinkForm::Field field) const
{
    return field == LinkForm::Notes ? m_ui.notesField : nullptr;
}

QWidget *LinkNotesForm::firstField() const
{
    return m_ui.notesField;
}
