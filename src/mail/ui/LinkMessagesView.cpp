#include "LinkMessagesView.h"

#include "mail/MessageLogThread.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

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
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
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
            item->setToolTip(4, message.replyExcerpt);
        item->setToolTip(2, message.body.left(500));
    }
    m_countLabel->setText(!error.isEmpty()     ? error
                          : messages.isEmpty() ? tr("No messages were sent to this partner from Quillmarsh.")
                                               : tr("%n message(s):", nullptr, int(messages.size())));
    emit loaded();
}
