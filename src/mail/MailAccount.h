#pragma once

#include "MailAddress.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>

// How a connection to a mail server is secured.
enum class MailSecurity
{
    StartTls = 0, // plain connection upgraded by STARTTLS, which must succeed
    Tls = 1,      // TLS from the first byte (smtps, imaps)
    None = 2,     // no encryption: allowed for a server on this machine only
};

// One server of the account: SMTP for sending, IMAP for reading replies.
struct MailServer
{
    Q_DECLARE_TR_FUNCTIONS(MailServer)
public:
    enum class Protocol
    {
        Smtp,
        Imap
    };

    Protocol protocol = Protocol::Smtp;
    QString host;
    int port = 0;
    MailSecurity security = MailSecurity::StartTls;
    QString user;
    // The SHA-256 fingerprint ("AB:CD:…") of a certificate the user accepted although it does not
    // verify; empty when none is.
    QString acceptedCertificate;

    bool isConfigured() const { return !host.isEmpty(); }
    bool isLocalHost() const;
    // "smtps://HOST:PORT" and so on: what libcurl connects to (the user is given apart).
    QString url() const;
    // Whether the settings can be used; `error` says why not.
    bool check(QString *error) const;
    // The keyring's key of this server's password ("smtp://USER@HOST:PORT").
    QString passwordKey() const;

    // Reads "smtp[s]://USER@HOST:PORT" or "imap[s]://USER@HOST:PORT"; STARTTLS for smtp:// and
    // imap:// when `startTls`, else none (local servers only, as `check` says).
    static std::optional<MailServer> fromUrl(const QString &text, bool startTls, QString *error);
};

// The account of the preferences: who sends, and through which servers.
struct MailAccount
{
    MailAddress sender;
    MailServer smtp{MailServer::Protocol::Smtp, {}, 587, MailSecurity::StartTls, {}, {}};
    MailServer imap{MailServer::Protocol::Imap, {}, 993, MailSecurity::Tls, {}, {}};
    QStringList folders{QStringLiteral("INBOX")};

    static MailAccount fromPreferences();
    void saveToPreferences() const;
    // Keeps the certificate `server` accepts as the one trusted for the preferences' server of its
    // protocol, when they name the same host and port (a window may send through another); whether
    // it was kept.
    static bool keepAcceptedCertificate(const MailServer &server);
};
