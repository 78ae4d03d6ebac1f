#include "support/DatabaseBuilder.h"

#include "model/ByteFields.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/DatabaseJson.h"
#include "model/FileError.h"
#include "workflow/EmailTemplateFile.h"
#include "workflow/LinkImporter.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

Q_DECLARE_METATYPE(FileError::Kind)

namespace {

enum class Reader
{
    Database,
    Json,
    Templates,
    LinkImport,
};

// What the reader says of `bytes` in a file at `path` (none when `path` is missing); a file reader
// leaves the store as it was.
FileError readBack(Reader reader, const QString &path, const QByteArray &bytes, bool missing)
{
    QFile file(path);
    if (!missing && (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()))
        return FileError(FileError::Kind::Damaged, QStringLiteral("the test could not write"));
    file.close();
    DatabaseBuilder db;
    db.link(QStringLiteral("Kept"));
    const QByteArray before = db.store().dataRepresentation();
    FileError error;
    bool read = false;
    switch (reader) {
    case Reader::Database:
        read = DatabaseFile::read(path, db.store(), &error);
        break;
    case Reader::Json:
        read = DatabaseJson::fromJson(QJsonDocument::fromJson(bytes).object(), db.store(), &error);
        break;
    case Reader::Templates:
        read =
            EmailTemplateFile::importEmailTemplatesFromFileAtPath(db.store(), path, nullptr, nullptr, &error);
        break;
    case Reader::LinkImport:
        read = LinkImporter::importLinksFromFileAtPath(db.store(), path, nullptr, nullptr, &error);
        break;
    }
    if (read || (reader != Reader::Json && db.store().dataRepresentation() != before))
        return FileError(FileError::Kind::None, QStringLiteral("read or changed the store"));
    return error;
}

} // namespace

class TestFileError : public QObject
{
    Q_OBJECT

private slots:
    void damagedInputsHaveTheirKind_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QByteArray>("bytes"); // the row "missing" has no file at all
        QTest::addColumn<FileError::Kind>("kind");
        QTest::addColumn<QString>("text");
        using K = FileError::Kind;
        DatabaseBuilder source;
        source.link(QStringLiteral("One"));
        const QByteArray good = source.store().dataRepresentation();
        // Writes `value` as the 32-bit word at `at` of the good file.
        const auto changed = [&good](qsizetype at, uint32_t value) {
            QByteArray bytes = good;
            qToBigEndian<uint32_t>(value, bytes.data() + at);
            return bytes;
        };
        qsizetype at = 4 + SelfInfo::RecordSize; // the template count
        const qsizetype categoryCountAt = at + 4;
        const qsizetype lastValueCountAt =
            good.lastIndexOf(ByteFields::utf16BigEndian("DetailsCollapsed")) + 32;
        at += 4 + qFromBigEndian<uint32_t>(good.constData() + at) * EmailTemplate::RecordSize;
        at += 4 + qFromBigEndian<uint32_t>(good.constData() + at) * Category::RecordSize;
        const QByteArray cutInLink = good.left(at + 4 + 10); // inside the first link
        QByteArray noCategory = good.left(4 + SelfInfo::RecordSize);
        noCategory.append(QByteArray(12, '\0')); // no templates, categories or links

        const int database = int(Reader::Database);
        QTest::newRow("missing") << database << QByteArray() << K::CannotOpen
                                 << "cannot open (No such file or directory)";
        QTest::newRow("empty") << database << QByteArray("") << K::Empty << "empty file";
        QTest::newRow("short header")
            << database << QByteArray("01") << K::NotADatabase << "not a links database";
        for (const char *header : {"0101", "0103", "abcd"})
            QTest::newRow(header) << database << header + good.mid(4) << K::NotADatabase
                                  << "not a links database";
        // 2^31 and more read as negative counts: no file holds one.
        QTest::newRow("negative count") << database << changed(4 + SelfInfo::RecordSize, 0x80000000u)
                                        << K::NotADatabase << "not a links database (bad record count)";
        QTest::newRow("category count 2^32-1")
            << database << changed(categoryCountAt, 0xffffffffu) << K::NotADatabase
            << "not a links database (bad record count)";
        QTest::newRow("category count 2^31-1")
            << database << changed(categoryCountAt, 0x7fffffffu) << K::Truncated << "truncated";

        QTest::newRow("named string past the end")
            << database << changed(lastValueCountAt, 0x40000000u) << K::Truncated << "truncated";
        QTest::newRow("cut in the profile") << database << good.left(100) << K::Truncated << "truncated";
        QTest::newRow("cut in the links") << database << cutInLink << K::Truncated << "truncated";

        QTest::newRow("json version") << int(Reader::Json) << QByteArray(R"({"version": "0103"})")
                                      << K::UnsupportedVersion << "unsupported version";
        QTest::newRow("json without categories") << int(Reader::Json) << QByteArray("{}") << K::Damaged
                                                 << "no \"categories\" array: not a links database in JSON";

        const int templates = int(Reader::Templates);
        QTest::newRow("templates too short") << templates << QByteArray("\0\0", 2) << K::NotATemplatesFile
                                             << "not an e-mail templates file (too short)";
        QTest::newRow("no templates")
            << templates << QByteArray(4, '\0') << K::NoTemplates << "holds no e-mail templates";
        QTest::newRow("templates cut")
            << templates << QByteArray("\0\0\0\1xyz", 7) << K::Truncated << "truncated";

        const int links = int(Reader::LinkImport);
        QTest::newRow("import: no category") << links << noCategory << K::NoCategory << "holds no category";
        QTest::newRow("import: cut") << links << cutInLink << K::Truncated << "truncated";
    }

    void damagedInputsHaveTheirKind()
    {
        QFETCH(int, reader);
        QFETCH(QByteArray, bytes);
        QFETCH(FileError::Kind, kind);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const bool missing = QByteArray(QTest::currentDataTag()) == "missing";
        const FileError error = readBack(Reader(reader), dir.filePath(QStringLiteral("in")), bytes, missing);
        QCOMPARE(error.text(), text);
        QCOMPARE(error.kind(), kind);
    }
};

QTEST_GUILESS_MAIN(TestFileError)
#include "tst_fileerror.moc"
