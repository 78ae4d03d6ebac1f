#pragma once

#include "history/OwnPageCheck.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

// The Check My Links Page window of a document: while the check runs, its progress; then each
// partner the published page gets wrong (missing, hidden, nofollow, or there though it should not
// be) with the page it concerns, and the pages that could not be read. A window beside the
// document, not a sheet, so the user can fix links while it stays open.
class OwnPageCheckDialogController : public QDialog
{
    Q_OBJECT

public:
    explicit OwnPageCheckDialogController(QWidget *parent = nullptr);

    void setDocumentName(const QString &name);
    void showRunning(int pagesRead, int pages);
    void showResult(const OwnPageCheck::Result &result, const QString &historyError = QString());
    void showError(const QString &message);

    QTableWidget *table() const { return m_table; }
    QLabel *summaryLabel() const { return m_summary; }
    QPushButton *checkAgainButton() const { return m_checkAgainButton; }
    QPushButton *closeButton() const { return m_closeButton; }

signals:
    void checkAgainRequested();

private:
    QLabel *m_summary;
    QProgressBar *m_progress;
    QTableWidget *m_table;
    QPushButton *m_checkAgainButton;
    QPushButton *m_closeButton;
};
