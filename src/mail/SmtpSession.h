#pragma once

#include "CurlMailHandle.h"
#include "MessageComposer.h"

#include <QString>

// How one message fared at the SMTP server.
struct SendResult
{
    bool sent = false;
    int code = 0;        // the server's reply code (250 when sent, 550 for a refused recipient…)
    QString reason;      // on failure: the server's answer, or why no server answered
    QString certificate; // the fingerprint of a certificate that did not verify
    bool certificateRefused = false;
    // The server could not be reached, refused the login or the connection's security: the messages
    // after this one would fare no better.
    bool accountProblem = false;
};

// Sends messages over one SMTP connection that stays open between them (libcurl reuses it). Blocking:
// it runs on a worker thread (MailSendWorker) or in the command-line tool.
class SmtpSession
{
public:
    SmtpSession(const MailServer &server, const QString &password);
    SendResult send(const ComposedMessage &message);

private:
    static size_t readCallback(char *buffer, size_t size, size_t count, void *self);

    CurlMailHandle m_handle;
    QByteArray m_pending;
    qsizetype m_offset = 0;
};
