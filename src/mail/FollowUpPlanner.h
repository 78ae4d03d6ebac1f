#pragma once

#include "LoggedMessage.h"

#include <QDate>
#include <QList>
#include <QStringList>

class CollectionManager;

// A follow-up that is due: the message to queue, and the thread it answers.
struct DueFollowUp
{
    LoggedMessage message;  // queued, kind FollowUp, sequenceRoot and sequenceStep set
    QString inReplyTo;      // the first message of the sequence
    QStringList references; // every message of the sequence so far, oldest first
    QDate dueOn;
};

// Follow-ups: a message sent from a template that names a follow-up (TemplateFollowUp) and that has
// no reply after that many days makes the follow-up due; the follow-up's own template may name the
// next one. A reply to any message of a sequence ends it, at most three follow-ups go out, a
// partner marked Blocked gets none, and a follow-up already waiting in the Outbox is not due twice.
namespace FollowUpPlanner {

constexpr int MaxFollowUps = 3;

// Every follow-up due on `today`, from the whole log (any order).
QList<DueFollowUp> due(const CollectionManager &store, const QList<LoggedMessage> &log, const QDate &today);

} // namespace FollowUpPlanner
