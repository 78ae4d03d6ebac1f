#include "AutoVerifier.h"

#include "DocumentUndo.h"
#include "MyDocument.h"
#include "RecordedChecksCache.h"
#include "history/DesktopNotifier.h"
#include "history/DueLinks.h"
#include "history/HistoryService.h"
#include "history/HistoryStore.h"
#include "history/VerificationRun.h"
#include "model/Clock.h"
#include "model/Preferences.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

namespace {
constexpr int MaximumDays = 365;
}

AutoVerifier::AutoVerifier(MyDocument *document)
    : QObject(document), m_document(document),
      m_run(new VerificationRun(&document->collectionManager(), this)),
      m_progressLabel(new QLabel(document->statusBar())),
      m_progressBar(new QProgressBar(document->statusBar())),
      m_stopButton(new QPushButton(tr("Stop"), document->statusBar()))
{
    m_progressBar->setAccessibleName(tr("Automatic verification progress"));
    m_progressBar->setMaximumWidth(160);
    m_progressBar->setTextVisible(false);
    m_stopButton->setObjectName(QStringLiteral("stopAutomaticVerification"));
    m_stopButton->setToolTip(tr("Stop the automatic verification; the links checked so far are kept"));
    QStatusBar *statusBar = document->statusBar();
    statusBar->addPermanentWidget(m_progressLabel);
    statusBar->addPermanentWidget(m_progressBar);
    statusBar->addPermanentWidget(m_stopButton);
    showProgress(false);

    connect(m_stopButton, &QPushButton::clicked, this, &AutoVerifier::stop);
    connect(m_run, &VerificationRun::progressChanged, this, &AutoVerifier::progressChanged);
    connect(m_run, &VerificationRun::ended, this, &AutoVerifier::finished);
    // The link list's views read the checks the run recorded.
    connect(m_run->historyRecorder(), &HistoryRecorder::recordingFinished, document,
            [document] { document->recordedChecks()->reload(document->filePath()); });
    // The run reads the links it checks: any change to the database ends it first.
    connect(document->undo()->stack(), &QUndoStack::indexChanged, this, [this] {
        if (isRunning())
            stop();
    });
    // Hourly, with the reminders' timer, and once the document has been opened.
    connect(document->document()->notificationsTimer(), &QTimer::timeout, this,
            &AutoVerifier::verifyDueLinks);
    QTimer::singleShot(0, this, &AutoVerifier::verifyDueLinks);
}

bool AutoVerifier::isRunning() const
{
    return m_lookingUp || m_run->isRunning();
}

bool AutoVerifier::verifyDueLinks()
{
    const int days = Preferences::intValue(Preferences::AutoVerifyDays);
    if (days <= 0 || isRunning() || m_document->filePath().isEmpty() || !m_document->canRunTimerAction())
        return false;
    m_lookingUp = true;
    const QString databasePath = m_document->filePath();
    HistoryService::instance()->readLatestChecks(
        databasePath, this,
        [this, databasePath, days](const HistoryReply<QHash<QString, CheckRecord>> &reply) {
            m_lookingUp = false;
            if (!reply.value) {
                // The days stored in the database decide alone.
                emit historyProblem(HistoryStore::errorMessage(databasePath, reply.error));
            }
            startDueLinks(databasePath, days, reply.value.value_or(QHash<QString, CheckRecord>()));
        });
    return true;
}

void AutoVerifier::startDueLinks(const QString &databasePath, int days,
                                 const QHash<QString, CheckRecord> &latest)
{
    // A sheet opened or the database was saved elsewhere while the history was read.
    if (databasePath != m_document->filePath() || !m_document->canRunTimerAction())
        return;
    const QStringList due =
        DueLinks::dueLinkIDs(m_document->collectionManager(), latest, Clock::now(), qMin(days, MaximumDays));
    if (due.isEmpty() || !m_run->prepare(due) || m_run->rows()->selectedCount() == 0)
        return;
    m_run->startRecording(databasePath);
    m_run->start();
}

void AutoVerifier::stop()
{
    m_run->stop();
}

void AutoVerifier::progressChanged(int done, int total)
{
    m_progressLabel->setText(tr("Verifying links: %1 of %2").arg(done).arg(total));
    m_progressBar->setMaximum(qMax(1, total));
    m_progressBar->setValue(done);
    showProgress(true);
}

void AutoVerifier::showProgress(bool visible)
{
    m_progressLabel->setVisible(visible);
    m_progressBar->setVisible(visible);
    m_stopButton->setVisible(visible);
}

void AutoVerifier::finished()
{
    showProgress(false);
    const QList<std::pair<QString, VerificationResult>> results = m_run->rows()->resultsToSave();
    const QList<LinkChange> changes = m_run->historyRecorder()->changes();
    m_run->scheduler()->reset();
    m_document->document()->perform(tr("Automatic Verification"), [this, &results](DocumentChange &) {
        return m_document->collectionManager().recordVerificationResults(results, Clock::today());
    });
    // A site that is down or refuses the check is no lost link: the two are counted apart.
    QStringList lostTitles, unreachableTitles;
    for (const LinkChange &change : changes) {
        if (change.kind == LinkChange::Lost)
            lostTitles.append(change.title);
        else if (change.kind == LinkChange::Unreachable)
            unreachableTitles.append(change.title);
    }
    if (lostTitles.isEmpty() && unreachableTitles.isEmpty())
        return;
    const QString summary =
        DesktopNotifier::changesSummary(int(lostTitles.size()), int(unreachableTitles.size()));
    const QString body =
        DesktopNotifier::changesBody(m_document->document()->displayName(), lostTitles, unreachableTitles);
    // Without a notification service the status line's notice is all there is.
    DesktopNotifier::notify(summary, body);
    emit lostLinksAnnounced(summary, body);
}
