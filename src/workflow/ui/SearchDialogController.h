#pragma once

#include "workflow/SearchCriterion.h"

#include <QDialog>
#include <QList>
#include <functional>
#include <memory>
#include <optional>

class CollectionManager;
class QComboBox;
class QPushButton;
class SearchCriterionView;

namespace Ui {
class SearchDialog;
}

// The search sheet of a document window: one to ten condition rows combined by all or any. Shown
// window-modal with open(); it ends with 1 when the user confirmed conditions that can match, which
// searchCriteria() and any() then hold.
class SearchDialogController : public QDialog
{
    Q_OBJECT

public:
    explicit SearchDialogController(const CollectionManager *store, QWidget *parent);
    ~SearchDialogController() override;

    // One row for each given criterion (one empty title row without any), all or any as given, the
    // keyboard in the first row's value.
    void initializeWithSearchCriteria(const std::optional<QList<SearchCriterion>> &criteria, bool any);

    // Asked when the user confirms conditions that can match: false keeps the sheet open with the
    // "not found" alert, so the conditions can be changed.
    using MatchTest = std::function<bool(const QList<SearchCriterion> &criteria, bool any)>;
    void setMatchTest(MatchTest test) { m_matchTest = std::move(test); }

    // Copies of the rows' criteria as last read.
    QList<SearchCriterion> searchCriteria() const;
    bool any() const;

    const QList<SearchCriterionView *> &rows() const { return m_searchCriteria; }
    QComboBox *bitwiseOpPopup() const;
    QPushButton *findButton() const;
    // The height the sheet takes with `rows` rows.
    int heightForRows(int rows) const;

public slots:
    void add(SearchCriterionView *after);
    void remove(SearchCriterionView *row);
    void reset();
    void confirm();
    void cancel();

private:
    void addRow(const SearchCriterion &criterion, int position);
    void adjustButtons();
    void adjustKeyChain();
    void sizeToRows();
    void doHelp();

    std::unique_ptr<Ui::SearchDialog> m_ui;
    const CollectionManager *m_store;
    QList<SearchCriterionView *> m_searchCriteria;
    MatchTest m_matchTest;
    int m_baseHeight = 0; // the sheet's height with one row
    int m_rowStep = 0;    // what each further row adds
};
