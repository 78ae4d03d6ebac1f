#pragma once

#include "LoggedMessage.h"

#include "model/TemplateFollowUp.h"

#include <QDate>
#include <QHash>
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

// The follow-up each template names, by the template's ID: what planning reads of the database.
using FollowUpSettings = QHash<QString, TemplateFollowUp>;
FollowUpSettings settings(const CollectionManager &store);

// A sequence whose next follow-up is due: which, to whom, answering what. Planned from the log and
// the settings alone, so the log's own thread can plan while the window goes on.
struct DueSequence
{
    qint64 root = 0;
    QString linkID;
    QString templateID; // the follow-up's template
    int step = 0;       // the follow-up's place in the sequence, from 1
    QString inReplyTo;
    QStringList references;
    QDate dueOn;
};
QList<DueSequence> dueSequences(const QList<LoggedMessage> &log, const FollowUpSettings &settings,
                                const QDate &today);
// The messages of due sequences, filled in for their links; a link gone or Blocked, or a template
// gone, gets none.
QList<DueFollowUp> fill(const CollectionManager &store, const QList<DueSequence> &sequences);

// Every follow-up due on `today`, from the whole log (any order).
QList<DueFollowUp> due(const CollectionManager &store, const QList<LoggedMessage> &log, const QDate &today);

} // namespace FollowUpPlanner
