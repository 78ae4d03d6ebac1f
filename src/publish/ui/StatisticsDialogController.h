#pragma once

#include "workflow/LatestCheck.h"

#include <QDialog>
#include <memory>

class CollectionManager;
class StatisticsView;

namespace Ui {
class StatisticsDialog;
}

// The statistics sheet: one of three distributions of the database's links as a pie chart, which
// can be copied, printed, previewed and saved as PDF. The printing runs where the printer settings
// live (the signals); the sheet changes nothing in the database.
class StatisticsDialogController : public QDialog
{
    Q_OBJECT

public:
    StatisticsDialogController(const CollectionManager &collectionManager, QWidget *parent);
    ~StatisticsDialogController() override;

    // Shows view `view` (0 latest verification results, 1 link statuses, 2 original requests),
    // counted afresh, with the pop-up focused.
    void initializeFieldsWithSelectedView(int view);
    void selectView(int view);
    int selectedView() const;
    StatisticsView *statisticsView() const;
    // The history's latest checks, which tell the links found but not followed; the chart counts
    // with them from the next view shown.
    void setRecordedChecks(const RecordedChecks &recorded) { m_recorded = recorded; }

public slots:
    // Puts the chart on the clipboard as PDF, with a PNG for programs that take only images.
    void copy();

signals:
    void printRequested(int view);
    void printPreviewRequested(int view);
    void exportPDFRequested(int view);

private:
    void doHelp();

    std::unique_ptr<Ui::StatisticsDialog> m_ui;
    const CollectionManager &m_collectionManager;
    RecordedChecks m_recorded;
};
