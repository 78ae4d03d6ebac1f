#include "OwnPageCheckDialogController.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

OwnPageCheckDialogController::OwnPageCheckDialogController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OwnPageCheckDialog"));
    setWindowTitle(tr("Check My Links Page"));
    auto *layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_summary->setObjectName(QStringLiteral("summaryLabel"));
    layout->addWidget(m_summary);
    m_progress = new QProgressBar(this);
    m_progress->setAccessibleName(tr("Pages read"));
    layout->addWidget(m_progress);
    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("findingsTable"));
    m_table->setHorizontalHeaderLabels({tr("Partner"), tr("Problem"), tr("Page")});
    m_table->setAccessibleName(tr("Partners the page gets wrong"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    layout->addWidget(m_table, 1);
    auto *buttons = new QDialogButtonBox(this);
    m_checkAgainButton = buttons->addButton(tr("Check &Again"), QDialogButtonBox::ActionRole);
    m_closeButton = buttons->addButton(QDialogButtonBox::Close);
    m_closeButton->setDefault(true);
    layout->addWidget(buttons);
    connect(m_checkAgainButton, &QPushButton::clicked, this,
            &OwnPageCheckDialogController::checkAgainRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    resize(760, 420);
}

void OwnPageCheckDialogController::setDocumentName(const QString &name)
{
    setWindowTitle(tr("Check My Links Page – %1").arg(name));
}

void OwnPageCheckDialogController::showRunning(int pagesRead, int pages)
{
    m_progress->show();
    m_progress->setRange(0, pages);
    m_progress->setValue(pagesRead);
    m_checkAgainButton->setEnabled(false);
    m_summary->setText(pagesRead < pages
                           ? tr("Reading the published page (%1 of %2)…").arg(pagesRead + 1).arg(pages)
                           : tr("Looking for every partner on the page…"));
}

void OwnPageCheckDialogController::showResult(const OwnPageCheck::Result &result, const QString &historyError)
{
    m_progress->hide();
    m_checkAgainButton->setEnabled(true);
    m_table->setRowCount(int(result.findings.size()));
    for (int row = 0; row < result.findings.size(); ++row) {
        const OwnPageCheck::Finding &finding = result.findings.at(row);
        m_table->setItem(row, 0, new QTableWidgetItem(finding.title));
        m_table->setItem(row, 1, new QTableWidgetItem(OwnPageCheck::problemText(finding.problem)));
        m_table->setItem(row, 2, new QTableWidgetItem(finding.page));
    }
    m_table->resizeColumnToContents(0);
    m_table->resizeColumnToContents(1);
    QStringList lines;
    const QString when = QLocale().toString(result.checkedOn, QLocale::ShortFormat);
    if (result.findings.isEmpty())
        lines << tr("Checked %1: every partner is on the page as it should be.").arg(when);
    else
        lines << (result.findings.size() == 1
                      ? tr("Checked %1: 1 partner needs attention.").arg(when)
                      : tr("Checked %1: %2 partners need attention.").arg(when).arg(result.findings.size()));
    for (const OwnPageCheck::Page &page : result.pages) {
        if (!page.loaded)
            lines << tr("%1 could not be read (%2); its partners were not checked.")
                         .arg(page.url.toString(), page.error);
    }
    if (!historyError.isEmpty())
        lines << historyError;
    m_summary->setText(lines.join(u'\n'));
    m_table->setFocus();
}

void OwnPageCheckDialogController::showError(const QString &message)
{
    m_progress->hide();
    m_table->setRowCount(0);
    m_checkAgainButton->setEnabled(true);
    m_summary->setText(message);
}
