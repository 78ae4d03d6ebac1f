#pragma once

#include <QString>

// Why a file could not be read, as a kind that callers choose by, with the detail the kind needs
// (the system's reason for CannotOpen and CannotRead, the reader's own words for Damaged).
class FileError
{
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
    };

    FileError() = default;
    FileError(Kind kind, const QString &detail = QString()) : m_kind(kind), m_detail(detail) {}

    Kind kind() const { return m_kind; }
    const QString &detail() const { return m_detail; }
    bool isError() const { return m_kind != Kind::None; }

    // The one-line English text that the command-line tool and the logs print, e.g.
    // "cannot open (No such file or directory)" or "truncated".
    QString text() const;

    // Sets `*error` when the caller asked for it; false, so that a reader can `return fail(...)`.
    static bool fail(FileError *error, Kind kind, const QString &detail = QString());

private:
    Kind m_kind = Kind::None;
    QString m_detail;
};
