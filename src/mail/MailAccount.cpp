#include "MailAccount.h"

#include "model/Preferences.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QUrl>

bool MailServer::isLocalHost() const
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

QString MailServer::url() const
{
    QString scheme = protocol == Protocol::Smtp ? QStringLiteral("smtp") : QStringLiteral("imap");
    if (security == MailSecurity::Tls)
        scheme += u's';
    const QString shownHost = host.contains(u':') ? u'[' + host + u']' : host;
    return QStringLiteral("%1://%2:%3").arg(scheme, shownHost).arg(port);
}

bool MailServer::check(QString *error) const
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QString name = protocol == Protocol::Smtp ? tr("SMTP server") : tr("IMAP server");
    if (host.isEmpty())
        return fail(tr("No %1 is set up.").arg(name));
    if (host.contains(QRegularExpression(QStringLiteral(R"([\s/@?#])"))))
        return fail(tr("The %1 \"%2\" is not a host name.").arg(name, host));
    if (port < 1 || port > 65535)
        return fail(tr("The port of the %1 must be a number from 1 to 65535.").arg(name));
    if (security == MailSecurity::None && !isLocalHost())
        return fail(tr("The %1 %2 is not on this computer: connections to it must use STARTTLS or TLS, "
                       "so that your password and messages are not sent in the clear.")
                        .arg(name, host));
    return true;
}

QString MailServer::passwordKey() const
{
    const QString scheme = protocol == Protocol::Smtp ? QStringLiteral("smtp") : QStringLiteral("imap");
    return QStringLiteral("%1://%2@%3:%4").arg(scheme, user, host).arg(port);
}

std::optional<MailServer> MailServer::fromUrl(const QString &text, bool startTls, QString *error)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    MailServer server;
    if (scheme == QLatin1String("smtp") || scheme == QLatin1String("smtps")) {
        server.protocol = Protocol::Smtp;
    } else if (scheme == QLatin1String("imap") || scheme == QLatin1String("imaps")) {
        server.protocol = Protocol::Imap;
    } else {
        if (error)
            *error = tr("\"%1\" is not an address of the form smtp[s]://USER@HOST:PORT or "
                        "imap[s]://USER@HOST:PORT.")
                         .arg(text);
        return std::nullopt;
    }
    const bool implicitTls = scheme.endsWith(u's');
    server.security =
        implicitTls ? MailSecurity::Tls : (startTls ? MailSecurity::StartTls : MailSecurity::None);
    server.host = url.host();
    server.user = url.userName();
    const int defaultPort =
        server.protocol == Protocol::Smtp ? (implicitTls ? 465 : 587) : (implicitTls ? 993 : 143);
    server.port = url.port(defaultPort);
    if (!url.isValid() || !url.password().isEmpty() ||
        (url.path() != QLatin1String("/") && !url.path().isEmpty())) {
        if (error)
            *error = url.password().isEmpty()
                         ? tr("\"%1\" is not an address of the form %2://USER@HOST:PORT.").arg(text, scheme)
                         : tr("A password does not belong in the server's address: it comes from the keyring "
                              "or from the environment.");
        return std::nullopt;
    }
    if (!server.check(error))
        return std::nullopt;
    return server;
}

MailAccount MailAccount::fromPreferences()
{
    MailAccount account;
    account.sender = {Preferences::stringValue(Preferences::MailSenderName),
                      Preferences::stringValue(Preferences::MailSenderAddress)};
    auto read = [](MailServer &server, const QString &host, const QString &port, const QString &security,
                   const QString &user, const QString &certificate) {
        server.host = Preferences::stringValue(host).trimmed();
        server.port = Preferences::intValue(port);
        const int code = Preferences::intValue(security);
        server.security = code == 1   ? MailSecurity::Tls
                          : code == 2 ? MailSecurity::None
                                      : MailSecurity::StartTls;
        server.user = Preferences::stringValue(user);
        server.acceptedCertificate = Preferences::stringValue(certificate);
    };
    read(account.smtp, Preferences::SmtpHost, Preferences::SmtpPort, Preferences::SmtpSecurity,
         Preferences::SmtpUser, Preferences::SmtpCertificate);
    read(account.imap, Preferences::ImapHost, Preferences::ImapPort, Preferences::ImapSecurity,
         Preferences::ImapUser, Preferences::ImapCertificate);
    account.folders.clear();
    for (const QString &folder : Preferences::stringValue(Preferences::ImapFolders).split(u','))
        if (!folder.trimmed().isEmpty())
            account.folders << folder.trimmed();
    if (account.folders.isEmpty())
        account.folders << QStringLiteral("INBOX");
    return account;
}

void MailAccount::saveToPreferences() const
{
    Preferences::setValue(Preferences::MailSenderName, sender.name);
    Preferences::setValue(Preferences::MailSenderAddress, sender.address);
    auto write = [](const MailServer &server, const QString &host, const QString &port,
                    const QString &security, const QString &user, const QString &certificate) {
        Preferences::setValue(host, server.host);
        Preferences::setValue(port, server.port);
        Preferences::setValue(security, int(server.security));
        Preferences::setValue(user, server.user);
        Preferences::setValue(certificate, server.acceptedCertificate);
    };
    write(smtp, Preferences::SmtpHost, Preferences::SmtpPort, Preferences::SmtpSecurity,
          Preferences::SmtpUser, Preferences::SmtpCertificate);
    write(imap, Preferences::ImapHost, Preferences::ImapPort, Preferences::ImapSecurity,
          Preferences::ImapUser, Preferences::ImapCertificate);
    Preferences::setValue(Preferences::ImapFolders, folders.join(u','));
}

bool MailAccount::keepAcceptedCertificate(const MailServer &server)
{
    const bool smtp = server.protocol == MailServer::Protocol::Smtp;
    const MailAccount stored = fromPreferences();
    const MailServer &current = smtp ? stored.smtp : stored.imap;
    if (current.host.compare(server.host, Qt::CaseInsensitive) != 0 || current.port != server.port)
        return false;
    Preferences::setValue(smtp ? Preferences::SmtpCertificate : Preferences::ImapCertificate,
                          server.acceptedCertificate);
    return true;
}
