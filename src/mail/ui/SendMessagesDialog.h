#pragma once

#include "mail/LoggedMessage.h"
#include "mail/MailAccount.h"
#include "mail/OutboxDelivery.h"
#include "mail/PartnerMessages.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QStringList>
#include <optional>

class CollectionManager;
class MailSendWorker;
class MessageLogThread;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

// "Send Message to Selected Links": one template to many partners. Lists the recipients (those
// without an address are skipped), previews each one's message with the placeholders filled, and
// sends them on a worker thread at the chosen pace; Stop leaves the rest queued and Send resumes
// them. A server certificate that does not verify is offered for acceptance; accepted, the refused
// message goes again. The links written to are handed back when the sheet closes, for the document to move
// New ones to Negotiating in one step.
class SendMessagesDialog : public QDialog
{
    Q_OBJECT

public:
    SendMessagesDialog(const CollectionManager &store, const QStringList &linkIDs,
                       const QString &databasePath, MessageLogThread *log, QWidget *parent = nullptr);
    ~SendMessagesDialog() override;

    void setAccount(const MailAccount &account) { m_account = account; }
    void setPace(int messagesPerMinute);
    bool isSending() const;
    // The partners a message went to since the sheet opened.
    QStringList sentLinkIDs() const { return m_sentLinkIDs; }
    bool movesNewToNegotiating() const;

    // The message `row` of the recipients list gets with the chosen template (its address empty when
    // it is skipped).
    LoggedMessage messageFor(int row) const;
    void send();
    void stop();

signals:
    // A batch ended; `stopped` when the user stopped it.
    void batchFinished(bool stopped);

public slots:
    void done(int result) override;

private:
    std::optional<PartnerMessages::Draft> draftFor(int row) const;
    void fillRecipients();
    void showPreview();
    void sendWithPassword(const QString &password);
    void setRowState(const QString &linkID, const QString &text);
    void updateButtons();

    const CollectionManager &m_store;
    QStringList m_linkIDs;
    QString m_databasePath;
    MessageLogThread *m_log;
    MailAccount m_account;
    MailSendWorker *m_worker;

    QComboBox *m_templatePopup;
    QTreeWidget *m_recipientsList;
    QPlainTextEdit *m_previewField;
    QSpinBox *m_paceField;
    QCheckBox *m_negotiatingCheckbox;
    QProgressBar *m_progressBar;
    QLabel *m_statusField;
    QPushButton *m_sendButton;
    QPushButton *m_stopButton;
    QPushButton *m_closeButton;

    // A message the server's certificate was refused for, to offer the certificate once the batch ends.
    struct Refusal
    {
        SendJob job;
        QString certificate;
        QString reason;
    };

    QList<SendJob> m_remaining; // queued and logged, not sent yet (after Stop)
    std::optional<Refusal> m_refused;
    QStringList m_sentLinkIDs;
    QHash<QString, QTreeWidgetItem *> m_rows; // by link ID
    bool m_preparing = false;
};
