#pragma once

#include "LinkTabForm.h"

class CollectionManager;
namespace Ui {
class LinkDialog;
}

// The link editor's Site tab: the partner's site and the category of your links page it is in.
class LinkSiteForm : public LinkTabForm
{
public:
    LinkSiteForm(Ui::LinkDialog &ui, const CollectionManager *store);

    // Lists the database's categories, the first one chosen, and empties the texts.
    void reset() override;
    // The texts; the category is chosen by the editor, which knows the link's node.
    void load(const Link &link) override;
    void loadTexts(const LinkForm::Texts &texts) override;
    void storeTexts(LinkForm::Texts &texts) const override;
    void storeChoices(LinkForm::Choices &choices) const override;
    QWidget *fieldWidget(LinkForm::Field field) const override;
    QWidget *firstField() const override;

    // The category pop-up, by category index (tree order).
    void selectCategoryAtIndex(int categoryIndex);
    int indexOfSelectedCategory() const;

private:
    Ui::LinkDialog &m_ui;
    const CollectionManager *m_store;
};
