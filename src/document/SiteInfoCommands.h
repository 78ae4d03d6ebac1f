#pragma once

#include "DocumentCommandArea.h"

class SiteInfoDialogController;

// Edit Site Info with its sheet, which a new database shows first: cancelling the first one gives
// the database up.
class SiteInfoCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit SiteInfoCommands(MyDocument *document);

    void validateMenuItems() override {}

    // The sheet, null until first shown.
    SiteInfoDialogController *siteInfoDialog() const { return m_siteInfoDialog; }

public slots:
    void editSiteInfo();
    void editSiteInfoSheetDidEnd(int returnCode);

private:
    SiteInfoDialogController *m_siteInfoDialog = nullptr;
};
