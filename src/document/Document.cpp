#include "Document.h"

#include "DocumentFileWatch.h"
#include "StoreUndoCommand.h"
#include "history/HistoryService.h"
#include "history/HistoryStore.h"
#include "model/DatabaseFile.h"
#include "model/DatabaseLock.h"
#include "model/Preferences.h"
#include "model/StoreChange.h"
#include "workflow/StarterTemplates.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QUndoStack>
#include <chrono>
#include <limits>

namespace {
constexpr int StatusMessageMs = 15000;
constexpr int HistoryMessageMs = 30000;
} // namespace

Document::Document(QObject *parent)
    : QObject(parent), m_watch(new DocumentFileWatch(this)), m_stack(new QUndoStack(this)),
      m_notificationsTimer(new QTimer(this)), m_autoSaveTimer(new QTimer(this))
{
    // The object's address is unique among the open documents of this run.
    m_uniqueID = QString::number(quintptr(this));
    m_stack->setUndoLimit(UndoStepLimit);
    m_store.journal().setRecording(true);
    connect(m_stack, &QUndoStack::cleanChanged, this, &Document::emitModifiedIfChanged);

    m_notificationsTimer->setInterval(std::chrono::seconds(NotificationInterval));
    connect(m_notificationsTimer, &QTimer::timeout, this, &Document::computeNotificationsWithTimer);
    m_notificationsTimer->start();
    connect(m_autoSaveTimer, &QTimer::timeout, this, &Document::autoSaveWithTimer);
    updateAutoSaveTimer();
}

Document::~Document()
{
    // The steps hold changes of the store, which goes before the stack; nobody hears of it.
    blockSignals(true);
    m_stack->blockSignals(true);
    m_stack->clear();
}

// ---------------------------------------------------------------- the file

QString Document::displayName() const
{
    if (!m_filePath.isEmpty())
        return QFileInfo(m_filePath).fileName();
    return m_untitledNumber <= 1 ? tr("Untitled") : tr("Untitled %1").arg(m_untitledNumber);
}

void Document::setUntitledNumber(int number)
{
    m_untitledNumber = number;
    emit fileNameChanged();
}

void Document::setFilePath(const QString &path)
{
    if (path == m_filePath)
        return;
    m_filePath = path;
    emit fileNameChanged();
}

bool Document::isTemplatesFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("emlt"), Qt::CaseInsensitive) == 0;
}

bool Document::keepBackupFile()
{
    return Preferences::boolValue(Preferences::CreateBackupFiles);
}

bool Document::read(const QString &path, FileError *error)
{
    if (isTemplatesFile(path)) {
        FileError::fail(error, FileError::Kind::Damaged, QStringLiteral("an e-mail templates file"));
        return false;
    }
    emit aboutToReload();
    if (!DatabaseFile::read(path, m_store, error))
        return false;
    m_hasSiteProfile = true;
    m_store.computeNotifications();
    m_stack->clear();
    m_editedOutsideStack = false;
    fileWasReadOrWritten(path);
    setFilePath(path);
    emitModifiedIfChanged();
    emit reloaded();
    return true;
}

bool Document::revert(FileError *error)
{
    if (m_filePath.isEmpty()) {
        FileError::fail(error, FileError::Kind::CannotOpen, QStringLiteral("never saved"));
        return false;
    }
    return read(m_filePath, error);
}

bool Document::save(const QString &path, FileError *error)
{
    if (!DatabaseFile::write(m_store, path, error, keepBackupFile()))
        return false;
    // The file is saved all the same when the history cannot follow it.
    // The copy runs on the history thread, ahead of the reads that the new path brings.
    if (!m_filePath.isEmpty() && path != m_filePath) {
        HistoryService::instance()->copyHistory(
            m_filePath, path, this, [this, path](const HistoryReply<bool> &reply) {
                if (!reply.value)
                    emit statusMessage(tr("The verification history %1 cannot be copied. %2")
                                           .arg(QDir::toNativeSeparators(HistoryStore::pathForDatabase(path)),
                                                reply.error.message()),
                                       HistoryMessageMs);
            });
    }
    fileWasReadOrWritten(path);
    commitPendingChange();
    m_editedOutsideStack = false;
    m_stack->setClean();
    setFilePath(path);
    emitModifiedIfChanged();
    emit saved();
    return true;
}

void Document::fileWasReadOrWritten(const QString &path)
{
    if (path != m_watch->path()) {
        // Another window (of this or another instance) on the same file would save over this one.
        m_lock.reset();
        if (!path.isEmpty()) {
            auto lock = std::make_unique<DatabaseLock>(path);
            if (lock->tryLock())
                m_lock = std::move(lock);
        }
        setReadOnly(false);
    }
    m_watch->remember(path);
}

void Document::setReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    emit fileNameChanged();
}

void Document::adoptLock(std::unique_ptr<DatabaseLock> lock)
{
    m_lock = std::move(lock);
}

void Document::close()
{
    m_notificationsTimer->stop();
    m_autoSaveTimer->stop();
    m_lock.reset();
    m_watch->forget();
}

void Document::applyStartingSiteProfile(const SiteProfileTexts &texts, bool singlePageLayout)
{
    perform(QString(), [&](DocumentChange &) {
        m_store.setSiteProfile(texts);
        m_store.setRenderMode(singlePageLayout ? RenderModeSinglePage : RenderModePagePerCategory);
        if (m_store.emailTemplates().empty())
            StarterTemplates::addTo(m_store);
        // Where the new database starts, not a step to undo.
        m_store.journal().dropEntry();
        m_hasSiteProfile = true;
        return true;
    });
}

// ---------------------------------------------------------------- changes and undo

bool Document::perform(const QString &actionName, const std::function<bool(DocumentChange &)> &operation)
{
    DocumentChange change;
    change.actionName = actionName;
    if (!operation(change))
        return false;
    // The windows see the change before the edited mark, so that they never show a stale list.
    m_deferModified = true;
    commitInto(actionName, &change);
    m_deferModified = false;
    // The reminders follow the links, categories and settings; templates alone leave them.
    if (change.touchesLinksOrCategories())
        m_store.computeNotifications();
    emit changed(change);
    emitModifiedIfChanged();
    return true;
}

void Document::commit(const QString &actionName)
{
    commitInto(actionName, nullptr);
}

void Document::commitInto(const QString &actionName, DocumentChange *touched)
{
    if (m_groupDepth > 0) {
        // The entry stays open until the group ends: what it holds so far is not known here.
        if (touched)
            touched->unknownExtent = true;
        m_groupCommitted = true;
        return;
    }
    std::unique_ptr<StoreChange> change = m_store.journal().closeEntry();
    if (touched)
        touched->takeExtentFrom(change.get());
    if (change) {
        m_stack->push(new StoreUndoCommand(m_store, std::move(change), actionName,
                                           [this](const StoreChange &applied) { stepWasApplied(applied); }));
    } else {
        m_editedOutsideStack = true;
    }
    emitModifiedIfChanged();
}

Document::UndoGroup::UndoGroup(Document *document, const QString &actionName) : m_document(document)
{
    if (m_document->m_groupDepth++ == 0) {
        m_document->m_groupName = actionName;
        m_document->m_groupCommitted = false;
    }
}

Document::UndoGroup::~UndoGroup()
{
    if (--m_document->m_groupDepth > 0 || !m_document->m_groupCommitted)
        return;
    m_document->m_groupCommitted = false;
    m_document->commit(m_document->m_groupName);
}

void Document::commitPendingChange()
{
    // A change no command closed yet is the latest one: it becomes a step of its own.
    if (m_store.journal().hasOpenEntry())
        commit(QString());
}

void Document::undo()
{
    commitPendingChange();
    m_stack->undo();
}

void Document::redo()
{
    commitPendingChange();
    m_stack->redo();
}

bool Document::isModified() const
{
    return m_editedOutsideStack || !m_stack->isClean();
}

QStringList Document::unsavedSteps() const
{
    const int now = m_stack->index();
    const int clean = m_stack->cleanIndex();
    // Without a clean index the saved version left the stack: every step there is newer.
    const int from = clean < 0 ? 0 : qMin(clean, now);
    const int to = clean < 0 ? now : qMax(clean, now);
    QStringList steps;
    for (int i = from; i < to; ++i)
        steps.append(m_stack->text(i));
    if (m_store.journal().hasOpenEntry())
        steps.append(QString());
    return steps;
}

void Document::emitModifiedIfChanged()
{
    if (m_deferModified || m_reportedModified == isModified())
        return;
    m_reportedModified = isModified();
    emit modifiedChanged(m_reportedModified);
}

void Document::stepWasApplied(const StoreChange &change)
{
    m_store.computeNotifications();
    DocumentChange applied;
    applied.fromUndoStack = true;
    applied.takeExtentFrom(&change);
    emit changed(applied);
    emit undoStepApplied(change);
}

// ---------------------------------------------------------------- timers

void Document::updateAutoSaveTimer()
{
    // A period of zero or less would fire without pause: one minute is the shortest.
    constexpr int LongestMinutes = std::numeric_limits<int>::max() / 60000;
    const int minutes = qBound(1, Preferences::intValue(Preferences::AutoSaveInterval), LongestMinutes);
    m_autoSaveTimer->stop();
    m_autoSaveTimer->setInterval(std::chrono::minutes(minutes));
    m_autoSaveTimer->start();
}

void Document::computeNotificationsWithTimer()
{
    if (m_timerGate && !m_timerGate())
        return;
    m_store.computeNotifications();
    emit notificationsRecomputed();
}

void Document::autoSaveWithTimer()
{
    // Never saved yet: there is no file to write to. The preferences switch turns it off.
    if ((m_timerGate && !m_timerGate()) || m_filePath.isEmpty() || !isModified() ||
        !Preferences::boolValue(Preferences::AutoSaveDocuments) || m_readOnly)
        return;
    if (m_watch->state() != DocumentFileWatch::DiskState::Unchanged) {
        emit statusMessage(
            tr("Not saved automatically: the file \"%1\" was changed or removed by another program.")
                .arg(QFileInfo(m_filePath).fileName()),
            StatusMessageMs);
        return;
    }
    FileError error;
    if (!save(m_filePath, &error))
        emit autoSaveFailed(m_filePath, error.message());
}
