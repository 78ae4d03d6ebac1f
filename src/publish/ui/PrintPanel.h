#pragma once

#include <QList>
#include <QString>

class QPrinter;
class QWidget;

// Every print dialog of the application goes through here, so tests can script the answer (and
// send the job to a PDF file) and no test ever waits on a modal dialog.
class PrintPanel
{
public:
    struct Shown
    {
        QString jobTitle;
        int pageCount;
    };

    // Shows the print dialog for `printer`, modal to `parent`'s window, offering a page range when
    // the document has more than one page. True when the user chose to print; the printer then
    // holds the choices (printer, paper, copies, page range).
    static bool exec(QWidget *parent, QPrinter &printer, int pageCount);

    // --- For tests
    // From now on the dialog is never shown: each takes the next queued answer, or cancels when
    // none is queued. A print answer sends the job to `pdfPath`, pages `fromPage` to `toPage`
    // (0 and 0: all).
    static void setScripted(bool scripted);
    static void setNextAnswer(bool print, const QString &pdfPath = QString(), int fromPage = 0,
                              int toPage = 0);
    static const QList<Shown> &shownPanels();
    static void clearShownPanels();
};
