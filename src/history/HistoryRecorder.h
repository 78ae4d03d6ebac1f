#pragma once

#include "CheckRecord.h"
#include "LinkChange.h"
#include "model/Codes.h"

#include <QHash>
#include <QObject>
#include <optional>

class Link;
class VerificationScheduler;
struct VerificationDetails;

// Records the checks of a verification run into the history of its database: each check as it
// completes, all of them in one transaction when the run ends. Knows the latest check of every link
// from before the run, so it can say which results are changes while the run goes on.
class HistoryRecorder : public QObject
{
    Q_OBJECT
public:
    explicit HistoryRecorder(const VerificationScheduler *scheduler, QObject *parent = nullptr);

    // The database whose history is written; empty (a database never saved) or disabled: nothing is
    // recorded. Reads the latest checks from before the run (also when disabled, for the changes);
    // call it before the run starts.
    void startRecording(const QString &databasePath, bool enabled = true);
    // The change a result of this run makes against the link's latest recorded check, if any.
    std::optional<LinkChange::Kind> changeOf(int row) const;
    // What the last run recorded, and the changes it made.
    const QList<CheckRecord> &recorded() const { return m_checks; }
    const QList<LinkChange> &changes() const { return m_changes; }

signals:
    // The run's checks were written (or nothing was to be written); `changes` are the links whose
    // latest check differs from the one before.
    void recordingFinished(const QList<LinkChange> &changes);
    // The history could not be read or written; the message says which file and why.
    void historyUnavailable(const QString &message);

private:
    void checkCompleted(int row, const Link *link, VerificationResult result,
                        const VerificationDetails &details);
    void runEnded();

    QString m_databasePath;
    bool m_enabled = false;
    QHash<QString, CheckRecord> m_before;
    QHash<int, CheckRecord> m_rowChecks;
    QList<CheckRecord> m_checks;
    QList<LinkChange> m_changes;
};
