#include "DocumentController.h"

#include "Document.h"
#include "MyDocument.h"
#include "gui/FilePanel.h"
#include "gui/MessageBox.h"
#include "model/DatabaseLock.h"
#include "model/Preferences.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {
DocumentController *s_instance = nullptr;
const QString RecentFilesKey = QStringLiteral("RecentFiles");
} // namespace

DocumentController::DocumentController(QObject *parent) : QObject(parent)
{
    s_instance = this;
}

DocumentController::~DocumentController()
{
    if (s_instance == this)
        s_instance = nullptr;
}

DocumentController *DocumentController::instance()
{
    return s_instance;
}

void DocumentController::adopt(MyDocument *document)
{
    m_documents.append(document);
    auto forget = [this](QObject *closed) {
        m_documents.removeIf(
            [closed](const QPointer<QObject> &d) { return d.isNull() || d.data() == closed; });
        emit documentsChanged();
    };
    connect(document, &MyDocument::documentClosed, this, forget);
    connect(document, &QObject::destroyed, this, forget);
    emit documentAdded(document);
    emit documentsChanged();
}

MyDocument *DocumentController::newDocument(const SiteProfileTexts &profile, bool singlePageLayout)
{
    auto *document = new MyDocument;
    document->document()->setUntitledNumber(++m_untitledCount);
    document->setStartingSiteProfile(profile, singlePageLayout);
    adopt(document);
    document->show();
    document->raise();
    document->activateWindow();
    return document;
}

QString DocumentController::openFailureMessage(const QString &path, const FileError &error)
{
    return tr("%1\n\nFile: %2")
        .arg(error.message(), QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

MyDocument *DocumentController::openDocument(const QString &path, QWidget *parent)
{
    if (MyDocument *open = documentForFile(path)) {
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }
    if (Document::isTemplatesFile(path)) {
        MessageBox::alert(parent, tr("This file only contains e-mail templates."),
                          tr("In order to use this file, you must import it into an open links database by "
                             "selecting Tools: E-mail Templates."));
        return nullptr;
    }
    // Another window (of this or another instance) that has the file open would save over this
    // one's changes, and this one over its.
    auto lock = std::make_unique<DatabaseLock>(path);
    bool readOnly = false;
    const QString lockFile = QDir::toNativeSeparators(lock->lockPath());
    if (!lock->tryLock() && lock->heldElsewhere()) {
        const int answer = MessageBox::alert(
            parent, tr("The document \"%1\" is open in another window.").arg(QFileInfo(path).fileName()),
            tr("Whichever window saves last replaces what the other saved. Open it read-only to look "
               "without that risk; Save then asks for another file.") +
                QStringLiteral("\n\n") + tr("Lock file: %1").arg(lockFile),
            {tr("Open Read-Only"), tr("Open Anyway"), tr("Cancel")});
        if (answer == 2)
            return nullptr;
        readOnly = answer == 0;
    } else if (lock->failure() == DatabaseLock::Failure::NotAFile) {
        // Nobody can tell whether a window has it open: looking is safe, saving over it is not.
        const int answer = MessageBox::alert(
            parent, tr("The document \"%1\" cannot be locked.").arg(QFileInfo(path).fileName()),
            tr("Its lock file %1 is not a regular file, so Quillmarsh cannot tell whether another window "
               "has the document open. Open it read-only, or remove the lock file and open the document "
               "again.")
                .arg(lockFile),
            {tr("Open Read-Only"), tr("Cancel")});
        if (answer != 0)
            return nullptr;
        readOnly = true;
    }
    // Only a database that was read gets a window.
    auto read = std::make_unique<Document>();
    FileError error;
    if (!read->read(path, &error)) {
        MessageBox::alert(parent,
                          tr("The document \"%1\" could not be opened.").arg(QFileInfo(path).fileName()),
                          openFailureMessage(path, error), {}, MessageBox::Critical);
        return nullptr;
    }
    if (lock->isLocked())
        read->adoptLock(std::move(lock));
    read->setReadOnly(readOnly);
    auto *document = new MyDocument(std::move(read));
    adopt(document);
    noteRecentFile(path);
    document->show();
    return document;
}

int DocumentController::openDocumentWithPanel(QWidget *parent)
{
    const QStringList paths = FilePanel::openFileNames(parent, tr("Open"), QString(),
                                                       tr("Links databases (*.site);;All files (*)"));
    int opened = 0;
    for (const QString &path : paths) {
        if (openDocument(path, parent))
            ++opened;
    }
    return opened;
}

QList<MyDocument *> DocumentController::documents() const
{
    QList<MyDocument *> result;
    for (const QPointer<QObject> &object : m_documents) {
        if (auto *document = qobject_cast<MyDocument *>(object.data()))
            result.append(document);
    }
    return result;
}

MyDocument *DocumentController::frontDocument() const
{
    if (auto *active = qobject_cast<MyDocument *>(QApplication::activeWindow()))
        return active;
    const QList<MyDocument *> all = documents();
    return all.isEmpty() ? nullptr : all.last();
}

MyDocument *DocumentController::documentForFile(const QString &path) const
{
    const QString wanted = QFileInfo(path).canonicalFilePath();
    if (wanted.isEmpty())
        return nullptr;
    for (MyDocument *document : documents()) {
        if (!document->filePath().isEmpty() && QFileInfo(document->filePath()).canonicalFilePath() == wanted)
            return document;
    }
    return nullptr;
}

void DocumentController::updateAutoSaveTimers()
{
    for (MyDocument *document : documents())
        document->document()->updateAutoSaveTimer();
}

bool DocumentController::closeAllDocuments()
{
    for (MyDocument *document : documents()) {
        if (!document->close())
            return false;
    }
    return true;
}

QStringList DocumentController::recentFiles() const
{
    return Preferences::stringValue(RecentFilesKey).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void DocumentController::noteRecentFile(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (absolute.contains(QLatin1Char('\n')))
        return;
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > MaximumRecentFiles)
        files.removeLast();
    Preferences::setValue(RecentFilesKey, files.join(QLatin1Char('\n')));
    emit recentFilesChanged();
}

void DocumentController::clearRecentFiles()
{
    Preferences::remove(RecentFilesKey);
    emit recentFilesChanged();
}
