#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

// The files of a verification history on disk: "NAME.site-history" and the journal files SQLite
// keeps beside it ("-wal", "-shm", "-journal"). None of them is ever reached through a symbolic
// link, so a link planted in the database's folder cannot make a writer (possibly root) create or
// overwrite its target; and they get the database's permission bits, never more than 0644, since
// they hold partner addresses and anchor texts.
//
// SQLite is given the history through a VFS of ours that resolves links in the folders of the path
// only: the history itself is opened with O_NOFOLLOW, as SQLite's unix files open the journal files.
class HistoryFiles
{
    Q_DECLARE_TR_FUNCTIONS(HistoryFiles)
public:
    explicit HistoryFiles(const QString &databasePath);

    QString path() const { return m_path; }

    // Checks the history and its journal files before SQLite opens them: false with `why` when one
    // is a link or no regular file.
    bool checkNames(QString *why) const;
    // Before writing: a missing history is created empty with the database's permission bits, and
    // files that allow more than those lose the extra bits. False with `why` when it cannot be made.
    bool prepareForWriting(QString *why) const;
    // Creates `path` (which must not exist) as an empty file with the database's permission bits,
    // never following a link; for a copy of the history that SQLite then fills.
    bool createEmpty(const QString &path, QString *why) const;

    // The name to give Qt's SQLite driver (with the connect option QSQLITE_OPEN_URI): the history
    // as a URI naming our VFS; empty when the VFS cannot be registered.
    QString sqliteName() const;

    // The permission bits for the history of this database: its own, at most 0644.
    unsigned permissions() const;

private:
    // The history and its journal files.
    QList<QByteArray> names() const;

    QString m_databasePath;
    QString m_path;
};
