#include "DocumentController.h"

#include "MyDocument.h"
#include "app/MessageBox.h"
#include "model/Preferences.h"

#include <QApplication>
#include <QFileDialog>
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
    connect(document, &QObject::destroyed, this, [this] {
        m_documents.removeIf([](const QPointer<MyDocument> &d) { return d.isNull(); });
        emit documentsChanged();
    });
    emit documentsChanged();
}

MyDocument *DocumentController::newDocument()
{
    auto *document = new MyDocument;
    adopt(document);
    document->show();
    return document;
}

MyDocument *DocumentController::openDocument(const QString &path, QWidget *parent)
{
    if (MyDocument *open = documentForFile(path)) {
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }
    auto *document = new MyDocument;
    QString error;
    if (!document->readFromFile(path, &error)) {
        delete document;
        MessageBox::alert(parent,
                          tr("The document \"%1\" could not be opened.").arg(QFileInfo(path).fileName()),
                          error, {}, MessageBox::Critical);
        return nullptr;
    }
    adopt(document);
    noteRecentFile(path);
    document->show();
    return document;
}

void DocumentController::openDocumentWithPanel(QWidget *parent)
{
    const QString path = QFileDialog::getOpenFileName(parent, tr("Open"), QString(),
                                                      tr("Links databases (*.site);;All files (*)"));
    if (!path.isEmpty())
        openDocument(path, parent);
}

QList<MyDocument *> DocumentController::documents() const
{
    QList<MyDocument *> result;
    for (const QPointer<MyDocument> &document : m_documents) {
        if (document)
            result.append(document.data());
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

void DocumentController::updateAutoSaveTimers() {}

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
