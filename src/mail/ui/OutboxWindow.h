#pragma once

#include "mail/FollowUpPlanner.h"
#include "mail/LoggedMessage.h"
#include "mail/MailAccount.h"
#include "mail/OutboxDelivery.h"

#include <QDialog>
#include <QPointer>
#include <optional>

class CollectionManager;
class MailSendWorker;
class MessageLogThread;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The Outbox: the messages waiting to go (queued by the user or by lost links, for review), those
// that failed with the server's answer, and the follow-ups that are due. The user sends, edits or
// deletes them (an edited due follow-up is kept as queued); sending runs on a worker thread. A server
// certificate that does not verify is offered for acceptance, and the refused messages go again once it
// is accepted. A window beside the document, not modal.
class OutboxWindow : public QDialog
{
    Q_OBJECT
public:
    OutboxWindow(const CollectionManager &store, const QString &databasePath, MessageLogThread *log,
                 QWidget *parent = nullptr);
    ~OutboxWindow() override;

    void setAccount(const MailAccount &account) { m_account = account; }
    void reload();
    QTreeWidget *list() const { return m_list; }
    void sendSelected();
    void deleteSelected();
    void editSelected();
    // Every due follow-up goes without review ("Send follow-ups without asking"); the password must be
    // at hand, none is asked for.
    void sendDueFollowUps();

signals:
    void loaded();
    void sendingFinished();

private:
    struct Entry
    {
        LoggedMessage message;
        QString inReplyTo;
        QStringList references;
        bool due = false; // a follow-up not in the log yet
    };
    // A message the server's certificate was refused for, to offer the certificate once the batch ends.
    struct Refusal
    {
        qint64 logID = 0;
        QString certificate;
        QString reason;
    };
    void showEntries();
    QList<Entry> selectedEntries() const;
    void send(const QList<Entry> &entries, bool mayAsk = true);
    void sendWithPassword(const QList<Entry> &entries, const QString &password);
    void updateButtons();

    const CollectionManager &m_store;
    QString m_databasePath;
    QPointer<MessageLogThread> m_log;
    MailAccount m_account;
    MailSendWorker *m_worker;
    QList<Entry> m_entries;
    QTreeWidget *m_list;
    QLabel *m_statusField;
    QPushButton *m_sendButton;
    QPushButton *m_editButton;
    QPushButton *m_deleteButton;
    std::optional<Refusal> m_refused;
    bool m_preparing = false;
};
