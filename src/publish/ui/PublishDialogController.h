#pragma once

#include "publish/PublishDestination.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

// The Publish Links Page sheet: where the page goes (SFTP or FTPS, host, port, user, folder, a key
// file or a password that may be kept in the keyring), then the upload's progress and what became
// of each file. It only gathers and shows; the document sends and records.
class PublishDialogController : public QDialog
{
    Q_OBJECT

public:
    struct Outcome
    {
        QString file;
        QString state; // "sent", "unchanged", "failed", "would-send"
        QString reason;
    };

    explicit PublishDialogController(QWidget *parent);

    void setDestination(const PublishDestination &destination);
    PublishDestination destination() const;
    // Null when the field is empty.
    QString password() const;
    void setPassword(const QString &password);
    bool rememberPassword() const;
    // Why the form cannot be sent as it is (focus moved to the field), or null.
    QString problem();

    void showRunning(const QString &file, int index, int count);
    void showOutcomes(const QList<Outcome> &outcomes, const QString &summary);
    void setBusy(bool busy);

    QLineEdit *hostField() const { return m_host; }
    QLineEdit *userField() const { return m_user; }
    QLineEdit *folderField() const { return m_folder; }
    QLineEdit *keyFileField() const { return m_keyFile; }
    QLineEdit *passwordField() const { return m_password; }
    QComboBox *protocolPopup() const { return m_protocol; }
    QSpinBox *portField() const { return m_port; }
    QPushButton *publishButton() const { return m_publishButton; }
    QPushButton *dryRunButton() const { return m_dryRunButton; }
    QTableWidget *table() const { return m_table; }
    QLabel *summaryLabel() const { return m_summary; }

signals:
    // `dryRun`: only list what would be sent.
    void publishRequested(bool dryRun);

private:
    void chooseKeyFile();
    void protocolChanged();

    QComboBox *m_protocol;
    QLineEdit *m_host;
    QSpinBox *m_port;
    QLineEdit *m_user;
    QLineEdit *m_folder;
    QLineEdit *m_keyFile;
    QPushButton *m_chooseKeyButton;
    QLineEdit *m_password;
    QCheckBox *m_remember;
    QLabel *m_summary;
    QProgressBar *m_progress;
    QTableWidget *m_table;
    QPushButton *m_publishButton;
    QPushButton *m_dryRunButton;
    QDialogButtonBox *m_buttons;
    QString m_acceptedCertificateKey;
};
