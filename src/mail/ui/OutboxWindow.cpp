#include "OutboxWindow.h"

#include "MailCertificatePrompt.h"
#include "MailPasswordPrompt.h"
#include "mail/MailSendWorker.h"
#include "mail/MessageLogThread.h"
#include "mail/PartnerMessages.h"
#include "model/Clock.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

namespace {

constexpr int FittedRows = 100;

enum Column
{
    WhatColumn,
    ToColumn,
    SubjectColumn,
    StateColumn,
    DateColumn
};

QString kindText(const LoggedMessage &message)
{
    switch (message.kind) {
    case LoggedMessage::Kind::FollowUp:
        return OutboxWindow::tr("Follow-up %1").arg(message.sequenceStep);
    case LoggedMessage::Kind::LostLink:
        return OutboxWindow::tr("Lost link");
    case LoggedMessage::Kind::Message:
        break;
    }
    return OutboxWindow::tr("Message");
}

// The thread a queued follow-up answers: the first message of its sequence and those after it.
void threadOf(const LoggedMessage &message, const QList<LoggedMessage> &log, QString *inReplyTo,
              QStringList *references)
{
    if (message.sequenceRoot == 0)
        return;
    QList<LoggedMessage> sequence;
    for (const LoggedMessage &other : log)
        if ((other.id == message.sequenceRoot || other.sequenceRoot == message.sequenceRoot) &&
            !other.messageID.isEmpty() && other.id != message.id)
            sequence.append(other);
    std::sort(sequence.begin(), sequence.end(),
              [](const LoggedMessage &a, const LoggedMessage &b) { return a.sequenceStep < b.sequenceStep; });
    for (const LoggedMessage &other : std::as_const(sequence)) {
        if (other.id == message.sequenceRoot)
            *inReplyTo = other.messageID;
        references->append(other.messageID);
    }
}

template <typename Entries> QStringList linkIDsOf(const Entries &entries)
{
    QStringList ids;
    for (const auto &entry : entries)
        if (!ids.contains(entry.message.linkID))
            ids.append(entry.message.linkID);
    return ids;
}

} // namespace

OutboxWindow::OutboxWindow(const CollectionManager &store, const QString &databasePath, MessageLogThread *log,
                           QWidget *parent)
    : QDialog(parent), m_store(store), m_databasePath(databasePath), m_log(log),
      m_account(MailAccount::fromPreferences()), m_worker(new MailSendWorker(this))
{
    setWindowTitle(tr("Outbox"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(tr("&Messages waiting, failed or due:"));
    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("outboxList"));
    m_list->setAccessibleName(tr("Outbox messages"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setHeaderLabels({tr("What"), tr("To"), tr("Subject"), tr("State"), tr("Date")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Fitted to the first rows: measuring a thousand rows on each listing would stall the window.
    m_list->header()->setResizeContentsPrecision(FittedRows);
    label->setBuddy(m_list);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    m_statusField = new QLabel;
    m_statusField->setObjectName(QStringLiteral("outboxStatusField"));
    m_statusField->setWordWrap(true);
    layout->addWidget(m_statusField);
    auto *buttons = new QDialogButtonBox;
    m_sendButton = buttons->addButton(tr("&Send"), QDialogButtonBox::ActionRole);
    m_editButton = buttons->addButton(tr("&Edit..."), QDialogButtonBox::ActionRole);
    m_deleteButton = buttons->addButton(tr("&Delete"), QDialogButtonBox::ActionRole);
    QPushButton *closeButton = buttons->addButton(QDialogButtonBox::Close);
    m_sendButton->setObjectName(QStringLiteral("sendButton"));
    m_editButton->setObjectName(QStringLiteral("editButton"));
    m_deleteButton->setObjectName(QStringLiteral("deleteButton"));
    m_sendButton->setDefault(true);
    layout->addWidget(buttons);
    connect(m_sendButton, &QPushButton::clicked, this, &OutboxWindow::sendSelected);
    connect(m_editButton, &QPushButton::clicked, this, &OutboxWindow::editSelected);
    connect(m_deleteButton, &QPushButton::clicked, this, &OutboxWindow::deleteSelected);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &OutboxWindow::updateButtons);
    connect(m_list, &QTreeWidget::itemActivated, this, &OutboxWindow::editSelected);
    connect(m_worker, &MailSendWorker::messageSent, this,
            [this](qint64, const QString &linkID, const QString &) {
                if (m_log)
                    m_log->notifyChanged({linkID});
            });
    connect(m_worker, &MailSendWorker::messageFailed, this,
            [this](qint64 logID, const QString &linkID, const QString &reason, const QString &certificate) {
                m_statusField->setText(tr("A message failed: %1").arg(reason));
                if (m_log)
                    m_log->notifyChanged({linkID});
                // Offered once the batch has ended: the messages after it wait, the account being at fault.
                if (!certificate.isEmpty())
                    m_refused = Refusal{logID, certificate, reason};
            });
    connect(m_worker, &MailSendWorker::progress, this, [this](int done, int total) {
        m_statusField->setText(tr("Sending %1 of %2…").arg(done + 1 > total ? total : done + 1).arg(total));
    });
    connect(m_worker, &MailSendWorker::finished, this, [this](bool, const QList<qint64> &remaining) {
        m_statusField->setText(tr("Done."));
        const std::optional<Refusal> refused = std::exchange(m_refused, std::nullopt);
        if (refused &&
            MailCertificatePrompt::accept(this, m_account.smtp, refused->certificate, refused->reason)) {
            // The refused message and those stopped behind it go again, through the certificate now trusted.
            QList<qint64> again = remaining;
            again.prepend(refused->logID);
            connect(
                this, &OutboxWindow::loaded, this,
                [this, again] {
                    QList<Entry> entries;
                    for (const Entry &entry : std::as_const(m_entries))
                        if (!entry.due && again.contains(entry.message.id))
                            entries.append(entry);
                    send(entries);
                },
                Qt::SingleShotConnection);
            reload();
            return;
        }
        if (refused)
            m_statusField->setText(refused->reason);
        reload();
        emit sendingFinished();
    });
    resize(880, 420); // room for a failure reason beside the address and subject
    updateButtons();
}

OutboxWindow::~OutboxWindow() = default;

void OutboxWindow::reload()
{
    if (!m_log) {
        m_entries.clear();
        showEntries();
        return;
    }
    // What waits, and the sequences whose follow-up is due, are worked out on the log's thread, from
    // the log and the follow-up settings read here; only the due follow-ups are filled in here.
    struct Answer
    {
        QList<Entry> waiting;
        QList<FollowUpPlanner::DueSequence> due;
        QString error;
    };
    m_log->request<Answer>(
        [settings = FollowUpPlanner::settings(m_store), today = Clock::today()](MessageLog &log) {
            const std::optional<QList<LoggedMessage>> messages = log.messages();
            if (!messages)
                return Answer{{}, {}, log.errorMessage()};
            Answer answer;
            for (const LoggedMessage &message : *messages)
                if (message.state == LoggedMessage::State::Queued ||
                    message.state == LoggedMessage::State::Failed) {
                    Entry entry{message, {}, {}, false};
                    threadOf(message, *messages, &entry.inReplyTo, &entry.references);
                    answer.waiting.prepend(entry); // oldest first
                }
            answer.due = FollowUpPlanner::dueSequences(*messages, settings, today);
            return answer;
        },
        this,
        [this](const Answer &answer) {
            m_entries = answer.waiting;
            for (const DueFollowUp &due : FollowUpPlanner::fill(m_store, answer.due))
                m_entries.append({due.message, due.inReplyTo, due.references, true});
            showEntries();
            if (!answer.error.isEmpty())
                m_statusField->setText(answer.error);
            emit loaded();
        });
}

void OutboxWindow::showEntries()
{
    m_list->clear();
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry &entry = m_entries.at(i);
        const LoggedMessage &message = entry.message;
        QString state = entry.due ? tr("Due") : LoggedMessage::text(message.state);
        if (message.state == LoggedMessage::State::Failed && !message.reason.isEmpty())
            state = tr("%1: %2").arg(state, message.reason);
        auto *item = new QTreeWidgetItem(
            m_list,
            {kindText(message), MailAddress{message.toName, message.toAddress}.text(), message.subject, state,
             QLocale().toString(message.createdAt.toLocalTime(), QLocale::ShortFormat)});
        item->setData(WhatColumn, Qt::UserRole, i);
        item->setToolTip(StateColumn, state);
    }
    updateButtons();
}

QList<OutboxWindow::Entry> OutboxWindow::selectedEntries() const
{
    QList<Entry> entries;
    for (const QTreeWidgetItem *item : m_list->selectedItems())
        entries.append(m_entries.value(item->data(WhatColumn, Qt::UserRole).toInt()));
    return entries;
}

void OutboxWindow::updateButtons()
{
    const bool busy = m_preparing || m_worker->isRunning();
    const int selected = int(m_list->selectedItems().size());
    m_sendButton->setEnabled(!busy && selected > 0);
    m_editButton->setEnabled(!busy && selected == 1);
    m_deleteButton->setEnabled(!busy && selected > 0);
}

void OutboxWindow::sendSelected()
{
    send(selectedEntries());
}

void OutboxWindow::sendDueFollowUps()
{
    QList<Entry> due;
    for (const Entry &entry : std::as_const(m_entries))
        if (entry.due)
            due.append(entry);
    if (!due.isEmpty())
        send(due, false);
}

void OutboxWindow::send(const QList<Entry> &entries, bool mayAsk)
{
    if (entries.isEmpty() || m_preparing || m_worker->isRunning() || !m_log)
        return;
    QString why;
    if (!m_account.sender.isValid())
        why = tr("No sender address: set one in Preferences › Mail.");
    else
        m_account.smtp.check(&why);
    if (!why.isEmpty()) {
        m_statusField->setText(why);
        return;
    }
    m_preparing = true;
    updateButtons();
    MailPasswordPrompt::obtain(m_account.smtp, this, mayAsk,
                               [this, entries](const std::optional<QString> &password) {
                                   if (!password) {
                                       m_preparing = false;
                                       updateButtons();
                                       return;
                                   }
                                   sendWithPassword(entries, *password);
                               });
}

void OutboxWindow::sendWithPassword(const QList<Entry> &entries, const QString &password)
{
    // Due follow-ups enter the log first, so what goes is always recorded.
    QList<LoggedMessage> fresh;
    for (const Entry &entry : entries)
        if (entry.due)
            fresh.append(entry.message);
    m_log->request<std::optional<QList<qint64>>>(
        [fresh](MessageLog &log) { return fresh.isEmpty() ? QList<qint64>() : log.add(fresh); }, this,
        [this, entries, password](const std::optional<QList<qint64>> &rows) {
            m_preparing = false;
            if (!rows) {
                m_statusField->setText(tr("The message log cannot be written; nothing was sent."));
                updateButtons();
                return;
            }
            if (!rows->isEmpty())
                m_log->notifyChanged(linkIDsOf(entries));
            QList<SendJob> jobs;
            qsizetype next = 0;
            for (const Entry &entry : entries) {
                const qint64 id = entry.due ? rows->at(next++) : entry.message.id;
                jobs.append({id, entry.message.linkID,
                             PartnerMessages::outgoing(entry.message, m_account.sender, entry.inReplyTo,
                                                       entry.references)});
            }
            m_worker->start(m_databasePath, m_account.smtp, password, jobs, 0);
            updateButtons();
        });
}

void OutboxWindow::deleteSelected()
{
    QList<qint64> ids;
    QList<Entry> stored;
    for (const Entry &entry : selectedEntries())
        if (!entry.due) { // a due follow-up is not stored; it stays due
            ids.append(entry.message.id);
            stored.append(entry);
        }
    if (!m_log || ids.isEmpty())
        return;
    const QStringList linkIDs = linkIDsOf(stored);
    m_log->request<bool>(
        [ids](MessageLog &log) {
            bool ok = true;
            for (qint64 id : ids)
                ok = log.discard(id) && ok;
            return ok;
        },
        this,
        [this, linkIDs](bool) {
            m_log->notifyChanged(linkIDs);
            reload();
        });
}

void OutboxWindow::editSelected()
{
    const QList<Entry> entries = selectedEntries();
    if (entries.size() != 1 || !m_log)
        return;
    const LoggedMessage message = entries.first().message;
    const bool due = entries.first().due;
    QDialog editor(this);
    editor.setWindowTitle(tr("Edit Message"));
    auto *form = new QFormLayout(&editor);
    auto *toField = new QLineEdit(message.toAddress);
    toField->setObjectName(QStringLiteral("toField"));
    auto *subjectField = new QLineEdit(message.subject);
    subjectField->setObjectName(QStringLiteral("subjectField"));
    auto *bodyField = new QPlainTextEdit(message.body);
    bodyField->setObjectName(QStringLiteral("bodyField"));
    form->addRow(tr("&To:"), toField);
    form->addRow(tr("&Subject:"), subjectField);
    form->addRow(tr("&Message:"), bodyField);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &editor, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &editor, &QDialog::reject);
    toField->setFocus();
    if (editor.exec() != QDialog::Accepted)
        return;
    const QString to = toField->text().trimmed(), subject = subjectField->text(),
                  body = bodyField->toPlainText();
    const QString linkID = message.linkID;
    auto edited = [this, linkID](bool ok) {
        if (!ok)
            m_statusField->setText(tr("The message could not be changed."));
        else
            m_log->notifyChanged({linkID});
        reload();
    };
    if (due) {
        // An edited follow-up is kept: it waits in the log as queued, no longer planned anew.
        LoggedMessage queued = message;
        queued.toAddress = to;
        queued.subject = subject;
        queued.body = body;
        m_log->request<bool>([queued](MessageLog &log) { return log.add(queued).has_value(); }, this, edited);
        return;
    }
    const qint64 id = message.id;
    m_log->request<bool>(
        [id, to, subject, body](MessageLog &log) { return log.updateText(id, to, subject, body); }, this,
        edited);
}
