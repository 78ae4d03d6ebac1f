#pragma once

#include "OwnPageCheck.h"
#include "model/FileError.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <optional>

class QSqlError;

// What the publishing side keeps in the history file beside a database: the checks of the user's
// own links page with their findings, and the hash of every file last published to each
// destination. Its tables sit beside the verification history's, which are made first.
class SiteRecords
{
    Q_DECLARE_TR_FUNCTIONS(SiteRecords)

public:
    explicit SiteRecords(const QString &databasePath);
    ~SiteRecords();
    SiteRecords(const SiteRecords &) = delete;
    SiteRecords &operator=(const SiteRecords &) = delete;

    bool recordOwnPageCheck(const OwnPageCheck::Result &result);
    // The latest check of the own page, if one was recorded.
    std::optional<OwnPageCheck::Result> latestOwnPageCheck();

    // The SHA-256 (hex) of each file, by remote path, last published to the destination.
    std::optional<QHash<QString, QString>> publishedHashes(const QString &destination);
    bool recordPublished(const QString &destination, const QString &remotePath, const QString &sha256);

    // Why the last operation failed; the window shows HistoryStore::errorMessage() of it.
    const FileError &error() const { return m_error; }
    // The same as the command-line tool prints it, naming the file.
    QString errorString() const { return errorText(m_databasePath, m_error); }
    static QString errorText(const QString &databasePath, const FileError &error);

private:
    bool open(bool write);
    bool fail(const FileError &why);
    bool fail(const QSqlError &why);

    QString m_databasePath;
    QString m_connectionName;
    FileError m_error;
    bool m_open = false; // the tables are there to read
    bool m_writable = false;
};
