#pragma once

#include "mail/MailAccount.h"

#include <QCoreApplication>

class QWidget;

// A server's certificate that does not verify, for a window that sends: the user is told why, with its
// SHA-256 fingerprint, and may accept that very certificate, which is then pinned for the server (in
// `server` and in the preferences when they name it). Refusing changes nothing.
class MailCertificatePrompt
{
    Q_DECLARE_TR_FUNCTIONS(MailCertificatePrompt)
public:
    // Whether the user accepted the certificate `fingerprint`; `reason` is the failure as reported.
    static bool accept(QWidget *parent, MailServer &server, const QString &fingerprint,
                       const QString &reason);
};
