#pragma once

#include "MailAddress.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// What goes into one message, in plain values.
struct OutgoingMessage
{
    MailAddress from;
    MailAddress to;
    QString subject;
    QString body;
    // A follow-up answers the first message of its sequence: In-Reply-To names it, References
    // names every message of the sequence so far (bare IDs, without angle brackets).
    QString inReplyTo;
    QStringList references;
    QDateTime date;    // now when null
    QString messageID; // made under the sender's domain when null
};

// A message ready for SMTP: the bytes (CR LF line ends) and the envelope.
struct ComposedMessage
{
    QByteArray bytes;
    QString messageID; // bare, "…@domain"
    QString from;      // envelope sender address
    QString to;        // envelope recipient address
};

// Builds RFC 5322 messages with GMime: RFC 2047 encoded words for names and subjects that are not
// ASCII, a UTF-8 quoted-printable body, Date and Message-ID. Values come from partners' records,
// so a line break in any header value is refused rather than allowed to start a header of its own.
class MessageComposer
{
    Q_DECLARE_TR_FUNCTIONS(MessageComposer)
public:
    static std::optional<ComposedMessage> compose(const OutgoingMessage &message, QString *error);
    // A new, unique Message-ID under `domain` (bare).
    static QString newMessageID(const QString &domain);
};
