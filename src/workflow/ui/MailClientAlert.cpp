#include "MailClientAlert.h"

#include "gui/MessageBox.h"
#include "workflow/EmailComposer.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>

namespace MailClientAlert {

void show(QWidget *parent)
{
    auto tr = [](const char *text) { return QCoreApplication::translate("MailClientAlert", text); };
    const int answer =
        MessageBox::alert(parent, tr("The message could not be handed to your mail client."),
                          tr("Check that an e-mail program is set up as the default mail application, or "
                             "copy the message and send it from your webmail."),
                          {tr("OK"), tr("Copy Message")}, MessageBox::Warning, 0);
    if (answer == 1)
        QGuiApplication::clipboard()->setText(EmailComposer::lastMessage().text());
}

} // namespace MailClientAlert
