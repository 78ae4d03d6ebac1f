#include "model/MacRomanCodec.h"
#include "workflow/TableColumns.h"
#include "workflow/TableReader.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QList<QStringList> cellsOf(const Table &table)
{
    QList<QStringList> rows;
    for (const TableRow &row : table.rows)
        rows.append(row.cells);
    return rows;
}

QList<int> numbersOf(const Table &table)
{
    QList<int> numbers;
    for (const TableRow &row : table.rows)
        numbers.append(row.number);
    return numbers;
}

Table readOrFail(const QByteArray &data, const TableReader::Options &options = {})
{
    QString error;
    const std::optional<Table> table = TableReader::read(data, options, &error);
    if (!table)
        qWarning("not read: %s", qPrintable(error));
    return table.value_or(Table{});
}

} // namespace

class TestTableReader : public QObject
{
    Q_OBJECT

private slots:
    void delimiterComesFromTheHeaderLine_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("delimiter");
        QTest::newRow("tab") << QByteArray("Title\tURL\nA, b\thttp://a.example\n") << "\t";
        QTest::newRow("comma") << QByteArray("Title,URL,Notes\nA;b,http://a.example,x\n") << ",";
        QTest::newRow("semicolon") << QByteArray("Name;Website;Comment, more\nA;http://a.example;x\n") << ";";
        // Only the comma splits off a known name ("Notes").
        QTest::newRow("known names decide") << QByteArray("Remarks; more\tURL,Notes\n") << ",";
        QTest::newRow("tie goes to tab") << QByteArray("URL\tTitle,Notes\n") << "\t";
        QTest::newRow("no known name: most columns") << QByteArray("a;b;c,d\n1;2;3,4\n") << ";";
        QTest::newRow("quoted header") << QByteArray("\"Title, long\",URL\n") << ",";
    }
    void delimiterComesFromTheHeaderLine()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, delimiter);
        QCOMPARE(readOrFail(data).delimiter, delimiter.at(0));
    }

    void quotedFieldsAndLineEnds()
    {
        const Table table = readOrFail("Title,URL,Notes\r\n"
                                       "\"A, B\",http://a.example,\"say \"\"hi\"\"\"\r\n"
                                       "C,http://c.example,\"two\r\nlines\"\r"
                                       "\r\n"
                                       ",,\n"
                                       "D,http://d.example,\n"
                                       "E,http://e.example");
        QCOMPARE(table.headers, (QStringList{"Title", "URL", "Notes"}));
        QCOMPARE(cellsOf(table), (QList<QStringList>{{"A, B", "http://a.example", "say \"hi\""},
                                                     {"C", "http://c.example", "two\r\nlines"},
                                                     {"D", "http://d.example", ""},
                                                     {"E", "http://e.example"}}));
        // Numbered as a spreadsheet shows them: blank rows count, a line break inside a cell does not.
        QCOMPARE(numbersOf(table), (QList<int>{2, 3, 6, 7}));
    }

    void unbalancedQuotesReadAsWritten()
    {
        // The tab-delimited export writes quotes as they stand.
        const Table table =
            readOrFail("Link\tURL\n\"Best\" links\thttp://a.example\n\"open\thttp://b.example\n");
        QCOMPARE(cellsOf(table), (QList<QStringList>{{"\"Best\" links", "http://a.example"},
                                                     {"\"open", "http://b.example"}}));
    }

    void encodings()
    {
        const QString text = QStringLiteral("Title\tURL\nCaf\u00e9 \u20ac\thttp://a.example\n");
        auto title = [](const Table &table) { return table.rows.value(0).cells.value(0); };

        QStringEncoder utf16le(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        Table table = readOrFail(utf16le.encode(text));
        QCOMPARE(table.encoding, TextEncoding::UTF16);
        QCOMPARE(title(table), QStringLiteral("Caf\u00e9 \u20ac"));
        QCOMPARE(table.headers.value(0), QStringLiteral("Title")); // the mark is not part of it

        QStringEncoder utf16be(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
        QCOMPARE(title(readOrFail(utf16be.encode(text))), QStringLiteral("Caf\u00e9 \u20ac"));

        table = readOrFail("\xEF\xBB\xBF" + text.toUtf8());
        QCOMPARE(table.encoding, TextEncoding::UTF8);
        QCOMPARE(table.headers.value(0), QStringLiteral("Title"));
        QCOMPARE(title(readOrFail(text.toUtf8())), QStringLiteral("Caf\u00e9 \u20ac"));

        // Not valid UTF-8: Latin-1, unless the user picks Mac OS Roman.
        const QByteArray roman = MacRomanCodec::encode(text);
        table = readOrFail(roman);
        QCOMPARE(table.encoding, TextEncoding::ISOLatin1);
        QCOMPARE(title(table), QString::fromLatin1(roman.mid(10, 6)));
        QCOMPARE(title(readOrFail(roman, {TextEncoding::MacOSRoman, std::nullopt})),
                 QStringLiteral("Caf\u00e9 \u20ac"));
    }

    void refusals()
    {
        QString error;
        QVERIFY(!TableReader::read(QByteArray("0102\0\0\0\x01", 8), {}, &error));
        QVERIFY(error.contains(QLatin1String("not a text table")));
        QVERIFY(!TableReader::read(QByteArray("\n\r\n\r"), {}, &error));
        QVERIFY(error.contains(QLatin1String("no header")));

        // A file past the cap is refused before anything is read (a sparse file takes no room).
        QTemporaryDir dir;
        QFile big(dir.filePath(QStringLiteral("big.csv")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(TableReader::MaximumSize + 1));
        big.close();
        QVERIFY(!TableReader::readFile(big.fileName(), {}, &error));
        QVERIFY(error.contains(QLatin1String("too large")));
        QVERIFY(!TableReader::readFile(dir.filePath(QStringLiteral("none.csv")), {}, &error));
        QVERIFY(error.contains(QLatin1String("cannot open")));
    }

    void columnNames()
    {
        // Every header the export writes maps back to its own field, in order.
        const QStringList exported = {"Link",
                                      "Category",
                                      "Description",
                                      "URL",
                                      "Links Page URL",
                                      "My Category",
                                      "Contact First Name",
                                      "Contact Last Name",
                                      "Contact E-mail",
                                      "Original Request",
                                      "Status",
                                      "Last Status Changed On",
                                      "Last Verified On",
                                      "Notes"};
        QCOMPARE(TableColumns::mappingOfHeaders(exported),
                 (QList<TableField>{
                     TableField::Title, TableField::Category, TableField::Description, TableField::URL,
                     TableField::LinksPageURL, TableField::MyCategory, TableField::FirstName,
                     TableField::LastName, TableField::Email, TableField::OriginalRequest, TableField::Status,
                     TableField::LastStatusChangedOn, TableField::LastVerifiedOn, TableField::Notes}));
        // Other tools' names, whatever their case, spaces, dashes and underscores.
        const QStringList other = {"site_url",       "BACKLINK-URL", "e-mail",   " first name ", "LastName",
                                   "Reciprocal URL", "request",      "keywords", "Colour"};
        QCOMPARE(TableColumns::mappingOfHeaders(other),
                 (QList<TableField>{TableField::URL, TableField::LinksPageURL, TableField::Email,
                                    TableField::FirstName, TableField::LastName, TableField::Ignored,
                                    TableField::OriginalRequest, TableField::Keywords, TableField::Ignored}));
        // A field named twice is taken from its first column.
        QCOMPARE(TableColumns::mappingOfHeaders({"Title", "Name", "Website"}),
                 (QList<TableField>{TableField::Title, TableField::Ignored, TableField::URL}));
    }
};

QTEST_GUILESS_MAIN(TestTableReader)
#include "tst_tablereader.moc"
