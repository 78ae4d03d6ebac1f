#pragma once

#include "model/Codes.h"
#include "model/FileError.h"
#include "model/TextCodec.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDate>
#include <QString>

class CollectionManager;

// Every link of the database, whatever its status, as tab-delimited text under a header line:
// fourteen fields, no quoting (tabs and line breaks inside a field become spaces), one line feed
// after every line. A field that a spreadsheet would run as a formula is guarded (SpreadsheetCell).
class SpreadsheetBuilder
{
    Q_DECLARE_TR_FUNCTIONS(SpreadsheetBuilder)

public:
    explicit SpreadsheetBuilder(const CollectionManager &collectionManager);

    // --- Entry points for the document's commands
    static bool exportSpreadsheetWithCollectionManager(const CollectionManager &collectionManager,
                                                       const QString &path, FileError *error = nullptr);
    static void copySpreadsheetToClipboardWithCollectionManager(const CollectionManager &collectionManager);

    QString string() const;
    QString clipboardString() const { return string(); }
    QString headerLine() const;
    static QString stringForStatus(LinkStatus status);
    // "MM/DD/YYYY" (a localised template may reorder the parts); "" for no date.
    static QString stringForDate(const QDate &date);

    // The encoding of the "FileExportEncoding" preference: 0 UTF-16 with a byte order mark,
    // 2 ISO Latin 1, 3 UTF-8 without a byte order mark, anything else Mac OS Roman.
    static TextEncoding encodingForPreference(int value);
    // The text in the encoding; characters it cannot hold are replaced, never an error.
    QByteArray data(TextEncoding encoding) const;
    // How many characters of the text the encoding would replace; callers ask before writing.
    int unwritableCharacterCount(TextEncoding encoding) const;
    static TextEncoding preferredEncoding();
    // Writes the file atomically in the preferred encoding.
    bool exportSiteAtPath(const QString &path, FileError *error = nullptr) const;
    bool exportSiteAtPath(const QString &path, TextEncoding encoding, FileError *error = nullptr) const;

private:
    static QString dateText(const QDate &date, const QString &pattern);

    const CollectionManager &m_collectionManager;
};
