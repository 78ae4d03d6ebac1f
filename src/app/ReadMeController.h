#pragma once

#include <QDialog>

class QPrinter;
class QTextBrowser;

// The read-me viewer: the read-me text shipped with the application, read-only and printable.
// Escape closes it.
class ReadMeController : public QDialog
{
    Q_OBJECT

public:
    explicit ReadMeController(QWidget *parent = nullptr);

    // Shows the window, placed at the alert position the first time.
    void showWindow();
    // Prints the read-me with a one-inch margin on every side of the paper.
    void printDocument(QPrinter *printer) const;
    QTextBrowser *textView() const { return m_textView; }

public slots:
    void doPrint();

private:
    QTextBrowser *m_textView = nullptr;
    bool m_placed = false;
};
