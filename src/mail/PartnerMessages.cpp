#include "PartnerMessages.h"

#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/EmailTemplate.h"
#include "model/Link.h"
#include "workflow/EmailComposer.h"

namespace PartnerMessages {

LoggedMessage fromTemplate(const CollectionManager &store, const Link &link,
                           const EmailTemplate &emailTemplate, LoggedMessage::Kind kind)
{
    LoggedMessage message;
    message.linkID = link.ID();
    message.kind = kind;
    message.state = LoggedMessage::State::Queued;
    message.createdAt = Clock::now();
    message.toName = QStringList{link.contactFirstName(), link.contactLastName()}.join(u' ').trimmed();
    message.toAddress = link.contactEmail().trimmed();
    message.subject = emailTemplate.subject();
    message.body = emailTemplate.body();
    EmailComposer::replaceEmailTemplatePlaceholdersInString(store, message.subject, link);
    EmailComposer::replaceEmailTemplatePlaceholdersInString(store, message.body, link);
    message.templateID = emailTemplate.ID();
    message.templateName = emailTemplate.name();
    return message;
}

OutgoingMessage outgoing(const LoggedMessage &message, const MailAddress &sender, const QString &inReplyTo,
                         const QStringList &references)
{
    OutgoingMessage out;
    out.from = sender;
    out.to = {message.toName, message.toAddress};
    out.subject = message.subject;
    out.body = message.body;
    out.inReplyTo = inReplyTo;
    out.references = references;
    out.date = Clock::now();
    return out;
}

} // namespace PartnerMessages
