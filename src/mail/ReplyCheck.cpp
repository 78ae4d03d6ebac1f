#include "ReplyCheck.h"

#include "ImapSession.h"
#include "MessageLog.h"

std::optional<QList<ReplyMatch>> ReplyCheck::run(MessageLog &log, const MailAccount &account,
                                                 const QString &password, QString *error)
{
    if (!account.imap.check(error))
        return std::nullopt;
    const std::optional<QList<LoggedMessage>> unanswered = log.unanswered();
    if (!unanswered) {
        if (error)
            *error = log.errorString();
        return std::nullopt;
    }
    if (unanswered->isEmpty())
        return QList<ReplyMatch>();
    // A message without its time of sending (none should lack it) makes the whole folder count.
    QDateTime oldest = unanswered->first().sentAt;
    for (const LoggedMessage &message : *unanswered)
        oldest =
            message.sentAt.isValid() && oldest.isValid() ? std::min(oldest, message.sentAt) : QDateTime();

    ImapSession session(account.imap, password);
    if (!session.connect(error))
        return std::nullopt;
    // A day early: the server's dates are its own days, perhaps in another time zone.
    const QDate since = oldest.isValid() ? oldest.toUTC().date().addDays(-1) : QDate();
    QList<ReceivedMessage> received;
    for (const QString &folder : account.folders) {
        if (!session.examine(folder, error))
            return std::nullopt;
        const std::optional<QList<quint32>> uids = session.searchSince(since, error);
        if (!uids)
            return std::nullopt;
        std::optional<QList<ReceivedMessage>> headers = session.fetchHeaders(*uids, error);
        if (!headers)
            return std::nullopt;
        for (ReceivedMessage &message : *headers)
            message.folder = folder;
        received += *headers;
    }

    QList<ReplyMatch> matches = ReplyMatcher::match(*unanswered, received);
    QString examined;
    for (ReplyMatch &match : matches) {
        if (match.folder != examined) {
            if (!session.examine(match.folder, error))
                return std::nullopt;
            examined = match.folder;
        }
        const std::optional<QByteArray> start = session.fetchStart(match.uid, error);
        if (!start)
            return std::nullopt;
        match.excerpt = ReceivedMessage::firstLines(*start);
    }
    session.logout();
    for (const ReplyMatch &match : std::as_const(matches)) {
        const QDateTime when = match.repliedAt.isValid() ? match.repliedAt : QDateTime::currentDateTime();
        if (!log.markReplied(match.logID, when, match.from, match.excerpt)) {
            if (error)
                *error = log.errorString();
            return std::nullopt;
        }
    }
    return matches;
}
