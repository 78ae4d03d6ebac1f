#include "MessageLog.h"

#include "history/SideFileError.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QAtomicInt connectionCounter;

const char *const Columns =
    "id, link_id, kind, state, created_at, sent_at, to_name, to_address, subject, body, "
    "template_id, template_name, message_id, reason, replied_at, reply_from, "
    "reply_excerpt, sequence_root, sequence_step, trigger";

const char *const SchemaVersion1[] = {
    "CREATE TABLE IF NOT EXISTS mail_meta (key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS mail_messages (id INTEGER PRIMARY KEY, link_id TEXT NOT NULL, "
    "kind TEXT NOT NULL, state TEXT NOT NULL, created_at INTEGER NOT NULL, sent_at INTEGER, "
    "to_name TEXT NOT NULL DEFAULT '', to_address TEXT NOT NULL, subject TEXT NOT NULL DEFAULT '', "
    "body TEXT NOT NULL DEFAULT '', template_id TEXT, template_name TEXT NOT NULL DEFAULT '', "
    "message_id TEXT, reason TEXT NOT NULL DEFAULT '', replied_at INTEGER, reply_from TEXT NOT NULL DEFAULT "
    "'', "
    "reply_excerpt TEXT NOT NULL DEFAULT '', sequence_root INTEGER NOT NULL DEFAULT 0, "
    "sequence_step INTEGER NOT NULL DEFAULT 0, trigger TEXT)",
    "CREATE INDEX IF NOT EXISTS mail_messages_by_link ON mail_messages (link_id, id)",
    "CREATE INDEX IF NOT EXISTS mail_messages_by_state ON mail_messages (state, id)",
    "CREATE UNIQUE INDEX IF NOT EXISTS mail_messages_by_trigger ON mail_messages (trigger) WHERE trigger IS "
    "NOT "
    "NULL",
};

QVariant timeValue(const QDateTime &time)
{
    return time.isValid() ? QVariant(time.toSecsSinceEpoch()) : QVariant(QMetaType(QMetaType::LongLong));
}

QDateTime timeFrom(const QVariant &value)
{
    return value.isNull() ? QDateTime() : QDateTime::fromSecsSinceEpoch(value.toLongLong());
}

QVariant textOrNull(const QString &text)
{
    return text.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(text);
}

QString notNull(const QString &text)
{
    return text.isNull() ? QString(QLatin1String("")) : text;
}

LoggedMessage messageFrom(const QSqlQuery &query)
{
    LoggedMessage m;
    m.id = query.value(0).toLongLong();
    m.linkID = query.value(1).toString();
    m.kind = LoggedMessage::kindOfKeyword(query.value(2).toString());
    m.state = LoggedMessage::stateOfKeyword(query.value(3).toString());
    m.createdAt = timeFrom(query.value(4));
    m.sentAt = timeFrom(query.value(5));
    m.toName = query.value(6).toString();
    m.toAddress = query.value(7).toString();
    m.subject = query.value(8).toString();
    m.body = query.value(9).toString();
    m.templateID = query.value(10).isNull() ? QString() : query.value(10).toString();
    m.templateName = query.value(11).toString();
    m.messageID = query.value(12).toString();
    m.reason = query.value(13).toString();
    m.repliedAt = timeFrom(query.value(14));
    m.replyFrom = query.value(15).toString();
    m.replyExcerpt = query.value(16).toString();
    m.sequenceRoot = query.value(17).toLongLong();
    m.sequenceStep = query.value(18).toInt();
    m.trigger = query.value(19).isNull() ? QString() : query.value(19).toString();
    return m;
}

} // namespace

MessageLog::MessageLog(const QString &databasePath)
    : m_path(databasePath + QStringLiteral("-history")),
      m_connectionName(QStringLiteral("quillmarsh-messages-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{}

MessageLog::~MessageLog()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        {
            QSqlDatabase db = database();
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

QSqlDatabase MessageLog::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool MessageLog::fail(FileError::Kind kind, const QString &detail)
{
    m_error = FileError(kind, detail);
    return false;
}

bool MessageLog::fail(const QSqlError &error, FileError::Kind otherwise)
{
    // The same side file as the history: a lock passes, a damaged file does not.
    const FileError why = sideFileError(error, otherwise);
    return fail(why.kind(), why.detail());
}

QString MessageLog::errorString() const
{
    if (!m_error.isError())
        return QString();
    return tr("The message log %1 cannot be used: %2").arg(QDir::toNativeSeparators(m_path), m_error.text());
}

QString MessageLog::errorMessage() const
{
    if (!m_error.isError())
        return QString();
    return tr("The message log %1 cannot be used. %2")
        .arg(QDir::toNativeSeparators(m_path), m_error.message());
}

bool MessageLog::createFile()
{
    // Partners' addresses and what was written to them: the owner's alone. O_EXCL with O_NOFOLLOW
    // never follows a link planted in the file's place, dangling or not.
    const QByteArray name = QFile::encodeName(m_path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST)
            return true; // another writer made it meanwhile
        return fail(FileError::Kind::HistoryCannotOpen, QString::fromLocal8Bit(strerror(errno)));
    }
    ::fchmod(fd, 0600);
    ::close(fd);
    return true;
}

bool MessageLog::open(Access access)
{
    if (m_open && (access == Access::Read || m_ready))
        return true;
    m_error = FileError();
    struct stat info;
    const QByteArray name = QFile::encodeName(m_path);
    if (::lstat(name.constData(), &info) != 0) {
        if (access == Access::Read)
            return true; // nothing logged yet
        if (!createFile())
            return false;
    } else if (S_ISLNK(info.st_mode)) {
        return fail(FileError::Kind::HistoryCannotOpen,
                    QStringLiteral("it is a symbolic link, which is never written through"));
    } else if (!S_ISREG(info.st_mode)) {
        return fail(FileError::Kind::HistoryCannotOpen, QStringLiteral("it is not a file"));
    }
    for (const char *journal : {"-wal", "-shm", "-journal"}) {
        if (::lstat((name + journal).constData(), &info) == 0 && S_ISLNK(info.st_mode))
            return fail(
                FileError::Kind::HistoryCannotOpen,
                QStringLiteral("its journal %1 is a symbolic link").arg(QString::fromLatin1(journal)));
    }

    if (!m_open) {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
            return fail(FileError::Kind::HistoryCannotOpen,
                        QStringLiteral("the SQLite driver of Qt SQL is not installed"));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(m_path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeoutMs));
        if (!db.open())
            return fail(db.lastError(), FileError::Kind::HistoryCannotOpen);
        m_open = true;
    }
    QSqlQuery query(database());
    // A file that is not SQLite fails here, before anything is written to it.
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
        m_open = false;
        const QSqlError why = query.lastError();
        query.finish();
        QSqlDatabase::removeDatabase(m_connectionName);
        return fail(why, FileError::Kind::NotAHistory);
    }
    bool ours = false;
    bool history = false;
    bool others = false;
    while (query.next()) {
        const QString table = query.value(0).toString();
        if (table.startsWith(QLatin1String("mail_")))
            ours = true;
        else if (table == QLatin1String("checks") || table == QLatin1String("latest"))
            history = true;
        else if (!table.startsWith(QLatin1String("sqlite_")))
            others = true;
    }
    query.finish();
    if (others && !history && !ours)
        return fail(FileError::Kind::NotAHistory);
    if (ours) {
        if (query.exec(QStringLiteral("SELECT value FROM mail_meta WHERE key = 'version'")) && query.next() &&
            query.value(0).toInt() > SchemaVersion)
            return fail(FileError::Kind::HistoryTooNew);
        query.finish();
        m_ready = true;
        return true;
    }
    if (access == Access::Read)
        return true;
    return createTables();
}

bool MessageLog::createTables()
{
    QSqlDatabase db = database();
    QSqlQuery query(db);
    // The history's readers and a scheduled writer go on while a message is logged.
    if (query.exec(QStringLiteral("PRAGMA journal_mode")) && query.next() &&
        query.value(0).toString() != QLatin1String("wal")) {
        query.finish();
        query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    }
    query.finish();
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(query.lastError());
    bool ok = true;
    for (const char *statement : SchemaVersion1)
        ok = ok && query.exec(QString::fromLatin1(statement));
    ok = ok &&
         query.exec(QStringLiteral("INSERT OR REPLACE INTO mail_meta (key, value) VALUES ('version', '%1')")
                        .arg(SchemaVersion));
    if (!ok || !query.exec(QStringLiteral("COMMIT"))) {
        const QSqlError why = query.lastError();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return fail(why);
    }
    m_ready = true;
    return true;
}

std::optional<qint64> MessageLog::add(const LoggedMessage &message)
{
    const std::optional<QList<qint64>> ids = add(QList<LoggedMessage>{message});
    if (!ids)
        return std::nullopt;
    return ids->first();
}

std::optional<QList<qint64>> MessageLog::add(const QList<LoggedMessage> &messages)
{
    if (!open(Access::Write))
        return std::nullopt;
    QSqlDatabase db = database();
    if (!db.transaction()) {
        fail(db.lastError());
        return std::nullopt;
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO mail_messages (%1) VALUES (NULL%2)")
                      .arg(QLatin1String(Columns), QStringLiteral(", ?").repeated(19)));
    QList<qint64> ids;
    for (const LoggedMessage &m : messages) {
        const QVariantList values{
            m.linkID,
            LoggedMessage::keyword(m.kind),
            LoggedMessage::keyword(m.state),
            timeValue(m.createdAt.isValid() ? m.createdAt : QDateTime::currentDateTime()),
            timeValue(m.sentAt),
            notNull(m.toName),
            notNull(m.toAddress),
            notNull(m.subject),
            notNull(m.body),
            textOrNull(m.templateID),
            notNull(m.templateName),
            textOrNull(m.messageID.isEmpty() ? QString() : m.messageID),
            notNull(m.reason),
            timeValue(m.repliedAt),
            notNull(m.replyFrom),
            notNull(m.replyExcerpt),
            m.sequenceRoot,
            m.sequenceStep,
            textOrNull(m.trigger.isEmpty() ? QString() : m.trigger)};
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        if (!query.exec()) {
            const QSqlError why = query.lastError();
            db.rollback();
            fail(why);
            return std::nullopt;
        }
        ids.append(query.lastInsertId().toLongLong());
    }
    if (!db.commit()) {
        fail(db.lastError());
        db.rollback();
        return std::nullopt;
    }
    return ids;
}

bool MessageLog::update(const QString &statement, const QVariantList &values)
{
    if (!open(Access::Write))
        return false;
    QSqlQuery query(database());
    query.prepare(statement);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    if (!query.exec())
        return fail(query.lastError());
    if (query.numRowsAffected() < 1)
        return fail(FileError::Kind::HistoryFailed,
                    QStringLiteral("no such message, or not in a state that allows this"));
    return true;
}

bool MessageLog::markSent(qint64 id, const QString &messageID, const QDateTime &sentAt)
{
    return update(
        QStringLiteral("UPDATE mail_messages SET state = 'sent', message_id = ?, sent_at = ?, reason = '' "
                       "WHERE id = ? AND state IN ('queued', 'failed')"),
        {messageID, timeValue(sentAt), id});
}

bool MessageLog::markFailed(qint64 id, const QString &reason)
{
    return update(QStringLiteral("UPDATE mail_messages SET state = 'failed', reason = ? "
                                 "WHERE id = ? AND state IN ('queued', 'failed')"),
                  {notNull(reason), id});
}

bool MessageLog::markReplied(qint64 id, const QDateTime &repliedAt, const QString &from,
                             const QString &excerpt)
{
    return update(
        QStringLiteral("UPDATE mail_messages SET state = 'replied', replied_at = ?, reply_from = ?, "
                       "reply_excerpt = ? WHERE id = ? AND state IN ('sent', 'replied')"),
        {timeValue(repliedAt), notNull(from), notNull(excerpt), id});
}

bool MessageLog::updateText(qint64 id, const QString &toAddress, const QString &subject, const QString &body)
{
    return update(QStringLiteral("UPDATE mail_messages SET to_address = ?, subject = ?, body = ? "
                                 "WHERE id = ? AND state IN ('queued', 'failed')"),
                  {notNull(toAddress), notNull(subject), notNull(body), id});
}

bool MessageLog::discard(qint64 id)
{
    return update(QStringLiteral("DELETE FROM mail_messages WHERE id = ? AND state IN ('queued', 'failed')"),
                  {id});
}

std::optional<QList<LoggedMessage>> MessageLog::select(const QString &where, const QString &order,
                                                       const QVariantList &values)
{
    if (!open(Access::Read))
        return std::nullopt;
    if (!m_ready)
        return QList<LoggedMessage>();
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM mail_messages %2 ORDER BY %3")
                      .arg(QLatin1String(Columns),
                           where.isEmpty() ? QString() : QStringLiteral("WHERE ") + where, order));
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    if (!query.exec()) {
        fail(query.lastError());
        return std::nullopt;
    }
    QList<LoggedMessage> messages;
    while (query.next())
        messages.append(messageFrom(query));
    return messages;
}

std::optional<LoggedMessage> MessageLog::message(qint64 id)
{
    const std::optional<QList<LoggedMessage>> found =
        select(QStringLiteral("id = ?"), QStringLiteral("id"), {id});
    if (!found)
        return std::nullopt;
    if (found->isEmpty()) {
        fail(FileError::Kind::HistoryFailed, QStringLiteral("no message %1").arg(id));
        return std::nullopt;
    }
    return found->first();
}

std::optional<QList<LoggedMessage>> MessageLog::messages(const QString &linkID)
{
    if (linkID.isNull())
        return select(QString(), QStringLiteral("coalesce(sent_at, created_at) DESC, id DESC"));
    return select(QStringLiteral("link_id = ?"),
                  QStringLiteral("coalesce(sent_at, created_at) DESC, id DESC"), {linkID});
}

std::optional<QList<LoggedMessage>> MessageLog::outbox()
{
    return select(QStringLiteral("state IN ('queued', 'failed')"), QStringLiteral("id"));
}

std::optional<QList<LoggedMessage>> MessageLog::unanswered()
{
    return select(QStringLiteral("state = 'sent'"), QStringLiteral("sent_at, id"));
}

std::optional<QList<LoggedMessage>> MessageLog::delivered()
{
    return select(QStringLiteral("state IN ('sent', 'replied')"), QStringLiteral("sent_at, id"));
}

std::optional<QHash<QString, LastContact>> MessageLog::lastContacts()
{
    if (!open(Access::Read))
        return std::nullopt;
    QHash<QString, LastContact> contacts;
    if (!m_ready)
        return contacts;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    // SQLite takes the other columns from the row that holds the maximum.
    if (!query.exec(
            QStringLiteral("SELECT link_id, MAX(sent_at), subject, state, replied_at FROM mail_messages "
                           "WHERE state IN ('sent', 'replied') GROUP BY link_id"))) {
        fail(query.lastError());
        return std::nullopt;
    }
    while (query.next()) {
        contacts.insert(query.value(0).toString(),
                        LastContact{timeFrom(query.value(1)), query.value(2).toString(),
                                    query.value(3).toString() == QLatin1String("replied"),
                                    timeFrom(query.value(4))});
    }
    return contacts;
}

std::optional<bool> MessageLog::hasTrigger(const QString &trigger)
{
    if (!open(Access::Read))
        return std::nullopt;
    if (!m_ready)
        return false;
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT 1 FROM mail_messages WHERE trigger = ?"));
    query.bindValue(0, trigger);
    if (!query.exec()) {
        fail(query.lastError());
        return std::nullopt;
    }
    return query.next();
}

std::optional<QList<LoggedMessage>> MessageLog::messagesWithTrigger(const QString &trigger)
{
    return select(QStringLiteral("trigger = ?"), QStringLiteral("id"), {trigger});
}
