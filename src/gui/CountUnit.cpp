#include "CountUnit.h"

#include <QLabel>
#include <QSpinBox>

namespace CountUnit {

void follow(QSpinBox *box, const std::function<QString(int)> &text)
{
    const auto update = [box, text](int value) {
        const QString words = text(value);
        const QString number = QString::number(value);
        const qsizetype at = words.indexOf(number);
        if (at < 0) {
            box->setSuffix(u' ' + words);
            return;
        }
        box->setPrefix(words.left(at));
        box->setSuffix(words.mid(at + number.size()));
    };
    QObject::connect(box, &QSpinBox::valueChanged, box, update);
    update(box->value());
}

void follow(QSpinBox *box, QLabel *label, const std::function<QString(int)> &text)
{
    const auto update = [label, text](int value) { label->setText(text(value)); };
    QObject::connect(box, &QSpinBox::valueChanged, label, update);
    update(box->value());
}

} // namespace CountUnit
