#pragma once

#include "verify/VerificationSheetForm.h"

#include <QDialog>
#include <QStringList>
#include <memory>
#include <optional>

class CollectionManager;
class HistoryRecorder;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTimer;
class VerificationRowModel;
class VerificationRun;
class VerificationScheduler;

namespace Ui {
class VerificationDialog;
}

// The verification sheet of a document window: the rows with their ticks, the run with its
// progress, and the button that starts it and later saves. Shown window-modal
// with open(). It ends with 1 when the user chose Save Result (the caller then saves the rows'
// results through the store) and with 0 when the user closed it; it never writes to the links itself.
class VerificationDialogController : public QDialog
{
    Q_OBJECT

public:
    explicit VerificationDialogController(CollectionManager *store, QWidget *parent);
    ~VerificationDialogController() override;

    // Builds the rows (the given links ticked, or every link); false when no link can be verified.
    bool initializeFieldsWithSelectedLinkIDs(const std::optional<QStringList> &ids = std::nullopt);

    // The run: its rows, its scheduler and its recording into the history.
    VerificationRun *run() const { return m_run; }
    VerificationScheduler *scheduler() const { return m_scheduler; }
    VerificationRowModel *rows() const { return m_rows; }
    VerificationSheetForm::SheetState sheetState() const;
    // Records the run into the database's history and knows which results are changes.
    HistoryRecorder *historyRecorder() const { return m_historyRecorder; }
    QTableView *tableView() const;
    QPushButton *verifyButton() const { return m_verifyButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    QPushButton *selectAllButton() const;
    QPushButton *selectNoneButton() const;
    QString progressText() const;
    QString detailsText() const;
    // "7 verified, 1 not found, ..." once the run has results; empty before.
    QString summaryText() const;

public slots:
    // The verify button: starts the run, or ends the sheet with 1 once the run has ended.
    void confirm();
    // The cancel button: stops a run under way, else ends the sheet with 0.
    void cancel();
    void reject() override; // Escape: as the cancel button
    void selectAll();
    void selectNone();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateButtons();
    void updateProgress();
    void updateDetails();
    void rowCompleted(int row);
    void checkStarted(int row);
    void scrollToRowSoon(int row);
    void followRun();
    bool rowIsVisible(int row) const;
    void doHelp();
    // Rows of the run and of the table, which the user may sort by any column.
    QModelIndex tableIndex(int runRow, int column) const;
    int runRow(const QModelIndex &tableIndex) const;

    std::unique_ptr<Ui::VerificationDialog> m_ui;
    VerificationRun *m_run;
    VerificationScheduler *m_scheduler;
    VerificationRowModel *m_rows;
    HistoryRecorder *m_historyRecorder;
    QSortFilterProxyModel *m_sortedRows;
    QLabel *m_summaryLabel;
    QPushButton *m_verifyButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QTimer *m_scrollTimer = nullptr;
    QTimer *m_progressTimer = nullptr;
    int m_checked = 0; // rows finished in this run
    int m_lastStartedRow = -1;
    bool m_followRun = true; // the table follows the run until the user scrolls away
    bool m_autoScrolling = false;
};
