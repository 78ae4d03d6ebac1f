#pragma once

#include "Table.h"

#include "model/FileError.h"
#include "model/Link.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

class QIODevice;

// Reads RFC 4180 CSV and tab-delimited text into a Table, without a window. Fields may be quoted,
// with delimiters, doubled quotes and line breaks inside; lines end in CRLF, LF or CR; rows with no
// text in any cell are skipped. A field that opens a quote but does not close it right before a
// delimiter or line end is read as it stands, quotes included, so that tab-delimited text written
// without quoting reads back as written.
class TableReader
{
public:
    // The largest table read: the largest database the file format can hold.
    static constexpr qint64 MaximumSize = qint64(1) << 31;
    // No more rows than a database can hold links, no more cells in a row than any table of partners
    // needs, and no header line longer than any list of column names: a larger table is refused
    // before it fills the memory.
    static constexpr int MaximumRows = int(MaximumSize / Link::RecordSize);
    static constexpr int MaximumCells = 1000;
    static constexpr qsizetype MaximumHeaderLength = 1 << 16;

    struct Options
    {
        std::optional<TextEncoding> encoding; // none: found from the bytes
        std::optional<QChar> delimiter;       // none: found from the header line
    };

    // The table, or none with `error` saying why (NotATable, TableTooLarge, TooManyRows, ...).
    static std::optional<Table> read(const QByteArray &data, const Options &options = {},
                                     FileError *error = nullptr);
    // The same from a file, which may be a pipe: never more than MaximumSize bytes are read.
    static std::optional<Table> readFile(const QString &path, const Options &options = {},
                                         FileError *error = nullptr);

    // UTF-16 when the bytes start with its byte-order mark, UTF-8 with one or when they are valid
    // UTF-8, otherwise ISO Latin 1.
    static TextEncoding detectEncoding(const QByteArray &data);
    // The bytes as text in the encoding, without leading byte-order marks.
    static QString decode(const QByteArray &data, TextEncoding encoding);
    // Of tab, comma and semicolon, the one that splits the header line into the most column names
    // the import knows; ties go to tab, then comma. When no delimiter gives a known name, the one
    // giving the most columns wins, with the same order for ties.
    static QChar detectDelimiter(QStringView text);

private:
    // How much of the text's start the delimiter is guessed from: the header line at its longest.
    static constexpr qsizetype DelimiterScanSize = MaximumHeaderLength;

    static std::optional<Table> readText(QString text, TextEncoding encoding, const Options &options,
                                         FileError *error);
};
