#include "FollowUpPlanner.h"

#include "PartnerMessages.h"

#include "model/CollectionManager.h"
#include "model/EmailTemplate.h"
#include "model/Link.h"

#include <QHash>
#include <algorithm>

namespace FollowUpPlanner {

FollowUpSettings settings(const CollectionManager &store)
{
    FollowUpSettings result;
    for (const NamedString &named : store.namedStrings()) {
        const QString templateID = TemplateFollowUp::templateOfName(named.name());
        if (templateID.isEmpty())
            continue;
        if (const std::optional<TemplateFollowUp> followUp = TemplateFollowUp::of(store, templateID))
            result.insert(templateID, *followUp);
    }
    return result;
}

QList<DueSequence> dueSequences(const QList<LoggedMessage> &log, const FollowUpSettings &settings,
                                const QDate &today)
{
    // Each sequence: its first message and its follow-ups, in order.
    QHash<qint64, QList<const LoggedMessage *>> sequences;
    QList<qint64> roots;
    for (const LoggedMessage &message : log) {
        if (message.kind != LoggedMessage::Kind::FollowUp && !message.templateID.isEmpty() &&
            (message.state == LoggedMessage::State::Sent || message.state == LoggedMessage::State::Replied)) {
            roots.append(message.id);
            sequences[message.id].prepend(&message);
        }
    }
    for (const LoggedMessage &message : log) {
        if (message.kind == LoggedMessage::Kind::FollowUp && sequences.contains(message.sequenceRoot))
            sequences[message.sequenceRoot].append(&message);
    }
    std::sort(roots.begin(), roots.end());

    QList<DueSequence> result;
    for (qint64 root : std::as_const(roots)) {
        QList<const LoggedMessage *> sequence = sequences.value(root);
        std::stable_sort(
            sequence.begin() + 1, sequence.end(),
            [](const LoggedMessage *a, const LoggedMessage *b) { return a->sequenceStep < b->sequenceStep; });
        bool ended = false;
        bool waiting = false;
        QStringList references;
        const LoggedMessage *last = nullptr;
        for (const LoggedMessage *message : std::as_const(sequence)) {
            ended = ended || message->state == LoggedMessage::State::Replied;
            if (message->state == LoggedMessage::State::Queued ||
                message->state == LoggedMessage::State::Failed) {
                waiting = true;
            } else if (message->state == LoggedMessage::State::Sent ||
                       message->state == LoggedMessage::State::Replied) {
                last = message;
                references << message->messageID;
            }
        }
        const int step = last->kind == LoggedMessage::Kind::FollowUp ? last->sequenceStep : 0;
        if (ended || waiting || step >= MaxFollowUps)
            continue;
        const auto followUp = settings.constFind(last->templateID);
        if (followUp == settings.constEnd())
            continue;
        const QDate dueOn = last->sentAt.date().addDays(followUp->afterDays);
        if (today < dueOn)
            continue;
        result.append({root, sequence.first()->linkID, followUp->templateID, step + 1,
                       sequence.first()->messageID, references, dueOn});
    }
    return result;
}

QList<DueFollowUp> fill(const CollectionManager &store, const QList<DueSequence> &sequences)
{
    QList<DueFollowUp> result;
    for (const DueSequence &sequence : sequences) {
        const EmailTemplate *emailTemplate =
            store.emailTemplateList().emailTemplateWithID(sequence.templateID);
        const Link *link = store.linkWithID(sequence.linkID);
        if (!emailTemplate || !link || link->status() == LinkStatusBlocked)
            continue;
        DueFollowUp next;
        next.message =
            PartnerMessages::fromTemplate(store, *link, *emailTemplate, LoggedMessage::Kind::FollowUp);
        next.message.sequenceRoot = sequence.root;
        next.message.sequenceStep = sequence.step;
        next.inReplyTo = sequence.inReplyTo;
        next.references = sequence.references;
        next.dueOn = sequence.dueOn;
        result.append(next);
    }
    return result;
}

QList<DueFollowUp> due(const CollectionManager &store, const QList<LoggedMessage> &log, const QDate &today)
{
    return fill(store, dueSequences(log, settings(store), today));
}

} // namespace FollowUpPlanner
