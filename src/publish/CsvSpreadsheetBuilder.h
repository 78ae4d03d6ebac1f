#pragma once

#include <QByteArray>
#include <QString>

class CollectionManager;

// The spreadsheet export as comma-separated values (RFC 4180): the same fourteen columns and header
// as the tab-delimited text, each cell quoted where it needs to be, so line breaks in notes survive;
// lines end in CRLF. Written in UTF-8 with a byte-order mark, which spreadsheet programs open
// without asking for the encoding.
class CsvSpreadsheetBuilder
{
public:
    explicit CsvSpreadsheetBuilder(const CollectionManager &collectionManager);

    QString string() const;
    QByteArray data() const;
    // Writes the file atomically.
    bool exportSiteAtPath(const QString &path, QString *error = nullptr) const;

private:
    const CollectionManager &m_collectionManager;
};
