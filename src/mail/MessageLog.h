#pragma once

#include "LoggedMessage.h"
#include "model/FileError.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

// The messages sent to partners and their fate, kept in the SQLite file beside the database that also
// holds the verification history ("NAME.site-history"), in tables of their own ("mail_…") with a
// version of their own, so the two never change each other's layout. A file this class creates is
// readable by its owner only; a link in its place is refused, never written through. Like the
// history, a log that cannot be used leaves every operation failing with `error`, and the
// database never depends on it. One object belongs to one thread.
class MessageLog
{
    Q_DECLARE_TR_FUNCTIONS(MessageLog)
public:
    static constexpr int SchemaVersion = 1;
    static constexpr int DefaultBusyTimeoutMs = 5000;

    explicit MessageLog(const QString &databasePath);
    ~MessageLog();
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    QString path() const { return m_path; }
    // Why the last operation failed.
    const FileError &error() const { return m_error; }
    // The same as the command-line tool prints it, naming the file.
    QString errorString() const;
    // The same in the user's language, for the window.
    QString errorMessage() const;
    void setBusyTimeout(int milliseconds) { m_busyTimeoutMs = milliseconds; }

    // Stores a new message (its id is ignored) and returns its row.
    std::optional<qint64> add(const LoggedMessage &message);
    // Several in one transaction, in order; the rows in the same order.
    std::optional<QList<qint64>> add(const QList<LoggedMessage> &messages);
    bool markSent(qint64 id, const QString &messageID, const QDateTime &sentAt);
    bool markFailed(qint64 id, const QString &reason);
    bool markReplied(qint64 id, const QDateTime &repliedAt, const QString &from, const QString &excerpt);
    // A queued or failed message edited in the Outbox before it goes (again).
    bool updateText(qint64 id, const QString &toAddress, const QString &subject, const QString &body);
    // A queued or failed message the user discards; sent ones stay.
    bool discard(qint64 id);

    std::optional<LoggedMessage> message(qint64 id);
    // One link's messages, or every link's when `linkID` is null; newest first.
    std::optional<QList<LoggedMessage>> messages(const QString &linkID = QString());
    // What the Outbox lists: queued and failed messages, oldest first.
    std::optional<QList<LoggedMessage>> outbox();
    // Sent messages without a reply, oldest first: what replies are looked for.
    std::optional<QList<LoggedMessage>> unanswered();
    // Messages that went (sent or replied), oldest first: what follow-ups are planned from.
    std::optional<QList<LoggedMessage>> delivered();
    // Each link's last message that went out, by link ID.
    std::optional<QHash<QString, LastContact>> lastContacts();
    // Whether something already queued a message for this trigger.
    std::optional<bool> hasTrigger(const QString &trigger);
    // The message a trigger queued (none or one).
    std::optional<QList<LoggedMessage>> messagesWithTrigger(const QString &trigger);

private:
    enum class Access
    {
        Read,
        Write
    };
    bool open(Access access);
    bool createFile();
    bool createTables();
    bool fail(FileError::Kind kind, const QString &detail = QString());
    // `otherwise` is the kind of a failure that is neither a lock nor a damaged file.
    bool fail(const QSqlError &error, FileError::Kind otherwise = FileError::Kind::HistoryFailed);
    QSqlDatabase database() const;
    std::optional<QList<LoggedMessage>> select(const QString &where, const QString &order,
                                               const QVariantList &values = {});
    bool update(const QString &statement, const QVariantList &values);

    QString m_path;
    QString m_connectionName;
    FileError m_error;
    bool m_open = false;
    bool m_ready = false; // our tables exist
    int m_busyTimeoutMs = DefaultBusyTimeoutMs;
};
