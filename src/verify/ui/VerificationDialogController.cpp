#include "VerificationDialogController.h"

#include "ProgressIndicatorCell.h"
#include "gui/HelpBook.h"
#include "gui/KeyOrder.h"
#include "ui_VerificationDialog.h"
#include "verify/VerificationRun.h"
#include "verify/VerificationSheetForm.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

namespace {
// The table follows the run, and the progress bar counts, at most this often: a check finishes
// every few milliseconds against a fast server.
constexpr int ScrollIntervalMs = 100;
constexpr int ProgressIntervalMs = 100;
} // namespace

VerificationDialogController::VerificationDialogController(CollectionManager *store, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::VerificationDialog>()),
      m_run(new VerificationRun(store, this))
{
    m_ui->setupUi(this);
    m_ui->tableView->setAccessibleName(tr("Links to verify"));
    m_ui->detailsLabel->setAccessibleName(tr("Details of the selected link"));
    // Room for two lines, so the table keeps its height when details come and go.
    m_ui->detailsLabel->setMinimumHeight(m_ui->detailsLabel->fontMetrics().lineSpacing() * 2);
    m_ui->detailsLabel->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    m_ui->progressBar->setAccessibleName(tr("Progress"));

    QTableView *table = m_ui->tableView;
    table->setModel(m_run);
    table->setItemDelegate(new ProgressIndicatorCell(m_run, table));
    // Rows of one height, so the table never measures its thousands of rows.
    QHeaderView *rows = table->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(qMax(fontMetrics().height() + 6, ProgressIndicatorCell::ImageSize + 6));
    QHeaderView *columns = table->horizontalHeader();
    columns->setStretchLastSection(true);
    columns->setHighlightSections(false);
    columns->setSectionResizeMode(VerificationRun::VerifyColumn, QHeaderView::Fixed);
    columns->setSectionResizeMode(VerificationRun::StatusColumn, QHeaderView::Fixed);
    columns->resizeSection(VerificationRun::VerifyColumn,
                           qMax(columns->fontMetrics().horizontalAdvance(tr("Verify")) + 24, 44));
    columns->resizeSection(VerificationRun::StatusColumn, ProgressIndicatorCell::ImageSize + 20);
    columns->resizeSection(VerificationRun::LinkColumn, 220);
    columns->resizeSection(VerificationRun::CategoryColumn, 140);
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

    connect(m_run, &VerificationRun::buttonsChanged, this, &VerificationDialogController::updateButtons);
    connect(m_run, &VerificationRun::rowCompleted, this, &VerificationDialogController::rowCompleted);
    connect(m_run, &VerificationRun::scrollToRow, this, &VerificationDialogController::scrollToRowSoon);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &VerificationDialogController::updateDetails);

    m_progressTimer = new QTimer(this);
    m_progressTimer->setSingleShot(true);
    m_progressTimer->setInterval(ProgressIntervalMs);
    connect(m_progressTimer, &QTimer::timeout, this, &VerificationDialogController::updateProgress);
    connect(m_run, &VerificationRun::runEnded, this, [this] {
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
        if (!m_autoScrolling && m_run->verifiersAreRunning())
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
    return m_ui->progressBar->isVisible() || m_total > 0 ? m_ui->progressBar->format() : QString();
}

QString VerificationDialogController::detailsText() const
{
    return m_ui->detailsLabel->text();
}

bool VerificationDialogController::initializeFieldsWithSelectedLinkIDs(const std::optional<QStringList> &ids)
{
    m_scrollTimer->stop();
    m_progressTimer->stop();
    const bool any = m_run->initializeFieldsWithSelectedLinkIDs(ids);
    m_checked = 0;
    m_total = 0;
    m_lastStartedRow = -1;
    m_followRun = true;
    m_ui->progressBar->setVisible(false);
    m_ui->detailsLabel->clear();
    QTableView *table = m_ui->tableView;
    table->clearSelection();
    if (any) {
        // The keyboard starts on the title of the first row asked for; Space ticks it.
        const QModelIndex first = m_run->index(qMax(0, m_run->firstRowToShow()), VerificationRun::LinkColumn);
        table->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        table->scrollTo(first, m_run->firstRowToShow() > 0 ? QAbstractItemView::PositionAtCenter
                                                           : QAbstractItemView::EnsureVisible);
    }
    table->setFocus(Qt::OtherFocusReason);
    updateButtons();
    return any;
}

void VerificationDialogController::updateButtons()
{
    m_verifyButton->setText(m_run->verifyButtonTitle());
    m_verifyButton->setEnabled(m_run->verifyButtonEnabled());
    m_cancelButton->setText(m_run->cancelButtonTitle());
    m_ui->selectAllButton->setEnabled(m_run->selectButtonsEnabled());
    m_ui->selectNoneButton->setEnabled(m_run->selectButtonsEnabled());
}

void VerificationDialogController::updateProgress()
{
    m_ui->progressBar->setMaximum(qMax(1, m_total));
    m_ui->progressBar->setValue(qMin(m_checked, m_total));
    m_ui->progressBar->setFormat(VerificationSheetForm::progressText(m_checked, m_total));
}

void VerificationDialogController::updateDetails()
{
    const QModelIndexList selected = m_ui->tableView->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        m_ui->detailsLabel->clear();
        return;
    }
    // The tool tip's lines, on one line.
    const LinkInfo &row = m_run->linkInfo(selected.constFirst().row());
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
    if (!selected.isEmpty() && selected.constFirst().row() == row)
        updateDetails();
}

void VerificationDialogController::scrollToRowSoon(int row)
{
    m_lastStartedRow = row;
    if (!m_scrollTimer->isActive())
        m_scrollTimer->start();
}

void VerificationDialogController::followRun()
{
    if (!m_followRun || m_lastStartedRow < 0 || m_lastStartedRow >= m_run->numLinks())
        return;
    m_autoScrolling = true;
    m_ui->tableView->scrollTo(m_run->index(m_lastStartedRow, VerificationRun::LinkColumn));
    m_autoScrolling = false;
}

bool VerificationDialogController::rowIsVisible(int row) const
{
    if (row < 0)
        return true;
    const QTableView *table = m_ui->tableView;
    const int top = table->rowViewportPosition(row);
    return top >= 0 && top + table->rowHeight(row) <= table->viewport()->height();
}

void VerificationDialogController::confirm()
{
    if (!m_run->verificationStarted()) {
        if (m_run->selectedCount() == 0)
            return;
        m_total = m_run->selectedCount();
        m_checked = 0;
        m_followRun = true;
        updateProgress();
        m_ui->progressBar->setVisible(true);
        // The ticks turn read-only; arrow keys must not be stuck on one of them.
        const QModelIndex current = m_ui->tableView->currentIndex();
        if (current.isValid() && current.column() == VerificationRun::VerifyColumn)
            m_ui->tableView->selectionModel()->setCurrentIndex(
                m_run->index(current.row(), VerificationRun::LinkColumn), QItemSelectionModel::NoUpdate);
        m_run->confirm();
        return;
    }
    // Saving is the caller's: the sheet ends and the document writes the results.
    if (m_run->verificationStopped())
        done(QDialog::Accepted);
}

void VerificationDialogController::cancel()
{
    if (m_run->verificationStarted() && !m_run->verificationStopped()) {
        m_run->stop();
        return;
    }
    m_scrollTimer->stop();
    m_run->cancel();
    done(QDialog::Rejected);
}

void VerificationDialogController::reject()
{
    cancel();
}

void VerificationDialogController::closeEvent(QCloseEvent *event)
{
    // Closing the window while checks run stops them and closes without saving.
    if (m_run->verificationStarted() && !m_run->verificationStopped())
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
            if (m_run->ticksEditable())
                m_run->setSelected(current.row(), !m_run->linkInfo(current.row()).selected());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void VerificationDialogController::selectAll()
{
    m_run->selectAll();
}

void VerificationDialogController::selectNone()
{
    m_run->selectNone();
}

void VerificationDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshVerify"), this);
}
