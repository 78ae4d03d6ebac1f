#include "MailClientAlert.h"

#include "gui/MessageBox.h"
#include "workflow/EmailComposer.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>

namespace MailClientAlert {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(MailClientAlert)
};
} // namespace

void show(QWidget *parent)
{
    const int answer =
        MessageBox::alert(parent, Tr::tr("The message could not be handed to your mail client."),
                          Tr::tr("Check that an e-mail program is set up as the default mail application, or "
                                 "copy the message and send it from your webmail."),
                          {Tr::tr("OK"), Tr::tr("Copy Message")}, MessageBox::Warning, 0);
    if (answer == 1)
        QGuiApplication::clipboard()->setText(EmailComposer::lastMessage().text());
}

} // namespace MailClientAlert
