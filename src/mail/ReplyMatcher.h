#pragma once

#include "LoggedMessage.h"
#include "ReceivedMessage.h"

#include <QList>

// A message of ours that a received message answers.
struct ReplyMatch
{
    qint64 logID = 0; // the row of our message in the log
    QString linkID;
    QString messageID; // ours
    QDateTime repliedAt;
    QString from;
    quint32 uid = 0; // of the reply, to read its first lines
    QString folder;
    bool byAddress = false; // matched by the sender's address, not by the thread
    QString excerpt;        // the reply's first lines, once read
};

// The rules that decide which of our unanswered messages a received message answers:
// - by the thread: its In-Reply-To, else the last of its References, that names one of ours;
// - else by its sender: its From address is the partner's (letter case ignored), and it was written
//   after ours; it then answers our latest such message.
// A message of our own (its Message-ID is one of ours) answers nothing; each of ours is answered by its
// earliest reply. Linear in the number of messages.
namespace ReplyMatcher {
QList<ReplyMatch> match(const QList<LoggedMessage> &unanswered, const QList<ReceivedMessage> &received);
} // namespace ReplyMatcher
