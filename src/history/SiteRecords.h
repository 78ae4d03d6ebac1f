#pragma once

#include "OwnPageCheck.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <optional>

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

    QString errorString() const { return m_error; }

private:
    bool open(bool write);
    bool fail(const QString &why);

    QString m_databasePath;
    QString m_connectionName;
    QString m_error;
    bool m_open = false; // the tables are there to read
    bool m_writable = false;
};
