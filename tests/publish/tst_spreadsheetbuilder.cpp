#include "PublishSample.h"

#include "model/CollectionManager.h"
#include "model/Preferences.h"
#include "model/TextCodec.h"
#include "publish/SpreadsheetBuilder.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Links covering the cells that need care: accents, characters an 8-bit encoding lacks, notes
// with line breaks and tabs, never-verified links, every status and both request types.
void buildSheet(DatabaseBuilder &db)
{
    LinkFields f;
    f.title = QStringLiteral("Café Ł½—");
    f.URL = QStringLiteral("http://cafe.example/");
    f.description = QStringLiteral("Tab\there");
    f.counterpartURL = QStringLiteral("http://cafe.example/links.html");
    f.counterpartCategoryName = QStringLiteral("Friends");
    f.contactFirstName = QStringLiteral("Zoë");
    f.contactLastName = QStringLiteral("Brontë");
    f.contactEmail = QStringLiteral("zoe@cafe.example");
    f.type = LinkTypeReceived;
    f.status = LinkStatusApproved;
    f.lastStatusChangedOn = QDate(2004, 3, 5);
    f.lastVerifiedOn = QDate(2004, 12, 31);
    f.lastVerificationResult = VerificationSucceeded;
    f.notes = QStringLiteral("First line\r\nSecond line\rThird\nFourth\tend");
    db.defaultCategory().link(f);

    LinkFields g;
    g.title = QStringLiteral("Never Checked");
    g.URL = QStringLiteral("http://never.example/");
    g.type = LinkTypeSent;
    g.status = LinkStatusBlocked;
    g.lastStatusChangedOn = QDate(2010, 11, 9);
    db.category(QStringLiteral("Tea\tRooms"), "tea").link(g);
    g.title = QStringLiteral("Fresh");
    g.status = LinkStatusNew;
    db.link(g);
    g.title = QStringLiteral("Talking");
    g.status = LinkStatusNegotiating;
    db.link(g);
}

} // namespace

class TestSpreadsheetBuilder : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { Preferences::useSettingsFile(m_dir.filePath("settings.ini")); }

    void emptyDatabaseGivesTheHeaderOnly()
    {
        CollectionManager store;
        SpreadsheetBuilder builder(store);
        QCOMPARE(builder.string(), builder.headerLine());
        QCOMPARE(builder.string().count('\n'), 1);
    }

    void datesAndStatuses()
    {
        QCOMPARE(SpreadsheetBuilder::stringForDate(QDate(2004, 3, 5)), QString("03/05/2004"));
        QCOMPARE(SpreadsheetBuilder::stringForDate(QDate(987, 12, 1)), QString("12/01/987"));
        QCOMPARE(SpreadsheetBuilder::stringForDate(QDate()), QString(""));
        QCOMPARE(SpreadsheetBuilder::stringForStatus(LinkStatusNegotiating), QString("Negotiating"));
        QCOMPARE(SpreadsheetBuilder::stringForStatus('9'), QString(""));
    }

    void encodingsMatchGolden_data()
    {
        QTest::addColumn<int>("preference");
        QTest::addColumn<QString>("golden");
        QTest::newRow("UTF-16") << 0 << "spreadsheet-utf16.txt";
        QTest::newRow("Mac OS Roman") << 1 << "spreadsheet-macroman.txt";
        QTest::newRow("ISO Latin 1") << 2 << "spreadsheet-latin1.txt";
        QTest::newRow("UTF-8") << 3 << "spreadsheet-utf8.txt";
        QTest::newRow("unknown value") << 7 << "spreadsheet-macroman.txt";
    }

    void encodingsMatchGolden()
    {
        QFETCH(int, preference);
        QFETCH(QString, golden);
        DatabaseBuilder db;
        buildSheet(db);
        Preferences::setValue(Preferences::FileExportEncoding, preference);
        const QString path = m_dir.filePath("sheet.txt");
        QString error;
        QVERIFY2(SpreadsheetBuilder::exportSpreadsheetWithCollectionManager(db.store(), path, &error),
                 qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(PublishSample::matchesGolden(file.readAll(), golden));
    }

    void characterChecksPerEncoding()
    {
        DatabaseBuilder db;
        buildSheet(db);
        const SpreadsheetBuilder builder(db.store());
        const QByteArray utf16 = builder.data(TextEncoding::UTF16);
        QVERIFY(utf16.startsWith("\xFF\xFE"));
        QCOMPARE(TextCodec::decode(utf16, TextEncoding::UTF16), builder.string());
        // UTF-8 keeps every character and starts with the header, without a byte order mark.
        const QByteArray utf8 = builder.data(SpreadsheetBuilder::encodingForPreference(3));
        QVERIFY(utf8.startsWith("Link\tCategory\t"));
        QVERIFY(utf8.contains("\nCaf\xC3\xA9 \xC5\x81\xC2\xBD\xE2\x80\x94\t"));
        QCOMPARE(SpreadsheetBuilder::encodingForPreference(1), TextEncoding::MacOSRoman);
        QCOMPARE(SpreadsheetBuilder::encodingForPreference(-3), TextEncoding::MacOSRoman);

        // The count the export asks with matches the '?' the encoder writes.
        QCOMPARE(builder.unwritableCharacterCount(TextEncoding::MacOSRoman), 2); // Ł ½
        QCOMPARE(builder.unwritableCharacterCount(TextEncoding::ISOLatin1), 2);  // Ł —
        QCOMPARE(builder.unwritableCharacterCount(TextEncoding::UTF8), 0);
        QCOMPARE(builder.unwritableCharacterCount(TextEncoding::UTF16), 0);
    }

    void defaultPreferenceIsUtf8()
    {
        Preferences::remove(Preferences::FileExportEncoding);
        DatabaseBuilder db;
        buildSheet(db);
        const QString path = m_dir.filePath("default.txt");
        QVERIFY(SpreadsheetBuilder(db.store()).exportSiteAtPath(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // A user who never chose loses no character; a stored choice stays as it is.
        QCOMPARE(file.readAll(), SpreadsheetBuilder(db.store()).data(TextEncoding::UTF8));
        Preferences::setValue(Preferences::FileExportEncoding, 1);
        QCOMPARE(SpreadsheetBuilder::preferredEncoding(), TextEncoding::MacOSRoman);
    }

    void aFailedWriteNamesTheFile()
    {
        DatabaseBuilder db;
        buildSheet(db);
        const QString path = m_dir.filePath("no-such-folder/sheet.txt");
        QString error;
        QVERIFY(!SpreadsheetBuilder(db.store()).exportSiteAtPath(path, TextEncoding::UTF16, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    }
};

QTEST_MAIN(TestSpreadsheetBuilder)
#include "tst_spreadsheetbuilder.moc"
