#include "StatisticsDialogController.h"

#include "StatisticsView.h"
#include "gui/HelpBook.h"
#include "publish/Statistics.h"
#include "publish/StatisticsChartPainter.h"
#include "ui_StatisticsDialog.h"

#include <QSignalBlocker>

StatisticsDialogController::StatisticsDialogController(const CollectionManager &collectionManager,
                                                       QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::StatisticsDialog>()), m_collectionManager(collectionManager)
{
    m_ui->setupUi(this);
    setWindowModality(Qt::WindowModal);
    for (int view :
         {Statistics::LatestVerificationResults, Statistics::LinkStatuses, Statistics::OriginalRequests})
        m_ui->viewPopup->addItem(Statistics::titleForView(view), view);

    connect(m_ui->viewPopup, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_ui->statisticsView->setView(&m_collectionManager, m_ui->viewPopup->itemData(index).toInt(),
                                      m_recorded);
    });
    connect(m_ui->copyButton, &QPushButton::clicked, this, &StatisticsDialogController::copy);
    connect(m_ui->printButton, &QPushButton::clicked, this, [this] { emit printRequested(selectedView()); });
    connect(m_ui->printPreviewButton, &QPushButton::clicked, this,
            [this] { emit printPreviewRequested(selectedView()); });
    connect(m_ui->exportPDFButton, &QPushButton::clicked, this,
            [this] { emit exportPDFRequested(selectedView()); });
    connect(m_ui->doneButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->helpButton, &QPushButton::clicked, this, &StatisticsDialogController::doHelp);
}

StatisticsDialogController::~StatisticsDialogController() = default;

void StatisticsDialogController::initializeFieldsWithSelectedView(int view)
{
    selectView(view);
    m_ui->viewPopup->setFocus();
}

void StatisticsDialogController::selectView(int view)
{
    const int index = m_ui->viewPopup->findData(view);
    if (index < 0)
        return;
    {
        const QSignalBlocker blocker(m_ui->viewPopup);
        m_ui->viewPopup->setCurrentIndex(index);
    }
    // Counted afresh even when the pop-up already showed that view: the links may have changed.
    m_ui->statisticsView->setView(&m_collectionManager, view, m_recorded);
}

int StatisticsDialogController::selectedView() const
{
    return m_ui->statisticsView->selectedView();
}

StatisticsView *StatisticsDialogController::statisticsView() const
{
    return m_ui->statisticsView;
}

void StatisticsDialogController::copy()
{
    StatisticsChartPainter(m_collectionManager, selectedView(), m_recorded)
        .copyToClipboard(m_ui->statisticsView->chartSize());
}

void StatisticsDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshLinkCountStatistics"), this);
}
