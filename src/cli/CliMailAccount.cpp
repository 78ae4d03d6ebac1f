#include "CliMailAccount.h"

#include "CliCommand.h"

#include "model/PasswordStore.h"

bool CliMailAccount::takeOptions(QStringList &arguments, QTextStream &err)
{
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        QString *value = argument == QLatin1String("--smtp")   ? &m_smtp
                         : argument == QLatin1String("--imap") ? &m_imap
                         : argument == QLatin1String("--from") ? &m_from
                                                               : nullptr;
        if (value) {
            if (i + 1 >= arguments.size()) {
                err << "quillmarsh-cli: " << CliCommand::tr("%1 needs a value").arg(argument) << Qt::endl;
                return false;
            }
            *value = arguments.at(++i);
        } else if (argument == QLatin1String("--starttls")) {
            m_startTls = true;
        } else {
            rest << argument;
        }
    }
    arguments = rest;
    return true;
}

std::optional<MailAccount> CliMailAccount::account(bool needsSmtp, bool needsImap, QTextStream &err) const
{
    MailAccount account = MailAccount::fromPreferences();
    QString why;
    auto server = [&](const QString &url, MailServer &into, MailServer::Protocol protocol) {
        if (url.isEmpty())
            return true;
        const std::optional<MailServer> given = MailServer::fromUrl(url, m_startTls, &why);
        if (given && given->protocol != protocol)
            why = CliCommand::tr("%1 is not a server of the kind this option names.").arg(url);
        if (!given || given->protocol != protocol)
            return false;
        // The certificate accepted in the preferences still holds for the same server.
        const QString accepted =
            into.host == given->host && into.port == given->port ? into.acceptedCertificate : QString();
        into = *given;
        into.acceptedCertificate = accepted;
        return true;
    };
    if (!server(m_smtp, account.smtp, MailServer::Protocol::Smtp) ||
        !server(m_imap, account.imap, MailServer::Protocol::Imap)) {
        err << "quillmarsh-cli: " << why << Qt::endl;
        return std::nullopt;
    }
    if (!m_from.isNull())
        account.sender = MailAddress::parse(m_from);
    if (needsSmtp) {
        if (!account.sender.isValid()) {
            err << "quillmarsh-cli: "
                << CliCommand::tr("No sender address: set one in the Mail preferences or give --from \"Name "
                                  "<address>\".")
                << Qt::endl;
            return std::nullopt;
        }
        if (!account.smtp.check(&why)) {
            err << "quillmarsh-cli: " << why << Qt::endl;
            return std::nullopt;
        }
    }
    if (needsImap && !account.imap.check(&why)) {
        err << "quillmarsh-cli: " << why << Qt::endl;
        return std::nullopt;
    }
    return account;
}

std::optional<QString> CliMailAccount::password(const MailServer &server, QTextStream &err)
{
    if (server.user.isEmpty())
        return QString();
    const char *variable =
        server.protocol == MailServer::Protocol::Smtp ? SmtpPasswordVariable : ImapPasswordVariable;
    if (qEnvironmentVariableIsSet(variable))
        return qEnvironmentVariable(variable);
    const PasswordStore::Answer answer = PasswordStore::readNow(server.passwordKey());
    if (answer.password)
        return answer.password;
    err << "quillmarsh-cli: "
        << CliCommand::tr(
               "No password for %1 on %2: keep it in the desktop keyring from the Mail preferences, or set "
               "%3.")
               .arg(server.user, server.host, QString::fromLatin1(variable))
        << (answer.error.isEmpty() ? QString() : QStringLiteral(" (") + answer.error + u')') << Qt::endl;
    return std::nullopt;
}
