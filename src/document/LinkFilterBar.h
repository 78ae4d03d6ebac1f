#pragma once

#include "workflow/LinkView.h"

#include <QWidget>

class LinkListFilter;
class QLineEdit;
class QSpinBox;
class QTabBar;
class QTimer;

// The bar over the link list: a field that filters as you type and a row of ready views, each with
// the number of the category's links it lists, and the days of "Not Checked" beside them.
class LinkFilterBar : public QWidget
{
    Q_OBJECT

public:
    explicit LinkFilterBar(LinkListFilter *filter, QWidget *parent = nullptr);

    QLineEdit *field() const { return m_field; }
    QTabBar *viewBar() const { return m_viewBar; }
    QSpinBox *daysField() const { return m_daysField; }

    // Moves the keyboard to the field, its text selected.
    void focusField();
    // Empties the field and chooses "All".
    void clear();
    // Counts the views again soon; several calls in a row count once.
    void scheduleCountUpdate();
    // Counts them now.
    void updateCounts();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void viewChosen(int index);
    void daysChanged(int days);

    LinkListFilter *m_filter;
    QLineEdit *m_field;
    QTabBar *m_viewBar;
    QSpinBox *m_daysField;
    QTimer *m_countTimer;
};
