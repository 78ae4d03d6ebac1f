#pragma once

#include "CheckRecord.h"
#include "LinkChange.h"
#include "model/FileError.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QSqlDatabase;
class QSqlError;

// The verification history of one database: an SQLite file beside it ("NAME.site" keeps its history
// in "NAME.site-history") with one row per completed check. The file is made with its first record
// and upgraded from older layouts when it is next written. A history that cannot be used (damaged,
// locked for longer than the busy time-out, read-only when writing, made by a newer version) is left
// untouched: every operation fails and `error` says why; the database itself never depends on it.
class HistoryStore
{
    Q_DECLARE_TR_FUNCTIONS(HistoryStore)
public:
    static constexpr int SchemaVersion = 3;
    static constexpr int DefaultBusyTimeoutMs = 5000;

    explicit HistoryStore(const QString &databasePath);
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    static QString pathForDatabase(const QString &databasePath);
    QString path() const { return m_path; }
    bool exists() const;

    // Appends the checks of one run in one transaction.
    bool record(const QList<CheckRecord> &checks);
    // The checks of one link, or of every link when `linkID` is null; newest first.
    std::optional<QList<CheckRecord>> checks(const QString &linkID = QString());
    // The same checks handed to `visit` one at a time as they are read, so that a history of millions
    // of checks is never held at once. False when the history cannot be read.
    bool forEachCheck(const QString &linkID, const std::function<void(const CheckRecord &)> &visit);
    // The change each link's checks stand in now (see LinkChange), the latest first.
    std::optional<QList<LinkChange>> changes(int unreachableDays = LinkChange::DefaultUnreachableDays);
    // The changes the trails stand in, the latest first.
    static QList<LinkChange> changesOf(const QHash<QString, LinkTrail> &trails, int unreachableDays);
    // What the change rules need of every link's checks; the outage times reach back `unreachableDays`
    // from each link's latest check.
    std::optional<QHash<QString, LinkTrail>> trails(int unreachableDays = LinkChange::DefaultUnreachableDays);
    // The latest check of every link that has one.
    std::optional<QHash<QString, CheckRecord>> latestChecks();

    // Makes or upgrades the file's layout, so other tables may be added beside it: an SQLite file
    // with tables of its own but no layout is not taken for a history.
    bool prepareForWriting() { return open(Access::Write); }

    // Why the last operation failed; the window shows its message().
    const FileError &error() const { return m_error; }
    // The same as the command-line tool prints it, naming the file.
    QString errorString() const { return errorText(m_databasePath, m_error); }
    // How the command-line tool tells why the history of `databasePath` failed.
    static QString errorText(const QString &databasePath, const FileError &error);
    // The same in the user's language, for the window's status line and dialogs.
    static QString errorMessage(const QString &databasePath, const FileError &error);
    // The last failure was another connection holding the file (locked or busy), which passes.
    bool isBusy() const { return m_error.kind() == FileError::Kind::HistoryBusy; }
    void setBusyTimeout(int milliseconds) { m_busyTimeoutMs = milliseconds; }

    // Gives the database saved as `toDatabase` a consistent copy of the history of `fromDatabase`,
    // replacing the history that was there. True when there was nothing to copy.
    static bool copyHistory(const QString &fromDatabase, const QString &toDatabase,
                            FileError *error = nullptr);

private:
    enum class Access
    {
        Read,
        Write
    };
    // False with `m_error` set when the file cannot be used; true with `m_open` false when reading a
    // history that does not exist yet.
    bool open(Access access);
    bool openConnection(bool readOnly);
    void closeConnection();
    bool upgrade(int fromVersion);
    bool fail(FileError::Kind kind, const QString &detail = QString());
    // `otherwise` is the kind of a failure that is neither a lock nor a damaged file.
    bool fail(const QSqlError &error, FileError::Kind otherwise = FileError::Kind::HistoryFailed);
    QSqlDatabase database() const;

    QString m_databasePath;
    QString m_path;
    QString m_connectionName;
    FileError m_error;
    bool m_open = false;
    bool m_readOnly = true;
    bool m_unusable = false; // once a file proved unusable it is not touched again
    int m_busyTimeoutMs = DefaultBusyTimeoutMs;
};
