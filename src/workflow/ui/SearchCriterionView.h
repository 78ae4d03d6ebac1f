#pragma once

#include "workflow/SearchCriterion.h"

#include <QWidget>
#include <memory>

class CollectionManager;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QToolButton;

namespace Ui {
class SearchCriterionView;
}

// One condition row of the search sheet: the field, the operation and a value control that fits
// the field's kind (a text field, a date field or a pop-up), with buttons that remove the row or
// add one below it. The row keeps its criterion and reads the controls back into it on request.
class SearchCriterionView : public QWidget
{
    Q_OBJECT

public:
    SearchCriterionView(const SearchCriterion &criterion, const CollectionManager *store,
                        QWidget *parent = nullptr);
    ~SearchCriterionView() override;

    // Shows the criterion in the controls (the first item where a stored code matches none).
    void updateFromSearchCriterion();
    // Reads the controls into the criterion: the value of the field's kind, the others cleared.
    void updateSearchCriterion();
    const SearchCriterion &searchCriterion() const { return m_criterion; }

    // The value control that takes the keyboard first: the text or date field, none for a pop-up.
    QWidget *firstKeyView() const;
    // The row's controls from left to right, as Tab visits them (hidden ones are skipped).
    QList<QWidget *> keyViews() const;
    // Numbers the row for screen readers ("Value of condition 2").
    void setRowNumber(int number);
    void setButtonsEnabled(bool canAdd, bool canRemove);

    QComboBox *objectPopup() const;
    QComboBox *operationPopup() const;
    QLineEdit *stringField() const;
    QDateEdit *dateField() const;
    QComboBox *itemPopup() const;
    QToolButton *addButton() const;
    QToolButton *removeButton() const;

signals:
    void addRequested(SearchCriterionView *row);
    void removeRequested(SearchCriterionView *row);
    // The shown controls changed, so the sheet's Tab order must be rebuilt.
    void keyViewsChanged();

private:
    void objectChanged();
    void operationChanged();
    void fillOperationPopup();
    void fillItemPopup();
    void showValueControl();
    int numberOfCategories() const;
    int selectedTag(const QComboBox *popup) const;
    void selectTag(QComboBox *popup, int tag);

    std::unique_ptr<Ui::SearchCriterionView> m_ui;
    SearchCriterion m_criterion;
    const CollectionManager *m_store;
};
