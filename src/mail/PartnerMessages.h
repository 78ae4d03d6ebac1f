#pragma once

#include "LoggedMessage.h"
#include "MessageComposer.h"

class CollectionManager;
class EmailTemplate;
class Link;

// Messages to partners as the log keeps them, made from a template and a link, and turned into
// what the composer takes.
namespace PartnerMessages {

// A queued message to `link` from `emailTemplate`, its placeholders filled in for the link.
LoggedMessage fromTemplate(const CollectionManager &store, const Link &link,
                           const EmailTemplate &emailTemplate,
                           LoggedMessage::Kind kind = LoggedMessage::Kind::Message);
// The composer's input for a logged message from `sender`; a follow-up answers its sequence.
OutgoingMessage outgoing(const LoggedMessage &message, const MailAddress &sender,
                         const QString &inReplyTo = QString(), const QStringList &references = {});

} // namespace PartnerMessages
