#pragma once

#include "model/SelfInfo.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class FileError;
class MyDocument;
class QWidget;

// The document layer of the application: creates, opens and closes the database windows and
// keeps the list of recently opened files. Exactly one exists, made in main().
class DocumentController : public QObject
{
    Q_OBJECT

public:
    explicit DocumentController(QObject *parent = nullptr);
    ~DocumentController() override;

    static DocumentController *instance();

    // An untitled document; it takes the given site profile and page layout when its window first
    // becomes active.
    MyDocument *newDocument(const SiteProfileTexts &profile = {}, bool singlePageLayout = true);
    // Null, after a clear alert, on failure; an already open file just raises its window.
    MyDocument *openDocument(const QString &path, QWidget *parent = nullptr);
    // The open-file panel (filters *.site). Returns how many of the chosen files are now open.
    int openDocumentWithPanel(QWidget *parent = nullptr);

    QList<MyDocument *> documents() const;
    MyDocument *frontDocument() const;
    MyDocument *documentForFile(const QString &path) const;

    // Restarts every open document's autosave timer with the current preference.
    void updateAutoSaveTimers();
    // Asks to save each edited document; false if the user cancelled.
    bool closeAllDocuments();

    QStringList recentFiles() const;
    void noteRecentFile(const QString &path);
    void clearRecentFiles();

    static constexpr int MaximumRecentFiles = 10;

    // The alert message for a file that cannot be opened, from the reader's reason.
    static QString openFailureMessage(const QString &path, const FileError &error);

signals:
    // A document was opened or made; documentsChanged() follows.
    void documentAdded(MyDocument *document);
    void documentsChanged();
    void recentFilesChanged();

private:
    void adopt(MyDocument *document);

    // Held as QObjects: a document is still in the list while its destructor runs (QWidget emits
    // destroyed() before the QObject part goes), and a QPointer<MyDocument> would then cast a
    // half-destroyed object. qobject_cast answers null for it instead.
    QList<QPointer<QObject>> m_documents;
    int m_untitledCount = 0;
};
