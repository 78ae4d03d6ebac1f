#pragma once

#include <QObject>

class DocumentFileWatch;
class FileChangedBar;
class MyDocument;

// Keeps a window from saving over work that reached its file some other way: another program or
// window that wrote the file, a file deleted or moved away. The document watches its file; the
// guard asks before a save would overwrite a changed file and reloads an unedited window when its
// file changes.
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

    // Asks, before a save to the document's own file, what to do when the file changed on disk.
    SaveDecision confirmSave();

signals:
    // The bar's answers that write the file (the window's file commands do).
    void saveRequested();
    void saveAsRequested();

private:
    void fileChangedOnDisk();
    void barAnswered(int index);
    // Asks before a reload throws away the window's unsaved changes, naming them.
    bool confirmDiscardingChanges();
    QString fileName() const;

    MyDocument *m_document;
    DocumentFileWatch *m_watch;
    FileChangedBar *m_bar;
    bool m_barAsksAboutMissingFile = false;
};
