#include "PartnerMessages.h"

#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/EmailTemplate.h"
#include "model/Link.h"

namespace PartnerMessages {

Draft draft(const CollectionManager &store, const Link &link, const EmailTemplate &emailTemplate,
            LoggedMessage::Kind kind)
{
    Draft draft;
    LoggedMessage &message = draft.message;
    message.linkID = link.ID();
    message.kind = kind;
    message.state = LoggedMessage::State::Queued;
    message.createdAt = Clock::now();
    message.toName = QStringList{link.contactFirstName(), link.contactLastName()}.join(u' ').trimmed();
    message.toAddress = link.contactEmail().trimmed();
    message.subject = emailTemplate.subject();
    message.body = emailTemplate.body();
    message.templateID = emailTemplate.ID();
    message.templateName = emailTemplate.name();
    draft.values = EmailComposer::PlaceholderValues(store, link);
    return draft;
}

LoggedMessage Draft::filled() const
{
    LoggedMessage result = message;
    values.fill(result.subject);
    values.fill(result.body);
    return result;
}

LoggedMessage fromTemplate(const CollectionManager &store, const Link &link,
                           const EmailTemplate &emailTemplate, LoggedMessage::Kind kind)
{
    return draft(store, link, emailTemplate, kind).filled();
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
