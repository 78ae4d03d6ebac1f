#pragma once

#include "LoggedMessage.h"
#include "history/LinkChange.h"

#include <QCoreApplication>
#include <QList>
#include <optional>

class CollectionManager;
class EmailTemplate;
class MessageLog;

// "Your link to us is missing": each new loss of a link queues that message in the Outbox, for the
// user to review; nothing goes out by itself. A loss queues its message once, however often the
// changes are read.
class LostLinkMessages
{
    Q_DECLARE_TR_FUNCTIONS(LostLinkMessages)
public:
    struct Outcome
    {
        int queued = 0;
        QStringList withoutAddress; // the titles of lost links that name no e-mail address
    };

    // The template the preference "LostLinkTemplate" names, else the starter template of that name.
    static const EmailTemplate *lostLinkTemplate(const CollectionManager &store);
    // Queues the message for every `lost` change not queued before; none with `error` set when there
    // is no template or the log cannot be written.
    static std::optional<Outcome> queue(MessageLog &log, const CollectionManager &store,
                                        const QList<LinkChange> &changes, QString *error);
    // The same in two halves, for windows whose store belongs to the GUI thread. First, on the store's
    // thread: the messages of the `lost` changes whose link names an address, each with its trigger.
    static std::optional<QList<LoggedMessage>> messagesFor(const CollectionManager &store,
                                                           const QList<LinkChange> &changes, QString *error);
    // Then on the log's thread: stores those whose loss queued nothing before; how many it stored.
    // None when the log failed: its error() says why.
    static std::optional<int> queueNew(MessageLog &log, const QList<LoggedMessage> &messages);
    // The key that keeps a loss from queueing twice.
    static QString triggerOf(const LinkChange &change);
};
