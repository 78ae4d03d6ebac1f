#include "CliCommand.h"
#include "CliMailAccount.h"

#include "mail/MessageLog.h"
#include "mail/ReplyCheck.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue isoTime(const QDateTime &time)
{
    return time.isValid() ? QJsonValue(time.toUTC().toString(Qt::ISODate)) : QJsonValue(QJsonValue::Null);
}

int runMessages(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString path;
    QString linkID;
    bool json = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--json"))
            json = true;
        else if (argument == QLatin1String("--link") && i + 1 < arguments.size() &&
                 !arguments.at(i + 1).isEmpty())
            linkID = arguments.at(++i);
        else if (argument.startsWith(u'-') || !path.isEmpty())
            return Cli::usage(QStringLiteral("messages"), err);
        else
            path = argument;
    }
    if (path.isEmpty())
        return Cli::usage(QStringLiteral("messages"), err);
    if (!QFileInfo(path).isFile()) {
        err << path << ": " << CliCommand::tr("no such database file") << Qt::endl;
        return ExitBadFile;
    }
    MessageLog log(path);
    const std::optional<QList<LoggedMessage>> messages = log.messages(linkID);
    if (!messages) {
        err << log.errorString() << Qt::endl;
        return ExitBadFile;
    }
    if (json) {
        QJsonArray rows;
        for (const LoggedMessage &m : *messages)
            rows.append(QJsonObject{{"linkID", m.linkID},
                                    {"sentAt", isoTime(m.sentAt)},
                                    {"to", m.toAddress},
                                    {"subject", m.subject},
                                    {"template", m.templateName},
                                    {"messageID", m.messageID},
                                    {"state", LoggedMessage::keyword(m.state)},
                                    {"reason", m.reason},
                                    {"repliedAt", isoTime(m.repliedAt)}});
        out << QJsonDocument(rows).toJson(QJsonDocument::Indented);
        return ExitOk;
    }
    for (const LoggedMessage &m : *messages)
        out << (m.sentAt.isValid() ? m.sentAt.toUTC().toString(Qt::ISODate) : QStringLiteral("-")) << '\t'
            << LoggedMessage::keyword(m.state) << '\t' << m.linkID << '\t' << m.toAddress << '\t' << m.subject
            << '\t' << m.reason << Qt::endl;
    return ExitOk;
}

int runReplies(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    CliMailAccount accountOptions;
    if (!accountOptions.takeOptions(arguments, err))
        return Cli::usage(QStringLiteral("replies"), err);
    QString path;
    bool json = false;
    for (const QString &argument : std::as_const(arguments)) {
        if (argument == QLatin1String("--json"))
            json = true;
        else if (argument.startsWith(u'-') || !path.isEmpty())
            return Cli::usage(QStringLiteral("replies"), err);
        else
            path = argument;
    }
    if (path.isEmpty())
        return Cli::usage(QStringLiteral("replies"), err);
    if (!QFileInfo(path).isFile()) {
        err << path << ": " << CliCommand::tr("no such database file") << Qt::endl;
        return ExitBadFile;
    }
    const std::optional<MailAccount> account = accountOptions.account(false, true, err);
    if (!account)
        return ExitBadFile;
    const std::optional<QString> password = CliMailAccount::password(account->imap, err);
    if (!password)
        return ExitBadFile;
    MessageLog log(path);
    QString why;
    const std::optional<QList<ReplyMatch>> matches = ReplyCheck::run(log, *account, *password, &why);
    if (!matches) {
        err << "quillmarsh-cli replies: " << why << Qt::endl;
        return ExitBadFile;
    }
    if (json) {
        QJsonArray rows;
        for (const ReplyMatch &match : *matches)
            rows.append(QJsonObject{{"linkID", match.linkID},
                                    {"messageID", match.messageID},
                                    {"repliedAt", isoTime(match.repliedAt)},
                                    {"from", match.from}});
        out << QJsonDocument(rows).toJson(QJsonDocument::Indented);
        return ExitOk;
    }
    for (const ReplyMatch &match : *matches)
        out << match.repliedAt.toUTC().toString(Qt::ISODate) << '\t' << match.linkID << '\t' << match.from
            << '\t' << match.messageID << Qt::endl;
    return ExitOk;
}

const CliRegistration messagesRegistration(
    {QStringLiteral("messages"),
     QStringLiteral("FILE.site [--link ID] [--json]"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand", "Print the message log, newest first (all links, or one): what was sent to "
                       "whom and when, what failed and why, and what was answered.")),
     runMessages,
     false,
     {{QStringLiteral("--link ID"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Only the messages to this link."))},
      {QStringLiteral("--json"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Print the messages as JSON."))}}});

const CliRegistration repliesRegistration(
    {QStringLiteral("replies"),
     QStringLiteral("FILE.site [--json]"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand", "Read the mailbox (read-only) for replies to the messages sent, mark the "
                       "answered ones replied and print them.")),
     runReplies,
     false,
     {{QStringLiteral("--imap imap[s]://USER@HOST:PORT"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "The IMAP server (default: the one of the Mail preferences); "
                                        "its password comes from QUILLMARSH_IMAP_PASSWORD or the "
                                        "keyring."))},
      {QStringLiteral("--starttls"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Secure an imap:// connection with STARTTLS."))},
      {QStringLiteral("--json"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Print the replies as JSON."))}}});

} // namespace
