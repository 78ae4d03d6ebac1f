#pragma once

#include "DocumentChange.h"
#include "model/CollectionManager.h"
#include "model/FileError.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class DatabaseLock;
class DocumentFileWatch;
class QTimer;
class QUndoStack;
class StoreChange;

// One open links database without any window: the store, its file (read, saved atomically with an
// optional backup, locked and watched for other writers), the undo stack, the edited state and the
// timers that recompute the reminders and save automatically. Every change of the store goes
// through perform(), which records the undo step and emits changed() once; windows observe.
class Document : public QObject
{
    Q_OBJECT

public:
    static constexpr int NotificationInterval = 3600; // seconds
    static constexpr int UndoStepLimit = 100;

    explicit Document(QObject *parent = nullptr);
    ~Document() override;

    CollectionManager &collectionManager() { return m_store; }
    const CollectionManager &collectionManager() const { return m_store; }
    // Unique among the open documents of this run (link drags carry it).
    QString uniqueID() const { return m_uniqueID; }

    // --- The file
    QString filePath() const { return m_filePath; }
    QString displayName() const;
    void setUntitledNumber(int number);
    // A file named like an e-mail templates file, which is imported, never opened.
    static bool isTemplatesFile(const QString &path);
    // Reads a database file into the store; on failure the store may have been emptied and `error`
    // says why. Nothing read before can be undone afterwards.
    bool read(const QString &path, FileError *error = nullptr);
    // Reads the document's own file again, discarding unsaved changes.
    bool revert(FileError *error = nullptr);
    // Writes atomically, keeping the old file as NAME~.site when the preference asks for it. Saved
    // under another name, the database takes its verification history along.
    bool save(const QString &path, FileError *error = nullptr);
    static bool keepBackupFile();
    // The lock taken before the file was read (null when none could be taken).
    void adoptLock(std::unique_ptr<DatabaseLock> lock);
    bool isReadOnly() const { return m_readOnly; }
    // Emits fileNameChanged: the window's title says so.
    void setReadOnly(bool readOnly);
    DocumentFileWatch *fileWatch() const { return m_watch; }
    // The document is closed for good: the timers stop, the file is free for others.
    void close();

    // Whether the site profile was ever set up (read databases have one).
    bool hasSiteProfile() const { return m_hasSiteProfile; }
    void setHasSiteProfile(bool has) { m_hasSiteProfile = has; }
    // A new database's starting point: the assistant's profile and layout and a few templates to
    // write to partners with. Marks the document edited without an undo step.
    void applyStartingSiteProfile(const SiteProfileTexts &texts, bool singlePageLayout);

    // --- Changes and undo
    // Runs one change of the store: when `operation` returns true, the reminders are recomputed (once,
    // unless only the templates changed), the journal entry becomes the undo step `actionName`, the
    // document is marked edited and changed() is emitted once with what the journal saw touched.
    // `operation` fills in what the window should select afterwards.
    bool perform(const QString &actionName, const std::function<bool(DocumentChange &)> &operation);
    // Closes the store's open journal entry into one undo step. A command that changed nothing the
    // journal saw still marks the document edited, until saved.
    void commit(const QString &actionName);
    // While a group lives, the changes that end inside it stay open, and the group closes them into
    // one step named after it. Groups inside groups join the outermost.
    class UndoGroup
    {
    public:
        UndoGroup(Document *document, const QString &actionName);
        ~UndoGroup();
        UndoGroup(const UndoGroup &) = delete;
        UndoGroup &operator=(const UndoGroup &) = delete;

    private:
        Document *m_document;
    };
    QUndoStack *undoStack() const { return m_stack; }
    void undo();
    void redo();
    bool isModified() const;
    // The undo steps between the saved version and now, in order, undone ones included: what a
    // reload would lose. A step without a name is an empty string; changes no step holds (a new
    // database's starting point) add none.
    QStringList unsavedSteps() const;

    // --- Timers
    QTimer *notificationsTimer() const { return m_notificationsTimer; }
    QTimer *autoSaveTimer() const { return m_autoSaveTimer; }
    // Restarts the autosave timer with the current preference.
    void updateAutoSaveTimer();
    // Whether a timer may act now (a window answers false while a sheet is open). Always by default.
    void setTimerGate(std::function<bool()> gate) { m_timerGate = std::move(gate); }
    void computeNotificationsWithTimer();
    void autoSaveWithTimer();

signals:
    // The store changed through perform(), undo or redo: the one signal the lists follow.
    void changed(const DocumentChange &change);
    // An undo or redo step was applied to the store, after changed() (reminders already recomputed).
    void undoStepApplied(const StoreChange &change);
    void modifiedChanged(bool modified);
    void fileNameChanged();
    // The store is about to be replaced by a read: nothing may keep pointers into it.
    void aboutToReload();
    // The file was read into the store.
    void reloaded();
    void saved();
    // The reminders were recomputed by the timer.
    void notificationsRecomputed();
    // Something the user should read in passing (a history that could not follow a save...).
    void statusMessage(const QString &message, int timeoutMs);
    // Saving on the timer failed; nothing was written. `why` is in the user's language.
    void autoSaveFailed(const QString &path, const QString &why);

private:
    void fileWasReadOrWritten(const QString &path);
    void setFilePath(const QString &path);
    void commitPendingChange();
    // Closes the open entry into a step; tells `change` what the step touched.
    void commitInto(const QString &actionName, DocumentChange *change);
    void stepWasApplied(const StoreChange &change);
    void emitModifiedIfChanged();

    CollectionManager m_store;
    QString m_uniqueID;
    QString m_filePath;
    int m_untitledNumber = 1;
    bool m_hasSiteProfile = false;
    bool m_readOnly = false;
    std::unique_ptr<DatabaseLock> m_lock;
    DocumentFileWatch *m_watch;

    QUndoStack *m_stack;
    bool m_editedOutsideStack = false;
    bool m_reportedModified = false;
    bool m_deferModified = false; // perform() reports the edited mark after its change
    int m_groupDepth = 0;
    QString m_groupName;
    bool m_groupCommitted = false; // a change inside the open group ended

    QTimer *m_notificationsTimer;
    QTimer *m_autoSaveTimer;
    std::function<bool()> m_timerGate;
};
