#include "DocumentFixture.h"
#include "document/Document.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QUndoStack>

// A document without any window: reading, one change through perform() with its undo step and
// edited mark, saving, reverting, and opening that gives a window only to a file that was read.
class TestDocument : public QObject
{
    Q_OBJECT

private:
    QString writeSample(DocumentFixture &fixture)
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Partners"), QStringLiteral("partners"))
            .link(QStringLiteral("Alpha"), LinkStatusNew)
            .link(QStringLiteral("Beta"), LinkStatusNegotiating);
        return fixture.write(db);
    }

    static QStringList linkIDs(Document &document)
    {
        QStringList ids;
        for (const TreeNode *node : document.collectionManager().allLinkNodes())
            ids.append(node->attachmentID());
        return ids;
    }

    static QByteArray fileBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void performRecordsOneStepAndSignalsOnce()
    {
        DocumentFixture fixture;
        Document document;
        QVERIFY(document.read(writeSample(fixture)));
        QVERIFY(!document.isModified());
        const QByteArray before = document.collectionManager().dataRepresentation();
        QSignalSpy changed(&document, &Document::changed);
        QSignalSpy modified(&document, &Document::modifiedChanged);

        // An operation that changes nothing leaves no trace.
        QVERIFY(!document.perform(QStringLiteral("Nothing"), [](DocumentChange &) { return false; }));
        QCOMPARE(changed.count(), 0);
        QVERIFY(!document.isModified());

        const QStringList ids = linkIDs(document);
        QVERIFY(document.perform(QStringLiteral("Set Status"), [&](DocumentChange &change) {
            change.linkIDs = ids;
            return document.collectionManager().setStatus(LinkStatusBlocked, ids);
        }));
        QCOMPARE(changed.count(), 1);
        const auto change = changed.first().first().value<DocumentChange>();
        QCOMPARE(change.actionName, QStringLiteral("Set Status"));
        QCOMPARE(change.linkIDs, ids);
        QCOMPARE(modified.count(), 1);
        QVERIFY(document.isModified());
        QCOMPARE(document.undoStack()->count(), 1);
        QCOMPARE(document.undoStack()->undoText(), QStringLiteral("Set Status"));
        const QByteArray after = document.collectionManager().dataRepresentation();
        QVERIFY(after != before);

        document.undo();
        QCOMPARE(document.collectionManager().dataRepresentation(), before);
        QVERIFY(!document.isModified());
        document.redo();
        QCOMPARE(document.collectionManager().dataRepresentation(), after);
        QVERIFY(document.isModified());

        // Changes inside a group are one step named after it.
        {
            const Document::UndoGroup group(&document, QStringLiteral("Both"));
            for (LinkStatus status : {LinkStatusNew, LinkStatusApproved})
                document.perform(QStringLiteral("Set Status"), [&](DocumentChange &) {
                    return document.collectionManager().setStatus(status, ids);
                });
        }
        QCOMPARE(document.undoStack()->count(), 2);
        QCOMPARE(document.undoStack()->undoText(), QStringLiteral("Both"));
        document.undo();
        QCOMPARE(document.collectionManager().dataRepresentation(), after);
    }

    void saveAndRevert()
    {
        DocumentFixture fixture;
        Document document;
        const QString original = writeSample(fixture);
        const QByteArray originalBytes = fileBytes(original);
        QVERIFY(document.read(original));
        const QByteArray saved = document.collectionManager().dataRepresentation();
        document.perform(QStringLiteral("Delete Link"), [&](DocumentChange &) {
            document.collectionManager().deleteLinkNodesWithIDs(linkIDs(document).mid(0, 1));
            return true;
        });

        // A failed save says why and keeps the document edited.
        QString error;
        QVERIFY(!document.save(fixture.path(QStringLiteral("missing/folder/x.site")), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(document.isModified());
        QCOMPARE(document.filePath(), original);

        // Revert reads the file again: nothing left to undo, nothing edited.
        QSignalSpy reloaded(&document, &Document::reloaded);
        QVERIFY(document.revert());
        QCOMPARE(reloaded.count(), 1);
        QCOMPARE(document.collectionManager().dataRepresentation(), saved);
        QVERIFY(!document.isModified());
        QCOMPARE(document.undoStack()->count(), 0);

        // Saved under another name, the document follows its new file.
        document.perform(QStringLiteral("Delete Link"), [&](DocumentChange &) {
            document.collectionManager().deleteLinkNodesWithIDs(linkIDs(document).mid(0, 1));
            return true;
        });
        const QString copy = fixture.path(QStringLiteral("copy.site"));
        QSignalSpy renamed(&document, &Document::fileNameChanged);
        QVERIFY(document.save(copy, &error));
        QCOMPARE(renamed.count(), 1);
        QCOMPARE(document.filePath(), copy);
        QCOMPARE(document.displayName(), QStringLiteral("copy.site"));
        QVERIFY(!document.isModified());
        Document reread;
        QVERIFY(reread.read(copy));
        QCOMPARE(reread.collectionManager().dataRepresentation(),
                 document.collectionManager().dataRepresentation());
        QCOMPARE(fileBytes(original), originalBytes);
    }

    void failedOpenMakesNoWindow()
    {
        DocumentFixture fixture;
        const QString path = fixture.path(QStringLiteral("broken.site"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a database at all");
        file.close();
        const int windowsBefore = int(QApplication::topLevelWidgets().size());

        QVERIFY(!fixture.controller().openDocument(path));
        QVERIFY(fixture.controller().documents().isEmpty());
        QCOMPARE(int(QApplication::topLevelWidgets().size()), windowsBefore);
        QCOMPARE(MessageBox::shownAlerts().size(), 1);

        Document document;
        FileError error;
        QVERIFY(!document.read(path, &error));
        QCOMPARE(error.kind(), FileError::Kind::NotADatabase);
        QVERIFY(document.filePath().isEmpty());
    }
};

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
