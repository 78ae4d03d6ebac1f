#include "SendMessagesDialog.h"

#include "MailCertificatePrompt.h"
#include "MailPasswordPrompt.h"
#include "mail/MailSendWorker.h"
#include "mail/MessageLogThread.h"
#include "mail/PartnerMessages.h"
#include "model/CollectionManager.h"
#include "model/EmailTemplate.h"
#include "model/Link.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum Column
{
    PartnerColumn,
    AddressColumn,
    StateColumn
};
}

SendMessagesDialog::SendMessagesDialog(const CollectionManager &store, const QStringList &linkIDs,
                                       const QString &databasePath, MessageLogThread *log, QWidget *parent)
    : QDialog(parent), m_store(store), m_linkIDs(linkIDs), m_databasePath(databasePath), m_log(log),
      m_account(MailAccount::fromPreferences()), m_worker(new MailSendWorker(this))
{
    setWindowTitle(tr("Send Message to Selected Links"));
    setWindowModality(Qt::WindowModal);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_templatePopup = new QComboBox;
    m_templatePopup->setObjectName(QStringLiteral("templatePopup"));
    for (const auto &emailTemplate : store.emailTemplateList().emailTemplates())
        m_templatePopup->addItem(emailTemplate->name(), emailTemplate->ID());
    form->addRow(tr("&Template:"), m_templatePopup);
    layout->addLayout(form);

    auto *recipientsLabel = new QLabel(tr("Re&cipients:"));
    m_recipientsList = new QTreeWidget;
    m_recipientsList->setObjectName(QStringLiteral("recipientsList"));
    m_recipientsList->setAccessibleName(tr("Recipients"));
    m_recipientsList->setHeaderLabels({tr("Partner"), tr("Address"), tr("State")});
    m_recipientsList->setRootIsDecorated(false);
    // Fitted once when filled: fitted on every change, each message sent would measure every row again.
    m_recipientsList->header()->setSectionResizeMode(QHeaderView::Interactive);
    m_recipientsList->header()->setResizeContentsPrecision(100); // the first rows are enough to go by
    recipientsLabel->setBuddy(m_recipientsList);
    layout->addWidget(recipientsLabel);
    layout->addWidget(m_recipientsList, 1);

    auto *previewLabel = new QLabel(tr("Pre&view:"));
    m_previewField = new QPlainTextEdit;
    m_previewField->setObjectName(QStringLiteral("previewField"));
    m_previewField->setAccessibleName(tr("Preview"));
    m_previewField->setReadOnly(true);
    previewLabel->setBuddy(m_previewField);
    layout->addWidget(previewLabel);
    layout->addWidget(m_previewField, 1);

    auto *options = new QFormLayout;
    m_paceField = new QSpinBox;
    m_paceField->setObjectName(QStringLiteral("paceField"));
    m_paceField->setRange(0, 600);
    m_paceField->setSpecialValueText(tr("No pause"));
    m_paceField->setSuffix(tr(" per minute"));
    m_paceField->setValue(20);
    options->addRow(tr("&Pace:"), m_paceField);
    layout->addLayout(options);
    m_negotiatingCheckbox = new QCheckBox(tr("Move &New links to Negotiating"));
    m_negotiatingCheckbox->setObjectName(QStringLiteral("negotiatingCheckbox"));
    m_negotiatingCheckbox->setChecked(true);
    layout->addWidget(m_negotiatingCheckbox);

    m_progressBar = new QProgressBar;
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_progressBar->setAccessibleName(tr("Progress"));
    m_progressBar->setValue(0);
    m_statusField = new QLabel;
    m_statusField->setObjectName(QStringLiteral("statusField"));
    m_statusField->setWordWrap(true);
    layout->addWidget(m_progressBar);
    layout->addWidget(m_statusField);

    auto *buttons = new QDialogButtonBox;
    m_sendButton = buttons->addButton(tr("&Send"), QDialogButtonBox::AcceptRole);
    m_stopButton = buttons->addButton(tr("St&op"), QDialogButtonBox::ActionRole);
    m_closeButton = buttons->addButton(QDialogButtonBox::Close);
    m_sendButton->setObjectName(QStringLiteral("sendButton"));
    m_stopButton->setObjectName(QStringLiteral("stopButton"));
    m_sendButton->setDefault(true);
    layout->addWidget(buttons);
    // The buttons do not close the sheet by themselves: Send and Stop act, Close closes.
    connect(m_sendButton, &QPushButton::clicked, this, &SendMessagesDialog::send);
    connect(m_stopButton, &QPushButton::clicked, this, &SendMessagesDialog::stop);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);

    connect(m_templatePopup, &QComboBox::currentIndexChanged, this, [this] {
        m_remaining.clear(); // another template: what was stopped is not resumed under it
        fillRecipients();
    });
    connect(m_recipientsList, &QTreeWidget::currentItemChanged, this, &SendMessagesDialog::showPreview);
    connect(m_worker, &MailSendWorker::messageSent, this,
            [this](qint64, const QString &linkID, const QString &) {
                m_sentLinkIDs.append(linkID);
                setRowState(linkID, tr("Sent"));
                m_log->notifyChanged({linkID});
            });
    connect(m_worker, &MailSendWorker::messageFailed, this,
            [this](qint64 logID, const QString &linkID, const QString &reason, const QString &certificate) {
                setRowState(linkID, tr("Failed: %1").arg(reason));
                m_log->notifyChanged({linkID});
                if (certificate.isEmpty())
                    return;
                // Asked once the batch has ended: the messages after it wait, the account being at fault.
                for (const SendJob &job : std::as_const(m_remaining))
                    if (job.logID == logID)
                        m_refused = Refusal{job, certificate, reason};
            });
    connect(m_worker, &MailSendWorker::progress, this, [this](int done, int total) {
        m_progressBar->setMaximum(total);
        m_progressBar->setValue(done);
    });
    connect(m_worker, &MailSendWorker::finished, this, [this](bool stopped, const QList<qint64> &remaining) {
        QList<SendJob> rest;
        for (const SendJob &job : std::as_const(m_remaining))
            if (remaining.contains(job.logID))
                rest.append(job);
        m_remaining = rest;
        if (m_refused) {
            const Refusal refused = *m_refused;
            m_refused.reset();
            if (MailCertificatePrompt::accept(this, m_account.smtp, refused.certificate, refused.reason)) {
                // The refused message goes again first, through the certificate now trusted.
                m_remaining.prepend(refused.job);
                setRowState(refused.job.linkID, tr("Ready"));
                send();
                return;
            }
            m_statusField->setText(refused.reason);
            updateButtons();
            emit batchFinished(true);
            return;
        }
        m_statusField->setText(
            stopped ? tr("Stopped: %n message(s) wait; Send resumes.", nullptr, int(rest.size()))
                    : tr("Done."));
        updateButtons();
        emit batchFinished(stopped);
    });
    fillRecipients();
    updateButtons();
    resize(680, 620); // room for the state of each recipient and a readable preview
    m_templatePopup->setFocus();
}

SendMessagesDialog::~SendMessagesDialog() = default;

void SendMessagesDialog::setPace(int messagesPerMinute)
{
    m_paceField->setValue(messagesPerMinute);
}

bool SendMessagesDialog::isSending() const
{
    return m_preparing || m_worker->isRunning();
}

bool SendMessagesDialog::movesNewToNegotiating() const
{
    return m_negotiatingCheckbox->isChecked();
}

std::optional<PartnerMessages::Draft> SendMessagesDialog::draftFor(int row) const
{
    const EmailTemplate *emailTemplate =
        m_store.emailTemplateList().emailTemplateWithID(m_templatePopup->currentData().toString());
    const Link *link = m_store.linkWithID(m_linkIDs.value(row));
    if (!emailTemplate || !link)
        return std::nullopt;
    return PartnerMessages::draft(m_store, *link, *emailTemplate);
}

LoggedMessage SendMessagesDialog::messageFor(int row) const
{
    const std::optional<PartnerMessages::Draft> draft = draftFor(row);
    return draft ? draft->filled() : LoggedMessage();
}

void SendMessagesDialog::fillRecipients()
{
    m_recipientsList->clear();
    m_rows.clear();
    for (int row = 0; row < m_linkIDs.size(); ++row) {
        const Link *link = m_store.linkWithID(m_linkIDs.at(row));
        if (!link)
            continue;
        const QString address = link->contactEmail().trimmed();
        auto *item = new QTreeWidgetItem(
            m_recipientsList,
            {link->title(), address, address.isEmpty() ? tr("Skipped: no address") : tr("Ready")});
        item->setData(PartnerColumn, Qt::UserRole, row);
        m_rows.insert(link->ID(), item);
    }
    m_recipientsList->resizeColumnToContents(PartnerColumn);
    m_recipientsList->resizeColumnToContents(AddressColumn);
    m_recipientsList->setCurrentItem(m_recipientsList->topLevelItem(0));
    showPreview();
}

void SendMessagesDialog::showPreview()
{
    const QTreeWidgetItem *item = m_recipientsList->currentItem();
    if (!item) {
        m_previewField->clear();
        return;
    }
    const LoggedMessage message = messageFor(item->data(PartnerColumn, Qt::UserRole).toInt());
    if (message.toAddress.isEmpty()) {
        m_previewField->setPlainText(tr("This partner has no e-mail address: no message goes to it."));
        return;
    }
    m_previewField->setPlainText(
        tr("To: %1\nSubject: %2\n\n%3")
            .arg(MailAddress{message.toName, message.toAddress}.text(), message.subject, message.body));
}

void SendMessagesDialog::setRowState(const QString &linkID, const QString &text)
{
    if (QTreeWidgetItem *item = m_rows.value(linkID))
        item->setText(StateColumn, text);
}

void SendMessagesDialog::updateButtons()
{
    const bool sending = isSending();
    m_sendButton->setText(m_remaining.isEmpty() ? tr("&Send") : tr("&Resume"));
    m_sendButton->setEnabled(!sending && m_templatePopup->count() > 0);
    m_stopButton->setEnabled(sending);
    m_templatePopup->setEnabled(!sending);
    m_paceField->setEnabled(!sending);
    m_closeButton->setEnabled(!sending);
}

void SendMessagesDialog::send()
{
    if (isSending())
        return;
    QString why;
    if (!m_account.sender.isValid())
        why = tr("No sender address: set one in Preferences › Mail.");
    else if (!m_account.smtp.check(&why))
        ;
    else if (m_databasePath.isEmpty())
        why = tr("Save the database first: the messages are kept beside it.");
    if (!why.isEmpty()) {
        m_statusField->setText(why);
        return;
    }
    m_preparing = true;
    updateButtons();
    MailPasswordPrompt::obtain(m_account.smtp, this, true, [this](const std::optional<QString> &password) {
        if (!password) {
            m_preparing = false;
            m_statusField->setText(tr("Nothing was sent."));
            updateButtons();
            return;
        }
        sendWithPassword(*password);
    });
}

void SendMessagesDialog::sendWithPassword(const QString &password)
{
    if (!m_remaining.isEmpty()) {
        m_preparing = false;
        m_worker->start(m_databasePath, m_account.smtp, password, m_remaining, m_paceField->value());
        m_statusField->setText(tr("Sending…"));
        updateButtons();
        return;
    }
    // The placeholders are read here and filled on the log's thread, where the messages are logged.
    QList<PartnerMessages::Draft> drafts;
    for (int row = 0; row < m_linkIDs.size(); ++row) {
        if (m_sentLinkIDs.contains(m_linkIDs.at(row)))
            continue; // a partner gets one message from one sheet
        std::optional<PartnerMessages::Draft> draft = draftFor(row);
        if (draft && !draft->message.toAddress.isEmpty())
            drafts.append(std::move(*draft));
    }
    if (drafts.isEmpty()) {
        m_preparing = false;
        m_statusField->setText(
            m_sentLinkIDs.isEmpty()
                ? tr("No recipient has an e-mail address.")
                : tr("Nothing left to send: every partner with an address has its message."));
        updateButtons();
        return;
    }
    // Every message is in the log before the first goes, so none is lost if sending ends midway.
    using Logged = std::optional<QList<SendJob>>;
    m_log->request<Logged>(
        [drafts, sender = m_account.sender](MessageLog &log) -> Logged {
            QList<LoggedMessage> messages;
            for (const PartnerMessages::Draft &draft : drafts)
                messages.append(draft.filled());
            const std::optional<QList<qint64>> rows = log.add(messages);
            if (!rows)
                return std::nullopt;
            QList<SendJob> jobs;
            for (qsizetype i = 0; i < messages.size(); ++i)
                jobs.append(
                    {rows->at(i), messages.at(i).linkID, PartnerMessages::outgoing(messages.at(i), sender)});
            return jobs;
        },
        this,
        [this, password](const Logged &jobs) {
            m_preparing = false;
            if (!jobs) {
                m_statusField->setText(tr("The message log cannot be written; nothing was sent."));
                updateButtons();
                return;
            }
            QStringList queued;
            for (const SendJob &job : *jobs)
                queued.append(job.linkID);
            m_log->notifyChanged(queued);
            m_remaining = *jobs;
            m_progressBar->setRange(0, int(m_remaining.size()));
            m_progressBar->setValue(0);
            m_worker->start(m_databasePath, m_account.smtp, password, m_remaining, m_paceField->value());
            m_statusField->setText(tr("Sending…"));
            updateButtons();
        });
}

void SendMessagesDialog::stop()
{
    m_worker->stop();
}

void SendMessagesDialog::done(int result)
{
    // The sheet stays while a message is on its way: Stop first.
    if (isSending())
        return;
    QDialog::done(result);
}
