#include "LinkSiteForm.h"

#include "model/CollectionManager.h"
#include "ui_LinkDialog.h"

using namespace LinkForm;

LinkSiteForm::LinkSiteForm(Ui::LinkDialog &ui, const CollectionManager *store) : m_ui(ui), m_store(store) {}

void LinkSiteForm::reset()
{
    QComboBox *popup = m_ui.categoryPopup;
    popup->clear();
    for (const TreeNode *node : m_store->categoryRoot()->children()) {
        const Category *category = node->category();
        popup->addItem(category ? category->nodeTitle() : QString());
    }
    if (popup->count() >= 2)
        popup->insertSeparator(1);
    popup->setCurrentIndex(0);
    LinkTabForm::reset();
}

void LinkSiteForm::load(const Link &link)
{
    Texts texts;
    texts.title = link.title();
    texts.description = link.description();
    texts.keywords = link.keywords();
    texts.URL = link.URL();
    texts.linksPageURL = link.counterpartURL();
    texts.myCategory = link.counterpartCategoryName();
    loadTexts(texts);
}

void LinkSiteForm::loadTexts(const Texts &texts)
{
    showText(m_ui.titleField, texts.title);
    showText(m_ui.descriptionField, texts.description);
    showText(m_ui.keywordsField, texts.keywords);
    showText(m_ui.URLField, texts.URL);
    showText(m_ui.linksPageURLField, texts.linksPageURL);
    showText(m_ui.myCategoryField, texts.myCategory);
}

void LinkSiteForm::storeTexts(Texts &texts) const
{
    texts.title = m_ui.titleField->text();
    texts.description = m_ui.descriptionField->toPlainText();
    texts.keywords = m_ui.keywordsField->text();
    texts.URL = m_ui.URLField->text();
    texts.linksPageURL = m_ui.linksPageURLField->text();
    texts.myCategory = m_ui.myCategoryField->text();
}

void LinkSiteForm::storeChoices(Choices &choices) const
{
    choices.categoryID = m_store->IDOfCategoryWithIndex(indexOfSelectedCategory());
}

QWidget *LinkSiteForm::fieldWidget(Field field) const
{
    switch (field) {
    case Title:
        return m_ui.titleField;
    case Description:
        return m_ui.descriptionField;
    case Keywords:
        return m_ui.keywordsField;
    case MainPageURL:
        return m_ui.URLField;
    case LinksPageURL:
        return m_ui.linksPageURLField;
    case MyCategory:
        return m_ui.myCategoryField;
    default:
        return nullptr;
    }
}

QWidget *LinkSiteForm::firstField() const
{
    return m_ui.titleField;
}

void LinkSiteForm::selectCategoryAtIndex(int categoryIndex)
{
    const int count = m_store->categoryRoot()->numberOfChildren();
    if (categoryIndex >= 0 && categoryIndex < count)
        m_ui.categoryPopup->setCurrentIndex(popupIndexOfCategory(categoryIndex, count));
}

int LinkSiteForm::indexOfSelectedCategory() const
{
    return categoryIndexOfPopupIndex(m_ui.categoryPopup->currentIndex(),
                                     m_store->categoryRoot()->numberOfChildren());
}
