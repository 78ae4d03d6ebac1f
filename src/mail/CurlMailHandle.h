#pragma once

#include "MailAccount.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

typedef void CURL;

// One libcurl handle set up for a mail server: address, user and password, TLS verified (or the
// very certificate the user accepted), time-outs. Its connection stays open between transfers, so
// many messages go over one. It keeps the server's last answer for error messages; what the client
// sends (the password among it) is never kept.
class CurlMailHandle
{
    Q_DECLARE_TR_FUNCTIONS(CurlMailHandle)
public:
    static constexpr long ConnectTimeoutSeconds = 30;

    CurlMailHandle(const MailServer &server, const QString &password);
    ~CurlMailHandle();
    CurlMailHandle(const CurlMailHandle &) = delete;
    CurlMailHandle &operator=(const CurlMailHandle &) = delete;

    CURL *handle() const { return m_curl; }
    const MailServer &server() const { return m_server; }

    // The server's answer to the last command: its code (0 when none came) and its lines.
    int lastReplyCode() const { return m_replyCode; }
    QString lastReply() const { return m_reply.join(u' '); }
    void clearReply();
    // A failure of the last transfer in words: the server's answer when there was one, else libcurl's.
    QString failureText(int curlCode) const;
    // The SHA-256 fingerprint of the certificate the server presented, known once TLS started.
    QString presentedCertificate() const { return m_presentedCertificate; }
    bool certificateRefused(int curlCode) const;

    // "AB:CD:…" from any spelling of a fingerprint, for comparing.
    static QString normalisedFingerprint(const QString &text);

private:
    static int debugCallback(CURL *, int type, char *data, size_t size, void *self);
    static int sslContextCallback(CURL *, void *context, void *self);
    static int verifyCallback(int preverified, void *storeContext);

    MailServer m_server;
    CURL *m_curl = nullptr;
    QByteArray m_url;
    QByteArray m_user;
    QByteArray m_password;
    char m_errorBuffer[256] = {};
    QStringList m_reply;
    int m_replyCode = 0;
    QString m_refusal; // the last answer that refused something (a code from 400 on)
    bool m_replyDone = true;
    QString m_presentedCertificate;
    QString m_acceptedCertificate;
};
