#pragma once

#include "mail/MailPreferences.h"
#include "mail/SmtpSession.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QThread;

// The Mail page of the preferences: the account that sends messages and reads replies, how messages
// go out, and "Send a Test Message", which runs on a thread of its own. Passwords typed here go to
// the keyring when the preferences are confirmed (for this session only where no keyring runs); the
// fields stay empty while a password is kept, and an empty field keeps it.
class MailPreferencesPage : public QWidget
{
    Q_OBJECT

public:
    explicit MailPreferencesPage(QWidget *parent = nullptr);
    ~MailPreferencesPage() override; // waits for a test message under way

    void setValues(const MailPreferences &values);
    MailPreferences values() const;
    // Writes the passwords typed since setValues under the keys of the servers as they are now.
    void storePasswords();
    bool isTesting() const;

signals:
    // A test message went out or failed; `text` says which, as shown on the page.
    void testFinished(bool sent, const QString &text);
    // The passwords typed went to the keyring (or, without one, into this session).
    void passwordsStored();

private:
    struct ServerFields
    {
        QLineEdit *host;
        QSpinBox *port;
        QComboBox *security;
        QLineEdit *user;
        QLineEdit *password;
    };
    // `labels`: server, port, security, user name and password, each with a mnemonic of its own.
    ServerFields makeServerFields(const QString &what, class QFormLayout *form, const QStringList &labels);
    void readServer(const ServerFields &fields, MailServer &server) const;
    void showServer(const ServerFields &fields, const MailServer &server);
    void sendTestMessage();
    void startTest(const MailAccount &account, const QString &password);
    void showTestResult(const SendResult &result);

    QLineEdit *m_senderNameField;
    QLineEdit *m_senderAddressField;
    ServerFields m_smtp;
    ServerFields m_imap;
    QLineEdit *m_foldersField;
    QComboBox *m_sendWithPopup;
    QSpinBox *m_paceField;
    QCheckBox *m_followUpsCheckbox;
    QPushButton *m_testButton;
    QLabel *m_testResultField;
    MailPreferences m_loaded; // keeps the accepted certificates while their server stays the same
    std::unique_ptr<QThread> m_testThread;
};
