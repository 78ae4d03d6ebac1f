#include "CliCommand.h"
#include "CliMailAccount.h"

#include "history/HistoryStore.h"
#include "mail/FollowUpPlanner.h"
#include "mail/LostLinkMessages.h"
#include "mail/MessageLog.h"
#include "mail/OutboxDelivery.h"
#include "mail/PartnerMessages.h"
#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/DatabaseLock.h"
#include "model/EmailTemplate.h"
#include "model/Link.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// One message the command deals with, and what became of it.
struct Item
{
    LoggedMessage message;
    QString inReplyTo;
    QStringList references;
    QString state; // "sent", "failed", "skipped", "due"
    QString reason;
    QString messageID;
    qint64 existing = 0; // a row of the log this message already has (a loss queued before)
};

struct Options
{
    QString path;
    QString templateName;
    QStringList ids;
    bool lost = false;
    bool followUps = false;
    bool dryRun = false;
    bool json = false;
    QDate today;
};

std::optional<Options> parse(QStringList arguments, QTextStream &err)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--template") && hasValue) {
            options.templateName = arguments.at(++i);
        } else if (argument == QLatin1String("--ids") && hasValue) {
            options.ids = arguments.at(++i).split(u',', Qt::SkipEmptyParts);
            if (options.ids.isEmpty())
                return std::nullopt;
        } else if (argument == QLatin1String("--today") && hasValue) {
            options.today = QDate::fromString(arguments.at(++i), Qt::ISODate);
            if (!options.today.isValid()) {
                err << "quillmarsh-cli send: "
                    << CliCommand::tr("--today needs a date of the form YYYY-MM-DD") << Qt::endl;
                return std::nullopt;
            }
        } else if (argument == QLatin1String("--lost")) {
            options.lost = true;
        } else if (argument == QLatin1String("--follow-ups")) {
            options.followUps = true;
        } else if (argument == QLatin1String("--dry-run")) {
            options.dryRun = true;
        } else if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (argument.startsWith(u'-') || !options.path.isEmpty()) {
            return std::nullopt;
        } else {
            options.path = argument;
        }
    }
    const bool byTemplate = !options.templateName.isNull() && (options.ids.isEmpty() != !options.lost);
    const bool byFollowUps =
        options.followUps && options.templateName.isNull() && options.ids.isEmpty() && !options.lost;
    if (options.path.isEmpty() || byTemplate == byFollowUps ||
        (options.today.isValid() && !options.followUps))
        return std::nullopt;
    return options;
}

// The messages asked for: to the links named, to the links lost, or the follow-ups due.
std::optional<QList<Item>> collect(const Options &options, const CollectionManager &store, MessageLog &log,
                                   QTextStream &err, int *status)
{
    *status = ExitBadFile;
    QList<Item> items;
    if (options.followUps) {
        const std::optional<QList<LoggedMessage>> all = log.messages();
        if (!all) {
            err << log.errorString() << Qt::endl;
            return std::nullopt;
        }
        const QDate today = options.today.isValid() ? options.today : Clock::today();
        for (const DueFollowUp &due : FollowUpPlanner::due(store, *all, today))
            items.append({due.message, due.inReplyTo, due.references, {}, {}, {}, 0});
    } else {
        const EmailTemplate *emailTemplate =
            store.emailTemplateList().emailTemplateWithName(options.templateName);
        if (!emailTemplate) {
            err << "quillmarsh-cli send: "
                << CliCommand::tr("no e-mail template named \"%1\"").arg(options.templateName) << Qt::endl;
            *status = ExitUsage;
            return std::nullopt;
        }
        QList<std::pair<const Link *, QString>> recipients; // with the trigger of a loss
        if (options.lost) {
            HistoryStore history(options.path);
            const std::optional<QList<LinkChange>> changes = history.changes();
            if (!changes) {
                err << history.errorString() << Qt::endl;
                return std::nullopt;
            }
            for (const LinkChange &change : *changes) {
                if (change.kind == LinkChange::Lost)
                    if (const Link *link = store.linkWithID(change.linkID))
                        recipients.append({link, LostLinkMessages::triggerOf(change)});
            }
        } else {
            for (const QString &id : options.ids) {
                const Link *link = store.linkWithID(id);
                if (!link) {
                    err << "quillmarsh-cli send: " << CliCommand::tr("no link with the ID %1").arg(id)
                        << Qt::endl;
                    *status = ExitUsage;
                    return std::nullopt;
                }
                recipients.append({link, QString()});
            }
        }
        for (const auto &[link, trigger] : recipients) {
            Item item;
            item.message = PartnerMessages::fromTemplate(store, *link, *emailTemplate,
                                                         trigger.isEmpty() ? LoggedMessage::Kind::Message
                                                                           : LoggedMessage::Kind::LostLink);
            item.message.trigger = trigger;
            if (!trigger.isEmpty()) {
                // A loss is written about once; a message the window queued for it goes now.
                const std::optional<QList<LoggedMessage>> before = log.messagesWithTrigger(trigger);
                if (!before) {
                    err << log.errorString() << Qt::endl;
                    return std::nullopt;
                }
                if (!before->isEmpty()) {
                    const LoggedMessage &earlier = before->first();
                    if (earlier.state == LoggedMessage::State::Sent ||
                        earlier.state == LoggedMessage::State::Replied) {
                        item.state = QStringLiteral("skipped");
                        item.reason = QStringLiteral("a message about this loss was sent before");
                    } else {
                        item.existing = earlier.id;
                    }
                }
            }
            items.append(item);
        }
    }
    for (Item &item : items) {
        if (item.state.isEmpty() && item.message.toAddress.isEmpty()) {
            item.state = QStringLiteral("skipped");
            item.reason = QStringLiteral("the link has no e-mail address");
        }
    }
    return items;
}

void print(const QList<Item> &items, bool json, QTextStream &out)
{
    if (json) {
        QJsonArray rows;
        for (const Item &item : items)
            rows.append(QJsonObject{{"linkID", item.message.linkID},
                                    {"to", item.message.toAddress},
                                    {"subject", item.message.subject},
                                    {"messageID", item.messageID},
                                    {"state", item.state},
                                    {"reason", item.reason}});
        out << QJsonDocument(rows).toJson(QJsonDocument::Indented);
        return;
    }
    for (const Item &item : items)
        out << item.state << '\t' << item.message.linkID << '\t' << item.message.toAddress << '\t'
            << item.message.subject << '\t' << item.reason << Qt::endl;
}

int runSend(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    CliMailAccount accountOptions;
    if (!accountOptions.takeOptions(arguments, err))
        return Cli::usage(QStringLiteral("send"), err);
    const std::optional<Options> options = parse(arguments, err);
    if (!options)
        return Cli::usage(QStringLiteral("send"), err);
    CollectionManager store;
    if (!Cli::openDatabase(options->path, store, err))
        return ExitBadFile;
    MessageLog log(options->path);
    int status = ExitOk;
    std::optional<QList<Item>> items = collect(*options, store, log, err, &status);
    if (!items)
        return status;

    QList<Item *> toSend;
    for (Item &item : *items) {
        if (item.state.isEmpty())
            toSend.append(&item);
    }
    if (options->dryRun) {
        for (Item *item : toSend)
            item->state = QStringLiteral("due");
        print(*items, options->json, out);
        return ExitOk;
    }
    if (toSend.isEmpty()) {
        print(*items, options->json, out);
        return ExitOk;
    }
    const std::optional<MailAccount> account = accountOptions.account(true, false, err);
    if (!account)
        return ExitBadFile;
    const std::optional<QString> password = CliMailAccount::password(account->smtp, err);
    if (!password)
        return ExitBadFile;
    // A New partner written to becomes Negotiating: find out before anything goes whether the database
    // may be written then.
    const bool changesStatus = std::any_of(toSend.cbegin(), toSend.cend(), [&](const Item *item) {
        const Link *link = store.linkWithID(item->message.linkID);
        return link && link->status() == LinkStatusNew;
    });
    if (changesStatus) {
        DatabaseLock lock(options->path);
        if (!lock.tryLock(Cli::LockWaitMs) && lock.heldElsewhere()) {
            err << options->path
                << ": cannot write: the database is open in another window; close it there and "
                << "try again (nothing was sent)" << Qt::endl;
            return ExitBadFile;
        }
    }

    // Every message is in the log before the first goes, so nothing is lost if the run ends midway.
    QList<LoggedMessage> fresh;
    for (Item *item : std::as_const(toSend)) {
        if (!item->existing)
            fresh.append(item->message);
    }
    const std::optional<QList<qint64>> rows = log.add(fresh);
    if (!rows) {
        err << log.errorString() << Qt::endl;
        return ExitBadFile;
    }
    qsizetype next = 0;
    for (Item *item : std::as_const(toSend)) {
        if (!item->existing) {
            item->message.id = rows->at(next++);
        } else {
            item->message.id = item->existing;
            log.updateText(item->existing, item->message.toAddress, item->message.subject,
                           item->message.body);
        }
    }

    SmtpSession session(account->smtp, *password);
    QStringList negotiating;
    bool anyFailed = false;
    QString stoppedBecause;
    for (Item *item : std::as_const(toSend)) {
        if (!stoppedBecause.isEmpty()) {
            // The account failed: the rest was not tried, and says why.
            log.markFailed(item->message.id, stoppedBecause);
            item->state = QStringLiteral("failed");
            item->reason = stoppedBecause;
            continue;
        }
        const SendJob job{
            item->message.id, item->message.linkID,
            PartnerMessages::outgoing(item->message, account->sender, item->inReplyTo, item->references)};
        const SendResult result = OutboxDelivery::deliver(session, log, job, &item->messageID);
        item->state = result.sent ? QStringLiteral("sent") : QStringLiteral("failed");
        item->reason = result.reason;
        if (!result.sent) {
            item->messageID.clear();
            anyFailed = true;
            if (result.accountProblem)
                stoppedBecause = result.reason;
            continue;
        }
        const Link *link = store.linkWithID(item->message.linkID);
        if (link && link->status() == LinkStatusNew)
            negotiating << link->ID();
    }
    print(*items, options->json, out);
    if (!negotiating.isEmpty()) {
        store.setStatus(LinkStatusNegotiating, negotiating);
        if (!Cli::saveDatabase(store, options->path, err))
            return ExitBadFile;
    }
    return anyFailed ? ExitSomeFailed : ExitOk;
}

const QList<CliOption> accountOptions = {
    {QStringLiteral("--smtp smtp[s]://USER@HOST:PORT"),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                      "The SMTP server (default: the one of the Mail preferences); "
                                      "its password comes from QUILLMARSH_SMTP_PASSWORD or the keyring."))},
    {QStringLiteral("--starttls"),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                      "Secure a smtp:// or imap:// connection with STARTTLS (without "
                                      "it, only a server on this computer is used unencrypted)."))},
    {QStringLiteral("--from \"NAME <ADDRESS>\""),
     QStringLiteral(
         QT_TRANSLATE_NOOP("CliCommand", "The sender (default: the one of the Mail preferences)."))},
};

const CliRegistration registration(
    {QStringLiteral("send"),
     QStringLiteral(
         "FILE.site --template NAME (--ids ID,... | --lost) [--dry-run] [--json] | FILE.site --follow-ups "
         "[--today YYYY-MM-DD] [--dry-run] [--json]"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand",
         "Send a message from a template to links, to the links lost since their last check, or the "
         "follow-ups that are due; each is kept in the message log, and a New link written to becomes "
         "Negotiating.")),
     runSend, false,
     QList<CliOption>{
         {QStringLiteral("--template NAME"),
          QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "The e-mail template to write with."))},
         {QStringLiteral("--ids ID,..."),
          QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                           "The links to write to (those without an address are "
                                           "skipped)."))},
         {QStringLiteral("--lost"), QStringLiteral(QT_TRANSLATE_NOOP(
                                        "CliCommand", "Write to the links whose latest check lost the link "
                                                      "(once per loss)."))},
         {QStringLiteral("--follow-ups"),
          QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Send the follow-ups that are due."))},
         {QStringLiteral("--today YYYY-MM-DD"),
          QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                           "The day the follow-ups are due on (default: today)."))},
         {QStringLiteral("--dry-run"),
          QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                           "List what would be sent (state \"due\"); send, log and "
                                           "change nothing."))},
         {QStringLiteral("--json"),
          QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "Print the messages as JSON."))}} +
         accountOptions});

} // namespace
