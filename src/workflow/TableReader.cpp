#include "TableReader.h"

#include "TableColumns.h"

#include <QFile>
#include <QStringDecoder>

namespace {

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// Walks the text one row at a time.
class RowScanner
{
public:
    RowScanner(QStringView text, QChar delimiter) : m_text(text), m_delimiter(delimiter) {}

    bool atEnd() const { return m_position >= m_text.size(); }

    // The cells of the next row; false at the end of the text.
    bool nextRow(QStringList &cells)
    {
        cells.clear();
        if (atEnd())
            return false;
        for (;;) {
            cells.append(nextField());
            if (atEnd())
                return true;
            const QChar c = m_text[m_position++];
            if (c == m_delimiter)
                continue;
            if (c == u'\r' && !atEnd() && m_text[m_position] == u'\n')
                ++m_position;
            return true;
        }
    }

private:
    // The field from here up to the delimiter or line end that follows it, which is not consumed.
    QString nextField()
    {
        if (!atEnd() && m_text[m_position] == u'"') {
            if (std::optional<QString> quoted = quotedField())
                return *quoted;
        }
        const qsizetype start = m_position;
        while (!atEnd() && m_text[m_position] != m_delimiter && !isLineEnd(m_text[m_position]))
            ++m_position;
        return m_text.sliced(start, m_position - start).toString();
    }

    // A quoted field that closes right before a delimiter, a line end or the end of the text; none
    // (and the position unchanged) otherwise.
    std::optional<QString> quotedField()
    {
        QString value;
        qsizetype from = m_position + 1;
        for (;;) {
            const qsizetype quote = m_text.indexOf(u'"', from);
            if (quote < 0)
                return std::nullopt;
            value += m_text.sliced(from, quote - from);
            const qsizetype after = quote + 1;
            if (after < m_text.size() && m_text[after] == u'"') {
                value += u'"';
                from = after + 1;
                continue;
            }
            if (after < m_text.size() && m_text[after] != m_delimiter && !isLineEnd(m_text[after]))
                return std::nullopt;
            m_position = after;
            return value;
        }
    }

    QStringView m_text;
    QChar m_delimiter;
    qsizetype m_position = 0;
};

bool isBlank(const QStringList &cells)
{
    return std::all_of(cells.cbegin(), cells.cend(), [](const QString &cell) { return cell.isEmpty(); });
}

// The first row that holds anything, read with that delimiter.
QStringList headerCells(QStringView text, QChar delimiter)
{
    RowScanner scanner(text, delimiter);
    QStringList cells;
    while (scanner.nextRow(cells)) {
        if (!isBlank(cells))
            return cells;
    }
    return {};
}

} // namespace

TextEncoding TableReader::detectEncoding(const QByteArray &data)
{
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF"))
        return TextEncoding::UTF16;
    if (data.startsWith("\xEF\xBB\xBF"))
        return TextEncoding::UTF8;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    [[maybe_unused]] const QString text = utf8.decode(data);
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

std::optional<Table> TableReader::read(const QByteArray &data, const Options &options, QString *error)
{
    if (data.size() > MaximumSize) {
        fail(error, QStringLiteral("is too large (more than %1 bytes)").arg(MaximumSize));
        return std::nullopt;
    }
    Table table;
    table.encoding = options.encoding.value_or(detectEncoding(data));
    const QString text = decode(data, table.encoding);
    // A database, an image or a spreadsheet program's own format: none of them is text.
    if (text.contains(QChar(0))) {
        fail(error, QStringLiteral("is not a text table (CSV or tab-delimited)"));
        return std::nullopt;
    }
    table.delimiter = options.delimiter.value_or(detectDelimiter(text));

    RowScanner scanner(text, table.delimiter);
    QStringList cells;
    int number = 0;
    bool headerRead = false;
    while (scanner.nextRow(cells)) {
        ++number;
        if (isBlank(cells))
            continue;
        if (!headerRead) {
            table.headers = cells;
            table.headerNumber = number;
            headerRead = true;
        } else {
            table.rows.append(TableRow{number, cells});
        }
    }
    if (!headerRead) {
        fail(error, QStringLiteral("holds no table (no header line)"));
        return std::nullopt;
    }
    return table;
}

std::optional<Table> TableReader::readFile(const QString &path, const Options &options, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("cannot open (%1)").arg(file.errorString()));
        return std::nullopt;
    }
    if (!file.isSequential() && file.size() > MaximumSize) {
        fail(error, QStringLiteral("is too large (more than %1 bytes)").arg(MaximumSize));
        return std::nullopt;
    }
    // A pipe is read in pieces up to one byte past the cap, which is then refused.
    QByteArray data;
    if (file.isSequential()) {
        char piece[1 << 16];
        qint64 got = 0;
        while (data.size() <= MaximumSize && (got = file.read(piece, sizeof piece)) > 0)
            data.append(piece, qsizetype(got));
    } else {
        data = file.readAll();
    }
    if (file.error() != QFileDevice::NoError) {
        fail(error, QStringLiteral("cannot read (%1)").arg(file.errorString()));
        return std::nullopt;
    }
    return read(data, options, error);
}
