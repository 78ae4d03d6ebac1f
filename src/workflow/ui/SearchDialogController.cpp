#include "SearchDialogController.h"

#include "SearchCriterionView.h"
#include "gui/HelpBook.h"
#include "gui/KeyOrder.h"
#include "gui/MessageBox.h"
#include "ui_SearchDialog.h"
#include "workflow/SearchForm.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

SearchDialogController::SearchDialogController(const CollectionManager *store, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SearchDialog>()), m_store(store)
{
    m_ui->setupUi(this);
    m_ui->bitwiseOpPopup->setAccessibleName(tr("Conditions to match"));
    // The header keeps its height whether the all/any pop-up shows or not, so every row added or
    // removed changes the sheet's height by the same step.
    m_ui->findSingular->setMinimumHeight(m_ui->bitwiseOpPopup->sizeHint().height());
    m_ui->rowsLayout->setContentsMargins(3, 6, 6, 8);
    findButton()->setText(tr("Find"));
    findButton()->setDefault(true);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &SearchDialogController::confirm);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &SearchDialogController::cancel);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &SearchDialogController::doHelp);
    connect(m_ui->buttonBox->button(QDialogButtonBox::Reset), &QPushButton::clicked, this,
            &SearchDialogController::reset);
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(qMax(620, minimumSizeHint().width()));
}

SearchDialogController::~SearchDialogController() = default;

QComboBox *SearchDialogController::bitwiseOpPopup() const
{
    return m_ui->bitwiseOpPopup;
}

QPushButton *SearchDialogController::findButton() const
{
    return m_ui->buttonBox->button(QDialogButtonBox::Ok);
}

void SearchDialogController::initializeWithSearchCriteria(
    const std::optional<QList<SearchCriterion>> &criteria, bool any)
{
    for (SearchCriterionView *row : std::as_const(m_searchCriteria)) {
        m_ui->rowsLayout->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    m_searchCriteria.clear();
    if (!criteria || criteria->isEmpty()) {
        addRow(SearchCriterion(), 0);
    } else {
        for (const SearchCriterion &criterion : *criteria)
            addRow(criterion, int(m_searchCriteria.size()));
    }
    sizeToRows();
    adjustButtons();
    m_ui->bitwiseOpPopup->setCurrentIndex(any ? 1 : 0);
    SearchCriterionView *first = m_searchCriteria.constFirst();
    QWidget *value = first->firstKeyView();
    (value ? value : first->objectPopup())->setFocus(Qt::OtherFocusReason);
    if (auto *field = qobject_cast<QLineEdit *>(value))
        field->selectAll();
}

void SearchDialogController::addRow(const SearchCriterion &criterion, int position)
{
    SearchCriterion copy = criterion;
    copy.setManager(m_store);
    auto *row = new SearchCriterionView(copy, m_store, m_ui->box);
    connect(row, &SearchCriterionView::addRequested, this, &SearchDialogController::add);
    connect(row, &SearchCriterionView::removeRequested, this, &SearchDialogController::remove);
    connect(row, &SearchCriterionView::keyViewsChanged, this, &SearchDialogController::adjustKeyChain);
    m_ui->rowsLayout->insertWidget(position, row);
    // Shown now, not when the event loop comes round, so the sheet can size itself to it.
    row->show();
    m_searchCriteria.insert(position, row);
}

void SearchDialogController::add(SearchCriterionView *after)
{
    const int index = int(m_searchCriteria.indexOf(after));
    if (index < 0 || !SearchForm::canAddRow(int(m_searchCriteria.size())))
        return;
    addRow(SearchCriterion(), index + 1);
    sizeToRows();
    adjustButtons();
    m_searchCriteria.at(index + 1)->stringField()->setFocus(Qt::OtherFocusReason);
}

void SearchDialogController::remove(SearchCriterionView *row)
{
    const int index = int(m_searchCriteria.indexOf(row));
    if (index < 0 || !SearchForm::canRemoveRow(int(m_searchCriteria.size())))
        return;
    const bool hadFocus = row->isAncestorOf(focusWidget());
    m_searchCriteria.removeAt(index);
    m_ui->rowsLayout->removeWidget(row);
    row->hide();
    // The row's own button is still delivering its click.
    row->deleteLater();
    sizeToRows();
    adjustButtons();
    if (hadFocus) {
        SearchCriterionView *neighbour = m_searchCriteria.at(qMin(index, int(m_searchCriteria.size()) - 1));
        QWidget *value = neighbour->firstKeyView();
        (value ? value : neighbour->objectPopup())->setFocus(Qt::OtherFocusReason);
    }
}

void SearchDialogController::reset()
{
    initializeWithSearchCriteria(std::nullopt, false);
}

void SearchDialogController::adjustButtons()
{
    const int count = int(m_searchCriteria.size());
    for (int i = 0; i < count; ++i) {
        SearchCriterionView *row = m_searchCriteria.at(i);
        row->setRowNumber(i + 1);
        row->setButtonsEnabled(SearchForm::canAddRow(count), SearchForm::canRemoveRow(count));
    }
    const bool combination = SearchForm::showsCombination(count);
    m_ui->findSingular->setVisible(!combination);
    m_ui->findPlural->setVisible(combination);
    m_ui->bitwiseOpPopup->setVisible(combination);
    m_ui->findPluralContinued->setVisible(combination);
    adjustKeyChain();
}

void SearchDialogController::adjustKeyChain()
{
    // Tab goes as the eye reads: the all/any choice, each row from left to right, then the buttons.
    QList<QWidget *> chain{m_ui->bitwiseOpPopup};
    for (SearchCriterionView *row : std::as_const(m_searchCriteria))
        chain += row->keyViews();
    chain += KeyOrder::buttonsOnScreen(m_ui->buttonBox);
    KeyOrder::chain(chain);
}

int SearchDialogController::heightForRows(int rows) const
{
    const int current = int(m_searchCriteria.size());
    const int step = m_searchCriteria.isEmpty()
                         ? 0
                         : m_searchCriteria.constFirst()->height() + m_ui->rowsLayout->spacing();
    return sizeHint().height() + (rows - current) * step;
}

void SearchDialogController::sizeToRows()
{
    // The sheet's layout keeps the box's last size until told: measure with the rows as they are.
    m_ui->rowsLayout->invalidate();
    m_ui->box->updateGeometry();
    layout()->activate();
    const int height = sizeHint().height();
    setMinimumHeight(height);
    setMaximumHeight(height);
    resize(width(), height);
}

QList<SearchCriterion> SearchDialogController::searchCriteria() const
{
    QList<SearchCriterion> criteria;
    for (const SearchCriterionView *row : m_searchCriteria) {
        SearchCriterion copy = row->searchCriterion();
        copy.setManager(m_store);
        criteria.append(copy);
    }
    return criteria;
}

bool SearchDialogController::any() const
{
    return m_ui->bitwiseOpPopup->currentIndex() != 0;
}

void SearchDialogController::confirm()
{
    for (SearchCriterionView *row : std::as_const(m_searchCriteria))
        row->updateSearchCriterion();
    const SearchForm::CheckResult check = SearchForm::check(searchCriteria(), any());
    if (!check.passed) {
        MessageBox::alert(this, check.title, check.message);
        SearchCriterionView *row = m_searchCriteria.value(check.row, m_searchCriteria.constFirst());
        QWidget *value = row->firstKeyView();
        (value ? value : row->objectPopup())->setFocus(Qt::OtherFocusReason);
        return;
    }
    done(QDialog::Accepted);
}

void SearchDialogController::cancel()
{
    done(QDialog::Rejected);
}

void SearchDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshSearch"), this);
}
