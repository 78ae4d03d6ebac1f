#pragma once

#include "DocumentCommandArea.h"
#include "history/LinkChange.h"
#include "history/ui/LostLinksDialogController.h"

#include <QPointer>
#include <QSet>

class HistoryRecorder;
class QLabel;
class QPushButton;

// The verification history in the document window: the Lost Links window (Tools menu), the
// status-line notice after a run that lost links, and telling the user once when the history
// cannot be used. Every run that records (the sheet, automatic checks) is watched through its recorder.
class HistoryCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit HistoryCommands(MyDocument *document);

    void validateMenuItems() override;

    void watchRecorder(HistoryRecorder *recorder);
    void showLostLinks();
    // Rereads the changes into the Lost Links window, when it is open.
    void refreshLostLinks();
    // Shows the message in the status line, once for each message in the window's life.
    void reportHistoryProblem(const QString &message);

    LostLinksDialogController *lostLinksWindow() const { return m_lostLinksWindow; }
    QPushButton *lostLinksNotice() const { return m_lostLinksNotice; }
    QLabel *historyBusyLabel() const { return m_historyBusyLabel; }

signals:
    // A run recorded changes, new losses among them.
    void lossesRecorded(const QList<LinkChange> &changes);
    // The Lost Links window asks for these links to be checked again.
    void verifyRequested(const QStringList &linkIDs);
    // The Lost Links window's Send Message menu chose a template (written in the mail client).
    void templateEmailRequested(int templateIndex);

private:
    void recordingFinished(const QList<LinkChange> &changes);
    QList<LinkChange> presentChanges(const QList<LinkChange> &changes);
    void historyWaitingChanged(const QString &databasePath, int checks);
    // Selects the link in the window, in whatever category it is; false when it is gone.
    bool revealLink(const QString &linkID);
    void editLink(const QString &linkID);
    void verifyAgain(const QStringList &linkIDs);
    // Makes the page a moved link was found on the link's links page address, as one undo step.
    void useThisPage(const QString &linkID, const QString &pageURL);
    void selectLinkToWriteTo(const QStringList &linkIDs);
    void bringDocumentForward();

    QPointer<LostLinksDialogController> m_lostLinksWindow;
    QPushButton *m_lostLinksNotice = nullptr;
    QLabel *m_historyBusyLabel = nullptr;
    QSet<QString> m_reportedProblems;
};
