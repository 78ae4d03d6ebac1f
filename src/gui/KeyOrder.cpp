#include "KeyOrder.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLayout>

namespace KeyOrder {

void chain(const QList<QWidget *> &widgets)
{
    for (qsizetype i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets.at(i - 1), widgets.at(i));
}

QList<QWidget *> buttonsOnScreen(const QDialogButtonBox *box)
{
    QList<QWidget *> buttons;
    const QLayout *layout = box->layout();
    for (int i = 0; layout && i < layout->count(); ++i) {
        if (auto *button = qobject_cast<QAbstractButton *>(layout->itemAt(i)->widget()))
            buttons.append(button);
    }
    // A vertical box, or one laid out by its style without a box layout.
    if (buttons.size() != box->buttons().size()) {
        buttons.clear();
        for (QAbstractButton *button : box->buttons())
            buttons.append(button);
    }
    return buttons;
}

} // namespace KeyOrder
