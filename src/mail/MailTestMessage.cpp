#include "MailTestMessage.h"

#include "MessageComposer.h"

SendResult MailTestMessage::send(const MailAccount &account, const QString &password)
{
    SendResult result;
    QString error;
    if (!account.sender.isValid()) {
        result.reason = tr("The sender address \"%1\" is not an e-mail address.").arg(account.sender.address);
        return result;
    }
    if (!account.smtp.check(&error)) {
        result.reason = error;
        return result;
    }
    OutgoingMessage message;
    message.from = account.sender;
    message.to = account.sender;
    message.subject = tr("Quillmarsh test message");
    message.body = tr("This message was sent from the Mail preferences of Quillmarsh to check the settings.");
    const std::optional<ComposedMessage> composed = MessageComposer::compose(message, &error);
    if (!composed) {
        result.reason = error;
        return result;
    }
    SmtpSession session(account.smtp, password);
    return session.send(*composed);
}
