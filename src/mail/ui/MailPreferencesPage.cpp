#include "MailPreferencesPage.h"

#include "gui/MessageBox.h"
#include "mail/MailTestMessage.h"
#include "model/PasswordStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>

namespace {

QLineEdit *lineField(const QString &name)
{
    auto *field = new QLineEdit;
    field->setObjectName(name);
    return field;
}

MailSecurity securityAt(int index)
{
    return index == 1 ? MailSecurity::Tls : index == 2 ? MailSecurity::None : MailSecurity::StartTls;
}

} // namespace

MailPreferencesPage::MailPreferencesPage(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);

    auto *senderBox = new QGroupBox(tr("Sender"));
    auto *senderForm = new QFormLayout(senderBox);
    m_senderNameField = lineField(QStringLiteral("senderNameField"));
    m_senderAddressField = lineField(QStringLiteral("senderAddressField"));
    senderForm->addRow(tr("&Name:"), m_senderNameField);
    senderForm->addRow(tr("&Address:"), m_senderAddressField);
    layout->addWidget(senderBox);

    auto *smtpBox = new QGroupBox(tr("Outgoing mail (SMTP)"));
    auto *smtpForm = new QFormLayout(smtpBox);
    m_smtp = makeServerFields(
        QStringLiteral("smtp"), smtpForm,
        {tr("&Server:"), tr("P&ort:"), tr("S&ecurity:"), tr("&User name:"), tr("Pass&word:")});
    layout->addWidget(smtpBox);

    auto *imapBox = new QGroupBox(tr("Replies (IMAP, optional)"));
    auto *imapForm = new QFormLayout(imapBox);
    m_imap = makeServerFields(
        QStringLiteral("imap"), imapForm,
        {tr("Ser&ver:"), tr("Po&rt:"), tr("Secur&ity:"), tr("User na&me:"), tr("Passwor&d:")});
    m_foldersField = lineField(QStringLiteral("imapFoldersField"));
    m_foldersField->setToolTip(tr("The folders read for replies, separated by commas"));
    imapForm->addRow(tr("&Folders:"), m_foldersField);
    layout->addWidget(imapBox);

    auto *sendingForm = new QFormLayout;
    m_sendWithPopup = new QComboBox;
    m_sendWithPopup->setObjectName(QStringLiteral("sendWithPopup"));
    m_sendWithPopup->addItems({tr("My mail client"), tr("Quillmarsh (SMTP)")});
    sendingForm->addRow(tr("Send messa&ges with:"), m_sendWithPopup);
    m_paceField = new QSpinBox;
    m_paceField->setObjectName(QStringLiteral("paceField"));
    m_paceField->setRange(0, 600);
    m_paceField->setSpecialValueText(tr("No pause"));
    m_paceField->setSuffix(tr(" per minute"));
    sendingForm->addRow(tr("&Pace:"), m_paceField);
    layout->addLayout(sendingForm);
    m_followUpsCheckbox = new QCheckBox(tr("Send follow-ups without as&king"));
    m_followUpsCheckbox->setObjectName(QStringLiteral("followUpsCheckbox"));
    layout->addWidget(m_followUpsCheckbox);

    auto *testRow = new QHBoxLayout;
    m_testButton = new QPushButton(tr("Send a &Test Message"));
    m_testButton->setObjectName(QStringLiteral("testButton"));
    m_testButton->setAutoDefault(false);
    m_testResultField = new QLabel;
    m_testResultField->setObjectName(QStringLiteral("testResultField"));
    m_testResultField->setWordWrap(true);
    m_testResultField->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_testResultField->setAccessibleName(tr("Test result"));
    testRow->addWidget(m_testButton);
    testRow->addWidget(m_testResultField, 1);
    layout->addLayout(testRow);
    layout->addStretch(1);
    connect(m_testButton, &QPushButton::clicked, this, &MailPreferencesPage::sendTestMessage);
}

MailPreferencesPage::~MailPreferencesPage()
{
    if (m_testThread)
        m_testThread->wait();
}

MailPreferencesPage::ServerFields
MailPreferencesPage::makeServerFields(const QString &what, QFormLayout *form, const QStringList &labels)
{
    ServerFields fields;
    fields.host = lineField(what + QStringLiteral("HostField"));
    fields.port = new QSpinBox;
    fields.port->setObjectName(what + QStringLiteral("PortField"));
    fields.port->setRange(1, 65535);
    fields.security = new QComboBox;
    fields.security->setObjectName(what + QStringLiteral("SecurityPopup"));
    fields.security->addItems({tr("STARTTLS"), tr("TLS"), tr("None (this computer only)")});
    fields.user = lineField(what + QStringLiteral("UserField"));
    fields.password = lineField(what + QStringLiteral("PasswordField"));
    fields.password->setEchoMode(QLineEdit::Password);
    auto *hostRow = new QHBoxLayout;
    hostRow->addWidget(fields.host, 1);
    auto *portLabel = new QLabel(labels.at(1));
    portLabel->setBuddy(fields.port);
    hostRow->addWidget(portLabel);
    hostRow->addWidget(fields.port);
    auto *hostLabel = new QLabel(labels.at(0));
    hostLabel->setBuddy(fields.host);
    form->addRow(hostLabel, hostRow);
    form->addRow(labels.at(2), fields.security);
    form->addRow(labels.at(3), fields.user);
    form->addRow(labels.at(4), fields.password);
    return fields;
}

void MailPreferencesPage::setValues(const MailPreferences &values)
{
    m_loaded = values;
    const MailAccount &account = values.account;
    m_senderNameField->setText(account.sender.name);
    m_senderAddressField->setText(account.sender.address);
    showServer(m_smtp, account.smtp);
    showServer(m_imap, account.imap);
    m_foldersField->setText(account.folders.join(QStringLiteral(", ")));
    m_sendWithPopup->setCurrentIndex(values.sendWith);
    m_paceField->setValue(values.pace);
    m_followUpsCheckbox->setChecked(values.sendFollowUpsWithoutAsking);
    m_testResultField->clear();
}

void MailPreferencesPage::showServer(const ServerFields &fields, const MailServer &server)
{
    fields.host->setText(server.host);
    fields.port->setValue(server.port);
    fields.security->setCurrentIndex(int(server.security));
    fields.user->setText(server.user);
    fields.password->clear();
    fields.password->setPlaceholderText(server.user.isEmpty() ? QString() : tr("Kept in the keyring"));
}

void MailPreferencesPage::readServer(const ServerFields &fields, MailServer &server) const
{
    const QString host = fields.host->text().trimmed();
    const int port = fields.port->value();
    // A certificate was accepted for one server only.
    if (host.compare(server.host, Qt::CaseInsensitive) != 0 || port != server.port)
        server.acceptedCertificate.clear();
    server.host = host;
    server.port = port;
    server.security = securityAt(fields.security->currentIndex());
    server.user = fields.user->text().trimmed();
}

MailPreferences MailPreferencesPage::values() const
{
    MailPreferences values = m_loaded;
    MailAccount &account = values.account;
    account.sender = {m_senderNameField->text().trimmed(), m_senderAddressField->text().trimmed()};
    readServer(m_smtp, account.smtp);
    readServer(m_imap, account.imap);
    account.folders.clear();
    for (const QString &folder : m_foldersField->text().split(u','))
        if (!folder.trimmed().isEmpty())
            account.folders << folder.trimmed();
    if (account.folders.isEmpty())
        account.folders << QStringLiteral("INBOX");
    values.sendWith = m_sendWithPopup->currentIndex();
    values.pace = m_paceField->value();
    values.sendFollowUpsWithoutAsking = m_followUpsCheckbox->isChecked();
    return values;
}

void MailPreferencesPage::storePasswords()
{
    const MailAccount account = values().account;
    QList<QPair<QString, QString>> typed;
    if (!m_smtp.password->text().isEmpty())
        typed.append({account.smtp.passwordKey(), m_smtp.password->text()});
    if (!m_imap.password->text().isEmpty())
        typed.append({account.imap.passwordKey(), m_imap.password->text()});
    m_smtp.password->clear();
    m_imap.password->clear();
    auto pending = std::make_shared<int>(int(typed.size()));
    if (typed.isEmpty())
        emit passwordsStored();
    for (const auto &entry : typed) {
        const QString key = entry.first;
        const QString password = entry.second;
        PasswordStore::write(key, password, this, [this, key, password, pending](bool ok, const QString &) {
            // Without a keyring the password serves this session only.
            if (!ok)
                PasswordStore::setSessionPassword(key, password);
            if (--*pending == 0)
                emit passwordsStored();
        });
    }
}

bool MailPreferencesPage::isTesting() const
{
    return m_testThread && m_testThread->isRunning();
}

void MailPreferencesPage::sendTestMessage()
{
    if (isTesting())
        return;
    const MailAccount account = values().account;
    m_testButton->setEnabled(false);
    m_testResultField->setText(tr("Sending…"));
    const QString typed = m_smtp.password->text();
    if (!typed.isEmpty() || account.smtp.user.isEmpty()) {
        startTest(account, typed);
        return;
    }
    PasswordStore::read(account.smtp.passwordKey(), this,
                        [this, account](const PasswordStore::Answer &answer) {
                            startTest(account, answer.password.value_or(QString()));
                        });
}

void MailPreferencesPage::startTest(const MailAccount &account, const QString &password)
{
    if (m_testThread)
        m_testThread->wait();
    m_testThread.reset(QThread::create([this, account, password] {
        const SendResult result = MailTestMessage::send(account, password);
        QMetaObject::invokeMethod(
            this, [this, result] { showTestResult(result); }, Qt::QueuedConnection);
    }));
    m_testThread->start();
}

void MailPreferencesPage::showTestResult(const SendResult &result)
{
    m_testButton->setEnabled(true);
    QString text;
    if (result.sent)
        text = tr("The test message went to %1.").arg(m_senderAddressField->text().trimmed());
    else if (result.certificateRefused)
        text = tr("The server's certificate does not verify (SHA-256 %1): %2")
                   .arg(result.certificate, result.reason);
    else
        text = tr("The test message failed: %1").arg(result.reason);
    m_testResultField->setText(text);
    if (result.certificateRefused && !result.certificate.isEmpty() &&
        MessageBox::alert(this, tr("Accept this server's certificate?"),
                          tr("%1\n\nAccept it only when you know it is your server's: Quillmarsh then trusts "
                             "this certificate, and no other, for this server.")
                              .arg(text),
                          {tr("Cancel"), tr("Accept Certificate")}, MessageBox::Warning, 0) == 1) {
        // Pinned for the server as it is typed now; another host or port drops it again.
        m_loaded.account.smtp.host = m_smtp.host->text().trimmed();
        m_loaded.account.smtp.port = m_smtp.port->value();
        m_loaded.account.smtp.acceptedCertificate = result.certificate;
        m_testResultField->setText(tr("Certificate accepted: send the test message again."));
    }
    emit testFinished(result.sent, text);
}
