#include "LinkMessagesView.h"

#include "mail/MessageLogThread.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column
{
    WhenColumn,
    ToColumn,
    SubjectColumn,
    StateColumn,
    RepliedColumn
};

QString shortDate(const QDateTime &when)
{
    return when.isValid() ? QLocale().toString(when.toLocalTime(), QLocale::ShortFormat) : QString();
}

} // namespace

LinkMessagesView::LinkMessagesView(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    m_countLabel = new QLabel;
    m_countLabel->setObjectName(QStringLiteral("messagesCountLabel"));
    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("messagesList"));
    m_list->setAccessibleName(tr("Messages to this partner"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("When"), tr("To"), tr("Subject"), tr("State"), tr("Replied")});
    // The editor is narrow: the subject takes what is left, and a long failure reason is cut short in
    // its column (its tooltip has it whole) rather than pushing the reply date out of sight.
    QHeaderView *header = m_list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(SubjectColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(StateColumn, QHeaderView::Interactive);
    header->resizeSection(StateColumn, header->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 18);
    m_countLabel->setBuddy(m_list);
    layout->addWidget(m_countLabel);
    layout->addWidget(m_list, 1);
}

void LinkMessagesView::showLink(MessageLogThread *log, const QString &linkID)
{
    if (m_log)
        disconnect(m_log, &MessageLogThread::messagesChanged, this, nullptr);
    m_log = log;
    if (m_log)
        connect(m_log, &MessageLogThread::messagesChanged, this, &LinkMessagesView::logChanged);
    m_linkID = linkID;
    m_loaded = false;
    m_list->clear();
    m_countLabel->clear();
    if (isVisible())
        reload();
}

void LinkMessagesView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_loaded)
        reload();
}

void LinkMessagesView::logChanged(const QStringList &linkIDs)
{
    if (m_linkID.isEmpty() || (!linkIDs.isEmpty() && !linkIDs.contains(m_linkID)))
        return;
    // A hidden tab reads the log when it is shown again.
    if (isVisible())
        reload();
    else
        m_loaded = false;
}

void LinkMessagesView::reload()
{
    m_loaded = true;
    if (!m_log || m_linkID.isEmpty()) {
        showMessages({}, QString());
        return;
    }
    using Answer = QPair<QList<LoggedMessage>, QString>;
    const QString linkID = m_linkID;
    m_log->request<Answer>(
        [linkID](MessageLog &log) {
            const std::optional<QList<LoggedMessage>> messages = log.messages(linkID);
            return messages ? Answer{*messages, QString()} : Answer{{}, log.errorMessage()};
        },
        this,
        [this, linkID](const Answer &answer) {
            if (linkID == m_linkID)
                showMessages(answer.first, answer.second);
        });
}

void LinkMessagesView::showMessages(const QList<LoggedMessage> &messages, const QString &error)
{
    m_list->clear();
    for (const LoggedMessage &message : messages) {
        QString state = LoggedMessage::text(message.state);
        if (message.state == LoggedMessage::State::Failed && !message.reason.isEmpty())
            state = tr("%1: %2").arg(state, message.reason);
        auto *item = new QTreeWidgetItem(
            m_list, {shortDate(message.sentAt.isValid() ? message.sentAt : message.createdAt),
                     message.toAddress, message.subject, state, shortDate(message.repliedAt)});
        if (!message.replyExcerpt.isEmpty())
            item->setToolTip(RepliedColumn, message.replyExcerpt);
        item->setToolTip(SubjectColumn, message.body.left(500));
        item->setToolTip(StateColumn, state);
    }
    m_countLabel->setText(!error.isEmpty()     ? error
                          : messages.isEmpty() ? tr("No messages were sent to this partner from Quillmarsh.")
                                               : tr("%n message(s):", nullptr, int(messages.size())));
    emit loaded();
}
