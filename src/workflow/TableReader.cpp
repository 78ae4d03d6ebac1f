#include "TableReader.h"

#include "TableColumns.h"

#include <QFile>
#include <QStringDecoder>

namespace {

using Kind = FileError::Kind;

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// Reads the next field at `position` (a quoted one when it closes right before a delimiter, a line
// end or the end of the text; otherwise as it stands, up to the delimiter or line end, which is not
// consumed), calling `put` with the characters of its value in order. Never reads a character twice
// except for a quote that does not close.
template <typename Put> void readField(QStringView text, QChar delimiter, qsizetype &position, Put put)
{
    const qsizetype size = text.size();
    if (position < size && text[position] == u'"') {
        // First find where the quoted field closes, then copy it: a quote that does not close leaves
        // the field to be read as it stands.
        qsizetype quote = position;
        bool closes = false;
        for (;;) {
            quote = text.indexOf(u'"', quote + 1);
            if (quote < 0)
                break;
            if (quote + 1 < size && text[quote + 1] == u'"') {
                ++quote; // a doubled quote stands for one
                continue;
            }
            closes = quote + 1 >= size || text[quote + 1] == delimiter || isLineEnd(text[quote + 1]);
            break;
        }
        if (closes) {
            for (qsizetype i = position + 1; i < quote; ++i) {
                put(text[i]);
                if (text[i] == u'"')
                    ++i;
            }
            position = quote + 1;
            return;
        }
    }
    while (position < size && text[position] != delimiter && !isLineEnd(text[position]))
        put(text[position++]);
}

// Passes a line end (CRLF, LF or CR) or a delimiter; false when the row ends there.
bool nextFieldFollows(QStringView text, QChar delimiter, qsizetype &position)
{
    if (position >= text.size())
        return false;
    const QChar c = text[position++];
    if (c == delimiter)
        return true;
    if (c == u'\r' && position < text.size() && text[position] == u'\n')
        ++position;
    return false;
}

// The cells of the row at `position`, which moves past it.
QStringList rowCells(QStringView text, QChar delimiter, qsizetype &position)
{
    QStringList cells;
    do {
        QString cell;
        readField(text, delimiter, position, [&](QChar c) { cell += c; });
        cells.append(cell);
    } while (nextFieldFollows(text, delimiter, position));
    return cells;
}

bool isBlank(const QStringList &cells)
{
    return std::all_of(cells.cbegin(), cells.cend(), [](const QString &cell) { return cell.isEmpty(); });
}

// The first row that holds anything, read with that delimiter.
QStringList headerCells(QStringView text, QChar delimiter)
{
    qsizetype position = 0;
    while (position < text.size()) {
        const QStringList cells = rowCells(text, delimiter, position);
        if (!isBlank(cells))
            return cells;
    }
    return {};
}

// Splits the whole text into rows in place: each row's cell values are written over the text they
// were read from (a value is never longer than its field and the delimiter after it), so the table
// needs no memory beyond the text. The header row becomes the table's headers; blank rows go.
bool splitRows(Table &table, FileError *error)
{
    QString &text = table.text;
    QChar *out = text.data();
    const QStringView source(out, text.size());
    const QChar delimiter = table.delimiter;
    qsizetype position = 0;
    qsizetype written = 0;
    int number = 0;
    bool headerRead = false;
    while (position < source.size()) {
        ++number;
        const qsizetype start = written;
        int cells = 0;
        do {
            if (++cells > TableReader::MaximumCells)
                return FileError::fail(error, Kind::TooManyCells, QString::number(number),
                                       TableReader::MaximumCells);
            if (cells > 1)
                out[written++] = Table::CellEnd;
            readField(source, delimiter, position, [&](QChar c) { out[written++] = c; });
        } while (nextFieldFollows(source, delimiter, position));
        const TableRow row{number, start, written - start};
        if (row.length == cells - 1) { // nothing but the ends of empty cells
            written = start;
            continue;
        }
        if (!headerRead) {
            // Column names, not a text: a longer header is a quote that never closes.
            if (row.length > TableReader::MaximumHeaderLength)
                return FileError::fail(error, Kind::HeaderTooLong, QString(),
                                       TableReader::MaximumHeaderLength);
            table.headers = table.cells(row);
            table.headerNumber = number;
            headerRead = true;
            written = start;
            continue;
        }
        if (table.rows.size() == TableReader::MaximumRows)
            return FileError::fail(error, Kind::TooManyRows, QString(), TableReader::MaximumRows);
        table.rows.append(row);
    }
    text.truncate(written);
    text.squeeze();
    return true;
}

} // namespace

TextEncoding TableReader::detectEncoding(const QByteArray &data)
{
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF"))
        return TextEncoding::UTF16;
    if (data.startsWith("\xEF\xBB\xBF"))
        return TextEncoding::UTF8;
    // Checked in pieces that end between characters, so the whole text is never made twice.
    constexpr qsizetype Piece = 1 << 16;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    for (qsizetype from = 0; from < data.size() && !utf8.hasError();) {
        qsizetype end = qMin(data.size(), from + Piece);
        for (int back = 0; back < 3 && end < data.size() && (uchar(data[end]) & 0xC0) == 0x80; ++back)
            --end;
        [[maybe_unused]] const QString piece = utf8.decode(QByteArrayView(data).sliced(from, end - from));
        from = end;
    }
    return utf8.hasError() ? TextEncoding::ISOLatin1 : TextEncoding::UTF8;
}

QString TableReader::decode(const QByteArray &data, TextEncoding encoding)
{
    QString text = TextCodec::decode(data, encoding);
    // Marks written twice by careless tools are no part of the first header either.
    qsizetype marks = 0;
    while (marks < text.size() && text.at(marks) == QChar(0xFEFF))
        ++marks;
    text.remove(0, marks);
    return text;
}

QChar TableReader::detectDelimiter(QStringView text)
{
    const QChar candidates[] = {u'\t', u',', u';'};
    QChar best = candidates[0];
    int bestKnown = -1;
    qsizetype bestColumns = -1;
    for (const QChar delimiter : candidates) {
        const QStringList headers = headerCells(text, delimiter);
        const int known = TableColumns::numberOfKnownHeaders(headers);
        // Known names decide; without any, the number of columns does.
        if (known > bestKnown || (known == 0 && bestKnown == 0 && headers.size() > bestColumns)) {
            best = delimiter;
            bestKnown = known;
            bestColumns = headers.size();
        }
    }
    return best;
}

std::optional<Table> TableReader::read(const QByteArray &data, const Options &options, FileError *error)
{
    if (data.size() > MaximumSize) {
        FileError::fail(error, Kind::TableTooLarge, QString(), MaximumSize);
        return std::nullopt;
    }
    const TextEncoding encoding = options.encoding.value_or(detectEncoding(data));
    return readText(decode(data, encoding), encoding, options, error);
}

std::optional<Table> TableReader::readText(QString text, TextEncoding encoding, const Options &options,
                                           FileError *error)
{
    Table table;
    table.encoding = encoding;
    table.text = std::move(text);
    // A database, an image or a spreadsheet program's own format: none of them is text.
    if (table.text.contains(Table::CellEnd)) {
        FileError::fail(error, Kind::NotATable);
        return std::nullopt;
    }
    // The header is in the first lines; a quote that never closes must not make the guess read the
    // whole text.
    table.delimiter = options.delimiter.value_or(
        detectDelimiter(QStringView(table.text).first(qMin(table.text.size(), DelimiterScanSize))));
    if (!splitRows(table, error))
        return std::nullopt;
    if (table.headers.isEmpty()) {
        FileError::fail(error, Kind::NoHeaderLine);
        return std::nullopt;
    }
    return table;
}

std::optional<Table> TableReader::readFile(const QString &path, const Options &options, FileError *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        FileError::fail(error, Kind::CannotOpen, file.errorString());
        return std::nullopt;
    }
    if (!file.isSequential() && file.size() > MaximumSize) {
        FileError::fail(error, Kind::TableTooLarge, QString(), MaximumSize);
        return std::nullopt;
    }
    // A pipe is read in pieces up to one byte past the cap, which is then refused.
    QByteArray data;
    if (file.isSequential()) {
        char piece[1 << 16];
        qint64 got = 0;
        while (data.size() <= MaximumSize && (got = file.read(piece, sizeof piece)) > 0)
            data.append(piece, qsizetype(got));
        data.squeeze();
    } else {
        data = file.readAll();
    }
    if (file.error() != QFileDevice::NoError) {
        FileError::fail(error, Kind::CannotRead, file.errorString());
        return std::nullopt;
    }
    if (data.size() > MaximumSize) {
        FileError::fail(error, Kind::TableTooLarge, QString(), MaximumSize);
        return std::nullopt;
    }
    const TextEncoding encoding = options.encoding.value_or(detectEncoding(data));
    QString text = decode(data, encoding);
    // The bytes go before the text is split, so the file is never held three times.
    data = QByteArray();
    return readText(std::move(text), encoding, options, error);
}
