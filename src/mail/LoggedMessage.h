#pragma once

#include <QDateTime>
#include <QString>

// One message of the log: what went, or is to go, to one partner, and what became of it.
struct LoggedMessage
{
    enum class State
    {
        Queued,  // waiting in the Outbox for review or for sending
        Sent,    // accepted by the SMTP server
        Failed,  // refused; `reason` holds the server's answer
        Replied, // the partner answered (`repliedAt`)
    };
    enum class Kind
    {
        Message,  // written by the user, from a template or not
        FollowUp, // a follow-up of an unanswered message (`sequenceRoot`)
        LostLink, // queued by a lost link, for review
    };

    qint64 id = 0; // the row; 0 before it is stored
    QString linkID;
    Kind kind = Kind::Message;
    State state = State::Queued;
    QDateTime createdAt;
    QDateTime sentAt; // null until sent
    QString toName;
    QString toAddress;
    QString subject;
    QString body;
    QString templateID;   // null for a message written without a template
    QString templateName; // as it was called when the message was made
    QString messageID;    // bare; set when sent
    QString reason;       // why it failed: the server's code and text
    QDateTime repliedAt;
    QString replyFrom;
    QString replyExcerpt; // the first lines of the reply
    // A follow-up: the first message of its sequence (its row) and its place (1 to 3).
    qint64 sequenceRoot = 0;
    int sequenceStep = 0;
    // What queued it by itself ("lost LINKID SECONDS"), so the same event never queues twice.
    QString trigger;

    // "queued", "sent", "failed", "replied": the words of the command line and its JSON.
    static QString keyword(State state);
    static State stateOfKeyword(const QString &keyword);
    static QString keyword(Kind kind);
    static Kind kindOfKeyword(const QString &keyword);
    // The state in the user's language.
    static QString text(State state);
};

// Each partner's last message that went out, for the details pane.
struct LastContact
{
    QDateTime sentAt;
    QString subject;
    bool answered = false;
    QDateTime repliedAt;

    // "December 3, 2026, “Subject” — no reply yet" or "… — replied December 5, 2026", in local dates.
    QString line() const;
};
