#pragma once

#include "model/FileIdentity.h"

#include <QObject>
#include <QTimer>

class QFileSystemWatcher;

// Watches the file of an open document for writes by other programs (a command-line import, a
// cron job, another window). The document tells it each time it read or wrote the file itself;
// anything else that changes the file is reported once the writer has settled.
class DocumentFileWatch : public QObject
{
    Q_OBJECT

public:
    enum class DiskState
    {
        Unchanged, // as this document last read or wrote it
        Changed,   // written by someone else
        Missing,   // deleted or moved away
    };

    explicit DocumentFileWatch(QObject *parent = nullptr);

    // The document has just read or written `path`: this is the version it knows.
    void remember(const QString &path);
    void forget();
    QString path() const { return m_path; }
    DiskState state() const;

signals:
    // The file is no longer the version the document knows (see state()).
    void changedOnDisk();

private:
    void somethingChanged();
    void settle();
    void watchPath();

    QString m_path;
    FileIdentity m_known;
    QFileSystemWatcher *m_watcher;
    QTimer m_settleTimer;
    // The state last reported, so that one change is reported once.
    DiskState m_reported = DiskState::Unchanged;
};
