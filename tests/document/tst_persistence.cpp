#include "DocumentFixture.h"
#include "document/DocumentController.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QScreen>
#include <QSplitter>
#include <QTimer>

// Opening, saving and closing documents, the window state kept in the file, and the two timers.
class TestPersistence : public QObject
{
    Q_OBJECT

private:
    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Adds a link behind the window's back: only a refresh counts it.
    static void addQuietly(MyDocument *document)
    {
        LinkFields fields;
        fields.title = QStringLiteral("Quiet");
        fields.categoryID = NoneCategoryID;
        document->collectionManager().addLinkFromFields(fields);
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void unreadableFilesOpenNothing()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("One"));
        const QString whole = m_fixture->write(db, QStringLiteral("whole.site"));
        const QByteArray bytes = contents(whole);
        QFile cut(m_fixture->path(QStringLiteral("cut.site")));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(bytes.left(bytes.size() / 2));
        cut.close();

        QVERIFY(!m_fixture->controller().openDocument(cut.fileName()));
        QCOMPARE(MessageBox::shownAlerts().size(), 1);
        QCOMPARE(MessageBox::shownAlerts().first().title,
                 QStringLiteral("The document \"cut.site\" could not be opened."));
        QVERIFY(MessageBox::shownAlerts().first().message.contains(cut.fileName()));
        QVERIFY(!m_fixture->controller().openDocument(m_fixture->path(QStringLiteral("missing.site"))));
        QVERIFY(m_fixture->controller().documents().isEmpty());
        QVERIFY(m_fixture->controller().recentFiles().isEmpty());
    }

    void openFailureSaysWhyByKind()
    {
        using K = FileError::Kind;
        const QString path = m_fixture->path(QStringLiteral("x.site"));
        const std::pair<FileError, QString> cases[] = {
            {{K::CannotOpen, QStringLiteral("Permission denied")},
             "The file cannot be read (Permission denied)."},
            {{K::CannotRead, QStringLiteral("Input/output error")},
             "The file cannot be read (Input/output error)."},
            {{K::Empty}, "The file is empty."},
            {{K::NotADatabase, QStringLiteral("bad record count")},
             "The file is not a Quillmarsh links database."},
            {{K::Truncated}, "The file is damaged: it ends before its data does."},
            {{K::TooLarge}, "The file is larger than any Quillmarsh links database can be."},
            {{K::Damaged, QStringLiteral("an e-mail templates file")}, "an e-mail templates file"},
        };
        for (const auto &[error, why] : cases)
            QCOMPARE(DocumentController::openFailureMessage(path, error),
                     why + "\n\nFile: " + QDir::toNativeSeparators(path));
    }

    void templatesFileGetsItsOwnAlert()
    {
        QFile templates(m_fixture->path(QStringLiteral("mine.emlt")));
        QVERIFY(templates.open(QIODevice::WriteOnly));
        templates.write(QByteArray(4, '\0'));
        templates.close();
        QVERIFY(!m_fixture->controller().openDocument(templates.fileName()));
        QCOMPARE(MessageBox::shownAlerts().size(), 1);
        QCOMPARE(MessageBox::shownAlerts().first().title,
                 QStringLiteral("This file only contains e-mail templates."));
        QCOMPARE(
            MessageBox::shownAlerts().first().message,
            QStringLiteral("In order to use this file, you must import it into an open links database by "
                           "selecting Tools: E-mail Templates."));
        QVERIFY(m_fixture->controller().documents().isEmpty());
    }

    void openingTwiceRaisesTheOpenWindow()
    {
        DatabaseBuilder db;
        MyDocument *first = m_fixture->open(db);
        QVERIFY(first);
        QCOMPARE(m_fixture->controller().openDocument(first->filePath()), first);
        QCOMPARE(m_fixture->controller().documents().size(), 1);
        QCOMPARE(m_fixture->controller().recentFiles().first(),
                 QFileInfo(first->filePath()).absoluteFilePath());
        QCOMPARE(first->windowTitle(), QString::fromUtf8("test.site[*] \u2014 Quillmarsh"));
        QVERIFY(!first->isEdited());
    }

    void autosaveWaitsForAFileAndTheSwitch()
    {
        Preferences::setValue(Preferences::AutoSaveDocuments, true);
        MyDocument *document = m_fixture->controller().newDocument();
        QVERIFY(QTest::qWaitForWindowExposed(document));
        QCOMPARE(document->autoSaveTimer()->interval(), 5 * 60 * 1000);
        QVERIFY(document->autoSaveTimer()->isActive());
        document->updateChangeCount();
        document->autoSaveWithTimer();
        QVERIFY(document->isEdited()); // untitled: nowhere to save

        const QString path = m_fixture->path(QStringLiteral("saved.site"));
        QVERIFY(document->saveToFile(path));
        QVERIFY(!document->isEdited());
        document->collectionManager().addCategoryWithName(QStringLiteral("Later"), QStringLiteral("later"));
        document->updateChangeCount();
        document->autoSaveWithTimer();
        QVERIFY(!document->isEdited());
        CollectionManager reread;
        QVERIFY(DatabaseFile::read(path, reread));
        QVERIFY(reread.categoryWithName(QStringLiteral("Later")));

        // With the switch off nothing is written.
        Preferences::setValue(Preferences::AutoSaveDocuments, false);
        document->collectionManager().addCategoryWithName(QStringLiteral("Off"), QStringLiteral("off"));
        document->updateChangeCount();
        document->autoSaveWithTimer();
        QVERIFY(document->isEdited());

        // A new interval restarts every document's timer; nonsense becomes one minute.
        Preferences::setValue(Preferences::AutoSaveInterval, 10);
        m_fixture->controller().updateAutoSaveTimers();
        QCOMPARE(document->autoSaveTimer()->interval(), 600 * 1000);
        Preferences::setValue(Preferences::AutoSaveInterval, 0);
        m_fixture->controller().updateAutoSaveTimers();
        QCOMPARE(document->autoSaveTimer()->interval(), 60 * 1000);
        QCOMPARE(document->computeNotificationsTimer()->interval(), 3600 * 1000);
    }

    void timersSkipUnderModalDialogs()
    {
        Preferences::setValue(Preferences::AutoSaveDocuments, true);
        DatabaseBuilder db;
        db.link(QStringLiteral("Before"));
        MyDocument *document = m_fixture->open(db);
        const QByteArray saved = contents(document->filePath());
        document->updateChangeCount();
        addQuietly(document);

        {
            QDialog sheet(document);
            sheet.setWindowModality(Qt::WindowModal);
            sheet.show();
            QVERIFY(document->hasAttachedSheet());
            QVERIFY(!document->canRunTimerAction());
            document->computeNotificationsWithTimer();
            document->autoSaveWithTimer();
            QCOMPARE(document->countField()->text(), QStringLiteral("1 link in database"));
            QCOMPARE(contents(document->filePath()), saved);
        }
        {
            QDialog modal;
            modal.setWindowModality(Qt::ApplicationModal);
            modal.show();
            QVERIFY(!document->hasAttachedSheet());
            QVERIFY(!document->canRunTimerAction());
            document->computeNotificationsWithTimer();
            document->autoSaveWithTimer();
            QCOMPARE(document->countField()->text(), QStringLiteral("1 link in database"));
            QVERIFY(document->isEdited());
        }
        // A sheet on another window does not hold this one up.
        DatabaseBuilder otherDb;
        MyDocument *other = m_fixture->open(otherDb, QStringLiteral("other.site"));
        QDialog foreignSheet(other);
        foreignSheet.setWindowModality(Qt::WindowModal);
        foreignSheet.show();
        QVERIFY(document->canRunTimerAction());
        document->computeNotificationsWithTimer();
        QCOMPARE(document->countField()->text(), QStringLiteral("2 links in database"));
        document->autoSaveWithTimer();
        QVERIFY(!document->isEdited());
        QVERIFY(contents(document->filePath()) != saved);
    }

    void savingKeepsABackupWhenAsked()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("One"));
        MyDocument *document = m_fixture->open(db);
        const QByteArray original = contents(document->filePath());
        Preferences::setValue(Preferences::CreateBackupFiles, true);
        document->collectionManager().addCategoryWithName(QStringLiteral("New"), QStringLiteral("new"));
        document->updateChangeCount();
        QVERIFY(document->save());
        QCOMPARE(contents(m_fixture->path(QStringLiteral("test~.site"))), original);
        QVERIFY(contents(document->filePath()) != original);
    }

    void aFailedSaveKeepsTheEditedMark()
    {
        DatabaseBuilder db;
        MyDocument *document = m_fixture->open(db);
        document->updateChangeCount();
        QString error;
        QVERIFY(!document->saveToFile(m_fixture->path(QStringLiteral("no/such/folder/x.site")), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(document->isEdited());
        QCOMPARE(document->filePath(), m_fixture->path(QStringLiteral("test.site")));
    }

    void closingAsksAboutUnsavedChanges()
    {
        DatabaseBuilder db;
        MyDocument *document = m_fixture->open(db);
        document->collectionManager().addCategoryWithName(QStringLiteral("Unsaved"),
                                                          QStringLiteral("unsaved"));
        document->updateChangeCount();
        MessageBox::setNextAnswer(2); // Cancel
        QVERIFY(!document->close());
        QCOMPARE(
            MessageBox::shownAlerts().last().buttons,
            (QStringList{QStringLiteral("Save"), QStringLiteral("Do&n't Save"), QStringLiteral("Cancel")}));
        QCOMPARE(m_fixture->controller().documents().size(), 1);

        MessageBox::setNextAnswer(0); // Save
        const QString path = document->filePath();
        QVERIFY(document->close());
        QVERIFY(m_fixture->controller().documents().isEmpty());
        CollectionManager reread;
        QVERIFY(DatabaseFile::read(path, reread));
        QVERIFY(reread.categoryWithName(QStringLiteral("Unsaved")));
    }

    void revertReadsTheFileAgain()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Kept"), QStringLiteral("kept")).link(QStringLiteral("One"));
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Kept"));
        DocumentFixture::selectLinks(document, {QStringLiteral("One")});
        MessageBox::setNextAnswer(0);
        document->deleteLink();
        QVERIFY(document->isEdited());
        MessageBox::setNextAnswer(0);
        document->revertToSaved();
        QVERIFY(!document->isEdited());
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Kept"));
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{QStringLiteral("One")});
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestPersistence)
#include "tst_persistence.moc"
