#include "OutboxDelivery.h"

#include "MessageLog.h"

namespace OutboxDelivery {

SendResult deliver(SmtpSession &session, MessageLog &log, const SendJob &job, QString *messageID)
{
    // The Date header and the log's time of sending are one and the same.
    OutgoingMessage message = job.message;
    if (!message.date.isValid())
        message.date = QDateTime::currentDateTime();
    QString why;
    const std::optional<ComposedMessage> composed = MessageComposer::compose(message, &why);
    SendResult result;
    if (!composed) {
        result.reason = why;
    } else {
        result = session.send(*composed);
        if (messageID)
            *messageID = composed->messageID;
    }
    // The server took it: a log that cannot be written now does not make it unsent.
    if (result.sent)
        log.markSent(job.logID, composed->messageID, message.date);
    else
        log.markFailed(job.logID, result.reason);
    return result;
}

} // namespace OutboxDelivery
