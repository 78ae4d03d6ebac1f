#pragma once

#include "model/FileError.h"

class QSqlError;

// Why an SQLite statement on a side file beside a database (history, publishing records, message
// log) failed: a lock that passes, a file that is damaged or no SQLite at all, or `otherwise`.
FileError sideFileError(const QSqlError &error, FileError::Kind otherwise = FileError::Kind::HistoryFailed);
