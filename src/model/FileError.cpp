#include "FileError.h"

QString FileError::text() const
{
    auto withDetail = [this](const char *text) {
        const QString base = QString::fromLatin1(text);
        return m_detail.isEmpty() ? base : QStringLiteral("%1 (%2)").arg(base, m_detail);
    };
    switch (m_kind) {
    case Kind::None:
        return QString();
    case Kind::CannotOpen:
        return QStringLiteral("cannot open (%1)").arg(m_detail);
    case Kind::CannotRead:
        return QStringLiteral("cannot read (%1)").arg(m_detail);
    case Kind::Empty:
        return QStringLiteral("empty file");
    case Kind::NotADatabase:
        return withDetail("not a links database");
    case Kind::Truncated:
        return QStringLiteral("truncated");
    case Kind::TooLarge:
        return withDetail("too large");
    case Kind::UnsupportedVersion:
        return QStringLiteral("unsupported version");
    case Kind::NotATemplatesFile:
        return withDetail("not an e-mail templates file");
    case Kind::NoTemplates:
        return QStringLiteral("holds no e-mail templates");
    case Kind::NoCategory:
        return QStringLiteral("holds no category");
    case Kind::Damaged:
        return m_detail;
    // The writers' texts follow "cannot write" in the command-line tool's messages.
    case Kind::CannotWrite:
        return m_detail;
    case Kind::NotARegularFile:
        return QStringLiteral("not a regular file");
    case Kind::CannotWriteBackup:
        return QStringLiteral("cannot write the backup copy %1").arg(m_detail);
    case Kind::DatabaseTooLarge:
        return QStringLiteral("the database would take %1 MB, more than the %2 MB a database file can hold")
            .arg(m_detail)
            .arg(m_limit);
    case Kind::NotMade:
        return m_detail;
    // The table reader's texts follow the file's name.
    case Kind::TableTooLarge:
        return QStringLiteral("is too large (more than %1 bytes)").arg(m_limit);
    case Kind::NotATable:
        return QStringLiteral("is not a text table (CSV or tab-delimited)");
    case Kind::NoHeaderLine:
        return QStringLiteral("holds no table (no header line)");
    case Kind::HeaderTooLong:
        return QStringLiteral("has a header line longer than %1 characters (a quote that is not closed?)")
            .arg(m_limit);
    case Kind::TooManyRows:
        return QStringLiteral("has more than %1 rows, more links than a database can hold").arg(m_limit);
    case Kind::TooManyCells:
        return QStringLiteral("has more than %1 cells in row %2; a table may have at most %1 columns")
            .arg(m_limit)
            .arg(m_detail);
    // The side files' texts follow "cannot be used:" after the file's name.
    case Kind::HistoryCannotOpen:
    case Kind::HistoryBusy:
    case Kind::HistoryFailed:
        return m_detail;
    case Kind::NotAHistory:
        return m_detail.isEmpty() ? QStringLiteral("it is not a Quillmarsh history") : m_detail;
    case Kind::HistoryTooNew:
        return QStringLiteral("it was written by a newer version of Quillmarsh");
    case Kind::HistoryReadOnly:
        return QStringLiteral("the file is read-only");
    case Kind::HistoryNeedsUpgrade:
        return QStringLiteral("the file is read-only and needs upgrading");
    }
    return m_detail;
}

QString FileError::message() const
{
    switch (m_kind) {
    case Kind::None:
        return QString();
    case Kind::CannotOpen:
    case Kind::CannotRead:
        return tr("The file cannot be read (%1).").arg(m_detail);
    case Kind::Empty:
        return tr("The file is empty.");
    case Kind::NotADatabase:
        return tr("The file is not a Quillmarsh links database.");
    case Kind::Truncated:
        return tr("The file is damaged: it ends before its data does.");
    case Kind::TooLarge:
        return tr("The file is larger than any Quillmarsh links database can be.");
    case Kind::UnsupportedVersion:
        return tr("The file was written in a format this version of Quillmarsh does not know.");
    case Kind::NotATemplatesFile:
        return tr("The file is not an e-mail templates file.");
    case Kind::NoTemplates:
        return tr("The file holds no e-mail templates.");
    case Kind::NoCategory:
        return tr("The database holds no category.");
    case Kind::Damaged:
        // The reader's own words name the broken rule.
        return tr("The file is damaged (%1).").arg(m_detail);
    case Kind::CannotWrite:
        return tr("The file cannot be written (%1).").arg(m_detail);
    case Kind::NotARegularFile:
        return tr("The name is that of a folder, a device or a socket, not of a file.");
    case Kind::CannotWriteBackup:
        return tr("The backup copy \"%1\" cannot be written.").arg(m_detail);
    case Kind::DatabaseTooLarge:
        return tr("The database would take %1 MB, more than the %2 MB a database file can hold.")
            .arg(m_detail)
            .arg(m_limit);
    case Kind::NotMade:
        return m_detail;
    case Kind::TableTooLarge:
        return tr("The file is larger than the largest links database.");
    case Kind::NotATable:
        return tr("The file is not a table of comma-separated or tab-delimited text.");
    case Kind::NoHeaderLine:
        return tr("The file holds no table: it has no header line.");
    case Kind::HeaderTooLong:
        return tr("The table's header line is longer than %1 characters (a quote that is not closed?).")
            .arg(m_limit);
    case Kind::TooManyRows:
        return tr("The table has more than %1 rows, more links than a database can hold.").arg(m_limit);
    case Kind::TooManyCells:
        return tr("Row %2 of the table has more than %1 cells; a table may have at most %1 columns.")
            .arg(m_limit)
            .arg(m_detail);
    case Kind::HistoryCannotOpen:
        return tr("The file cannot be opened (%1).").arg(m_detail);
    case Kind::HistoryBusy:
        return tr("Another program is using the file (%1).").arg(m_detail);
    case Kind::NotAHistory:
        return m_detail.isEmpty() ? tr("The file is not a Quillmarsh history.")
                                  : tr("The file is damaged or not a Quillmarsh history (%1).").arg(m_detail);
    case Kind::HistoryTooNew:
        return tr("The file was written by a newer version of Quillmarsh.");
    case Kind::HistoryReadOnly:
        return tr("The file is read-only.");
    case Kind::HistoryNeedsUpgrade:
        return tr("The file is read-only, and its older layout must be upgraded before it can be read.");
    case Kind::HistoryFailed:
        return tr("The file cannot be used (%1).").arg(m_detail);
    }
    return m_detail;
}

bool FileError::fail(FileError *error, Kind kind, const QString &detail, qint64 limit)
{
    if (error)
        *error = FileError(kind, detail, limit);
    return false;
}
