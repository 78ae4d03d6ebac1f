#include "SideFileError.h"

#include <QSqlError>

FileError sideFileError(const QSqlError &error, FileError::Kind otherwise)
{
    // SQLITE_BUSY or SQLITE_LOCKED: another connection holds the file for now. SQLITE_CORRUPT and
    // SQLITE_NOTADB: the file is no history, whatever was being done.
    const QString code = error.nativeErrorCode();
    FileError::Kind kind = otherwise;
    if (code == QLatin1String("5") || code == QLatin1String("6") ||
        error.text().contains(QLatin1String("database is locked"), Qt::CaseInsensitive))
        kind = FileError::Kind::HistoryBusy;
    else if (code == QLatin1String("11") || code == QLatin1String("26"))
        kind = FileError::Kind::NotAHistory;
    return FileError(kind, error.text());
}
