#include "TableImportCommands.h"

#include "DocumentMenus.h"
#include "MyDocument.h"
#include "gui/FilePanel.h"
#include "gui/MessageBox.h"
#include "model/CollectionManager.h"
#include "workflow/TableImporter.h"
#include "workflow/TableReader.h"
#include "workflow/ui/TableImportDialogController.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

namespace {

// The summary lists this many reported rows; the rest are counted.
constexpr int ListedReports = 12;

} // namespace

TableImportCommands::TableImportCommands(MyDocument *document) : DocumentCommandArea(document)
{
    connect(menus().action(ActionId::ImportPartners), &QAction::triggered, this,
            &TableImportCommands::importPartners);
}

void TableImportCommands::validateMenuItems()
{
    menus().action(ActionId::ImportPartners)->setEnabled(true);
}

void TableImportCommands::importPartners()
{
    const QString databasePath = document()->filePath();
    const QString directory = databasePath.isEmpty() ? QString() : QFileInfo(databasePath).absolutePath();
    const QString path =
        FilePanel::openFileName(document(), tr("Import Partners from Spreadsheet"), directory,
                                tr("Tables (*.csv *.tsv *.txt *.tab);;All files (*)"));
    if (!path.isEmpty())
        importPartnersFromFile(path);
}

bool TableImportCommands::importPartnersFromFile(const QString &path)
{
    QString error;
    QByteArray data;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = tr("The file could not be opened (%1).").arg(file.errorString());
    } else if (file.size() > TableReader::MaximumSize) {
        error = tr("The file is larger than the largest links database.");
    } else {
        data = file.readAll();
        if (file.error() != QFileDevice::NoError)
            error = tr("The file could not be read (%1).").arg(file.errorString());
    }
    if (!m_dialog) {
        m_dialog = new TableImportDialogController(&collectionManager(), document());
        connect(m_dialog, &QDialog::finished, this, &TableImportCommands::importPartnersSheetDidEnd);
    }
    // The table reader's own reason: a table past a cap is not called "not a table".
    FileError why;
    if (error.isEmpty() && !m_dialog->initializeWithData(data, QFileInfo(path).fileName(), &why))
        error = why.message();
    if (!error.isEmpty()) {
        MessageBox::alert(document(), tr("The partners could not be imported."), error, {},
                          MessageBox::Critical);
        return false;
    }
    m_dialog->open();
    return true;
}

void TableImportCommands::importPartnersSheetDidEnd(int returnCode)
{
    if (returnCode != 1)
        return;
    CollectionManager &store = collectionManager();
    TableImporter importer(store, m_dialog->table(), m_dialog->mapping(), m_dialog->update());
    if (!importer.hasURLColumn())
        return;
    perform(tr("Import Partners"), [&](DocumentChange &change) {
        change.linkIDs = importer.apply(store);
        return importer.counts().changed();
    });
    QString message = TableImporter::summaryText(importer.counts());
    const QList<TableReport> &reports = importer.reports();
    if (!reports.isEmpty()) {
        QStringList lines;
        for (int i = 0; i < std::min<int>(ListedReports, int(reports.size())); ++i)
            lines.append(TableImporter::reportText(reports.at(i)));
        if (reports.size() > ListedReports)
            lines.append(tr("... and %1 more.").arg(reports.size() - ListedReports));
        message += QStringLiteral("\n\n") + lines.join(QLatin1Char('\n'));
    }
    MessageBox::alert(document(), tr("The partners were imported."), message, {}, MessageBox::Information);
}
