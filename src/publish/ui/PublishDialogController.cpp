#include "PublishDialogController.h"

#include "gui/FilePanel.h"
#include "gui/HelpBook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

PublishDialogController::PublishDialogController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PublishDialog"));
    setWindowTitle(tr("Publish Links Page"));
    setWindowModality(Qt::WindowModal);
    auto *layout = new QVBoxLayout(this);
    auto *intro =
        new QLabel(tr("The links page is exported and the files that changed since the last publish "
                      "are sent to your web server. Plain FTP is not offered: it sends the password "
                      "unencrypted."),
                   this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *form = new QFormLayout;
    m_protocol = new QComboBox(this);
    m_protocol->addItem(tr("SFTP (SSH)"), int(PublishDestination::Protocol::SFTP));
    m_protocol->addItem(tr("FTPS (FTP with TLS)"), int(PublishDestination::Protocol::FTPS));
    form->addRow(tr("&Protocol:"), m_protocol);
    m_host = new QLineEdit(this);
    m_host->setPlaceholderText(tr("www.example.com"));
    form->addRow(tr("&Server:"), m_host);
    m_port = new QSpinBox(this);
    m_port->setRange(0, 65535);
    m_port->setSpecialValueText(tr("Standard"));
    form->addRow(tr("P&ort:"), m_port);
    m_user = new QLineEdit(this);
    form->addRow(tr("User &name:"), m_user);
    m_folder = new QLineEdit(this);
    m_folder->setPlaceholderText(tr("public_html/links"));
    m_folder->setToolTip(
        tr("The folder of the links page on the server: in your home folder, or from the top when "
           "it starts with /"));
    form->addRow(tr("&Folder:"), m_folder);
    auto *keyRow = new QHBoxLayout;
    m_keyFile = new QLineEdit(this);
    m_keyFile->setPlaceholderText(tr("none: log in with the password"));
    m_chooseKeyButton = new QPushButton(tr("C&hoose..."), this);
    m_chooseKeyButton->setAutoDefault(false);
    m_chooseKeyButton->setAccessibleName(tr("Choose a key file"));
    keyRow->addWidget(m_keyFile, 1);
    keyRow->addWidget(m_chooseKeyButton);
    auto *keyLabel = new QLabel(tr("SSH &key file:"), this);
    keyLabel->setBuddy(m_keyFile);
    form->addRow(keyLabel, keyRow);
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setToolTip(tr("The password, or the key's passphrase"));
    form->addRow(tr("Pass&word:"), m_password);
    m_remember = new QCheckBox(tr("&Remember the password in the keyring"), this);
    m_remember->setChecked(true);
    form->addRow(QString(), m_remember);
    layout->addLayout(form);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summaryLabel"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_summary);
    m_progress = new QProgressBar(this);
    m_progress->setAccessibleName(tr("Files sent"));
    m_progress->hide();
    layout->addWidget(m_progress);
    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("filesTable"));
    m_table->setHorizontalHeaderLabels({tr("File"), tr("State"), tr("Server's answer")});
    m_table->setAccessibleName(tr("Files of the links page"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setMinimumHeight(140);
    layout->addWidget(m_table, 1);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Close | QDialogButtonBox::Help, this);
    m_dryRunButton = m_buttons->addButton(tr("&List Changes"), QDialogButtonBox::ActionRole);
    m_dryRunButton->setToolTip(tr("Shows which files would be sent, without sending them"));
    m_publishButton = m_buttons->addButton(tr("P&ublish"), QDialogButtonBox::AcceptRole);
    m_publishButton->setDefault(true);
    layout->addWidget(m_buttons);

    connect(m_publishButton, &QPushButton::clicked, this, [this] { emit publishRequested(false); });
    connect(m_dryRunButton, &QPushButton::clicked, this, [this] { emit publishRequested(true); });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_buttons, &QDialogButtonBox::helpRequested, this,
            [this] { HelpBook::showHelp(QStringLiteral("QuillmarshPublish"), this); });
    connect(m_chooseKeyButton, &QPushButton::clicked, this, &PublishDialogController::chooseKeyFile);
    connect(m_protocol, &QComboBox::currentIndexChanged, this, &PublishDialogController::protocolChanged);
    resize(620, 560);
}

void PublishDialogController::setDestination(const PublishDestination &destination)
{
    m_protocol->setCurrentIndex(destination.protocol == PublishDestination::Protocol::FTPS ? 1 : 0);
    m_host->setText(destination.host);
    m_port->setValue(destination.port);
    m_user->setText(destination.user);
    m_folder->setText(destination.folder);
    m_keyFile->setText(destination.keyFile);
    m_acceptedCertificateKey = destination.acceptedCertificateKey;
    m_password->clear();
    m_table->setRowCount(0);
    m_summary->clear();
    protocolChanged();
    m_host->setFocus();
}

PublishDestination PublishDialogController::destination() const
{
    PublishDestination destination;
    destination.protocol = PublishDestination::Protocol(m_protocol->currentData().toInt());
    destination.host = m_host->text().trimmed();
    destination.port = m_port->value();
    destination.user = m_user->text().trimmed();
    destination.folder = m_folder->text().trimmed();
    if (destination.protocol == PublishDestination::Protocol::SFTP)
        destination.keyFile = m_keyFile->text().trimmed();
    destination.acceptedCertificateKey = m_acceptedCertificateKey;
    return destination;
}

QString PublishDialogController::password() const
{
    return m_password->text().isEmpty() ? QString() : m_password->text();
}

void PublishDialogController::setPassword(const QString &password)
{
    m_password->setText(password);
}

bool PublishDialogController::rememberPassword() const
{
    return m_remember->isChecked();
}

QString PublishDialogController::problem()
{
    if (m_host->text().trimmed().isEmpty()) {
        m_host->setFocus();
        return tr("Enter the server's name.");
    }
    if (m_user->text().trimmed().isEmpty()) {
        m_user->setFocus();
        return tr("Enter your user name on the server.");
    }
    if (destination().keyFile.isEmpty() && m_password->text().isEmpty()) {
        m_password->setFocus();
        return tr("Enter the password, or choose a key file.");
    }
    return QString();
}

void PublishDialogController::showRunning(const QString &file, int index, int count)
{
    m_progress->show();
    m_progress->setRange(0, count);
    m_progress->setValue(index);
    m_summary->setText(tr("Sending %1 (%2 of %3)…").arg(file).arg(index + 1).arg(count));
}

void PublishDialogController::showOutcomes(const QList<Outcome> &outcomes, const QString &summary)
{
    m_progress->hide();
    m_table->setRowCount(int(outcomes.size()));
    for (int row = 0; row < outcomes.size(); ++row) {
        const Outcome &outcome = outcomes.at(row);
        m_table->setItem(row, 0, new QTableWidgetItem(outcome.file));
        m_table->setItem(row, 1, new QTableWidgetItem(outcome.state));
        m_table->setItem(row, 2, new QTableWidgetItem(outcome.reason));
    }
    m_table->resizeColumnToContents(0);
    m_table->resizeColumnToContents(1);
    m_summary->setText(summary);
}

void PublishDialogController::setBusy(bool busy)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{m_protocol, m_host, m_port, m_user, m_folder,
                                                            m_keyFile, m_chooseKeyButton, m_password,
                                                            m_remember, m_publishButton, m_dryRunButton})
        widget->setEnabled(!busy);
    if (!busy)
        protocolChanged();
}

void PublishDialogController::chooseKeyFile()
{
    const QString path = FilePanel::openFileName(this, tr("Choose an SSH Key"), QDir::homePath() + "/.ssh");
    if (!path.isEmpty())
        m_keyFile->setText(path);
}

void PublishDialogController::protocolChanged()
{
    // A key file logs in over SSH only.
    const bool sftp = m_protocol->currentData().toInt() == int(PublishDestination::Protocol::SFTP);
    m_keyFile->setEnabled(sftp);
    m_chooseKeyButton->setEnabled(sftp);
}
