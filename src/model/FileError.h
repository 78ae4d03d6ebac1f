#pragma once

#include <QCoreApplication>
#include <QString>

// Why a file could not be read or written, as a kind that callers choose by, with the detail the
// kind needs (the system's reason for CannotOpen, CannotRead and CannotWrite, the reader's own words
// for Damaged). Readers, writers, the table reader, the exports and the SQLite side files (history,
// message log) all report through it: the command-line tool prints text(), the window message().
class FileError
{
    Q_DECLARE_TR_FUNCTIONS(FileError)

public:
    enum class Kind
    {
        None,
        CannotOpen,         // detail: the system's reason
        CannotRead,         // detail: the system's reason
        Empty,              // not a single byte
        NotADatabase,       // wrong header or impossible count; detail, if any, says which
        Truncated,          // ends before its data does
        TooLarge,           // larger than any file of its kind can be
        UnsupportedVersion, // a version this program does not write
        NotATemplatesFile,  // detail says why
        NoTemplates,        // a templates file that holds none
        NoCategory,         // a database to import links from that holds no category
        Damaged,            // any other broken rule; detail is the whole one-line description
        // Writing
        CannotWrite,       // detail: the system's reason
        NotARegularFile,   // a directory, block device or socket where a file was to go
        CannotWriteBackup, // detail: the backup copy's path
        DatabaseTooLarge,  // detail: the megabytes the file would take; limit: the megabytes allowed
        NotMade,           // the content was not made (pages not drawn); detail: that, in the user's language
        // Tables to import
        TableTooLarge, // limit: the bytes of the largest table read
        NotATable,     // not text, or no delimiter in sight
        NoHeaderLine,  // no line with text
        HeaderTooLong, // limit: the characters of the longest header line (a quote never closed?)
        TooManyRows,   // limit: the rows of the largest table, as many as a database holds links
        TooManyCells,  // detail: the row; limit: the cells a row may have
        // The SQLite side files beside a database (history, message log); detail: SQLite's reason
        HistoryCannotOpen, // the file or its connection cannot be opened; detail: why
        HistoryBusy,       // another connection holds the file locked for longer than the wait
        NotAHistory,     // damaged, not SQLite, or tables of another program; detail: SQLite's reason, if any
        HistoryTooNew,   // written by a newer version of this program
        HistoryReadOnly, // to be written but read-only
        HistoryNeedsUpgrade, // read-only and in an older layout that must be upgraded before it is read
        HistoryFailed,       // a statement failed for another reason; detail: why
    };

    FileError() = default;
    FileError(Kind kind, const QString &detail = QString(), qint64 limit = 0)
        : m_kind(kind), m_detail(detail), m_limit(limit)
    {}

    Kind kind() const { return m_kind; }
    const QString &detail() const { return m_detail; }
    // The cap that a refusal for size names.
    qint64 limit() const { return m_limit; }
    bool isError() const { return m_kind != Kind::None; }

    // The one-line English text that the command-line tool and the logs print, e.g.
    // "cannot open (No such file or directory)" or "truncated".
    QString text() const;
    // The same in the user's language, as a sentence for a message box.
    QString message() const;

    // Sets `*error` when the caller asked for it; false, so that a reader can `return fail(...)`.
    static bool fail(FileError *error, Kind kind, const QString &detail = QString(), qint64 limit = 0);

private:
    Kind m_kind = Kind::None;
    QString m_detail;
    qint64 m_limit = 0;
};
