#pragma once

#include "MailAccount.h"
#include "SmtpSession.h"

#include <QCoreApplication>

// "Send a Test Message": a short message from the account's sender to the same address, so the user
// sees that the server takes the settings. Blocking: a worker thread runs it.
class MailTestMessage
{
    Q_DECLARE_TR_FUNCTIONS(MailTestMessage)
public:
    static SendResult send(const MailAccount &account, const QString &password);
};
