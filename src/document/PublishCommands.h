#pragma once

#include "DocumentCommandArea.h"

#include <QDate>

class HTMLSetupDialogController;

// The publishing commands of a document window: the links page setup sheet, the three copies of
// the links page, its export to files, and the spreadsheet's copy and export. Copies and exports
// never mark the document edited; only a confirmed setup sheet changes the database.
class PublishCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    // What a save panel was shown for.
    enum ExportContext
    {
        HTMLExport,
        SpreadsheetExport
    };

    explicit PublishCommands(MyDocument *document);

    void validateMenuItems() override;
    HTMLSetupDialogController *HTMLSetupDialog() const { return m_HTMLSetupDialog; }
    // The save panel's proposed name of a spreadsheet exported on `date` (without extension).
    static QString proposedSpreadsheetName(const QDate &date);

public slots:
    void HTMLSetup();
    void HTMLSetupSheetDidEnd(int returnCode);
    void copyHTML();
    void copyCategoryHTML();
    void copyHTMLStyles();
    void exportLinksToHTML();
    void copySpreadsheet();
    void exportLinksToSpreadsheet();
    // The same links as comma-separated values (UTF-8), for spreadsheet programs.
    void exportLinksToCSV();
    // Writes the export chosen in a save panel (an empty path: the panel was cancelled).
    void savePanelDidEnd(ExportContext context, const QString &path);

private:
    void writeCSV(const QString &path);
    bool refuseWithoutPublishableLinks(const QString &title);
    bool refuseWithoutLinks(const QString &title);

    HTMLSetupDialogController *m_HTMLSetupDialog = nullptr;
};
