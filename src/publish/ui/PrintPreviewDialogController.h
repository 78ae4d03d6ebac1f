#pragma once

#include <QDialog>
#include <memory>

class PageSource;
class PrintPreviewView;

namespace Ui {
class PrintPreviewDialog;
}

// The print preview: the pages of a document in a scrolling column, with page navigation, zoom,
// Print and Export as PDF. Pages are drawn only as they come into sight. The one who opened it
// runs the printing and the export (signals), then may hand it new pages (another paper size).
class PrintPreviewDialogController : public QDialog
{
    Q_OBJECT

public:
    explicit PrintPreviewDialogController(QWidget *parent);
    ~PrintPreviewDialogController() override;

    // Shows these pages from the first one; the dialog keeps them.
    void setPageSource(std::unique_ptr<PageSource> source);
    PageSource *pageSource() const { return m_source.get(); }
    PrintPreviewView *view() const;

signals:
    void printRequested();
    void exportPDFRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updatePageControls();
    void zoomPopupChanged(int index);
    void showZoom();

    std::unique_ptr<Ui::PrintPreviewDialog> m_ui;
    std::unique_ptr<PageSource> m_source;
};
