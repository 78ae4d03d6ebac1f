#pragma once

#include <QObject>
#include <memory>

class DatabaseLock;
class DocumentFileWatch;
class FileChangedBar;
class MyDocument;

// Keeps a window from saving over work that reached its file some other way: another program or
// window that wrote the file, a file deleted or moved away, a second window on the same file. It
// holds the file's lock, watches the file, asks before a save would overwrite a changed file and
// reloads an unedited window when its file changes.
class DocumentFileGuard : public QObject
{
    Q_OBJECT

public:
    enum class SaveDecision
    {
        Write,  // save to the document's file
        SaveAs, // ask for another file
        Cancel, // do not save
    };

    explicit DocumentFileGuard(MyDocument *document);
    ~DocumentFileGuard() override;

    FileChangedBar *bar() const { return m_bar; }
    DocumentFileWatch *watch() const { return m_watch; }

    // The document has just read or written `path`; a new path moves the lock there.
    void fileWasReadOrWritten(const QString &path);
    // Takes over the lock taken before the file was opened (null when none could be taken).
    void adoptLock(std::unique_ptr<DatabaseLock> lock);
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // Asks, before a save to the document's own file, what to do when the file changed on disk.
    SaveDecision confirmSave();
    // Whether autosave may write now; when not, the status line says why.
    bool mayAutoSave();

private:
    void fileChangedOnDisk();
    void barAnswered(int index);
    QString fileName() const;

    MyDocument *m_document;
    DocumentFileWatch *m_watch;
    FileChangedBar *m_bar;
    std::unique_ptr<DatabaseLock> m_lock;
    bool m_readOnly = false;
    bool m_barAsksAboutMissingFile = false;
};
