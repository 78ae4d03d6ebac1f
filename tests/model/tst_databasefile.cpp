#include "DatabaseBuilder.h"
#include "model/ByteFields.h"
#include "model/CollectionManager.h"
#include "model/DatabaseJson.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>

#include <QTest>
#include <QtEndian>

namespace {

constexpr int SelfInfoAt = 4;
constexpr int TemplateCountAt = SelfInfoAt + SelfInfo::RecordSize;

// A database with every kind of record, some fields at and beyond their limits.
void fill(CollectionManager &store)
{
    store.setSiteProfile({"My Site", "http://www.mine.example/", "Things I like", "one, two",
                          "http://www.mine.example/links.html", "Ann", QString::fromUtf8("Åström"),
                          "ann@mine.example"});
    TreeNode *books = store.addCategoryWithName("Books", "books");
    store.addCategoryWithName("books", "books2"); // equal to Books ignoring case
    store.addCategoryWithName("Zoo", "zoo");
    LinkFields f;
    f.categoryID = books->attachmentID();
    f.title = QString(150, 'T');
    f.URL = "http://partner.example/";
    f.notes = QString(499, 'n');
    f.status = LinkStatusNegotiating;
    f.type = LinkTypeSent;
    f.lastStatusChangedOn = QDate(2024, 3, 1);
    f.lastVerifiedOn = QDate(2024, 4, 2);
    f.lastVerificationResult = VerificationLinkNotFound;
    store.addLinkFromFields(f);
    f.title = QString::fromUtf8("Ünïcode ✓ title");
    f.notes = QString(500, 'm');
    f.lastVerifiedOn = QDate();
    f.lastVerificationResult = VerificationNotVerified;
    store.addLinkFromFields(f);
    f.categoryID = NoneCategoryID;
    f.title = "General link";
    store.addLinkFromFields(f);
    EmailTemplate form;
    form.setName("Welcome", "Hello %FirstName%", QString("Body\nwith lines"));
    store.addEmailTemplateFromEmailTemplate(form);
    store.setString("#FFFFFF", "BackgroundColor");
    store.setTargetNew(1);
    store.setColumnWidths(QList<double>{120.7, 300.2});
    store.setWindowFrame(QRectF(10.9, 20.1, 800.5, 600));
    store.setSplitterPosition(250.8);
    store.setDetailsCollapsed(true);
}

QStringList categoryNames(const CollectionManager &store)
{
    QStringList names;
    for (TreeNode *node : store.categoryRoot()->children())
        names.append(node->category()->name());
    return names;
}

QByteArray fileOf(CollectionManager &store)
{
    return store.dataRepresentation();
}

} // namespace

class TestDatabaseFile : public QObject
{
    Q_OBJECT

private slots:
    void newDatabaseLayout()
    {
        CollectionManager store;
        const QByteArray data = store.dataRepresentation();
        QCOMPARE(data.left(4), QByteArray("0102"));
        QCOMPARE(ByteFields::readSignedWord(data.constData() + TemplateCountAt), 0);
        QCOMPARE(ByteFields::readSignedWord(data.constData() + TemplateCountAt + 4), 1);
        const int linkCountAt = TemplateCountAt + 8 + Category::RecordSize;
        QCOMPARE(ByteFields::readSignedWord(data.constData() + linkCountAt), 0);
        QCOMPARE(ByteFields::readSignedWord(data.constData() + linkCountAt + 4), 3); // no column widths
        QCOMPARE(store.numberOfCategories(), 1);
        QCOMPARE(store.numberOfNonEmptyCategories(), 0);
        QCOMPARE(store.selfInfo().renderMode(), 2);
        QVERIFY(!store.selfInfo().notifyNegotiationNotStarted());
        QCOMPARE(store.selfInfo().negotiationStartTimeout(), 2);
    }

    void roundTripIsByteForByte()
    {
        CollectionManager store;
        fill(store);
        const QByteArray first = fileOf(store);
        CollectionManager loaded;
        QVERIFY(loaded.loadDataRepresentation(first));
        QCOMPARE(fileOf(loaded), first);

        QCOMPARE(categoryNames(loaded), QStringList({"General", "Books", "books", "Zoo"}));
        const TreeNode *books = loaded.categoryWithName("Books");
        QCOMPARE(books->numberOfChildren(), 2);
        const Link *cut = books->childAtIndex(0)->link();
        QCOMPARE(cut->title(), QString(99, 'T'));
        QCOMPARE(cut->notes(), QString(499, 'n'));
        QCOMPARE(cut->lastVerifiedOn(), QDate(2024, 4, 2));
        QCOMPARE(cut->lastVerificationResult(), VerificationLinkNotFound);
        QCOMPARE(cut->status(), LinkStatusNegotiating);
        QCOMPARE(cut->type(), LinkTypeSent);
        const Link *unicode = books->childAtIndex(1)->link();
        QCOMPARE(unicode->title(), QString::fromUtf8("Ünïcode ✓ title"));
        QCOMPARE(unicode->notes(), QString(499, 'm'));
        QVERIFY(unicode->lastVerifiedOn().isNull());
        QCOMPARE(loaded.selfInfo().contactLastName(), QString::fromUtf8("Åström"));
        QCOMPARE(loaded.emailTemplates().front()->body(), QString("Body\nwith lines"));
        QCOMPARE(loaded.windowFrame(), QRectF(10, 20, 800, 600));
        QCOMPARE(loaded.splitterPosition(), 250.0);
        QVERIFY(loaded.detailsCollapsed());
        QCOMPARE(*loaded.columnWidths(), QList<double>({120, 300}));
    }

    void neverVerifiedIsWrittenAsZeros()
    {
        DatabaseBuilder db;
        db.link("Only");
        const QByteArray data = db.store().dataRepresentation();
        const int linkAt = TemplateCountAt + 8 + Category::RecordSize + 4;
        QCOMPARE(data.mid(linkAt + 2840, 9), QByteArray("00000000\0", 9));
        QCOMPARE(data.mid(linkAt + 2861, 1), QByteArray("F"));
    }

    void windowStateMovesToTheEnd()
    {
        CollectionManager store;
        store.setString("a", "WindowFrame");
        store.setString("1", "Style");
        store.setString("YES", "DetailsCollapsed");
        store.setString("x", "Other");
        CollectionManager loaded;
        QVERIFY(loaded.loadDataRepresentation(store.dataRepresentation()));
        QStringList names;
        for (const NamedString &entry : loaded.namedStrings())
            names.append(entry.name());
        QCOMPARE(names,
                 QStringList({"Style", "Other", "WindowFrame", "SplitterPosition", "DetailsCollapsed"}));
        // "a" does not split into four parts: an empty frame.
        CollectionManager odd;
        odd.setString("1,2,3", "WindowFrame");
        odd.setString("7", "ColumnWidths");
        QByteArray data = odd.dataRepresentation();
        QVERIFY(odd.loadDataRepresentation(data));
        QCOMPARE(odd.windowFrame(), QRectF());
        QVERIFY(!odd.columnWidths().has_value());
    }

    void headerMustReadAs102()
    {
        CollectionManager store;
        QByteArray data = store.dataRepresentation();
        for (const char *header : {"0101", "0103", "abcd"}) {
            QByteArray changed = data;
            changed.replace(0, 4, header);
            CollectionManager loaded;
            QString error;
            QVERIFY(!loaded.loadDataRepresentation(changed, &error));
            QCOMPARE(error, QString("not a links database"));
        }
        QByteArray spaced = data;
        spaced.replace(0, 4, " 102");
        CollectionManager loaded;
        QVERIFY(loaded.loadDataRepresentation(spaced));
    }

    void truncatedAnywhereFailsAndLeavesTheStoreAlone()
    {
        CollectionManager source;
        fill(source);
        const QByteArray data = source.dataRepresentation();
        DatabaseBuilder target;
        target.category("Kept").link("Survivor");
        const QByteArray before = target.store().dataRepresentation();
        // Every cut inside the file, not only at record boundaries.
        for (qsizetype length = 0; length < data.size(); length += (length < 4 ? 1 : 97)) {
            QString error;
            QVERIFY2(!target.store().loadDataRepresentation(data.left(length), &error),
                     qPrintable(QString::number(length)));
            QVERIFY(!error.isEmpty());
        }
        for (qsizetype length = data.size() - 12; length < data.size(); ++length)
            QVERIFY(!target.store().loadDataRepresentation(data.left(length)));
        QCOMPARE(target.store().dataRepresentation(), before);
        // Trailing bytes are ignored.
        QVERIFY(target.store().loadDataRepresentation(data + QByteArray(17, 'x')));
    }

    void garbageCountsNeverReadOutside()
    {
        CollectionManager source;
        fill(source);
        const QByteArray data = source.dataRepresentation();
        const int categoryCountAt = TemplateCountAt + 4 + EmailTemplate::RecordSize;
        for (uint32_t count : {0x7fffffffu, 0x80000000u, 0xffffffffu, 5u}) {
            QByteArray changed = data;
            qToBigEndian<uint32_t>(count, changed.data() + categoryCountAt);
            CollectionManager loaded;
            const bool ok = loaded.loadDataRepresentation(changed);
            // A negative count reads no records, the rest then fails to line up or is accepted as data.
            if (int32_t(count) <= 0)
                QVERIFY(!ok || loaded.numberOfCategories() == 0);
        }
        // A named-string length running past the end.
        QByteArray changed = data;
        const qsizetype lastNamedString = data.size() - (8 + 2 * (16 + 3)); // "DetailsCollapsed" = "YES"
        qToBigEndian<uint32_t>(0x40000000u, changed.data() + lastNamedString);
        CollectionManager loaded;
        QString error;
        QVERIFY(!loaded.loadDataRepresentation(changed, &error));
        QCOMPARE(error, QString("truncated"));
    }

    void oversizedUnitCountsAreCutToTheField()
    {
        DatabaseBuilder db;
        db.link("Short");
        QByteArray data = db.store().dataRepresentation();
        const int linkAt = TemplateCountAt + 8 + Category::RecordSize + 4;
        qToBigEndian<uint32_t>(0xfffffff0u, data.data() + linkAt + 300); // title count
        qToBigEndian<uint32_t>(501u, data.data() + linkAt + 3868);       // notes count
        CollectionManager loaded;
        QVERIFY(loaded.loadDataRepresentation(data));
        const Link *link = loaded.defaultCategoryNode()->childAtIndex(0)->link();
        QCOMPARE(link->title().size(), 100);
        QVERIFY(link->title().startsWith("Short"));
        QCOMPARE(link->notes().size(), 500);
    }

    void linkOfMissingCategoryIsDropped()
    {
        DatabaseBuilder db;
        db.category("Gone").link("Orphan").defaultCategory().link("Kept");
        TreeNode *gone = db.store().categoryWithName("Gone");
        QByteArray data = db.store().dataRepresentation();
        // Rename the category's ID in its record so no category matches the link any more.
        const QByteArray id = gone->attachmentID().toLatin1();
        const qsizetype at = data.indexOf(id);
        data[at + 3] = 'X';
        CollectionManager loaded;
        QVERIFY(loaded.loadDataRepresentation(data));
        QCOMPARE(loaded.numberOfLinks(), 1);
        QCOMPARE(loaded.defaultCategoryNode()->childAtIndex(0)->link()->title(), QString("Kept"));
    }

    void streamedJsonEqualsTheJsonTree()
    {
        CollectionManager store;
        fill(store);
        const QByteArray file = store.dataRepresentation(); // puts the window state into the named strings
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(DatabaseJson::write(store, buffer));
        QJsonParseError error;
        const QJsonDocument streamed = QJsonDocument::fromJson(buffer.data(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(streamed.object(), DatabaseJson::toJson(store));

        CollectionManager loaded;
        QVERIFY(DatabaseJson::fromJson(streamed.object(), loaded));
        QCOMPARE(loaded.dataRepresentation(), file);
    }

    void loadingConsumesOneIdentifierPerRecord()
    {
        DatabaseBuilder db;
        for (int i = 0; i < 50; ++i)
            db.link(QString("L%1").arg(i));
        const QByteArray data = db.store().dataRepresentation();
        const qint64 before = Link().ID().mid(3).toLongLong();
        CollectionManager loaded;
        QVERIFY(loaded.loadDataRepresentation(data));
        QCOMPARE(Link().ID().mid(3).toLongLong(), before + 51);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseFile)
#include "tst_databasefile.moc"
