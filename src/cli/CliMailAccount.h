#pragma once

#include "mail/MailAccount.h"

#include <QStringList>
#include <QTextStream>
#include <optional>

// The mail account of the commands that send and read mail: the preferences' account, changed by
// --smtp, --starttls, --from and --imap; passwords from QUILLMARSH_SMTP_PASSWORD /
// QUILLMARSH_IMAP_PASSWORD or else the desktop keyring. Nothing of a password is ever printed.
class CliMailAccount
{
public:
    static inline const char *SmtpPasswordVariable = "QUILLMARSH_SMTP_PASSWORD";
    static inline const char *ImapPasswordVariable = "QUILLMARSH_IMAP_PASSWORD";

    // Takes the account options out of `arguments` (leaving the others); false on a malformed one,
    // with the reason printed.
    bool takeOptions(QStringList &arguments, QTextStream &err);
    // The account, or none with the reason printed.
    std::optional<MailAccount> account(bool needsSmtp, bool needsImap, QTextStream &err) const;
    // The password of `server`, or none with the reason printed. A server without a user needs none.
    static std::optional<QString> password(const MailServer &server, QTextStream &err);

private:
    QString m_smtp;
    QString m_imap;
    QString m_from;
    bool m_startTls = false;
};
