#include "LostLinkMessages.h"

#include "MessageLog.h"
#include "PartnerMessages.h"

#include "model/CollectionManager.h"
#include "model/EmailTemplate.h"
#include "model/Link.h"
#include "model/Preferences.h"
#include "workflow/StarterTemplates.h"

const EmailTemplate *LostLinkMessages::lostLinkTemplate(const CollectionManager &store)
{
    const QString chosen = Preferences::stringValue(Preferences::LostLinkTemplate);
    if (!chosen.isEmpty())
        return store.emailTemplateList().emailTemplateWithName(chosen);
    // The third starter template, in whichever language the database was made.
    const QList<StarterTemplates::Template> starters = StarterTemplates::templates();
    if (const EmailTemplate *found = store.emailTemplateList().emailTemplateWithName(starters.at(2).name))
        return found;
    return store.emailTemplateList().emailTemplateWithName(QStringLiteral("Your link to us is missing"));
}

QString LostLinkMessages::triggerOf(const LinkChange &change)
{
    return QStringLiteral("lost %1 %2").arg(change.linkID).arg(change.since.toSecsSinceEpoch());
}

std::optional<LostLinkMessages::Outcome> LostLinkMessages::queue(MessageLog &log,
                                                                 const CollectionManager &store,
                                                                 const QList<LinkChange> &changes,
                                                                 QString *error)
{
    Outcome outcome;
    QList<LoggedMessage> messages;
    const EmailTemplate *emailTemplate = nullptr;
    for (const LinkChange &change : changes) {
        if (change.kind != LinkChange::Lost)
            continue;
        const Link *link = store.linkWithID(change.linkID);
        if (!link)
            continue;
        const QString trigger = triggerOf(change);
        const std::optional<bool> queuedBefore = log.hasTrigger(trigger);
        if (!queuedBefore) {
            if (error)
                *error = log.errorString();
            return std::nullopt;
        }
        if (*queuedBefore)
            continue;
        if (link->contactEmail().trimmed().isEmpty()) {
            outcome.withoutAddress << link->title();
            continue;
        }
        if (!emailTemplate && !(emailTemplate = lostLinkTemplate(store))) {
            if (error)
                *error = tr(
                    "No e-mail template for lost links: add the template \"Your link to us is missing\" or "
                    "choose another one in the preferences.");
            return std::nullopt;
        }
        LoggedMessage message =
            PartnerMessages::fromTemplate(store, *link, *emailTemplate, LoggedMessage::Kind::LostLink);
        message.trigger = trigger;
        messages.append(message);
    }
    if (!messages.isEmpty() && !log.add(messages)) {
        if (error)
            *error = log.errorString();
        return std::nullopt;
    }
    outcome.queued = int(messages.size());
    return outcome;
}

std::optional<QList<LoggedMessage>> LostLinkMessages::messagesFor(const CollectionManager &store,
                                                                  const QList<LinkChange> &changes,
                                                                  QString *error)
{
    QList<LoggedMessage> messages;
    const EmailTemplate *emailTemplate = nullptr;
    for (const LinkChange &change : changes) {
        const Link *link = change.kind == LinkChange::Lost ? store.linkWithID(change.linkID) : nullptr;
        if (!link || link->contactEmail().trimmed().isEmpty())
            continue;
        if (!emailTemplate && !(emailTemplate = lostLinkTemplate(store))) {
            if (error)
                *error = tr(
                    "No e-mail template for lost links: add the template \"Your link to us is missing\" or "
                    "choose another one in the preferences.");
            return std::nullopt;
        }
        LoggedMessage message =
            PartnerMessages::fromTemplate(store, *link, *emailTemplate, LoggedMessage::Kind::LostLink);
        message.trigger = triggerOf(change);
        messages.append(message);
    }
    return messages;
}

std::optional<int> LostLinkMessages::queueNew(MessageLog &log, const QList<LoggedMessage> &messages)
{
    QList<LoggedMessage> fresh;
    for (const LoggedMessage &message : messages) {
        const std::optional<bool> queuedBefore = log.hasTrigger(message.trigger);
        if (!queuedBefore)
            return std::nullopt;
        if (!*queuedBefore)
            fresh.append(message);
    }
    if (!fresh.isEmpty() && !log.add(fresh))
        return std::nullopt;
    return int(fresh.size());
}
