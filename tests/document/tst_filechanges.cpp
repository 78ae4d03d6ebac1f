#include "DocumentFixture.h"
#include "document/DocumentFileGuard.h"
#include "document/FileChangedBar.h"

#include <QLockFile>
#include <QPushButton>
#include <QStatusBar>

// Work that reached a document's file some other way (a command-line import, another window,
// another program) is never overwritten without a question; an unedited window follows its file.
class TestFileChanges : public QObject
{
    Q_OBJECT

private:
    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static bool fileHasCategory(const QString &path, const QString &name)
    {
        CollectionManager store;
        return DatabaseFile::read(path, store) && store.categoryWithName(name);
    }

    // The window adds one category, and another program writes the file with another one.
    static void changeBothSides(MyDocument *document, const QString &mine, const QString &theirs)
    {
        document->collectionManager().addCategoryWithName(mine, mine.toLower());
        document->updateChangeCount();
        CollectionManager store;
        QVERIFY(DatabaseFile::read(document->filePath(), store));
        store.addCategoryWithName(theirs, theirs.toLower());
        QVERIFY(DatabaseFile::write(store, document->filePath()));
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<DocumentFixture>();
        Preferences::setValue(Preferences::AutoSaveDocuments, true);
    }
    void cleanup() { m_fixture.reset(); }

    void anEditedWindowAsksBeforeOverwriting()
    {
        DatabaseBuilder db;
        MyDocument *document = m_fixture->open(db);
        const QString path = document->filePath();
        const QString changedTitle = QStringLiteral("The file \"test.site\" was changed by another program.");
        changeBothSides(document, QStringLiteral("Mine"), QStringLiteral("Imported"));
        FileChangedBar *bar = document->fileGuard()->bar();
        QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), 5000);
        QCOMPARE(bar->text(), changedTitle);
        QVERIFY(MessageBox::shownAlerts().isEmpty()); // no modal box

        MessageBox::setNextAnswer(2); // Cancel
        QVERIFY(!document->save());
        QCOMPARE(MessageBox::shownAlerts().last().title, changedTitle);
        QCOMPARE(
            MessageBox::shownAlerts().last().buttons,
            (QStringList{QStringLiteral("Reload"), QStringLiteral("Save Anyway"), QStringLiteral("Cancel")}));
        QVERIFY(document->isEdited());
        // Autosave never overwrites it, and says why.
        document->autoSaveWithTimer();
        QVERIFY(fileHasCategory(path, QStringLiteral("Imported")));
        QVERIFY(document->statusBar()->currentMessage().contains(QStringLiteral("Not saved automatically")));

        bar->buttons().at(1)->click(); // Save Anyway
        QVERIFY(bar->isHidden());
        QVERIFY(!document->isEdited());
        QVERIFY(fileHasCategory(path, QStringLiteral("Mine")));
        QVERIFY(!fileHasCategory(path, QStringLiteral("Imported")));

        changeBothSides(document, QStringLiteral("Second"), QStringLiteral("Lost"));
        MessageBox::setNextAnswer(1); // Save Anyway
        QVERIFY(document->save());
        QVERIFY(fileHasCategory(path, QStringLiteral("Second")));
        QVERIFY(!fileHasCategory(path, QStringLiteral("Lost")));

        // Reload takes the other program's version and drops the window's changes.
        changeBothSides(document, QStringLiteral("Dropped"), QStringLiteral("Theirs"));
        MessageBox::setNextAnswer(0); // Reload
        QVERIFY(!document->save());
        QVERIFY(!document->isEdited());
        QVERIFY(document->collectionManager().categoryWithName(QStringLiteral("Theirs")));
        QVERIFY(!document->collectionManager().categoryWithName(QStringLiteral("Dropped")));
        QVERIFY(!fileHasCategory(path, QStringLiteral("Dropped")));

        // A file moved away is offered Save As.
        document->collectionManager().addCategoryWithName(QStringLiteral("Moved"), QStringLiteral("moved"));
        document->updateChangeCount();
        QVERIFY(QFile::rename(path, m_fixture->path(QStringLiteral("moved.site"))));
        const QString elsewhere = m_fixture->path(QStringLiteral("elsewhere.site"));
        FilePanel::setNextAnswer(elsewhere);
        MessageBox::setNextAnswer(0); // Save As
        QVERIFY(document->save());
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The file \"test.site\" was deleted or moved away."));
        QCOMPARE(document->filePath(), elsewhere);
        QVERIFY(fileHasCategory(elsewhere, QStringLiteral("Moved")));
        QVERIFY(!QFile::exists(path));
    }

    void aFileOpenElsewhereOpensReadOnlyAndAnUneditedWindowFollowsItsFile()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Kept"), QStringLiteral("kept")).link(QStringLiteral("One"));
        const QString path = m_fixture->write(db);
        // What another instance holds while it has the file open.
        const QString lockPath = QFileInfo(path).dir().filePath(QStringLiteral(".test.site.lock"));
        QLockFile other(lockPath);
        QVERIFY(other.tryLock());
        MessageBox::setNextAnswer(2); // Cancel
        QVERIFY(!m_fixture->controller().openDocument(path));
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The document \"test.site\" is open in another window."));
        QCOMPARE(MessageBox::shownAlerts().last().buttons,
                 (QStringList{QStringLiteral("Open Read-Only"), QStringLiteral("Open Anyway"),
                              QStringLiteral("Cancel")}));

        MessageBox::setNextAnswer(0); // Open Read-Only
        MyDocument *reader = m_fixture->controller().openDocument(path);
        QVERIFY(reader);
        reader->updateChangeCount();
        const QByteArray before = contents(path);
        FilePanel::setNextAnswer(QString()); // the Save As panel, cancelled
        QVERIFY(!reader->save());
        QCOMPARE(FilePanel::shownPanels().size(), 1);
        QCOMPARE(contents(path), before);
        reader->setWindowModified(false);
        reader->close();
        other.unlock();

        // A window that has the file holds the lock itself.
        MessageBox::clearShownAlerts();
        MyDocument *document = m_fixture->controller().openDocument(path);
        QLockFile probe(lockPath);
        QVERIFY(!probe.tryLock());
        DocumentFixture::selectCategory(document, QStringLiteral("Kept"));
        DocumentFixture::selectLinks(document, {QStringLiteral("One")});
        CollectionManager store;
        QVERIFY(DatabaseFile::read(path, store));
        store.addCategoryWithName(QStringLiteral("Imported"), QStringLiteral("imported"));
        QVERIFY(DatabaseFile::write(store, path));
        QTRY_VERIFY_WITH_TIMEOUT(document->collectionManager().categoryWithName(QStringLiteral("Imported")),
                                 5000);
        QVERIFY(!document->isEdited());
        QVERIFY(document->statusBar()->currentMessage().contains(QStringLiteral("read again")));
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Kept"));
        QCOMPARE(document->selectedLink()->title(), QStringLiteral("One"));

        // Its own saves are not taken for changes by others.
        document->collectionManager().addCategoryWithName(QStringLiteral("Mine"), QStringLiteral("mine"));
        document->updateChangeCount();
        QVERIFY(document->save());
        QTest::qWait(600);
        QVERIFY(document->fileGuard()->bar()->isHidden());
        QVERIFY(MessageBox::shownAlerts().isEmpty());
        document->close();
        QVERIFY(probe.tryLock());
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestFileChanges)
#include "tst_filechanges.moc"
