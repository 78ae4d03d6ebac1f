#include "TestData.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/TextUtils.h"
#include "publish/CsvSpreadsheetBuilder.h"
#include "publish/SpreadsheetBuilder.h"
#include "support/DatabaseBuilder.h"
#include "workflow/KnownAddresses.h"
#include "workflow/LinkForm.h"
#include "workflow/TableImporter.h"
#include "workflow/TableReader.h"

#include <QtTest>

namespace {

const QDate Today(2024, 6, 1);

Table table(const QByteArray &csv)
{
    return TableReader::read(csv).value_or(Table{});
}

// Imports the CSV text into the store and returns the importer for its counts and reports.
std::unique_ptr<TableImporter> import(CollectionManager &store, const QByteArray &csv, bool update = false)
{
    const Table read = table(csv);
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

} // namespace

class TestTableImport : public QObject
{
    Q_OBJECT

private slots:
    void rowsBecomeLinks()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Books"), QStringLiteral("books"));
        CollectionManager &store = db.store();
        const auto importer =
            import(store, "Name,Website,Category,Status,Request,Last Verified On,E-mail\n"
                          ",www.alpha.example/shop,books,approved,A,2024-02-03,a@x\n"
                          "Bravo,https://bravo.example,General,4,,03/05/2004,\n"
                          "Charlie,charlie.example,Caf\xc3\xa9 Cr\xc3\xa8me,Pending,Maybe,31/31/2020,\n");
        QCOMPARE(importer->counts().added, 3);
        QCOMPARE(importer->counts().categoriesAdded, 1);

        // Completed address, title from the host, category matched ignoring case, status and request codes.
        const Link *alpha = linkWithURL(store, QStringLiteral("http://www.alpha.example/shop"));
        QVERIFY(alpha);
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
        QCOMPARE(
            reportTexts(*importer),
            (QStringList{"row 4: original request \"Maybe\" is not known; Received was used",
                         "row 4: status \"Pending\" is not known; New was used",
                         "row 4: \"31/31/2020\" is not a date (MM/DD/YYYY or YYYY-MM-DD); Last Verified On "
                         "was left out"}));
    }

    void skippedAndCutRowsAreReportedByNumber()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("Known"), LinkStatusApproved, QStringLiteral("http://Known.example/"));
        CollectionManager &store = db.store();
        const QByteArray longTitle(120, 'T');
        const auto importer = import(store, "URL,Title\n"
                                            "not a url at all,X\n"
                                            "\n"
                                            ",No address\n"
                                            "http://known.EXAMPLE,Same\n"
                                            "http://new.example/," +
                                                longTitle +
                                                "\n"
                                                "HTTP://NEW.example,Again\n"
                                                "ftp://files.example,F\n");
        QCOMPARE(importer->counts().added, 1);
        QCOMPARE(importer->counts().skipped, 5);
        QCOMPARE(reportTexts(*importer),
                 (QStringList{"row 2: \"not a url at all\" is not a web address", "row 4: has no address",
                              "row 5: \"http://known.EXAMPLE\" is already in the database",
                              "row 6: Title was cut to 99 characters",
                              "row 7: \"HTTP://NEW.example\" is already in row 6",
                              "row 8: \"ftp://files.example\" is not a web address"}));
        QCOMPARE(linkWithURL(store, QStringLiteral("http://new.example/"))->title(), QString(99, u'T'));
        QCOMPARE(store.numberOfLinks(), 2);
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
        QCOMPARE(counts.added, 1);
        QCOMPARE(counts.updated, 2);
        QCOMPARE(counts.unchanged, 1);
        QCOMPARE(store.numberOfLinks(), 2);
        const Link *updated = store.linkWithID(id);
        QVERIFY(updated);
        QCOMPARE(updated->title(), QStringLiteral("Renamed"));
        QCOMPARE(updated->URL(), QStringLiteral("http://KNOWN.example"));
        QCOMPARE(updated->description(), QStringLiteral("kept")); // an empty cell changes nothing
        QCOMPARE(updated->status(), LinkStatusApproved);
        QCOMPARE(updated->lastStatusChangedOn(), Today); // a new status without a date is dated today
        // A later row of the table refreshes the link an earlier row added.
        const Link *fresh = linkWithURL(store, QStringLiteral("http://fresh.example/"));
        QVERIFY(fresh);
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
            for (const QString &asked : urls) {
                QCOMPARE(known.linkNodeWithURL(asked) != nullptr, db.store().linkWithURLAlreadyExists(asked));
            }
        }
    }

    void exportReadsBackInEveryEncoding_data()
    {
        QTest::addColumn<int>("encoding"); // -1: CSV
        QTest::newRow("UTF-16") << int(TextEncoding::UTF16);
        QTest::newRow("UTF-8") << int(TextEncoding::UTF8);
        QTest::newRow("ISO Latin 1") << int(TextEncoding::ISOLatin1);
        QTest::newRow("Mac OS Roman") << int(TextEncoding::MacOSRoman);
        QTest::newRow("CSV") << -1;
    }
    void exportReadsBackInEveryEncoding()
    {
        QFETCH(int, encoding);
        CollectionManager sample;
        FileError error;
        QVERIFY2(DatabaseFile::read(QStringLiteral(QM_SOURCE_DIR "/examples/sample.site"), sample, &error),
                 qPrintable(error.text()));
        // Notes with a line break survive only where cells may be quoted.
        const QByteArray data = encoding < 0 ? CsvSpreadsheetBuilder(sample).data()
                                             : SpreadsheetBuilder(sample).data(TextEncoding(encoding));
        TableReader::Options options;
        if (encoding == int(TextEncoding::MacOSRoman))
            options.encoding = TextEncoding::MacOSRoman; // never guessed: the user picks it
        const std::optional<Table> read = TableReader::read(data, options);
        QVERIFY(read);

        CollectionManager empty;
        TableImporter importer(empty, *read, TableColumns::mappingOfHeaders(read->headers), false, Today);
        QVERIFY(importer.reports().isEmpty());
        importer.apply(empty);
        QList<QStringList> expected = exportedFields(sample);
        if (encoding >= 0) {
            for (QStringList &link : expected)
                link.last() = TextUtils::stringByRemovingTabDelimiters(link.last());
        }
        QList<QStringList> imported = exportedFields(empty);
        // The table holds no verification outcome; everything else comes back.
        QCOMPARE(imported.size(), expected.size());
        QCOMPARE(imported, expected);
    }
};

QTEST_GUILESS_MAIN(TestTableImport)
#include "tst_tableimport.moc"
