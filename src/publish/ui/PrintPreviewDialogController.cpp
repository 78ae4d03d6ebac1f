#include "PrintPreviewDialogController.h"

#include "PrintPreviewView.h"
#include "publish/PageSource.h"
#include "ui_PrintPreviewDialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QSignalBlocker>
#include <cmath>

namespace {

// The zoom pop-up: the two fitting modes, then fixed sizes (a zoom of 0 marks a fitting mode).
struct ZoomChoice
{
    const char *title;
    PrintPreviewView::ZoomMode mode;
    qreal zoom;
};

const ZoomChoice ZoomChoices[] = {
    {QT_TRANSLATE_NOOP("PrintPreviewDialogController", "Fit Width"), PrintPreviewView::FitWidth, 0},
    {QT_TRANSLATE_NOOP("PrintPreviewDialogController", "Fit Page"), PrintPreviewView::FitPage, 0},
    {"50%", PrintPreviewView::FixedZoom, 0.5},
    {"75%", PrintPreviewView::FixedZoom, 0.75},
    {"100%", PrintPreviewView::FixedZoom, 1.0},
    {"150%", PrintPreviewView::FixedZoom, 1.5},
    {"200%", PrintPreviewView::FixedZoom, 2.0},
};

} // namespace

PrintPreviewDialogController::PrintPreviewDialogController(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PrintPreviewDialog>())
{
    m_ui->setupUi(this);
    setWindowModality(Qt::WindowModal);
    for (const ZoomChoice &choice : ZoomChoices)
        m_ui->zoomPopup->addItem(tr(choice.title));

    PrintPreviewView *view = m_ui->previewView;
    connect(m_ui->previousPageButton, &QToolButton::clicked, view, &PrintPreviewView::previousPage);
    connect(m_ui->nextPageButton, &QToolButton::clicked, view, &PrintPreviewView::nextPage);
    connect(m_ui->pageField, &QSpinBox::valueChanged, view, &PrintPreviewView::goToPage);
    // Return in the page field goes to the page typed, rather than to the Print button.
    m_ui->pageField->installEventFilter(this);
    connect(view, &PrintPreviewView::currentPageChanged, this,
            &PrintPreviewDialogController::updatePageControls);
    connect(m_ui->zoomPopup, &QComboBox::activated, this, &PrintPreviewDialogController::zoomPopupChanged);
    connect(m_ui->zoomInButton, &QToolButton::clicked, view, &PrintPreviewView::zoomIn);
    connect(m_ui->zoomOutButton, &QToolButton::clicked, view, &PrintPreviewView::zoomOut);
    connect(view, &PrintPreviewView::zoomChanged, this, &PrintPreviewDialogController::showZoom);
    connect(m_ui->printButton, &QPushButton::clicked, this, &PrintPreviewDialogController::printRequested);
    connect(m_ui->exportPDFButton, &QPushButton::clicked, this,
            &PrintPreviewDialogController::exportPDFRequested);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);

    // Room for a page of readable size, but never more than the screen holds.
    QSize size(780, 680);
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.92);
    resize(size);
}

PrintPreviewDialogController::~PrintPreviewDialogController() = default;

PrintPreviewView *PrintPreviewDialogController::view() const
{
    return m_ui->previewView;
}

void PrintPreviewDialogController::setPageSource(std::unique_ptr<PageSource> source)
{
    // The view lets go of the old pages before they go.
    m_ui->previewView->setSource(source.get());
    m_source = std::move(source);
    if (m_source)
        setWindowTitle(tr("Print Preview: %1").arg(m_source->jobTitle()));
    updatePageControls();
    showZoom();
    m_ui->previewView->setFocus();
}

bool PrintPreviewDialogController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->pageField && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_ui->pageField->interpretText();
            m_ui->previewView->goToPage(m_ui->pageField->value());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PrintPreviewDialogController::updatePageControls()
{
    const PrintPreviewView *view = m_ui->previewView;
    const int count = view->pageCount();
    {
        const QSignalBlocker blocker(m_ui->pageField);
        m_ui->pageField->setRange(count > 0 ? 1 : 0, std::max(1, count));
        m_ui->pageField->setValue(view->currentPage());
    }
    m_ui->pageField->setEnabled(count > 1);
    m_ui->pageCountLabel->setText(tr("of %1").arg(count));
    m_ui->previousPageButton->setEnabled(view->currentPage() > 1);
    m_ui->nextPageButton->setEnabled(view->currentPage() < count);
}

void PrintPreviewDialogController::zoomPopupChanged(int index)
{
    if (index < 0 || index >= int(std::size(ZoomChoices)))
        return;
    const ZoomChoice &choice = ZoomChoices[index];
    if (choice.mode == PrintPreviewView::FixedZoom)
        m_ui->previewView->setZoom(choice.zoom);
    else
        m_ui->previewView->setZoomMode(choice.mode);
}

void PrintPreviewDialogController::showZoom()
{
    // The pop-up names the fitting mode, or the zoom in percent when it is none of its items.
    const PrintPreviewView *view = m_ui->previewView;
    const QSignalBlocker blocker(m_ui->zoomPopup);
    const int fixedItems = int(std::size(ZoomChoices));
    while (m_ui->zoomPopup->count() > fixedItems)
        m_ui->zoomPopup->removeItem(fixedItems);
    if (view->zoomMode() != PrintPreviewView::FixedZoom) {
        m_ui->zoomPopup->setCurrentIndex(view->zoomMode() == PrintPreviewView::FitWidth ? 0 : 1);
        return;
    }
    for (int i = 0; i < fixedItems; ++i) {
        if (ZoomChoices[i].mode == PrintPreviewView::FixedZoom &&
            qFuzzyCompare(ZoomChoices[i].zoom, view->zoom())) {
            m_ui->zoomPopup->setCurrentIndex(i);
            return;
        }
    }
    m_ui->zoomPopup->addItem(QStringLiteral("%1%").arg(std::lround(view->zoom() * 100)));
    m_ui->zoomPopup->setCurrentIndex(fixedItems);
}
