#pragma once

#include "LinkTabForm.h"

namespace Ui {
class LinkDialog;
}

// The link editor's Notes tab: the private notes, never published.
class LinkNotesForm : public LinkTabForm
{
public:
    explicit LinkNotesForm(Ui::LinkDialog &ui);

    void load(const Link &link) override;
    void loadTexts(const LinkForm::Texts &texts) override;
    void storeTexts(LinkForm::Texts &texts) const override;
    QWidget *fieldWidget(LinkForm::Field field) const override;
    QWidget *firstField() const override;

private:
    Ui::LinkDialog &m_ui;
};
