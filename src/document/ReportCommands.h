#pragma once

#include "DocumentCommandArea.h"

#include <QPointer>
#include <functional>
#include <memory>

class PageSource;
class PrintPreviewDialogController;
class QPrinter;
class QWidget;
class StatisticsDialogController;

// The report commands of a document window: the statistics sheet, and the printed link list with
// its print dialog, print preview and PDF export (the statistics chart offers the same three from
// its sheet). The window's print settings (printer, paper, orientation) live here, one set per
// document. Nothing here changes the database.
class ReportCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit ReportCommands(MyDocument *document);
    ~ReportCommands() override;

    void validateMenuItems() override;
    StatisticsDialogController *statisticsDialog() const { return m_statisticsDialog; }
    // The print preview on the screen, or null.
    PrintPreviewDialogController *printPreviewDialog() const;
    // The window's print settings, made on first use.
    QPrinter &printer();
    // The pages of the link list and of a statistics view, laid out for the current paper.
    std::unique_ptr<PageSource> linkListPages();
    std::unique_ptr<PageSource> statisticsPages(int view);

public slots:
    void showStatistics();
    void statisticsSheetDidEnd(int returnCode);
    void print();
    void printPreview();
    void exportAsPDF();
    void printStatistics(int view);
    void printStatisticsPreview(int view);
    void exportStatisticsAsPDF(int view);

private:
    using PageMaker = std::function<std::unique_ptr<PageSource>()>;
    // Runs the print dialog over `parent`, then prints the pages made for the paper chosen there.
    bool runPrintJob(QWidget *parent, const PageMaker &makePages);
    void showPreview(QWidget *parent, const PageMaker &makePages, const QString &pdfName);
    bool exportPDF(QWidget *parent, const PageSource &pages, const QString &proposedName);

    std::unique_ptr<QPrinter> m_printer;
    StatisticsDialogController *m_statisticsDialog = nullptr;
    QPointer<PrintPreviewDialogController> m_printPreviewDialog;
};
