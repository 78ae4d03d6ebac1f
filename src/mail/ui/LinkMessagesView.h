#pragma once

#include "mail/LoggedMessage.h"

#include <QPointer>
#include <QWidget>

class MessageLogThread;
class QLabel;
class QTreeWidget;

// The Messages tab of the link editor: what was written to this partner and what became of it,
// newest first, read from the message log on its thread when the tab is shown and again whenever
// a message for the partner is queued, sent or answered while it is open.
class LinkMessagesView : public QWidget
{
    Q_OBJECT
public:
    explicit LinkMessagesView(QWidget *parent = nullptr);

    // No log (a database never saved) or no ID (a new link) shows none.
    void showLink(MessageLogThread *log, const QString &linkID);
    void reload();
    QTreeWidget *list() const { return m_list; }

signals:
    void loaded();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void logChanged(const QStringList &linkIDs);
    void showMessages(const QList<LoggedMessage> &messages, const QString &error);

    QPointer<MessageLogThread> m_log;
    QString m_linkID;
    bool m_loaded = false;
    QLabel *m_countLabel;
    QTreeWidget *m_list;
};
