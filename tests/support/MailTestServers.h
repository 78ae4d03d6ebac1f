#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>

// Real mail servers for tests, each started on 127.0.0.1 with its own configuration in a temporary
// folder and stopped when the object goes: SMTP (aiosmtpd), IMAP (dovecot), and the desktop keyring
// (gnome-keyring-daemon on a private session bus). Each needs its Debian package
// (scripts/install-deps.sh); `start` fails with the reason when it is missing.

// A self-signed certificate for localhost and 127.0.0.1, made with openssl.
struct TestCertificate
{
    QString certificatePath;
    QString keyPath;
    QString fingerprint; // SHA-256, "AB:CD:…"
    static std::optional<TestCertificate> make(const QString &folder, QString *error);
};

class SmtpTestServer
{
public:
    enum class Mode
    {
        StartTls,
        Tls,
        Plain
    };
    static inline const QString User = QStringLiteral("ann");
    static inline const QString Password = QStringLiteral("open sesame");

    SmtpTestServer() = default;
    ~SmtpTestServer();
    bool start(Mode mode, QString *error);
    void stop();

    quint16 port() const { return m_port; }
    QString fingerprint() const { return m_certificate.fingerprint; }
    // The messages received so far, in order (bytes as they arrived), and their recipients.
    QList<QByteArray> messages() const;
    QList<QStringList> recipients() const;
    int connections() const;

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    TestCertificate m_certificate;
    quint16 m_port = 0;
};

class ImapTestServer
{
public:
    static inline const QString User = QStringLiteral("ann");
    static inline const QString Password = QStringLiteral("open sesame");

    ImapTestServer() = default;
    ~ImapTestServer();
    bool start(QString *error);
    void stop();

    quint16 starttlsPort() const { return m_imapPort; }
    quint16 tlsPort() const { return m_imapsPort; }
    QString fingerprint() const { return m_certificate.fingerprint; }
    // Puts a message into a folder of the mailbox ("INBOX" or another, made when missing), as if it
    // arrived at `arrived`.
    bool addMessage(const QByteArray &message, const QDateTime &arrived,
                    const QString &folder = QStringLiteral("INBOX"));
    // Many at once, for benchmarks: the same, with one change of owner at the end.
    bool addMessages(const QList<QPair<QByteArray, QDateTime>> &messages,
                     const QString &folder = QStringLiteral("INBOX"));
    // Every message file of the mailbox with its flags (as the maildir names them), to see that
    // nothing was changed.
    QStringList mailboxState() const;
    QString log() const;

private:
    QString maildir(const QString &folder) const;

    QTemporaryDir m_folder;
    TestCertificate m_certificate;
    quint16 m_imapPort = 0;
    quint16 m_imapsPort = 0;
    bool m_running = false;
    int m_added = 0;
};

// A Secret Service of its own: a private D-Bus session bus with gnome-keyring-daemon on it, whose
// address this process uses while the object lives.
class KeyringTestSession
{
public:
    KeyringTestSession() = default;
    ~KeyringTestSession();
    bool start(QString *error);
    void stop();

private:
    QTemporaryDir m_folder;
    QProcess m_bus;
    QProcess m_keyring;
    QByteArray m_previousAddress;
    bool m_running = false;
};
