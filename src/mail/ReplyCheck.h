#pragma once

#include "MailAccount.h"
#include "ReplyMatcher.h"

#include <QCoreApplication>
#include <QList>
#include <optional>

class MessageLog;

// "Check for Replies": reads the account's folders since the oldest unanswered message, matches what
// it finds against the log (ReplyMatcher) and marks the answered messages replied with the reply's
// date and first lines. Blocking: a worker thread or the command line.
class ReplyCheck
{
    Q_DECLARE_TR_FUNCTIONS(ReplyCheck)
public:
    // The messages that became replied; none with `error` set when the server or the log failed.
    static std::optional<QList<ReplyMatch>> run(MessageLog &log, const MailAccount &account,
                                                const QString &password, QString *error);
};
