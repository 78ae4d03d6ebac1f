#pragma once

#include "DocumentCommandArea.h"

class TableImportDialogController;

// File › Import › Partners from Spreadsheet: an open panel, then the mapping sheet; a confirmed
// sheet adds and updates the links in one undo step and ends with the summary of what was done.
class TableImportCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit TableImportCommands(MyDocument *document);

    void validateMenuItems() override;
    TableImportDialogController *tableImportDialog() const { return m_dialog; }

public slots:
    void importPartners();
    // Reads the file and shows the sheet; false (after the alert) when the file is no table.
    bool importPartnersFromFile(const QString &path);
    void importPartnersSheetDidEnd(int returnCode);

private:
    TableImportDialogController *m_dialog = nullptr;
};
