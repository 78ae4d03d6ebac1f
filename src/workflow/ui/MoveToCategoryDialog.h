#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QListWidget;

// "Move to Category": lists the categories by name for the selected links to go to. The category the
// links are in (when they share one) is shown but cannot be chosen; OK stays off until another is.
class MoveToCategoryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MoveToCategoryDialog(QWidget *parent);

    // The categories by name, in the store's order; `currentIndex` is the one the links are all in, or -1.
    void setCategories(const QStringList &names, int currentIndex, int linkCount);
    // The index of the chosen category, -1 while there is none.
    int chosenIndex() const;
    void chooseIndex(int index);

    QListWidget *listView() const { return m_listView; }
    QLabel *promptLabel() const { return m_promptLabel; }
    void confirm();

private:
    void updateButtons();

    QLabel *m_promptLabel;
    QListWidget *m_listView;
    QDialogButtonBox *m_buttons;
};
