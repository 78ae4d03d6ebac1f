#include "VerificationDialogController.h"

#include "ProgressIndicatorCell.h"
#include "gui/HelpBook.h"
#include "gui/KeyOrder.h"
#include "gui/MessageBox.h"
#include "history/VerificationRun.h"
#include "model/CollectionManager.h"
#include "ui_VerificationDialog.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTimer>

namespace {
// The table follows the run, and the progress bar counts, at most this often: a check finishes
// every few milliseconds against a fast server.
constexpr int ScrollIntervalMs = 100;
constexpr int ProgressIntervalMs = 100;
} // namespace

VerificationDialogController::VerificationDialogController(CollectionManager *store, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::VerificationDialog>()),
      m_run(new VerificationRun(store, this)), m_scheduler(m_run->scheduler()), m_rows(m_run->rows()),
      m_historyRecorder(m_run->historyRecorder())
{
    m_ui->setupUi(this);
    m_ui->tableView->setAccessibleName(tr("Links to verify"));
    m_ui->detailsLabel->setAccessibleName(tr("Details of the selected link"));
    // Room for two lines, so the table keeps its height when details come and go.
    m_ui->detailsLabel->setMinimumHeight(m_ui->detailsLabel->fontMetrics().lineSpacing() * 2);
    m_ui->detailsLabel->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    m_ui->progressBar->setAccessibleName(tr("Progress"));

    // The table sorts by a clicked column (the result by its code, the tick by its state) without
    // reordering the run, whose checks report by their row.
    m_sortedRows = new QSortFilterProxyModel(this);
    m_sortedRows->setSourceModel(m_rows);
    m_sortedRows->setDynamicSortFilter(false); // rows stay put while results come in
    m_sortedRows->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_sortedRows->setSortLocaleAware(true);
    QTableView *table = m_ui->tableView;
    table->setModel(m_sortedRows);
    table->setSortingEnabled(true);
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder); // the run's order until a click
    table->setItemDelegate(new ProgressIndicatorCell(m_rows, table));
    // Rows of one height, so the table never measures its thousands of rows.
    QHeaderView *rows = table->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(qMax(fontMetrics().height() + 6, ProgressIndicatorCell::ImageSize + 6));
    QHeaderView *columns = table->horizontalHeader();
    columns->setStretchLastSection(true);
    columns->setHighlightSections(false);
    columns->setSectionResizeMode(VerificationRowModel::VerifyColumn, QHeaderView::Fixed);
    columns->setSectionResizeMode(VerificationRowModel::StatusColumn, QHeaderView::Fixed);
    columns->resizeSection(VerificationRowModel::VerifyColumn,
                           qMax(columns->fontMetrics().horizontalAdvance(tr("Verify")) + 24, 44));
    columns->resizeSection(VerificationRowModel::StatusColumn, ProgressIndicatorCell::ImageSize + 20);
    columns->resizeSection(VerificationRowModel::LinkColumn, 220);
    columns->resizeSection(VerificationRowModel::CategoryColumn, 140);
    table->installEventFilter(this);

    m_cancelButton = m_ui->buttonBox->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    m_verifyButton = m_ui->buttonBox->addButton(tr("Verify Links"), QDialogButtonBox::AcceptRole);
    // Return starts the run and, once it has ended, saves it.
    m_verifyButton->setDefault(true);
    for (QPushButton *button : {m_cancelButton, m_ui->selectAllButton, m_ui->selectNoneButton})
        button->setAutoDefault(false);
    KeyOrder::chain(QList<QWidget *>{m_ui->tableView, m_ui->selectAllButton, m_ui->selectNoneButton} +
                    KeyOrder::buttonsOnScreen(m_ui->buttonBox));
    connect(m_verifyButton, &QPushButton::clicked, this, &VerificationDialogController::confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &VerificationDialogController::cancel);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &VerificationDialogController::doHelp);
    connect(m_ui->selectAllButton, &QPushButton::clicked, this, &VerificationDialogController::selectAll);
    connect(m_ui->selectNoneButton, &QPushButton::clicked, this, &VerificationDialogController::selectNone);

    connect(m_rows, &VerificationRowModel::ticksChanged, this, &VerificationDialogController::updateButtons);
    connect(m_scheduler, &VerificationScheduler::runStarted, this,
            &VerificationDialogController::updateButtons);
    connect(m_run, &VerificationRun::started, this, &VerificationDialogController::updateButtons);
    connect(m_scheduler, &VerificationScheduler::checkStarted, this,
            &VerificationDialogController::checkStarted);
    connect(m_scheduler, &VerificationScheduler::checkFinished, this, [this](int row) { rowCompleted(row); });
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &VerificationDialogController::updateDetails);
    connect(table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this](int column) {
        // Pictures and ticks sort by what they stand for.
        const int role = column == VerificationRowModel::StatusColumn
                             ? int(VerificationRowModel::ResultCodeRole)
                         : column == VerificationRowModel::VerifyColumn ? int(Qt::CheckStateRole)
                                                                        : int(Qt::DisplayRole);
        m_sortedRows->setSortRole(role);
    });

    m_summaryLabel = new QLabel(this);
    m_summaryLabel->setObjectName(QStringLiteral("summaryLabel"));
    m_summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Its own line under the details, so the counts are never cut by the progress bar.
    m_ui->mainLayout->insertWidget(m_ui->mainLayout->indexOf(m_ui->detailsLabel) + 1, m_summaryLabel);

    m_progressTimer = new QTimer(this);
    m_progressTimer->setSingleShot(true);
    m_progressTimer->setInterval(ProgressIntervalMs);
    connect(m_progressTimer, &QTimer::timeout, this, &VerificationDialogController::updateProgress);
    connect(m_scheduler, &VerificationScheduler::runEnded, this, [this] {
        updateButtons();
        m_progressTimer->stop();
        updateProgress();
    });

    m_scrollTimer = new QTimer(this);
    m_scrollTimer->setSingleShot(true);
    m_scrollTimer->setInterval(ScrollIntervalMs);
    connect(m_scrollTimer, &QTimer::timeout, this, &VerificationDialogController::followRun);
    // Scrolling by hand during a run stops the table from following it, until the row being
    // checked is in view again.
    connect(table->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!m_autoScrolling && m_scheduler->checksUnderWay() > 0)
            m_followRun = rowIsVisible(m_lastStartedRow);
    });

    setWindowModality(Qt::WindowModal);
    setMinimumSize(560, 360);
    // As large as suits the table, within the document window it belongs to.
    QSize size(780, 520);
    if (parent)
        size = size.boundedTo(parent->window()->size() - QSize(40, 60));
    if (const QScreen *shown = parent ? parent->screen() : screen())
        size = size.boundedTo(shown->availableGeometry().size() - QSize(40, 80));
    resize(size.expandedTo(minimumSize()));
    updateButtons();
}

VerificationDialogController::~VerificationDialogController() = default;

QTableView *VerificationDialogController::tableView() const
{
    return m_ui->tableView;
}

QPushButton *VerificationDialogController::selectAllButton() const
{
    return m_ui->selectAllButton;
}

QPushButton *VerificationDialogController::selectNoneButton() const
{
    return m_ui->selectNoneButton;
}

QString VerificationDialogController::progressText() const
{
    return m_ui->progressBar->isVisible() || m_run->total() > 0 ? m_ui->progressBar->format() : QString();
}

QString VerificationDialogController::detailsText() const
{
    return m_ui->detailsLabel->text();
}

QString VerificationDialogController::summaryText() const
{
    return m_summaryLabel->text();
}

QModelIndex VerificationDialogController::tableIndex(int runRow, int column) const
{
    return m_sortedRows->mapFromSource(m_rows->index(runRow, column));
}

int VerificationDialogController::runRow(const QModelIndex &tableIndex) const
{
    return m_sortedRows->mapToSource(tableIndex).row();
}

bool VerificationDialogController::initializeFieldsWithSelectedLinkIDs(const std::optional<QStringList> &ids)
{
    m_scrollTimer->stop();
    m_progressTimer->stop();
    const bool any = m_run->prepare(ids);
    m_checked = 0;
    m_lastStartedRow = -1;
    m_followRun = true;
    m_ui->progressBar->setVisible(false);
    m_ui->detailsLabel->clear();
    m_summaryLabel->clear();
    QTableView *table = m_ui->tableView;
    table->clearSelection();
    // A new run starts in the order of the run.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_sortedRows->sort(-1);
    if (any) {
        // The keyboard starts on the title of the first row asked for; Space ticks it.
        const QModelIndex first =
            tableIndex(qMax(0, m_rows->firstRowToShow()), VerificationRowModel::LinkColumn);
        table->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        table->scrollTo(first, m_rows->firstRowToShow() > 0 ? QAbstractItemView::PositionAtCenter
                                                            : QAbstractItemView::EnsureVisible);
    }
    table->setFocus(Qt::OtherFocusReason);
    updateButtons();
    return any;
}

VerificationSheetForm::SheetState VerificationDialogController::sheetState() const
{
    using State = VerificationSheetForm::SheetState;
    if (m_run->isWaitingForHistory())
        return State::Running;
    if (!m_scheduler->hasStarted())
        return State::Choosing;
    return m_scheduler->hasEnded() ? State::Ended : State::Running;
}

void VerificationDialogController::updateButtons()
{
    const VerificationSheetForm::SheetState state = sheetState();
    const int ticked = m_rows->selectedCount();
    m_verifyButton->setText(VerificationSheetForm::verifyButtonTitle(state, ticked));
    m_verifyButton->setEnabled(VerificationSheetForm::verifyButtonEnabled(state, ticked));
    m_cancelButton->setText(VerificationSheetForm::cancelButtonTitle(state));
    const bool choosing = state == VerificationSheetForm::SheetState::Choosing;
    m_ui->selectAllButton->setEnabled(choosing);
    m_ui->selectNoneButton->setEnabled(choosing);
    // Sorting during a run would move rows under the user's eyes: only once it has ended.
    m_ui->tableView->setSortingEnabled(state != VerificationSheetForm::SheetState::Running);
}

void VerificationDialogController::updateProgress()
{
    const int total = m_run->total();
    m_ui->progressBar->setMaximum(qMax(1, total));
    m_ui->progressBar->setValue(qMin(m_checked, total));
    m_ui->progressBar->setFormat(VerificationSheetForm::progressText(m_checked, total));
    if (m_checked > 0 || m_scheduler->hasEnded())
        m_summaryLabel->setText(VerificationSheetForm::summaryText(
            VerificationSheetForm::summary(m_rows->linkInfos(), m_scheduler->hasEnded())));
}

void VerificationDialogController::updateDetails()
{
    const QModelIndexList selected = m_ui->tableView->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        m_ui->detailsLabel->clear();
        return;
    }
    // The tool tip's lines, on one line.
    const LinkInfo &row = m_rows->linkInfo(runRow(selected.constFirst()));
    m_ui->detailsLabel->setText(
        VerificationSheetForm::toolTip(row).replace(QLatin1Char('\n'), QStringLiteral(" — ")));
}

void VerificationDialogController::rowCompleted(int row)
{
    // The bar follows at its own pace: redrawn for every check it would cost the run time.
    ++m_checked;
    if (!m_progressTimer->isActive())
        m_progressTimer->start();
    const QModelIndexList selected = m_ui->tableView->selectionModel()->selectedRows();
    if (!selected.isEmpty() && runRow(selected.constFirst()) == row)
        updateDetails();
}

void VerificationDialogController::checkStarted(int row)
{
    // The first checks start at the top of the run, where the table already is.
    if (!m_run->isStarting())
        scrollToRowSoon(row);
}

void VerificationDialogController::scrollToRowSoon(int row)
{
    m_lastStartedRow = row;
    if (!m_scrollTimer->isActive())
        m_scrollTimer->start();
}

void VerificationDialogController::followRun()
{
    if (!m_followRun || m_lastStartedRow < 0 || m_lastStartedRow >= m_rows->numLinks())
        return;
    m_autoScrolling = true;
    m_ui->tableView->scrollTo(tableIndex(m_lastStartedRow, VerificationRowModel::LinkColumn));
    m_autoScrolling = false;
}

bool VerificationDialogController::rowIsVisible(int row) const
{
    if (row < 0)
        return true;
    const QTableView *table = m_ui->tableView;
    const int shown = tableIndex(row, VerificationRowModel::LinkColumn).row();
    const int top = table->rowViewportPosition(shown);
    return top >= 0 && top + table->rowHeight(shown) <= table->viewport()->height();
}

void VerificationDialogController::confirm()
{
    if (m_run->isWaitingForHistory())
        return;
    if (!m_scheduler->hasStarted()) {
        if (m_rows->selectedCount() == 0)
            return;
        m_checked = 0;
        m_followRun = true;
        m_ui->progressBar->setVisible(true);
        // The ticks turn read-only; arrow keys must not be stuck on one of them.
        const QModelIndex current = m_ui->tableView->currentIndex();
        if (current.isValid() && current.column() == VerificationRowModel::VerifyColumn)
            m_ui->tableView->selectionModel()->setCurrentIndex(
                current.siblingAtColumn(VerificationRowModel::LinkColumn), QItemSelectionModel::NoUpdate);
        // The run waits for the history's trails, which decide the missing links looked at twice.
        m_run->start();
        updateProgress();
        updateButtons();
        return;
    }
    // Saving is the caller's: the sheet ends and the document writes the results.
    if (m_scheduler->hasEnded()) {
        m_scrollTimer->stop();
        m_scheduler->reset();
        done(QDialog::Accepted);
    }
}

void VerificationDialogController::cancel()
{
    if (m_run->isWaitingForHistory()) {
        // Stopped before the trails came: the sheet shows the run ended, as one stopped before its
        // checks had their turn.
        m_run->stop(VerificationRun::Unstarted::EndAsStopped);
        updateButtons();
        return;
    }
    if (m_scheduler->isRunning()) {
        m_scheduler->stop();
        return;
    }
    // Checks that took a while are not thrown away by a stray Escape.
    if (const int checked = m_rows->checkedResultsToSave(); checked > 0) {
        const int answer = MessageBox::alert(
            this, tr("Do you want to save the results of this verification?"),
            tr("%n link(s) were checked. If you close without saving, their results are not written "
               "to the links.",
               nullptr, checked),
            {tr("Save Result"), tr("Close without Saving"), tr("Cancel")}, MessageBox::Question);
        if (answer == 0)
            confirm();
        if (answer != 1)
            return;
    }
    m_scrollTimer->stop();
    m_scheduler->reset();
    done(QDialog::Rejected);
}

void VerificationDialogController::reject()
{
    cancel();
}

void VerificationDialogController::closeEvent(QCloseEvent *event)
{
    // Closing the window while checks run stops them and closes without saving.
    m_run->stop();
    QDialog::closeEvent(event);
}

bool VerificationDialogController::eventFilter(QObject *watched, QEvent *event)
{
    // Space ticks or unticks the current row, wherever the keyboard is in it.
    if (watched == m_ui->tableView && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QModelIndex current = m_ui->tableView->currentIndex();
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier && current.isValid()) {
            if (m_rows->ticksEditable())
                m_rows->setSelected(runRow(current), !m_rows->linkInfo(runRow(current)).selected());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void VerificationDialogController::selectAll()
{
    m_rows->selectAll();
}

void VerificationDialogController::selectNone()
{
    m_rows->selectNone();
}

void VerificationDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshVerify"), this);
}
