#include "OutboxDelivery.h"

#include "MessageLog.h"

namespace OutboxDelivery {

SendResult deliver(SmtpSession &session, MessageLog &log, const SendJob &job, QString *messageID)
{
    QString why;
    const std::optional<ComposedMessage> composed = MessageComposer::compose(job.message, &why);
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
        log.markSent(job.logID, composed->messageID, job.message.date);
    else
        log.markFailed(job.logID, result.reason);
    return result;
}

} // namespace OutboxDelivery
