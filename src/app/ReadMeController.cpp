#include "ReadMeController.h"

#include "gui/BrowserOpener.h"
#include "gui/WindowPlacement.h"

#include <QAbstractTextDocumentLayout>
#include <QDialogButtonBox>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QVBoxLayout>
#include <memory>

namespace {

QString readMeText()
{
    QFile file(QStringLiteral(":/readme/ReadMe.html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

ReadMeController::ReadMeController(QWidget *parent) : QDialog(parent), m_textView(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("ReadMe"));
    setWindowTitle(tr("Quillmarsh Read Me"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_textView->setOpenLinks(false);
    m_textView->setHtml(readMeText());
    connect(m_textView, &QTextBrowser::anchorClicked, this,
            [this](const QUrl &url) { BrowserOpener::open(this, url); });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *print = buttons->addButton(tr("&Print…"), QDialogButtonBox::ActionRole);
    print->setShortcut(QKeySequence::Print);
    print->setAutoDefault(false);
    buttons->button(QDialogButtonBox::Close)->setDefault(true);
    connect(print, &QPushButton::clicked, this, &ReadMeController::doPrint);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_textView);
    layout->addWidget(buttons);
    resize(640, 560);
}

void ReadMeController::showWindow()
{
    if (!m_placed) {
        m_placed = true;
        WindowPlacement::centerAtAlertPosition(this);
    }
    show();
    raise();
    activateWindow();
    m_textView->setFocus();
}

void ReadMeController::printDocument(QPrinter *printer) const
{
    // Lay a copy out on the printer's paper, one inch in from every edge.
    std::unique_ptr<QTextDocument> document(m_textView->document()->clone());
    printer->setFullPage(true);
    const QRectF paper = printer->paperRect(QPrinter::DevicePixel);
    const qreal inch = printer->resolution();
    document->documentLayout()->setPaintDevice(printer);
    document->setPageSize(QSizeF(paper.width(), paper.height()));
    QTextFrameFormat frame = document->rootFrame()->frameFormat();
    frame.setMargin(inch);
    document->rootFrame()->setFrameFormat(frame);
    document->print(printer);
}

void ReadMeController::doPrint()
{
    auto *printer = new QPrinter(QPrinter::HighResolution);
    auto *dialog = new QPrintDialog(printer, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QDialog::finished, this, [this, printer](int result) {
        if (result == QDialog::Accepted)
            printDocument(printer);
    });
    // The dialog uses the printer until it is gone.
    connect(dialog, &QObject::destroyed, this, [printer] { delete printer; });
    dialog->open();
}
