#include "DocumentFixture.h"
#include "document/Document.h"
#include "document/DocumentFileGuard.h"
#include "document/FileChangedBar.h"
#include "document/FileCommands.h"
#include "document/LinkDeleteCommands.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

#include <sys/stat.h>

// Opening, saving, reverting and closing document windows, and their two timers. Work that reached the
// file another way is never overwritten without a question; an unedited window follows its file.
class TestPersistence : public QObject
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

    static void addCategory(MyDocument *document, const QString &name)
    {
        document->collectionManager().addCategoryWithName(name, name.toLower());
        document->document()->commit(QString());
    }

    // Another program writes the file with one more category.
    static void writeBehind(const QString &path, const QString &category)
    {
        CollectionManager store;
        QVERIFY(DatabaseFile::read(path, store));
        store.addCategoryWithName(category, category.toLower());
        QVERIFY(DatabaseFile::write(store, path));
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void failedOpensSayWhyAndMakeNoWindow()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("One"));
        const QByteArray whole = contents(m_fixture->write(db));
        struct Case
        {
            QString name;
            QByteArray bytes; // null: no file at all
            QString why;
        };
        const Case cases[] = {
            {"cut.site", whole.left(whole.size() / 2), "The file is damaged: it ends before its data does."},
            {"broken.site", "not a database at all", "The file is not a Quillmarsh links database."},
            {"empty.site", "", "The file is empty."},
            {"missing.site", {}, "The file cannot be read (No such file or directory)."},
            {"mine.emlt", QByteArray(4, '\0'), {}},
        };
        const qsizetype windowsBefore = QApplication::topLevelWidgets().size();
        for (const Case &c : cases) {
            const QString path = m_fixture->path(c.name);
            QFile file(path);
            QVERIFY(c.bytes.isNull() || (file.open(QIODevice::WriteOnly) && file.write(c.bytes) >= 0));
            file.close();
            MessageBox::clearShownAlerts();
            QVERIFY(!m_fixture->controller().openDocument(path));
            QCOMPARE(MessageBox::shownAlerts().size(), 1);
            const auto &alert = MessageBox::shownAlerts().first();
            if (c.why.isEmpty()) {
                QCOMPARE(alert.title, QStringLiteral("This file only contains e-mail templates."));
                QVERIFY(alert.message.contains(QStringLiteral("Tools: E-mail Templates")));
            } else {
                QCOMPARE(alert.title, QStringLiteral("The document \"%1\" could not be opened.").arg(c.name));
                QCOMPARE(alert.message, c.why + "\n\nFile: " + QDir::toNativeSeparators(path));
            }
        }
        QVERIFY(m_fixture->controller().documents().isEmpty());
        QVERIFY(m_fixture->controller().recentFiles().isEmpty());
        QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);

        // The kinds no file of this test can bring about.
        using K = FileError::Kind;
        const std::pair<FileError, QString> kinds[] = {
            {{K::CannotRead, "Input/output error"}, "The file cannot be read (Input/output error)."},
            {{K::TooLarge}, "The file is larger than any Quillmarsh links database can be."},
            {{K::Damaged, "an e-mail templates file"}, "The file is damaged (an e-mail templates file)."},
        };
        const QString path = m_fixture->path(QStringLiteral("x.site"));
        for (const auto &[error, why] : kinds)
            QCOMPARE(DocumentController::openFailureMessage(path, error),
                     why + "\n\nFile: " + QDir::toNativeSeparators(path));
    }

    void aWindowAndItsFile()
    {
        Preferences::setValue(Preferences::AutoSaveDocuments, true);
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
        QCOMPARE(MessageBox::shownAlerts().last().buttons.join(u'|'),
                 QString("Open Read-Only|Open Anyway|Cancel"));

        MessageBox::setNextAnswer(0); // Open Read-Only
        MyDocument *reader = m_fixture->controller().openDocument(path);
        QVERIFY(reader);
        QCOMPARE(reader->windowTitle(), QString::fromUtf8("test.site[*] (read-only) \u2014 Quillmarsh"));
        reader->document()->commit(QString());
        const QByteArray before = contents(path);
        FilePanel::setNextAnswer(m_fixture->path(QStringLiteral("copy.site"))); // Save is Save As
        QVERIFY(reader->commandArea<FileCommands>()->save());
        QCOMPARE(FilePanel::shownPanels().size(), 1);
        QCOMPARE(contents(path), before);
        QCOMPARE(reader->windowTitle(), QString::fromUtf8("copy.site[*] \u2014 Quillmarsh"));
        reader->close();
        other.unlock();

        // A lock file that is a FIFO tells nobody who has the file: it may only be looked at.
        QCOMPARE(::mkfifo(QFile::encodeName(lockPath).constData(), 0600), 0);
        MessageBox::setNextAnswer(0); // Open Read-Only
        MyDocument *looker = m_fixture->controller().openDocument(path);
        QVERIFY(looker);
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The document \"test.site\" cannot be locked."));
        QVERIFY(MessageBox::shownAlerts().last().message.contains(lockPath));
        QVERIFY(looker->windowTitle().contains(QStringLiteral("(read-only)")));
        looker->close();
        QVERIFY(QFile::remove(lockPath));

        // A window that has the file holds the lock itself.
        MessageBox::clearShownAlerts();
        MyDocument *document = m_fixture->controller().openDocument(path);
        QVERIFY(!QLockFile(lockPath).tryLock());
        QCOMPARE(m_fixture->controller().openDocument(path), document);
        QCOMPARE(m_fixture->controller().recentFiles().first(), QFileInfo(path).absoluteFilePath());
        QCOMPARE(document->windowTitle(), QString::fromUtf8("test.site[*] \u2014 Quillmarsh"));
        DocumentFixture::selectCategory(document, QStringLiteral("Kept"));
        DocumentFixture::selectLinks(document, {QStringLiteral("One")});
        writeBehind(path, QStringLiteral("Outside"));
        QTRY_VERIFY_WITH_TIMEOUT(document->collectionManager().categoryWithName("Outside"), 5000);
        QVERIFY(!document->isEdited());
        QVERIFY(document->statusBar()->currentMessage().contains(QStringLiteral("read again")));
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Kept"));
        QCOMPARE(document->selectedLink()->title(), QStringLiteral("One"));

        // Its own saves are not taken for changes by others.
        addCategory(document, QStringLiteral("Own"));
        QVERIFY(document->commandArea<FileCommands>()->save());
        QTest::qWait(600);
        QVERIFY(document->fileGuard()->bar()->isHidden());
        QVERIFY(MessageBox::shownAlerts().isEmpty());

        // Revert reads the file again and keeps the selection.
        MessageBox::setNextAnswer(0);
        document->commandArea<LinkDeleteCommands>()->deleteLink();
        QVERIFY(document->isEdited());
        MessageBox::setNextAnswer(0);
        document->commandArea<FileCommands>()->revertToSaved();
        QVERIFY(!document->isEdited());
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Kept"));
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{QStringLiteral("One")});

        // A failed save says why and keeps the edited mark and the file.
        addCategory(document, QStringLiteral("New"));
        FileError error;
        QVERIFY(
            !document->document()->save(m_fixture->path(QStringLiteral("no/such/folder/x.site")), &error));
        QCOMPARE(error.kind(), FileError::Kind::CannotWrite);
        QVERIFY(!error.detail().isEmpty());
        QVERIFY(document->isEdited());
        QCOMPARE(document->filePath(), path);

        Preferences::setValue(Preferences::CreateBackupFiles, true);
        const QByteArray original = contents(path);
        QVERIFY(document->commandArea<FileCommands>()->save());
        QCOMPARE(contents(m_fixture->path(QStringLiteral("test~.site"))), original);
        QVERIFY(fileHasCategory(path, QStringLiteral("New")));

        // Work another program wrote to the file is never overwritten without a question.
        MessageBox::clearShownAlerts();
        const QString changedTitle = QStringLiteral("The file \"test.site\" was changed by another program.");
        addCategory(document, QStringLiteral("Mine"));
        writeBehind(path, QStringLiteral("Imported"));
        FileChangedBar *bar = document->fileGuard()->bar();
        QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), 5000);
        QCOMPARE(bar->text(), changedTitle);
        QVERIFY(MessageBox::shownAlerts().isEmpty()); // no modal box

        MessageBox::setNextAnswer(2); // Cancel
        QVERIFY(!document->commandArea<FileCommands>()->save());
        QCOMPARE(MessageBox::shownAlerts().last().title, changedTitle);
        QCOMPARE(MessageBox::shownAlerts().last().buttons.join(u'|'), QString("Reload|Save Anyway|Cancel"));
        QVERIFY(document->isEdited());
        // Autosave never overwrites it, and says why.
        document->document()->autoSaveWithTimer();
        QVERIFY(fileHasCategory(path, QStringLiteral("Imported")));
        QVERIFY(document->statusBar()->currentMessage().contains(QStringLiteral("Not saved automatically")));

        bar->buttons().at(1)->click(); // Save Anyway
        QVERIFY(bar->isHidden());
        QVERIFY(!document->isEdited());
        QVERIFY(fileHasCategory(path, QStringLiteral("Mine")));
        QVERIFY(!fileHasCategory(path, QStringLiteral("Imported")));

        addCategory(document, QStringLiteral("Second"));
        writeBehind(path, QStringLiteral("Lost"));
        MessageBox::setNextAnswer(1); // Save Anyway
        QVERIFY(document->commandArea<FileCommands>()->save());
        QVERIFY(fileHasCategory(path, QStringLiteral("Second")));
        QVERIFY(!fileHasCategory(path, QStringLiteral("Lost")));

        // Reload takes the other program's version and drops the window's changes.
        addCategory(document, QStringLiteral("Dropped"));
        writeBehind(path, QStringLiteral("Theirs"));
        MessageBox::setNextAnswer(0); // Reload
        QVERIFY(!document->commandArea<FileCommands>()->save());
        QVERIFY(!document->isEdited());
        QVERIFY(document->collectionManager().categoryWithName(QStringLiteral("Theirs")));
        QVERIFY(!document->collectionManager().categoryWithName(QStringLiteral("Dropped")));
        QVERIFY(!fileHasCategory(path, QStringLiteral("Dropped")));

        // The bar's Reload asks first and names what would be lost; Cancel keeps all of it.
        document->collectionManager().addCategoryWithName(QStringLiteral("Unsaved"),
                                                          QStringLiteral("unsaved"));
        document->document()->commit(QStringLiteral("New Category"));
        writeBehind(path, QStringLiteral("Newer"));
        QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible(), 5000);
        const int steps = document->document()->undoStack()->count();
        MessageBox::setNextAnswer(1); // Cancel
        bar->buttons().at(0)->click();
        QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("Discard your changes and reload?"));
        const QString lost = MessageBox::shownAlerts().last().message;
        QVERIFY2(lost.contains(QStringLiteral("The 1 change made")) &&
                     lost.contains(QString::fromUtf8("Lost: \u201cNew Category\u201d.")),
                 qPrintable(lost));
        QVERIFY(bar->isVisible());
        QVERIFY(document->isEdited());
        QVERIFY(document->collectionManager().categoryWithName(QStringLiteral("Unsaved")));
        QCOMPARE(document->document()->undoStack()->count(), steps);
        MessageBox::setNextAnswer(0); // Discard and Reload
        bar->buttons().at(0)->click();
        QVERIFY(!document->isEdited());
        QVERIFY(document->collectionManager().categoryWithName(QStringLiteral("Newer")));
        QVERIFY(!document->collectionManager().categoryWithName(QStringLiteral("Unsaved")));

        // A file moved away is offered Save As; the window follows its new file.
        addCategory(document, QStringLiteral("Moved"));
        QVERIFY(QFile::rename(path, m_fixture->path(QStringLiteral("moved.site"))));
        const QString elsewhere = m_fixture->path(QStringLiteral("elsewhere.site"));
        FilePanel::setNextAnswer(elsewhere);
        MessageBox::setNextAnswer(0); // Save As
        QVERIFY(document->commandArea<FileCommands>()->save());
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The file \"test.site\" was deleted or moved away."));
        QCOMPARE(document->filePath(), elsewhere);
        QCOMPARE(document->windowTitle(), QString::fromUtf8("elsewhere.site[*] \u2014 Quillmarsh"));
        QVERIFY(fileHasCategory(elsewhere, QStringLiteral("Moved")));
        QVERIFY(!QFile::exists(path));
        addCategory(document, QStringLiteral("Last"));
        MessageBox::setNextAnswer(2); // Cancel
        QVERIFY(!document->close());
        QCOMPARE(MessageBox::shownAlerts().last().buttons.join(u'|'), QString("Save|Do&n't Save|Cancel"));
        QCOMPARE(m_fixture->controller().documents().size(), 1);
        MessageBox::setNextAnswer(0); // Save
        QVERIFY(document->close());
        QVERIFY(m_fixture->controller().documents().isEmpty());
        QVERIFY(fileHasCategory(elsewhere, QStringLiteral("Last")));
        QVERIFY(QLockFile(m_fixture->path(QStringLiteral(".elsewhere.site.lock"))).tryLock());
    }

    void timersSaveAndCountUnlessAModalDialogIsUp()
    {
        Preferences::setValue(Preferences::AutoSaveDocuments, true);
        MyDocument *untitled = m_fixture->controller().newDocument();
        untitled->document()->commit(QString());
        untitled->document()->autoSaveWithTimer();
        QVERIFY(untitled->isEdited()); // nowhere to save

        DatabaseBuilder db;
        db.link(QStringLiteral("Before"));
        MyDocument *document = m_fixture->open(db);
        QCOMPARE(document->document()->autoSaveTimer()->interval(), 5 * 60 * 1000);
        QVERIFY(document->document()->autoSaveTimer()->isActive());
        QCOMPARE(document->document()->notificationsTimer()->interval(), 3600 * 1000);
        const QByteArray saved = contents(document->filePath());
        document->document()->commit(QString());
        // Added behind the window's back: only a refresh counts it.
        LinkFields fields;
        fields.title = QStringLiteral("Quiet");
        fields.categoryID = NoneCategoryID;
        document->collectionManager().addLinkFromFields(fields);
        for (const Qt::WindowModality modality : {Qt::WindowModal, Qt::ApplicationModal}) {
            QDialog dialog(modality == Qt::WindowModal ? document : nullptr);
            dialog.setWindowModality(modality);
            dialog.show();
            QCOMPARE(document->hasAttachedSheet(), modality == Qt::WindowModal);
            QVERIFY(!document->canRunTimerAction());
            document->document()->computeNotificationsWithTimer();
            document->document()->autoSaveWithTimer();
            QCOMPARE(document->countField()->text(), QStringLiteral("1 link in database"));
            QCOMPARE(contents(document->filePath()), saved);
        }
        // A sheet on another window does not hold this one up.
        QDialog foreignSheet(untitled);
        foreignSheet.setWindowModality(Qt::WindowModal);
        foreignSheet.show();
        QVERIFY(document->canRunTimerAction());
        document->document()->computeNotificationsWithTimer();
        QCOMPARE(document->countField()->text(), QStringLiteral("2 links in database"));
        document->document()->autoSaveWithTimer();
        QVERIFY(!document->isEdited());
        QVERIFY(contents(document->filePath()) != saved);

        Preferences::setValue(Preferences::AutoSaveDocuments, false);
        addCategory(document, QStringLiteral("Off"));
        document->document()->autoSaveWithTimer();
        QVERIFY(document->isEdited());

        // A new interval restarts every document's timer; nonsense becomes one minute.
        Preferences::setValue(Preferences::AutoSaveInterval, 10);
        m_fixture->controller().updateAutoSaveTimers();
        QCOMPARE(document->document()->autoSaveTimer()->interval(), 600 * 1000);
        Preferences::setValue(Preferences::AutoSaveInterval, 0);
        m_fixture->controller().updateAutoSaveTimers();
        QCOMPARE(untitled->document()->autoSaveTimer()->interval(), 60 * 1000);
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestPersistence)
#include "tst_persistence.moc"
