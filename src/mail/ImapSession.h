#pragma once

#include "CurlMailHandle.h"
#include "ReceivedMessage.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <optional>

// A read-only IMAP conversation over one connection: libcurl connects, secures and logs in; the
// session then examines folders (EXAMINE, so nothing in the mailbox changes), searches by date and
// fetches with BODY.PEEK (no message is marked as read). Blocking: worker thread or command line.
class ImapSession
{
    Q_DECLARE_TR_FUNCTIONS(ImapSession)
public:
    static constexpr int ReadTimeoutMs = 60000;
    // The headers of this many messages are asked for in one command.
    static constexpr int FetchBatch = 1000;

    ImapSession(const MailServer &server, const QString &password);
    ~ImapSession();

    bool connect(QString *error);
    bool examine(const QString &folder, QString *error);
    // The UIDs of the examined folder's messages that arrived on or after `day`.
    std::optional<QList<quint32>> searchSince(const QDate &day, QString *error);
    // Their reply headers (Message-ID, In-Reply-To, References, From, Date).
    std::optional<QList<ReceivedMessage>> fetchHeaders(const QList<quint32> &uids, QString *error);
    // The start of one message, enough for its first lines.
    std::optional<QByteArray> fetchStart(quint32 uid, QString *error);
    void logout();

    // "1:5,7,9:10": UIDs in the compact form of an IMAP set.
    static QByteArray uidSet(QList<quint32> uids);
    // A folder name as an IMAP quoted string.
    static QByteArray quoted(const QString &text);

    // One response: its text with every literal cut out, and the literals in order.
    struct Response
    {
        QByteArray text;
        QList<QByteArray> literals;
    };

private:
    bool command(const QByteArray &command, QList<Response> *untagged, QString *error);
    bool readResponse(Response &response, QString *error);
    bool readLine(QByteArray &line, QString *error);
    bool readBytes(qsizetype count, QByteArray &bytes, QString *error);
    bool fill(QString *error);
    bool writeAll(const QByteArray &bytes, QString *error);
    bool wait(bool forWriting, QString *error);

    CurlMailHandle m_handle;
    QByteArray m_buffer;
    int m_tag = 0;
    bool m_connected = false;
};
