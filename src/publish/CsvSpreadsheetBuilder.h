#pragma once

#include "model/FileError.h"

#include <QByteArray>
#include <QDate>
#include <QString>

class CollectionManager;

// The spreadsheet export as comma-separated values (RFC 4180): the columns and headers of the
// tab-delimited text with the last verification's result after "Last Verified On", dates as ISO
// dates (2026-12-07, which every spreadsheet reads as a date), each cell quoted where it needs to
// be, so line breaks in notes survive; lines end in CRLF. Cells that a spreadsheet would run as a
// formula are guarded (SpreadsheetCell). Written in UTF-8 with a byte-order mark, which spreadsheet
// programs open without asking for the encoding.
class CsvSpreadsheetBuilder
{
public:
    explicit CsvSpreadsheetBuilder(const CollectionManager &collectionManager);

    QString string() const;
    QByteArray data() const;
    // Writes the file atomically.
    bool exportSiteAtPath(const QString &path, FileError *error = nullptr) const;

    // "YYYY-MM-DD"; "" for no date.
    static QString dateText(const QDate &date);

private:
    static constexpr int LastVerifiedOnColumn = 12;
    const CollectionManager &m_collectionManager;
};
