#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// What reply matching needs of a message in the user's mailbox.
struct ReceivedMessage
{
    QString messageID;      // bare
    QString inReplyTo;      // bare; empty when absent
    QStringList references; // bare, in header order
    QString fromAddress;
    QString fromName;
    QString subject;
    QDateTime date;
    quint32 uid = 0; // its IMAP UID, to fetch its text once it matched
    QString folder;

    // Parses a header block (as IMAP's BODY.PEEK[HEADER.FIELDS …] returns it) with GMime.
    static ReceivedMessage fromHeaders(const QByteArray &headers);
    // The first `lineCount` non-empty lines of a whole message's plain text, quoted lines left out.
    static QString firstLines(const QByteArray &wholeMessage, int lineCount = 3);
};
