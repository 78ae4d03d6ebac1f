#pragma once

#include "history/CheckRecord.h"
#include "history/LinkChange.h"
#include "model/Codes.h"

#include <QHash>
#include <QObject>

class MyDocument;
class QLabel;
class QProgressBar;
class QPushButton;
class VerificationRun;

// Checks that run by themselves: while the document is open, at opening and on every hourly tick
// (skipped while a sheet is open), its links whose last check is older than "AutoVerifyDays" days
// are checked in the background. The status line shows the progress with a Stop button; the results
// are stored as one undo step "Automatic Verification"; lost links bring a desktop notification.
class AutoVerifier : public QObject
{
    Q_OBJECT
public:
    explicit AutoVerifier(MyDocument *document);

    // Looks for the links that are due (their latest checks are read on the history thread) and
    // starts a background run when there are any; false when it does not look now.
    bool verifyDueLinks();
    void stop();
    // Looking for the due links, or checking them.
    bool isRunning() const;

    VerificationRun *run() const { return m_run; }
    QPushButton *stopButton() const { return m_stopButton; }
    QLabel *progressLabel() const { return m_progressLabel; }

signals:
    // The notification asked of the desktop after a run that lost links or found sites unreachable
    // for days (shown in the status line without a service).
    void lostLinksAnnounced(const QString &summary, const QString &body);
    // The history could not be read; the days stored in the database decided alone.
    void historyProblem(const QString &message);

private:
    void progressChanged(int done, int total);
    // Stores the finished results through the document, as one change, and announces what changed.
    void finished();
    void showProgress(bool visible);
    void startDueLinks(const QString &databasePath, int days, const QHash<QString, CheckRecord> &latest);

    MyDocument *m_document;
    VerificationRun *m_run;
    QLabel *m_progressLabel;
    QProgressBar *m_progressBar;
    QPushButton *m_stopButton;
    bool m_lookingUp = false;
};
