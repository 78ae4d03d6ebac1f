#pragma once

#include "HistoryRecorder.h"

#include <QObject>
#include <QStringList>
#include <optional>

class CollectionManager;
class VerificationRowModel;
class VerificationScheduler;

// One verification run over the links of a database, as the sheet, the automatic runs and the
// command-line tool each make one: the rows with their ticks, the scheduler that checks the ticked
// rows, and the recording of every check into the history beside the database. The checks start once
// the history's trails are in, which decide the missing links that are looked at twice. Saving the
// results into the links is the caller's (see VerificationRowModel::resultsToSave).
class VerificationRun : public QObject
{
    Q_OBJECT
public:
    // What stop() does with a run that still waits for the trails.
    enum class Unstarted
    {
        Drop,         // it ends without a check and without results
        EndAsStopped, // it starts without them and stops at once, as a run stopped before its checks had
                      // their turn
    };

    explicit VerificationRun(CollectionManager *store, QObject *parent = nullptr);
    ~VerificationRun() override;

    VerificationScheduler *scheduler() const { return m_scheduler; }
    VerificationRowModel *rows() const { return m_rows; }
    HistoryRecorder *historyRecorder() const { return m_recorder; }

    // Forgets the run before and builds the rows for the given link IDs (ticked) or, without a list,
    // for every link; false when the database holds no verifiable link.
    bool prepare(const std::optional<QStringList> &ids = std::nullopt);
    // The database whose history takes the run's checks (none when empty or disabled); its trails are
    // read on the history thread.
    void startRecording(const QString &databasePath, bool enabled = true);
    // Checks the ticked rows once the trails are in; false when no row is ticked (nothing starts).
    bool start();
    // Ends the run: the checks under way are dropped, the finished ones stay in the rows.
    void stop(Unstarted unstarted = Unstarted::Drop);

    bool isRunning() const { return m_running; }
    bool isWaitingForHistory() const { return m_waiting; }
    // Inside the scheduler's start, where the first checks are handed out.
    bool isStarting() const { return m_starting; }
    int done() const { return m_done; }
    int total() const { return m_total; }

signals:
    // The checks were handed to the scheduler.
    void started();
    void progressChanged(int done, int total);
    // After the scheduler's end of the run, or a stop before the checks started; queued, so that the
    // run may end inside start() before the caller has returned.
    void ended();

private:
    void startChecks();
    void runEnded();

    CollectionManager *m_store;
    VerificationScheduler *m_scheduler;
    VerificationRowModel *m_rows;
    HistoryRecorder *m_recorder;
    bool m_running = false;
    bool m_waiting = false;
    bool m_starting = false;
    int m_done = 0;
    int m_total = 0;
};
