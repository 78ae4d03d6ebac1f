#pragma once

#include "MessageComposer.h"
#include "SmtpSession.h"

class MessageLog;

// One message of the log on its way: the composer's input and the log's row.
struct SendJob
{
    qint64 logID = 0;
    QString linkID;
    OutgoingMessage message;
};

// Composes one logged message, hands it to the SMTP session and records the outcome in the log: sent
// with its Message-ID, or failed with the server's answer (a message that cannot be composed fails
// with the composer's reason, and nothing is lost of what was written).
namespace OutboxDelivery {
SendResult deliver(SmtpSession &session, MessageLog &log, const SendJob &job, QString *messageID);
} // namespace OutboxDelivery
