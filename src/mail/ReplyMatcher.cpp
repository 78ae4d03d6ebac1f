#include "ReplyMatcher.h"

#include <QHash>
#include <algorithm>

namespace ReplyMatcher {

QList<ReplyMatch> match(const QList<LoggedMessage> &unanswered, const QList<ReceivedMessage> &received)
{
    QHash<QString, const LoggedMessage *> byMessageID;
    // Each partner's messages, oldest first (the log lists them so; sorted here to be sure).
    QHash<QString, QList<const LoggedMessage *>> byAddress;
    for (const LoggedMessage &message : unanswered) {
        if (!message.messageID.isEmpty())
            byMessageID.insert(message.messageID, &message);
        byAddress[message.toAddress.toCaseFolded()].append(&message);
    }
    for (auto &list : byAddress)
        std::stable_sort(list.begin(), list.end(), [](const LoggedMessage *a, const LoggedMessage *b) {
            return a->sentAt < b->sentAt;
        });

    // Earliest reply first, so each of ours keeps the first answer it had.
    QList<const ReceivedMessage *> ordered;
    for (const ReceivedMessage &message : received)
        ordered.append(&message);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ReceivedMessage *a, const ReceivedMessage *b) { return a->date < b->date; });

    QHash<qint64, ReplyMatch> matches;
    QList<qint64> order;
    auto answer = [&](const LoggedMessage *ours, const ReceivedMessage *reply, bool byAddress) {
        if (matches.contains(ours->id))
            return;
        matches.insert(ours->id,
                       ReplyMatch{ours->id, ours->linkID, ours->messageID, reply->date, reply->fromAddress,
                                  reply->uid, reply->folder, byAddress, QString()});
        order.append(ours->id);
    };
    for (const ReceivedMessage *reply : std::as_const(ordered)) {
        if (byMessageID.contains(reply->messageID))
            continue; // a copy of our own message
        const LoggedMessage *named = byMessageID.value(reply->inReplyTo);
        for (auto id = reply->references.crbegin(); !named && id != reply->references.crend(); ++id)
            named = byMessageID.value(*id);
        if (named) {
            answer(named, reply, false);
            continue;
        }
        // Our latest message to the sender that went before this one; one already answered stays so.
        const QList<const LoggedMessage *> candidates = byAddress.value(reply->fromAddress.toCaseFolded());
        for (auto it = candidates.crbegin(); it != candidates.crend(); ++it) {
            if ((*it)->sentAt <= reply->date) {
                answer(*it, reply, true);
                break;
            }
        }
    }
    QList<ReplyMatch> result;
    for (qint64 id : std::as_const(order))
        result.append(matches.value(id));
    return result;
}

} // namespace ReplyMatcher
