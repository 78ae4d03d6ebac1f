#pragma once

#include "HistoryRecorder.h"

#include <QObject>
#include <QStringList>

class CollectionManager;
class VerificationRowModel;
class VerificationScheduler;

// A verification run without a sheet: checks the given links, records them into the history and,
// once it has ended or was stopped, hands the finished results to the caller, which stores them in
// the links as Save Result does.
class BackgroundVerification : public QObject
{
    Q_OBJECT
public:
    explicit BackgroundVerification(CollectionManager *store, QObject *parent = nullptr);
    ~BackgroundVerification() override;

    // False when none of the links can be checked (nothing starts).
    bool start(const QString &databasePath, const QStringList &linkIDs);
    // Ends the run: the checks under way are dropped, the finished ones are handed over.
    void stop();
    bool isRunning() const { return m_running; }
    int done() const { return m_done; }
    int total() const { return m_total; }

    VerificationScheduler *scheduler() const { return m_scheduler; }
    VerificationRowModel *rows() const { return m_rows; }
    HistoryRecorder *historyRecorder() const { return m_recorder; }

signals:
    void progressChanged(int done, int total);
    // `results` are the finished checks to store in the links (none when nothing finished).
    void finished(const QList<std::pair<QString, VerificationResult>> &results,
                  const QList<LinkChange> &changes);

private:
    void runEnded();

    CollectionManager *m_store;
    VerificationScheduler *m_scheduler;
    VerificationRowModel *m_rows;
    HistoryRecorder *m_recorder = nullptr;
    bool m_running = false;
    int m_done = 0;
    int m_total = 0;
};
