#include "SearchCriterionView.h"

#include "gui/DocumentImages.h"
#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "ui_SearchCriterionView.h"
#include "workflow/SearchForm.h"

#include <QSignalBlocker>

SearchCriterionView::SearchCriterionView(const SearchCriterion &criterion, const CollectionManager *store,
                                         QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::SearchCriterionView>()), m_criterion(criterion),
      m_store(store)
{
    m_ui->setupUi(this);
    for (const SearchForm::Item &item : SearchForm::objectItems())
        m_ui->objectPopup->addItem(item.title, item.tag);
    m_ui->removeButton->setToolTip(tr("Remove this condition"));
    m_ui->addButton->setToolTip(tr("Add a condition below this one"));
    // Every row is as high as its tallest control, whichever value control shows.
    int height = 0;
    for (QWidget *control :
         {static_cast<QWidget *>(m_ui->objectPopup), static_cast<QWidget *>(m_ui->stringField),
          static_cast<QWidget *>(m_ui->dateField), static_cast<QWidget *>(m_ui->removeButton)})
        height = qMax(height, control->sizeHint().height());
    setFixedHeight(height);

    connect(m_ui->objectPopup, &QComboBox::activated, this, &SearchCriterionView::objectChanged);
    connect(m_ui->operationPopup, &QComboBox::activated, this, &SearchCriterionView::operationChanged);
    connect(m_ui->addButton, &QToolButton::clicked, this, [this] { emit addRequested(this); });
    connect(m_ui->removeButton, &QToolButton::clicked, this, [this] { emit removeRequested(this); });
    updateFromSearchCriterion();
}

SearchCriterionView::~SearchCriterionView() = default;

QComboBox *SearchCriterionView::objectPopup() const
{
    return m_ui->objectPopup;
}

QComboBox *SearchCriterionView::operationPopup() const
{
    return m_ui->operationPopup;
}

QLineEdit *SearchCriterionView::stringField() const
{
    return m_ui->stringField;
}

QDateEdit *SearchCriterionView::dateField() const
{
    return m_ui->dateField;
}

QComboBox *SearchCriterionView::itemPopup() const
{
    return m_ui->itemPopup;
}

QToolButton *SearchCriterionView::addButton() const
{
    return m_ui->addButton;
}

QToolButton *SearchCriterionView::removeButton() const
{
    return m_ui->removeButton;
}

int SearchCriterionView::selectedTag(const QComboBox *popup) const
{
    return popup->currentData().toInt();
}

void SearchCriterionView::selectTag(QComboBox *popup, int tag)
{
    const int index = popup->findData(tag);
    popup->setCurrentIndex(index >= 0 ? index : 0);
}

int SearchCriterionView::numberOfCategories() const
{
    return m_store ? int(m_store->categoryRoot()->children().size()) : 0;
}

void SearchCriterionView::fillOperationPopup()
{
    const QSignalBlocker blocker(m_ui->operationPopup);
    m_ui->operationPopup->clear();
    for (const SearchForm::Item &item : SearchForm::operationItems(m_criterion.kind()))
        m_ui->operationPopup->addItem(item.title, item.tag);
}

void SearchCriterionView::fillItemPopup()
{
    QComboBox *popup = m_ui->itemPopup;
    const QSignalBlocker blocker(popup);
    popup->clear();
    switch (m_criterion.object()) {
    case SearchCriterion::Status:
        for (const SearchForm::Item &item : SearchForm::statusItems())
            popup->addItem(DocumentImages::icon(item.image), item.title, item.tag);
        break;
    case SearchCriterion::Type:
        for (const SearchForm::Item &item : SearchForm::typeItems())
            popup->addItem(item.title, item.tag);
        break;
    case SearchCriterion::VerificationResultObject:
        for (const SearchForm::Item &item : SearchForm::resultItems())
            popup->addItem(item.title, item.tag);
        break;
    case SearchCriterion::Followed:
        for (const SearchForm::Item &item : SearchForm::followedItems())
            popup->addItem(item.title, item.tag);
        break;
    case SearchCriterion::CategoryObject:
        if (m_store) {
            const auto &categories = m_store->categoryRoot()->children();
            for (size_t i = 0; i < categories.size(); ++i) {
                const Category *category = categories[i]->category();
                popup->addItem(category ? category->nodeTitle() : QString(), int(i));
                // The default category stands apart from the user's own.
                if (i == 0 && categories.size() >= 2)
                    popup->insertSeparator(1);
            }
        }
        break;
    default:
        break;
    }
}

void SearchCriterionView::showValueControl()
{
    const SearchCriterion::Kind kind = m_criterion.kind();
    m_ui->stringField->setVisible(kind == SearchCriterion::TextKind);
    m_ui->dateField->setVisible(kind == SearchCriterion::DateKind);
    m_ui->itemPopup->setVisible(kind == SearchCriterion::ChoiceKind);
}

void SearchCriterionView::updateFromSearchCriterion()
{
    selectTag(m_ui->objectPopup, m_criterion.object());
    m_criterion.setObject(selectedTag(m_ui->objectPopup));
    fillOperationPopup();
    selectTag(m_ui->operationPopup, m_criterion.operation());
    fillItemPopup();
    switch (m_criterion.kind()) {
    case SearchCriterion::TextKind:
        m_ui->stringField->setText(m_criterion.stringValue());
        break;
    case SearchCriterion::DateKind:
        m_ui->dateField->setDate(m_criterion.dateValue().isValid() ? m_criterion.dateValue()
                                                                   : Clock::today());
        break;
    case SearchCriterion::ChoiceKind:
        if (m_criterion.object() == SearchCriterion::CategoryObject) {
            const int index =
                SearchCriterion::popupIndexOfCategoryWithIndex(m_criterion.intValue(), numberOfCategories());
            // A category deleted since the search was made: its index may name none now.
            const bool shown = m_criterion.intValue() >= 0 && index < m_ui->itemPopup->count();
            m_ui->itemPopup->setCurrentIndex(shown ? index : 0);
        } else {
            selectTag(m_ui->itemPopup, m_criterion.intValue());
        }
        break;
    }
    showValueControl();
}

void SearchCriterionView::updateSearchCriterion()
{
    m_criterion.setObject(selectedTag(m_ui->objectPopup));
    m_criterion.setOperation(selectedTag(m_ui->operationPopup));
    m_criterion.setStringValue(QStringLiteral(""));
    m_criterion.setDateValue(Clock::today());
    m_criterion.setIntValue(0);
    switch (m_criterion.kind()) {
    case SearchCriterion::TextKind:
        m_criterion.setStringValue(m_ui->stringField->text());
        break;
    case SearchCriterion::DateKind:
        if (!m_ui->dateField->date().isValid())
            m_ui->dateField->setDate(Clock::today());
        m_criterion.setDateValue(m_ui->dateField->date());
        break;
    case SearchCriterion::ChoiceKind:
        if (m_criterion.object() == SearchCriterion::CategoryObject) {
            m_criterion.setIntValue(SearchCriterion::indexOfSelectedCategoryInPopup(
                m_ui->itemPopup->currentIndex(), numberOfCategories()));
        } else {
            m_criterion.setIntValue(selectedTag(m_ui->itemPopup));
        }
        break;
    }
}

void SearchCriterionView::objectChanged()
{
    m_criterion.setObject(selectedTag(m_ui->objectPopup));
    fillOperationPopup();
    m_criterion.setOperation(selectedTag(m_ui->operationPopup));
    // A fresh value of the new kind.
    m_ui->stringField->clear();
    m_ui->dateField->setDate(Clock::today());
    fillItemPopup();
    m_ui->itemPopup->setCurrentIndex(0);
    showValueControl();
    if (QWidget *value = firstKeyView())
        value->setFocus(Qt::OtherFocusReason);
    emit keyViewsChanged();
}

void SearchCriterionView::operationChanged()
{
    m_criterion.setOperation(selectedTag(m_ui->operationPopup));
    emit keyViewsChanged();
}

QWidget *SearchCriterionView::firstKeyView() const
{
    switch (m_criterion.kind()) {
    case SearchCriterion::TextKind:
        return m_ui->stringField;
    case SearchCriterion::DateKind:
        return m_ui->dateField;
    case SearchCriterion::ChoiceKind:
        break;
    }
    return nullptr;
}

QList<QWidget *> SearchCriterionView::keyViews() const
{
    return {m_ui->objectPopup, m_ui->operationPopup, m_ui->stringField, m_ui->dateField,
            m_ui->itemPopup,   m_ui->removeButton,   m_ui->addButton};
}

void SearchCriterionView::setRowNumber(int number)
{
    m_ui->objectPopup->setAccessibleName(tr("Field of condition %1").arg(number));
    m_ui->operationPopup->setAccessibleName(tr("Operation of condition %1").arg(number));
    for (QWidget *value : {static_cast<QWidget *>(m_ui->stringField), static_cast<QWidget *>(m_ui->dateField),
                           static_cast<QWidget *>(m_ui->itemPopup)})
        value->setAccessibleName(tr("Value of condition %1").arg(number));
    m_ui->removeButton->setAccessibleName(tr("Remove condition %1").arg(number));
    m_ui->addButton->setAccessibleName(tr("Add a condition below condition %1").arg(number));
}

void SearchCriterionView::setButtonsEnabled(bool canAdd, bool canRemove)
{
    m_ui->addButton->setEnabled(canAdd);
    m_ui->removeButton->setEnabled(canRemove);
}
