#include "PrintPanel.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {

struct Answer
{
    bool print;
    QString pdfPath;
    int fromPage;
    int toPage;
};

bool s_scripted = false;
QList<Answer> s_answers;
QList<PrintPanel::Shown> s_shown;

} // namespace

bool PrintPanel::exec(QWidget *parent, QPrinter &printer, int pageCount)
{
    s_shown.append({printer.docName(), pageCount});
    if (s_scripted) {
        if (s_answers.isEmpty())
            return false;
        const Answer answer = s_answers.takeFirst();
        if (!answer.print)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(answer.pdfPath);
        printer.setPrintRange(answer.fromPage > 0 ? QPrinter::PageRange : QPrinter::AllPages);
        printer.setFromTo(answer.fromPage, answer.toPage);
        return true;
    }

    // A range chosen for an earlier job does not carry over to this one.
    printer.setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile |
                                                       QAbstractPrintDialog::PrintCollateCopies |
                                                       QAbstractPrintDialog::PrintShowPageSize;
    if (pageCount > 1) {
        options |= QAbstractPrintDialog::PrintPageRange;
        dialog.setMinMax(1, pageCount);
    }
    dialog.setOptions(options);
    return dialog.exec() == QDialog::Accepted;
}

void PrintPanel::setScripted(bool scripted)
{
    s_scripted = scripted;
}

void PrintPanel::setNextAnswer(bool print, const QString &pdfPath, int fromPage, int toPage)
{
    s_answers.append({print, pdfPath, fromPage, toPage});
}

const QList<PrintPanel::Shown> &PrintPanel::shownPanels()
{
    return s_shown;
}

void PrintPanel::clearShownPanels()
{
    s_shown.clear();
    s_answers.clear();
}
