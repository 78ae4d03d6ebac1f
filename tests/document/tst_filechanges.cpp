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
    // Another program writes the file: the database of the window plus one category.
    static void writeBehindTheWindow(const QString &path, const QString &category)
    {
        CollectionManager store;
        QVERIFY(DatabaseFile::read(path, store));
        store.addCategoryWithName(category, category.toLower());
        QVERIFY(DatabaseFile::write(store, path));
    }

    static bool fileHasCategory(const QString &path, const QString &name)
    {
        CollectionManager store;
        return DatabaseFile::read(path, store) && store.categoryWithName(name);
    }

    static void editInWindow(MyDocument *document, const QString &category)
    {
        document->collectionManager().addCategoryWithName(category, category.toLower());
        document->updateChangeCount();
    }

    static QString changedTitle()
    {
        return QStringLiteral("The file \"test.site\" was changed by another program.");
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<DocumentFixture>();
        Preferences::setValue(Preferences::AutoSaveDocuments, true);
    }
    void cleanup() { m_fixture.reset(); }

    void savingOverAChangedFileAsksFirst()
    {
        DatabaseBuilder db;
        MyDocument *document = m_fixture->open(db);
        const QString path = document->filePath();
        editInWindow(document, QStringLiteral("Mine"));
        writeBehindTheWindow(path, QStringLiteral("Imported"));

        MessageBox::clearShownAlerts();
        MessageBox::setNextAnswer(2); // Cancel
        QVERIFY(!document->save());
        QCOMPARE(MessageBox::shownAlerts().size(), 1);
        QCOMPARE(MessageBox::shownAlerts().last().title, changedTitle());
        QCOMPARE(
            MessageBox::shownAlerts().last().buttons,
            (QStringList{QStringLiteral("Reload"), QStringLiteral("Save Anyway"), QStringLiteral("Cancel")}));
        QVERIFY(fileHasCategory(path, QStringLiteral("Imported")));
        QVERIFY(document->isEdited());

        // Autosave never overwrites it, and says why.
        document->autoSaveWithTimer();
        QVERIFY(fileHasCategory(path, QStringLiteral("Imported")));
        QVERIFY(document->statusBar()->currentMessage().contains(QStringLiteral("Not saved automatically")));

        MessageBox::setNextAnswer(1); // Save Anyway
        QVERIFY(document->save());
        QVERIFY(fileHasCategory(path, QStringLiteral("Mine")));
        QVERIFY(!fileHasCategory(path, QStringLiteral("Imported")));

        // Reload takes the other program's version and drops the window's changes.
        editInWindow(document, QStringLiteral("Dropped"));
        writeBehindTheWindow(path, QStringLiteral("Theirs"));
        MessageBox::setNextAnswer(0); // Reload
        QVERIFY(!document->save());
        QVERIFY(!document->isEdited());
        QVERIFY(document->collectionManager().categoryWithName(QStringLiteral("Theirs")));
        QVERIFY(!document->collectionManager().categoryWithName(QStringLiteral("Dropped")));
        QVERIFY(!fileHasCategory(path, QStringLiteral("Dropped")));
    }

    void anUneditedWindowFollowsItsFile()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Kept"), QStringLiteral("kept")).link(QStringLiteral("One"));
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Kept"));
        DocumentFixture::selectLinks(document, {QStringLiteral("One")});
        MessageBox::clearShownAlerts();
        writeBehindTheWindow(document->filePath(), QStringLiteral("Imported"));
        QTRY_VERIFY_WITH_TIMEOUT(document->collectionManager().categoryWithName(QStringLiteral("Imported")),
                                 5000);
        QVERIFY(!document->isEdited());
        QVERIFY(MessageBox::shownAlerts().isEmpty());
        QVERIFY(document->statusBar()->currentMessage().contains(QStringLiteral("read again")));
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Kept"));
        QCOMPARE(document->selectedLink()->title(), QStringLiteral("One"));

        // Its own saves are not taken for changes by others.
        editInWindow(document, QStringLiteral("Mine"));
        QVERIFY(document->save());
        QTest::qWait(600);
        QVERIFY(document->fileGuard()->bar()->isHidden());
        QVERIFY(MessageBox::shownAlerts().isEmpty());
    }

    void anEditedWindowAsksInABar()
    {
        DatabaseBuilder db;
        MyDocument *document = m_fixture->open(db);
        editInWindow(document, QStringLiteral("Mine"));
        MessageBox::clearShownAlerts();
        writeBehindTheWindow(document->filePath(), QStringLiteral("Imported"));
        FileChangedBar *bar = document->fileGuard()->bar();
        QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), 5000);
        QCOMPARE(bar->text(), changedTitle());
        QVERIFY(MessageBox::shownAlerts().isEmpty()); // no modal box
        QVERIFY(document->isEdited());

        bar->buttons().at(1)->click(); // Save Anyway
        QVERIFY(bar->isHidden());
        QVERIFY(!document->isEdited());
        QVERIFY(fileHasCategory(document->filePath(), QStringLiteral("Mine")));
        QVERIFY(!fileHasCategory(document->filePath(), QStringLiteral("Imported")));
    }

    void aRemovedFileOffersSaveAs()
    {
        DatabaseBuilder db;
        MyDocument *document = m_fixture->open(db);
        const QString path = document->filePath();
        editInWindow(document, QStringLiteral("Mine"));
        QVERIFY(QFile::rename(path, m_fixture->path(QStringLiteral("moved.site"))));

        const QString elsewhere = m_fixture->path(QStringLiteral("elsewhere.site"));
        FilePanel::setNextAnswer(elsewhere);
        MessageBox::clearShownAlerts();
        MessageBox::setNextAnswer(0); // Save As
        QVERIFY(document->save());
        QCOMPARE(MessageBox::shownAlerts().first().title,
                 QStringLiteral("The file \"test.site\" was deleted or moved away."));
        QCOMPARE(document->filePath(), elsewhere);
        QVERIFY(fileHasCategory(elsewhere, QStringLiteral("Mine")));
        QVERIFY(!QFile::exists(path));
    }

    void aFileOpenElsewhereIsLockedAndOpensReadOnly()
    {
        DatabaseBuilder db;
        const QString path = m_fixture->write(db);
        // What another instance holds while it has the file open.
        QLockFile other(QFileInfo(path).dir().filePath(QStringLiteral(".test.site.lock")));
        QVERIFY(other.tryLock());

        MessageBox::clearShownAlerts();
        MessageBox::setNextAnswer(2); // Cancel
        QVERIFY(!m_fixture->controller().openDocument(path));
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The document \"test.site\" is open in another window."));
        QCOMPARE(MessageBox::shownAlerts().last().buttons,
                 (QStringList{QStringLiteral("Open Read-Only"), QStringLiteral("Open Anyway"),
                              QStringLiteral("Cancel")}));

        MessageBox::setNextAnswer(0); // Open Read-Only
        MyDocument *document = m_fixture->controller().openDocument(path);
        QVERIFY(document);
        editInWindow(document, QStringLiteral("Mine"));
        const QByteArray before = [&] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        FilePanel::setNextAnswer(QString()); // the Save As panel, cancelled
        FilePanel::clearShownPanels();
        QVERIFY(!document->save());
        QCOMPARE(FilePanel::shownPanels().size(), 1);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        document->setWindowModified(false);
        document->close();
        other.unlock();

        // A window that has the file holds the lock itself, and lets it go when it closes.
        MyDocument *owner = m_fixture->controller().openDocument(path);
        QVERIFY(owner);
        QLockFile probe(QFileInfo(path).dir().filePath(QStringLiteral(".test.site.lock")));
        QVERIFY(!probe.tryLock());
        owner->close();
        QVERIFY(probe.tryLock());
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestFileChanges)
#include "tst_filechanges.moc"
