#include "MailClientAlert.h"

#include "gui/MessageBox.h"
#include "model/UrlOpener.h"
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
    // What failed first (no mail program, or one that would not start), then what to do.
    QString message = UrlOpener::instance().errorString();
    if (!message.isEmpty())
        message += u' ';
    message += Tr::tr("Check that an e-mail program is set up as the default mail application, or "
                      "copy the message and send it from your webmail.");
    const int answer =
        MessageBox::alert(parent, Tr::tr("The message could not be handed to your mail client."), message,
                          {Tr::tr("OK"), Tr::tr("Copy Message")}, MessageBox::Warning, 0);
    if (answer == 1)
        QGuiApplication::clipboard()->setText(EmailComposer::lastMessage().text());
}

} // namespace MailClientAlert
