#pragma once

#include "LoggedMessage.h"
#include "MessageComposer.h"

#include "workflow/EmailComposer.h"

class CollectionManager;
class EmailTemplate;
class Link;

// Messages to partners as the log keeps them, made from a template and a link, and turned into
// what the composer takes.
namespace PartnerMessages {

// A message to a link whose placeholders are still to be filled: all it needs is in it, so a worker
// can fill many while the window goes on.
struct Draft
{
    LoggedMessage message; // subject and body as the template has them
    EmailComposer::PlaceholderValues values;

    LoggedMessage filled() const;
};

// The draft of `fromTemplate`: what it reads of the store and the link is read now.
Draft draft(const CollectionManager &store, const Link &link, const EmailTemplate &emailTemplate,
            LoggedMessage::Kind kind = LoggedMessage::Kind::Message);

// A queued message to `link` from `emailTemplate`, its placeholders filled in for the link.
LoggedMessage fromTemplate(const CollectionManager &store, const Link &link,
                           const EmailTemplate &emailTemplate,
                           LoggedMessage::Kind kind = LoggedMessage::Kind::Message);
// The composer's input for a logged message from `sender`; a follow-up answers its sequence.
OutgoingMessage outgoing(const LoggedMessage &message, const MailAddress &sender,
                         const QString &inReplyTo = QString(), const QStringList &references = {});

} // namespace PartnerMessages
