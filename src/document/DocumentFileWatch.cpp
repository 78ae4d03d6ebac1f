#include "DocumentFileWatch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

namespace {
// Writers save in several steps (a temporary file, a rename); the file is looked at once they stop.
constexpr int SettleMs = 250;
} // namespace

DocumentFileWatch::DocumentFileWatch(QObject *parent)
    : QObject(parent), m_watcher(new QFileSystemWatcher(this))
{
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(SettleMs);
    connect(&m_settleTimer, &QTimer::timeout, this, &DocumentFileWatch::settle);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &DocumentFileWatch::somethingChanged);
    // An atomic save replaces the file: the watch on the old inode ends and only the folder tells.
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &DocumentFileWatch::somethingChanged);
}

void DocumentFileWatch::remember(const QString &path)
{
    if (path != m_path)
        forget();
    m_path = path;
    m_known = FileIdentity::of(path);
    m_reported = DiskState::Unchanged;
    watchPath();
}

void DocumentFileWatch::forget()
{
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_path.clear();
    m_known = FileIdentity();
    m_reported = DiskState::Unchanged;
    m_settleTimer.stop();
}

void DocumentFileWatch::watchPath()
{
    if (m_path.isEmpty())
        return;
    if (QFileInfo::exists(m_path) && !m_watcher->files().contains(m_path))
        m_watcher->addPath(m_path);
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!m_watcher->directories().contains(folder))
        m_watcher->addPath(folder);
}

DocumentFileWatch::DiskState DocumentFileWatch::state() const
{
    if (m_path.isEmpty())
        return DiskState::Unchanged;
    const FileIdentity now = FileIdentity::of(m_path);
    if (!now.exists())
        return DiskState::Missing;
    return now == m_known ? DiskState::Unchanged : DiskState::Changed;
}

void DocumentFileWatch::somethingChanged()
{
    if (!m_path.isEmpty())
        m_settleTimer.start();
}

void DocumentFileWatch::settle()
{
    watchPath(); // a replaced file is watched again under its new inode
    const DiskState now = state();
    if (now == m_reported)
        return;
    m_reported = now;
    if (now != DiskState::Unchanged)
        emit changedOnDisk();
}
