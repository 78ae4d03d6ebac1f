#include "ReportCommands.h"

#include "DocumentMenus.h"
#include "ExportPanel.h"
#include "MyDocument.h"
#include "RecordedChecksCache.h"
#include "gui/MessageBox.h"
#include "publish/ExportTexts.h"
#include "publish/LinkListPages.h"
#include "publish/StatisticsPages.h"
#include "publish/ui/PrintPanel.h"
#include "publish/ui/PrintPreviewDialogController.h"
#include "publish/ui/StatisticsDialogController.h"

#include <QAction>
#include <QDir>
#include <QPrinter>

ReportCommands::ReportCommands(MyDocument *document) : DocumentCommandArea(document)
{
    const DocumentMenus &m = menus();
    connect(m.action(ActionId::ShowStatistics), &QAction::triggered, this, &ReportCommands::showStatistics);
    connect(m.action(ActionId::Print), &QAction::triggered, this, &ReportCommands::print);
    connect(m.action(ActionId::PrintPreview), &QAction::triggered, this, &ReportCommands::printPreview);
    connect(m.action(ActionId::ExportAsPDF), &QAction::triggered, this, &ReportCommands::exportAsPDF);
}

ReportCommands::~ReportCommands() = default;

PrintPreviewDialogController *ReportCommands::printPreviewDialog() const
{
    return m_printPreviewDialog;
}

void ReportCommands::validateMenuItems()
{
    const DocumentMenus &m = menus();
    for (QAction *action : {m.action(ActionId::ShowStatistics), m.action(ActionId::Print),
                            m.action(ActionId::PrintPreview), m.action(ActionId::ExportAsPDF)})
        action->setEnabled(true);
}

QPrinter &ReportCommands::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The painters place everything on the whole sheet themselves.
        m_printer->setFullPage(true);
    }
    return *m_printer;
}

std::unique_ptr<PageSource> ReportCommands::linkListPages()
{
    QPrinter &device = printer();
    return std::make_unique<LinkListPages>(collectionManager(), device.pageLayout().fullRectPoints().size(),
                                           &device);
}

std::unique_ptr<PageSource> ReportCommands::statisticsPages(int view)
{
    return std::make_unique<StatisticsPages>(collectionManager(), view,
                                             printer().pageLayout().fullRectPoints().size(),
                                             document()->recordedChecks()->checks());
}

// ---------------------------------------------------------------- statistics

void ReportCommands::showStatistics()
{
    if (!m_statisticsDialog) {
        m_statisticsDialog = new StatisticsDialogController(collectionManager(), document());
        connect(m_statisticsDialog, &QDialog::finished, this, &ReportCommands::statisticsSheetDidEnd);
        connect(m_statisticsDialog, &StatisticsDialogController::printRequested, this,
                &ReportCommands::printStatistics);
        connect(m_statisticsDialog, &StatisticsDialogController::printPreviewRequested, this,
                &ReportCommands::printStatisticsPreview);
        connect(m_statisticsDialog, &StatisticsDialogController::exportPDFRequested, this,
                &ReportCommands::exportStatisticsAsPDF);
    }
    // Links found but not followed have their own slice, as the history's latest checks tell.
    m_statisticsDialog->setRecordedChecks(document()->recordedChecks()->checks());
    m_statisticsDialog->initializeFieldsWithSelectedView(0);
    m_statisticsDialog->open();
}

void ReportCommands::statisticsSheetDidEnd(int)
{
    // The sheet only shows; nothing to apply whichever way it ended.
}

void ReportCommands::printStatistics(int view)
{
    runPrintJob(m_statisticsDialog, [this, view] { return statisticsPages(view); });
}

void ReportCommands::printStatisticsPreview(int view)
{
    const std::unique_ptr<PageSource> pages = statisticsPages(view);
    showPreview(
        m_statisticsDialog, [this, view] { return statisticsPages(view); },
        ExportTexts::fileNameFromTitle(pages->jobTitle(), tr("Statistics")));
}

void ReportCommands::exportStatisticsAsPDF(int view)
{
    const std::unique_ptr<PageSource> pages = statisticsPages(view);
    exportPDF(m_statisticsDialog, *pages,
              ExportTexts::fileNameFromTitle(pages->jobTitle(), tr("Statistics")));
}

// ---------------------------------------------------------------- the link list

void ReportCommands::print()
{
    runPrintJob(document(), [this] { return linkListPages(); });
}

void ReportCommands::printPreview()
{
    showPreview(
        document(), [this] { return linkListPages(); },
        ExportTexts::fileNameFromTitle(collectionManager().selfInfo().title(), tr("Links")));
}

void ReportCommands::exportAsPDF()
{
    exportPDF(document(), *linkListPages(),
              ExportTexts::fileNameFromTitle(collectionManager().selfInfo().title(), tr("Links")));
}

// ---------------------------------------------------------------- printing, preview, PDF

bool ReportCommands::runPrintJob(QWidget *parent, const PageMaker &makePages)
{
    QPrinter &device = printer();
    std::unique_ptr<PageSource> pages = makePages();
    device.setDocName(pages->jobTitle());
    if (!PrintPanel::exec(parent, device, pages->pageCount()))
        return false;
    // The dialog may have changed the paper: lay the pages out again for it.
    pages = makePages();
    const bool range = device.printRange() == QPrinter::PageRange;
    QString error;
    if (!pages->print(device, range ? device.fromPage() : 0, range ? device.toPage() : 0, &error)) {
        MessageBox::alert(parent, tr("The document could not be printed."),
                          error.isEmpty() ? tr("The printer reported an error.") : error, {},
                          MessageBox::Critical);
        return false;
    }
    return true;
}

void ReportCommands::showPreview(QWidget *parent, const PageMaker &makePages, const QString &pdfName)
{
    auto *preview = new PrintPreviewDialogController(parent);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setPageSource(makePages());
    connect(preview, &PrintPreviewDialogController::printRequested, this, [this, preview, makePages] {
        if (!runPrintJob(preview, makePages))
            return;
        // Another paper chosen in the print dialog: the preview shows the pages as printed.
        std::unique_ptr<PageSource> printed = makePages();
        if (printed->paperSize() != preview->pageSource()->paperSize())
            preview->setPageSource(std::move(printed));
    });
    connect(preview, &PrintPreviewDialogController::exportPDFRequested, this,
            [this, preview, pdfName] { exportPDF(preview, *preview->pageSource(), pdfName); });
    m_printPreviewDialog = preview;
    preview->open();
}

bool ReportCommands::exportPDF(QWidget *parent, const PageSource &pages, const QString &proposedName)
{
    const QString path = ExportPanel::chooseExportPath(parent, document()->filePath(), tr("Export as PDF"),
                                                       proposedName + QStringLiteral(".pdf"),
                                                       tr("PDF documents (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return false;
    FileError error;
    if (!pages.writePdf(path, &error)) {
        MessageBox::alert(parent, tr("The PDF document could not be saved."),
                          tr("%1\n\nFile: %2").arg(error.message(), QDir::toNativeSeparators(path)), {},
                          MessageBox::Critical);
        return false;
    }
    return true;
}
