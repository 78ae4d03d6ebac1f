#include "MessageBox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

bool s_scripted = false;
QList<int> s_answers;
QList<MessageBox::Shown> s_shown;

QMessageBox::Icon iconFor(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Information:
        return QMessageBox::Information;
    case MessageBox::Critical:
        return QMessageBox::Critical;
    case MessageBox::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::Warning;
    }
}

} // namespace

int MessageBox::alert(QWidget *parent, const QString &title, const QString &message,
                      const QStringList &buttons, Icon icon, int escapeIndex)
{
    const QStringList titles =
        buttons.isEmpty() ? QStringList{QCoreApplication::translate("MessageBox", "OK")} : buttons;
    s_shown.append({title, message, titles});
    if (s_scripted) {
        const int answer = s_answers.isEmpty() ? 0 : s_answers.takeFirst();
        return qBound(0, answer, int(titles.size()) - 1);
    }

    QMessageBox box(parent);
    box.setIcon(iconFor(icon));
    box.setText(title);
    box.setInformativeText(message);
    box.setWindowTitle(QCoreApplication::applicationName());
    if (parent)
        box.setWindowModality(Qt::WindowModal);
    QList<QAbstractButton *> made;
    for (int i = 0; i < titles.size(); ++i) {
        const QMessageBox::ButtonRole role =
            i == 0 ? QMessageBox::AcceptRole
                   : (i == titles.size() - 1 ? QMessageBox::RejectRole : QMessageBox::DestructiveRole);
        made.append(box.addButton(titles.at(i), role));
    }
    box.setDefaultButton(qobject_cast<QPushButton *>(made.first()));
    const int escape = escapeIndex >= 0 && escapeIndex < made.size() ? escapeIndex : int(made.size()) - 1;
    box.setEscapeButton(made.at(escape));
    box.exec();
    const int index = int(made.indexOf(box.clickedButton()));
    return index < 0 ? escape : index;
}

bool MessageBox::askTrim(QWidget *parent, const QString &fieldName, int maxLength)
{
    const int answer = alert(
        parent,
        QCoreApplication::translate("MessageBox", "The %1 field contains too many characters.")
            .arg(fieldName),
        QCoreApplication::translate("MessageBox", "This field can only contain up to %1 characters.")
            .arg(maxLength),
        {QCoreApplication::translate("MessageBox", "OK"), QCoreApplication::translate("MessageBox", "Trim")},
        Warning, 0);
    return answer == 1;
}

bool MessageBox::askKeep(QWidget *parent, const QString &title, const QString &message)
{
    const int answer = alert(parent, title, message,
                             {QCoreApplication::translate("MessageBox", "&Correct"),
                              QCoreApplication::translate("MessageBox", "&Keep")},
                             Warning, 0);
    return answer == 1;
}

void MessageBox::setScripted(bool scripted)
{
    s_scripted = scripted;
}

bool MessageBox::isScripted()
{
    return s_scripted;
}

void MessageBox::setNextAnswer(int buttonIndex)
{
    s_answers.append(buttonIndex);
}

const QList<MessageBox::Shown> &MessageBox::shownAlerts()
{
    return s_shown;
}

void MessageBox::clearShownAlerts()
{
    s_shown.clear();
    s_answers.clear();
}
