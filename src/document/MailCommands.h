#pragma once

#include "DocumentCommandArea.h"
#include "history/LinkChange.h"
#include "mail/LoggedMessage.h"

#include <QPointer>
#include <memory>

class MessageLogThread;
class OutboxWindow;
class QThread;
class QTimer;
class SendMessagesDialog;

// Messages sent from the application: Send Message to Selected Links (Link menu), the Outbox and
// Check for Replies (Tools menu, and hourly when an account for replies is set). Owns the message
// log's thread for the document's file, and each partner's last contact read from it for the list and
// the details pane; the lost links of a check queue their messages here.
class MailCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit MailCommands(MyDocument *document);
    ~MailCommands() override; // waits for a reply check under way

    void validateMenuItems() override;
    // The log of the document's file, on its thread; null for a database never saved.
    MessageLogThread *messageLog();

    void sendMessageToSelectedLinks();
    void showOutbox();
    void checkForReplies();
    // The messages for the links a check found lost wait in the Outbox for review.
    void queueLostLinkMessages(const QList<LinkChange> &changes);

    // Each partner's last message that went out, as last read from the log (empty until then, and
    // for a database never saved).
    const QHash<QString, LastContact> &lastContacts() const { return m_lastContacts; }
    // Reads them again on the log's thread; lastContactsChanged follows.
    void reloadLastContacts();

    SendMessagesDialog *sendSheet() const;
    OutboxWindow *outbox() const;

signals:
    // A reply check ended; `count` messages became replied, or `error` says why it failed.
    void repliesChecked(int count, const QString &error);
    void lastContactsChanged();

private:
    void sendSheetDidEnd();
    void startReplyCheck(bool mayAsk);
    void checkRepliesOnTimer();
    void showStatus(const QString &text);

    std::unique_ptr<MessageLogThread> m_log;
    QString m_logPath;
    QPointer<SendMessagesDialog> m_sendSheet;
    QPointer<OutboxWindow> m_outbox;
    std::unique_ptr<QThread> m_replyCheck;
    QHash<QString, LastContact> m_lastContacts;
    quint64 m_contactsGeneration = 0;
    QTimer *m_contactsTimer; // gathers the changes of a batch being sent into one read
};
