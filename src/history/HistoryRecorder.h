#pragma once

#include "CheckRecord.h"
#include "LinkChange.h"
#include "model/Codes.h"
#include "model/FileError.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <optional>

class Link;
class VerificationScheduler;
struct VerificationDetails;

// Records the checks of a verification run into the history of its database: each check as it
// completes, all of them in one transaction when the run ends. Knows every link's trail of checks
// from before the run (or, for a link the history does not know or when it cannot be read, the
// result stored in the database), so it tells the run which missing links to look at again and says
// which results are changes while the run goes on.
class HistoryRecorder : public QObject
{
    Q_OBJECT
public:
    explicit HistoryRecorder(VerificationScheduler *scheduler, QObject *parent = nullptr);

    // The database whose history is written; empty (a database never saved) or disabled: nothing is
    // recorded. Reads the trails from before the run (also when disabled, for the changes) and the
    // alert period of the preferences unless `unreachableDays` is given, on the history thread; the
    // run starts once they are in (see whenReady).
    void startRecording(const QString &databasePath, bool enabled = true,
                        std::optional<int> unreachableDays = std::nullopt);
    // Whether the trails asked for by startRecording have come (or could not be read).
    bool isReady() const { return m_ready; }
    // Calls `start` now when the trails are in, else once they come: which links' checks look twice
    // at a missing link is decided from them when the run starts. A later call replaces an earlier one.
    void whenReady(std::function<void()> start);
    // Forgets the `start` given to whenReady.
    void cancelStart() { m_start = nullptr; }
    // The change a result of this run brought up, if any.
    std::optional<LinkChange::Kind> changeOf(int row) const;
    // What the last run recorded, and the changes it brought up, in row order.
    const QList<CheckRecord> &recorded() const { return m_checks; }
    const QList<LinkChange> &changes() const { return m_changes; }
    // Whether the history could be read when the recording started.
    bool historyRead() const { return m_historyRead; }
    // The link's checks before this run, as far as they are known.
    LinkTrail trailBefore(const Link &link) const;

signals:
    // The trails asked for by startRecording came, or could not be read.
    void ready();
    // The run's checks went to the history thread (or nothing was to be written); `changes` are those the run
    // brought up: new losses, moves, recoveries, links no longer followed, and sites unreachable for
    // days. Each comes once.
    void recordingFinished(const QList<LinkChange> &changes);
    // The history could not be read or written; the message says which file and why.
    void historyUnavailable(const QString &databasePath, const FileError &error);

private:
    void checkCompleted(int row, const Link *link, VerificationResult result,
                        const VerificationDetails &details);
    void runEnded();

    QString m_databasePath;
    bool m_enabled = false;
    bool m_historyRead = false;
    bool m_ready = true;
    int m_reading = 0; // which startRecording the awaited trails belong to
    std::function<void()> m_start;
    int m_unreachableDays = LinkChange::DefaultUnreachableDays;
    QHash<QString, LinkTrail> m_before;
    QHash<int, CheckRecord> m_rowChecks;
    QHash<int, LinkChange> m_rowChanges;
    QList<CheckRecord> m_checks;
    QList<LinkChange> m_changes;
};
