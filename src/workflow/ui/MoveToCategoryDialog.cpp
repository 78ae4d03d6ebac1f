#include "MoveToCategoryDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

MoveToCategoryDialog::MoveToCategoryDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Move to Category"));
    setWindowModality(Qt::WindowModal);
    m_promptLabel = new QLabel(this);
    m_listView = new QListWidget(this);
    m_listView->setObjectName(QStringLiteral("categoryList"));
    m_listView->setMinimumSize(fontMetrics().averageCharWidth() * 36, fontMetrics().lineSpacing() * 10);
    m_promptLabel->setBuddy(m_listView);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton *move = m_buttons->addButton(tr("&Move"), QDialogButtonBox::AcceptRole);
    move->setDefault(true);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_listView, &QListWidget::currentRowChanged, this, &MoveToCategoryDialog::updateButtons);
    connect(m_listView, &QListWidget::itemActivated, this, [this] {
        if (chosenIndex() >= 0)
            accept();
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_promptLabel);
    layout->addWidget(m_listView, 1);
    layout->addWidget(m_buttons);
}

void MoveToCategoryDialog::setCategories(const QStringList &names, int currentIndex, int linkCount)
{
    m_promptLabel->setText(tr("Move the %n selected link(s) &to:", nullptr, linkCount));
    m_listView->clear();
    for (int i = 0; i < names.size(); ++i) {
        auto *item = new QListWidgetItem(names[i], m_listView);
        // Where the links are already: moving there would change nothing.
        if (i == currentIndex)
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
    }
    chooseIndex(-1);
    m_listView->setFocus(Qt::OtherFocusReason);
}

int MoveToCategoryDialog::chosenIndex() const
{
    const QListWidgetItem *item = m_listView->currentItem();
    return item && (item->flags() & Qt::ItemIsEnabled) && item->isSelected() ? m_listView->row(item) : -1;
}

void MoveToCategoryDialog::chooseIndex(int index)
{
    m_listView->setCurrentRow(index);
    updateButtons();
}

void MoveToCategoryDialog::updateButtons()
{
    for (QAbstractButton *button : m_buttons->buttons()) {
        if (m_buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
            button->setEnabled(chosenIndex() >= 0);
    }
}

void MoveToCategoryDialog::confirm()
{
    if (chosenIndex() >= 0)
        accept();
}
