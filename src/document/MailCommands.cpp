#include "MailCommands.h"

#include "DocumentMenus.h"
#include "MyDocument.h"
#include "gui/MessageBox.h"
#include "mail/LostLinkMessages.h"
#include "mail/MailPreferences.h"
#include "mail/MessageLog.h"
#include "mail/MessageLogThread.h"
#include "mail/ReplyCheck.h"
#include "mail/ui/MailPasswordPrompt.h"
#include "mail/ui/OutboxWindow.h"
#include "mail/ui/SendMessagesDialog.h"
#include "model/CollectionManager.h"
#include "model/Link.h"

#include <QAction>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

namespace {
constexpr int StatusMessageMs = 30000;
constexpr int ContactsReloadDelayMs = 250;
} // namespace

MailCommands::MailCommands(MyDocument *document) : DocumentCommandArea(document)
{
    connect(menus().action(ActionId::SendMessageToSelectedLinks), &QAction::triggered, this,
            &MailCommands::sendMessageToSelectedLinks);
    connect(menus().action(ActionId::ShowOutbox), &QAction::triggered, this, &MailCommands::showOutbox);
    connect(menus().action(ActionId::CheckForReplies), &QAction::triggered, this,
            &MailCommands::checkForReplies);
    connect(document->document()->notificationsTimer(), &QTimer::timeout, this,
            &MailCommands::checkRepliesOnTimer);
    m_contactsTimer = new QTimer(this);
    m_contactsTimer->setSingleShot(true);
    m_contactsTimer->setInterval(ContactsReloadDelayMs);
    connect(m_contactsTimer, &QTimer::timeout, this, &MailCommands::reloadLastContacts);
    connect(this, &MailCommands::repliesChecked, this, [this](int count, const QString &error) {
        showStatus(!error.isEmpty() ? tr("Replies cannot be checked: %1").arg(error)
                   : count == 0     ? tr("No new replies.")
                                    : tr("%n new reply(s) found.", nullptr, count));
        validateMenuItems();
    });
}

MailCommands::~MailCommands()
{
    if (m_replyCheck)
        m_replyCheck->wait();
}

void MailCommands::validateMenuItems()
{
    const bool saved = !document()->filePath().isEmpty();
    menus().action(ActionId::SendMessageToSelectedLinks)->setEnabled(document()->numberOfSelectedLinks() > 0);
    menus().action(ActionId::ShowOutbox)->setEnabled(saved);
    menus()
        .action(ActionId::CheckForReplies)
        ->setEnabled(saved && !(m_replyCheck && m_replyCheck->isRunning()));
}

SendMessagesDialog *MailCommands::sendSheet() const
{
    return m_sendSheet;
}

OutboxWindow *MailCommands::outbox() const
{
    return m_outbox;
}

MessageLogThread *MailCommands::messageLog()
{
    const QString path = document()->filePath();
    if (path != m_logPath) {
        // Saved under another name: the log beside the new file takes over.
        m_log.reset();
        m_logPath = path;
        if (!path.isEmpty()) {
            m_log = std::make_unique<MessageLogThread>(path);
            connect(m_log.get(), &MessageLogThread::messagesChanged, m_contactsTimer,
                    qOverload<>(&QTimer::start));
        }
    }
    return m_log.get();
}

void MailCommands::reloadLastContacts()
{
    const quint64 generation = ++m_contactsGeneration;
    MessageLogThread *log = messageLog();
    if (!log) {
        if (!m_lastContacts.isEmpty()) {
            m_lastContacts.clear();
            emit lastContactsChanged();
        }
        return;
    }
    using Contacts = QHash<QString, LastContact>;
    log->request<Contacts>([](MessageLog &log) { return log.lastContacts().value_or(Contacts()); }, this,
                           [this, generation](const Contacts &contacts) {
                               // An answer overtaken by a newer request is dropped; an unchanged one is not
                               // told.
                               if (generation != m_contactsGeneration ||
                                   (contacts.isEmpty() && m_lastContacts.isEmpty()))
                                   return;
                               m_lastContacts = contacts;
                               emit lastContactsChanged();
                           });
}

void MailCommands::showStatus(const QString &text)
{
    document()->statusBar()->showMessage(text, StatusMessageMs);
}

void MailCommands::sendMessageToSelectedLinks()
{
    const MailPreferences preferences = MailPreferences::current();
    if (!preferences.sendsFromApplication()) {
        MessageBox::alert(
            document(), tr("Messages go through your mail client."),
            tr("To send one template to many partners at once, choose \"Quillmarsh (SMTP)\" under "
               "\"Send messages with\" in Preferences › Mail and fill in the account."),
            {}, MessageBox::Information);
        return;
    }
    if (document()->filePath().isEmpty()) {
        MessageBox::alert(document(), tr("Save the database first."),
                          tr("The messages sent are kept beside the database file."), {},
                          MessageBox::Information);
        return;
    }
    if (m_sendSheet)
        return;
    m_sendSheet = new SendMessagesDialog(collectionManager(), document()->selectedLinkIDs(),
                                         document()->filePath(), messageLog(), document());
    m_sendSheet->setAttribute(Qt::WA_DeleteOnClose);
    m_sendSheet->setAccount(preferences.account);
    m_sendSheet->setPace(preferences.pace);
    connect(m_sendSheet, &QDialog::finished, this, &MailCommands::sendSheetDidEnd);
    m_sendSheet->open();
}

void MailCommands::sendSheetDidEnd()
{
    if (!m_sendSheet || !m_sendSheet->movesNewToNegotiating())
        return;
    QStringList ids;
    for (const QString &id : m_sendSheet->sentLinkIDs()) {
        const Link *link = collectionManager().linkWithID(id);
        if (link && link->status() == LinkStatusNew)
            ids.append(id);
    }
    if (ids.isEmpty())
        return;
    // Every partner written to from the sheet moves in one step.
    perform(tr("Set Status"), [&](DocumentChange &change) {
        change.linkIDs = ids;
        return collectionManager().setStatus(LinkStatusNegotiating, ids);
    });
}

void MailCommands::showOutbox()
{
    if (document()->filePath().isEmpty())
        return;
    if (!m_outbox) {
        m_outbox = new OutboxWindow(collectionManager(), document()->filePath(), messageLog(), document());
        m_outbox->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_outbox->setAccount(MailAccount::fromPreferences());
    m_outbox->reload();
    m_outbox->show();
    m_outbox->raise();
    m_outbox->activateWindow();
}

void MailCommands::checkForReplies()
{
    startReplyCheck(true);
}

void MailCommands::startReplyCheck(bool mayAsk)
{
    if (document()->filePath().isEmpty() || (m_replyCheck && m_replyCheck->isRunning()))
        return;
    const MailAccount account = MailAccount::fromPreferences();
    QString why;
    if (!account.imap.check(&why)) {
        showStatus(tr("Replies cannot be checked: %1").arg(why));
        return;
    }
    MailPasswordPrompt::obtain(account.imap, document(), mayAsk,
                               [this, account](const std::optional<QString> &password) {
                                   if (!password || (m_replyCheck && m_replyCheck->isRunning()))
                                       return;
                                   if (m_replyCheck)
                                       m_replyCheck->wait();
                                   showStatus(tr("Checking for replies…"));
                                   const QString path = document()->filePath();
                                   const QString secret = *password;
                                   m_replyCheck.reset(QThread::create([this, path, account, secret] {
                                       // The check holds its own connection to the log: the server may take a
                                       // while.
                                       MessageLog log(path);
                                       QString error;
                                       const std::optional<QList<ReplyMatch>> matches =
                                           ReplyCheck::run(log, account, secret, &error);
                                       if (!matches && log.error().isError())
                                           error = log.errorMessage(); // the server's words stay as they are
                                       const int count = matches ? int(matches->size()) : 0;
                                       QStringList answered;
                                       for (const ReplyMatch &match : matches.value_or(QList<ReplyMatch>()))
                                           answered.append(match.linkID);
                                       QMetaObject::invokeMethod(
                                           this,
                                           [this, count, error, answered] {
                                               if (!answered.isEmpty() && messageLog())
                                                   messageLog()->notifyChanged(answered);
                                               emit repliesChecked(count, error);
                                           },
                                           Qt::QueuedConnection);
                                   }));
                                   m_replyCheck->start();
                                   validateMenuItems();
                               });
}

void MailCommands::checkRepliesOnTimer()
{
    if (!document()->canRunTimerAction() || document()->filePath().isEmpty())
        return;
    const MailPreferences preferences = MailPreferences::current();
    if (preferences.account.imap.isConfigured())
        startReplyCheck(false); // the hour never asks for a password
    if (preferences.sendsFromApplication() && preferences.sendFollowUpsWithoutAsking) {
        // The Outbox plans the due follow-ups; it need not be on the screen for that.
        if (!m_outbox) {
            m_outbox =
                new OutboxWindow(collectionManager(), document()->filePath(), messageLog(), document());
            m_outbox->setAttribute(Qt::WA_DeleteOnClose);
        }
        m_outbox->setAccount(preferences.account);
        connect(m_outbox, &OutboxWindow::loaded, m_outbox, &OutboxWindow::sendDueFollowUps,
                Qt::SingleShotConnection);
        m_outbox->reload();
    }
}

void MailCommands::queueLostLinkMessages(const QList<LinkChange> &changes)
{
    MessageLogThread *log = messageLog();
    if (!log)
        return;
    QString error;
    const std::optional<QList<LoggedMessage>> messages =
        LostLinkMessages::messagesFor(collectionManager(), changes, &error);
    if (!messages) {
        showStatus(error);
        return;
    }
    if (messages->isEmpty())
        return;
    using Answer = QPair<int, QString>;
    const QList<LoggedMessage> toQueue = *messages;
    log->request<Answer>(
        [toQueue](MessageLog &log) {
            const std::optional<int> queued = LostLinkMessages::queueNew(log, toQueue);
            return Answer{queued.value_or(-1), queued ? QString() : log.errorMessage()};
        },
        this,
        [this](const Answer &answer) {
            if (answer.first < 0)
                showStatus(answer.second);
            else if (answer.first > 0) {
                showStatus(tr("%n message(s) about lost links wait in the Outbox for review.", nullptr,
                              answer.first));
                if (messageLog())
                    messageLog()->notifyChanged();
            }
            if (m_outbox)
                m_outbox->reload();
        });
}
