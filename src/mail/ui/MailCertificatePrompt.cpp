#include "MailCertificatePrompt.h"

#include "gui/MessageBox.h"

bool MailCertificatePrompt::accept(QWidget *parent, MailServer &server, const QString &fingerprint,
                                   const QString &reason)
{
    if (fingerprint.isEmpty())
        return false; // nothing to pin: the connection never got as far as the certificate
    QString message = reason;
    if (!message.contains(fingerprint))
        message += QLatin1Char('\n') + tr("SHA-256 fingerprint: %1").arg(fingerprint);
    const int answer = MessageBox::alert(
        parent, tr("Accept this server's certificate?"),
        tr("%1\n\nAccept it only when you know it is your server's: Quillmarsh then trusts this "
           "certificate, and no other, for %2.")
            .arg(message, server.host),
        {tr("Cancel"), tr("Accept Certificate")}, MessageBox::Warning, 0);
    if (answer != 1)
        return false;
    server.acceptedCertificate = fingerprint;
    MailAccount::keepAcceptedCertificate(server);
    return true;
}
