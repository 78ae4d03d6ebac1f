#include "LoggedMessage.h"

#include "model/DateTexts.h"

#include <QCoreApplication>

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(LoggedMessage)
};
} // namespace

QString LoggedMessage::keyword(State state)
{
    switch (state) {
    case State::Queued:
        return QStringLiteral("queued");
    case State::Sent:
        return QStringLiteral("sent");
    case State::Failed:
        return QStringLiteral("failed");
    case State::Replied:
        return QStringLiteral("replied");
    }
    return QString();
}

LoggedMessage::State LoggedMessage::stateOfKeyword(const QString &keyword)
{
    for (State state : {State::Sent, State::Failed, State::Replied}) {
        if (LoggedMessage::keyword(state) == keyword)
            return state;
    }
    return State::Queued;
}

QString LoggedMessage::keyword(Kind kind)
{
    switch (kind) {
    case Kind::Message:
        return QStringLiteral("message");
    case Kind::FollowUp:
        return QStringLiteral("followUp");
    case Kind::LostLink:
        return QStringLiteral("lostLink");
    }
    return QString();
}

LoggedMessage::Kind LoggedMessage::kindOfKeyword(const QString &keyword)
{
    for (Kind kind : {Kind::FollowUp, Kind::LostLink}) {
        if (LoggedMessage::keyword(kind) == keyword)
            return kind;
    }
    return Kind::Message;
}

QString LoggedMessage::text(State state)
{
    switch (state) {
    case State::Queued:
        return Tr::tr("Queued");
    case State::Sent:
        return Tr::tr("Sent");
    case State::Failed:
        return Tr::tr("Failed");
    case State::Replied:
        return Tr::tr("Replied");
    }
    return QString();
}

QString LastContact::line() const
{
    const QString sent = DateTexts::stringForDate(sentAt.toLocalTime().date());
    if (!answered)
        return Tr::tr("%1, “%2” — no reply yet").arg(sent, subject);
    return Tr::tr("%1, “%2” — replied %3")
        .arg(sent, subject, DateTexts::stringForDate(repliedAt.toLocalTime().date()));
}
